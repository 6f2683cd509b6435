#pragma once

#include "model/TwoPointWidget.h"

namespace orvane {

// Drawn and stored, but joins nothing and has no NDL definition.
class CBusBar : public CTwoPointWidget {
public:
    static constexpr const char* kClassName = "CBusBar";

    CBusBar() = default;
    CBusBar(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : CTwoPointWidget(p1, p2, width, color) {}

    const char* ClassName() const override { return kClassName; }
    WidgetType Type() const override { return WidgetType::BusBar; }
    std::string GetNDL() const override { return std::string(); }
    void Serialize(CArchive& ar) override;
};

} // namespace orvane
