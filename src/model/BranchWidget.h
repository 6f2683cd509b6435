#pragma once

#include "model/TwoPointWidget.h"

#include <string>

namespace orvane {

// Lines and equipment: the same attributes, record layout and definition, only the keyword and
// class differ. Every double at -1.0 is not given.
class CBranchWidget : public CTwoPointWidget {
public:
    double m_capacity = -1.0;
    double m_failure1 = -1.0;
    double m_failure2 = -1.0;
    double m_isolation1 = -1.0;
    double m_isolation2 = -1.0;
    double m_length = -1.0;
    std::string m_notes;
    double m_repair1 = -1.0;
    double m_repair2 = -1.0;

    void Serialize(CArchive& ar) override;

protected:
    CBranchWidget() = default;
    CBranchWidget(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : CTwoPointWidget(p1, p2, width, color) {}
    std::string BranchNDL(const char* keyword) const;
};

} // namespace orvane
