#pragma once

#include "model/CostPoint.h"
#include "model/OnePointWidget.h"
#include "model/UDouble.h"

#include <string>
#include <vector>

namespace orvane {

class CLoadPoint : public COnePointWidget {
public:
    static constexpr const char* kClassName = "CLoadPoint";

    double m_average = -1.0;
    double m_peak = -1.0;
    int32_t m_customers = -1;
    std::string m_name = "LP";
    std::string m_notes;
    std::vector<CUDouble> m_profile; // the load profile values in order
    // Not part of the load point's record: the document keeps the curves of all load points in
    // a trailer of its own, so that files without costs keep their bytes.
    CCostCurve m_cost;

    CLoadPoint() = default;
    CLoadPoint(CPoint p, uint32_t width, uint32_t color) : COnePointWidget(p, width, color) {}

    const char* ClassName() const override { return kClassName; }
    WidgetType Type() const override { return WidgetType::LoadPoint; }
    std::string GetNDL() const override;
    void Serialize(CArchive& ar) override;
};

} // namespace orvane
