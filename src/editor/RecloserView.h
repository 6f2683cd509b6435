#pragma once

#include "editor/ComponentView.h"
#include "model/Recloser.h"

class QPainter;

namespace orvane {

// A recloser: a black ring with one slash, the segment drawn through it.
class CRecloserView : public CTwoPointView {
public:
    explicit CRecloserView(const CRecloser& widget) : CTwoPointView(widget) {}
    void Draw(QPainter& painter) const;
};

} // namespace orvane
