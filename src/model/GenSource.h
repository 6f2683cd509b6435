#pragma once

#include "model/OnePointWidget.h"

#include <string>

namespace orvane {

class CGenSource : public COnePointWidget {
public:
    static constexpr const char* kClassName = "CGenSource";

    double m_capacity = -1.0;
    std::string m_notes;

    CGenSource() = default;
    CGenSource(CPoint p, uint32_t width, uint32_t color) : COnePointWidget(p, width, color) {}

    const char* ClassName() const override { return kClassName; }
    WidgetType Type() const override { return WidgetType::GenSource; }
    std::string GetNDL() const override;
    void Serialize(CArchive& ar) override;
};

} // namespace orvane
