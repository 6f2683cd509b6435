#pragma once

#include "editor/ComponentView.h"
#include "model/Fuse.h"

class QPainter;

namespace orvane {

// A fuse: the breaker's X closed into a bow tie along the segment.
class CFuseView : public CTwoPointView {
public:
    explicit CFuseView(const CFuse& widget) : CTwoPointView(widget) {}
    void Draw(QPainter& painter) const;
};

} // namespace orvane
