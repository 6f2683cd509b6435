#pragma once

#include "model/TwoPointWidget.h"

#include <string>

namespace orvane {

class CRecloser : public CTwoPointWidget {
public:
    static constexpr const char* kClassName = "CRecloser";

    double m_capacity = -1.0;
    std::string m_notes;
    double m_reclose1 = -1.0;
    double m_reclose2 = -1.0;

    CRecloser() = default;
    CRecloser(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : CTwoPointWidget(p1, p2, width, color) {}

    const char* ClassName() const override { return kClassName; }
    WidgetType Type() const override { return WidgetType::Recloser; }
    std::string GetNDL() const override;
    void Serialize(CArchive& ar) override;
};

} // namespace orvane
