#include "editor/EquipmentView.h"

#include "editor/SymbolGeometry.h"

#include <QPainter>

namespace orvane {

void CEquipmentView::Draw(QPainter& painter) const {
    DrawBody(painter);
    const auto centres = EquipmentRingCentres(m_point1, m_point2);
    PaintCircle(painter, m_pen, centres[0], 7);
    PaintCircle(painter, m_pen, centres[1], 7);
    // The second ring's white fill cut through the first; drawing the first again ANDed with
    // the picture brings its outline back without filling over the second.
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    PaintCircle(painter, m_pen, centres[0], 7);
    painter.restore();
}

} // namespace orvane
