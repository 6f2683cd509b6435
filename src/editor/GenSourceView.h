#pragma once

#include "editor/ComponentView.h"
#include "model/GenSource.h"

class QPainter;

namespace orvane {

// A generation source: a black ring with a sine wave inside.
class CGenSourceView : public COnePointView {
public:
    explicit CGenSourceView(const CGenSource& widget) : COnePointView(widget) {}
    void Draw(QPainter& painter) const;
    // Squares above-left and below-right of the ring.
    void DrawSelection(QPainter& painter, CPoint end1, CPoint end2) const;
};

} // namespace orvane
