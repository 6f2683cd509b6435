#pragma once

#include "model/BranchWidget.h"

namespace orvane {

class CLine : public CBranchWidget {
public:
    static constexpr const char* kClassName = "CLine";

    CLine() = default;
    CLine(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : CBranchWidget(p1, p2, width, color) {}

    const char* ClassName() const override { return kClassName; }
    WidgetType Type() const override { return WidgetType::Line; }
    std::string GetNDL() const override { return BranchNDL("line: "); }
};

} // namespace orvane
