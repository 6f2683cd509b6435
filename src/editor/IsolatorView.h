#pragma once

#include "editor/ComponentView.h"
#include "model/Isolator.h"

class QPainter;

namespace orvane {

// An isolator: the segment broken by an open black blade at its midpoint.
class CIsolatorView : public CTwoPointView {
public:
    explicit CIsolatorView(const CIsolator& widget) : CTwoPointView(widget) {}
    void Draw(QPainter& painter) const;
};

} // namespace orvane
