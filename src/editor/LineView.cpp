#include "editor/LineView.h"

#include <QPainter>

namespace orvane {

void CLineView::Draw(QPainter& painter) const {
    DrawBody(painter);
}

} // namespace orvane
