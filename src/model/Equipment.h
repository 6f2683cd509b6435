#pragma once

#include "model/BranchWidget.h"

namespace orvane {

class CEquipment : public CBranchWidget {
public:
    static constexpr const char* kClassName = "CEquipment";

    CEquipment() = default;
    CEquipment(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : CBranchWidget(p1, p2, width, color) {}

    const char* ClassName() const override { return kClassName; }
    WidgetType Type() const override { return WidgetType::Equipment; }
    std::string GetNDL() const override { return BranchNDL("equipment: "); }
};

} // namespace orvane
