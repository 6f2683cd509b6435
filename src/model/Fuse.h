#pragma once

#include "model/SwitchWidget.h"

namespace orvane {

class CFuse : public CSwitchWidget {
public:
    static constexpr const char* kClassName = "CFuse";

    CFuse() = default;
    CFuse(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : CSwitchWidget(p1, p2, width, color) {}

    const char* ClassName() const override { return kClassName; }
    WidgetType Type() const override { return WidgetType::Fuse; }
    std::string GetNDL() const override { return SwitchNDL("fuse: "); }
};

} // namespace orvane
