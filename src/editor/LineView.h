#pragma once

#include "editor/ComponentView.h"
#include "model/Line.h"

class QPainter;

namespace orvane {

// The feeder: a plain segment.
class CLineView : public CTwoPointView {
public:
    explicit CLineView(const CLine& widget) : CTwoPointView(widget) {}
    void Draw(QPainter& painter) const;
};

} // namespace orvane
