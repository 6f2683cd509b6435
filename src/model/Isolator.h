#pragma once

#include "model/SwitchWidget.h"

namespace orvane {

class CIsolator : public CSwitchWidget {
public:
    static constexpr const char* kClassName = "CIsolator";

    CIsolator() = default;
    CIsolator(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : CSwitchWidget(p1, p2, width, color) {}

    const char* ClassName() const override { return kClassName; }
    WidgetType Type() const override { return WidgetType::Isolator; }
    std::string GetNDL() const override { return SwitchNDL("isolator: "); }
};

} // namespace orvane
