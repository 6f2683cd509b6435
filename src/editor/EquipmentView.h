#pragma once

#include "editor/ComponentView.h"
#include "model/Equipment.h"

class QPainter;

namespace orvane {

// Equipment: two overlapping rings on the segment.
class CEquipmentView : public CTwoPointView {
public:
    explicit CEquipmentView(const CEquipment& widget) : CTwoPointView(widget) {}
    void Draw(QPainter& painter) const;
};

} // namespace orvane
