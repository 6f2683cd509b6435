#include "editor/BusBarView.h"

#include <QPainter>

namespace orvane {

void CBusBarView::Draw(QPainter& painter) const {
    DrawBody(painter);
}

} // namespace orvane
