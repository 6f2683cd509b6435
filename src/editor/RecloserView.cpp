#include "editor/RecloserView.h"

#include "editor/SymbolGeometry.h"

#include <QPainter>

namespace orvane {

void CRecloserView::Draw(QPainter& painter) const {
    PaintCircle(painter, m_blackPen, Midpoint(m_point1, m_point2), 7);
    const auto c = TurnedSquare(m_point1, m_point2, 5);
    PaintSegment(painter, m_blackPen, c[0], c[1]);
    DrawBody(painter);
}

} // namespace orvane
