#pragma once

#include "editor/ComponentView.h"
#include "model/BusBar.h"

class QPainter;

namespace orvane {

// A bus bar: a plain segment (created 2 wide).
class CBusBarView : public CTwoPointView {
public:
    explicit CBusBarView(const CBusBar& widget) : CTwoPointView(widget) {}
    void Draw(QPainter& painter) const;
};

} // namespace orvane
