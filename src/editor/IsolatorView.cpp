#include "editor/IsolatorView.h"

#include "editor/SymbolGeometry.h"

#include <QPainter>

namespace orvane {

void CIsolatorView::Draw(QPainter& painter) const {
    DrawBody(painter);
    const IsolatorBlade blade = IsolatorGeometry(m_point1, m_point2);
    PaintSegment(painter, SymbolPen(Qt::white, blade.gapInPenWidth ? m_width : 2), blade.gapFrom,
                 blade.gapTo);
    PaintSegment(painter, m_blackPen, blade.bladeFrom, blade.bladeTo);
}

} // namespace orvane
