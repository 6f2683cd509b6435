#include "editor/CircuitBreakerView.h"

#include "editor/SymbolGeometry.h"

#include <QPainter>

namespace orvane {

void CCircuitBreakerView::Draw(QPainter& painter) const {
    DrawBody(painter);
    const auto c = TurnedSquare(m_point1, m_point2, 7);
    PaintSegment(painter, m_blackPen, c[0], c[1]);
    PaintSegment(painter, m_blackPen, c[2], c[3]);
}

} // namespace orvane
