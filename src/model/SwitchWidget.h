#pragma once

#include "model/TwoPointWidget.h"

#include <string>

namespace orvane {

// Circuit breakers, fuses and isolators: a capacity and notes, one record layout, one definition
// form; only the keyword and class differ.
class CSwitchWidget : public CTwoPointWidget {
public:
    double m_capacity = -1.0;
    std::string m_notes;

    void Serialize(CArchive& ar) override;

protected:
    CSwitchWidget() = default;
    CSwitchWidget(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : CTwoPointWidget(p1, p2, width, color) {}
    std::string SwitchNDL(const char* keyword) const;
};

} // namespace orvane
