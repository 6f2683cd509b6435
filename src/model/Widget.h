#pragma once

#include "model/Geometry.h"
#include "model/Object.h"

#include <cstdint>
#include <string>

namespace orvane {

// The nine component types, in the order of the document's collections.
enum class WidgetType {
    Line,
    CircuitBreaker,
    Fuse,
    Recloser,
    Isolator,
    BusBar,
    LoadPoint,
    GenSource,
    Equipment
};

inline constexpr int kWidgetTypeCount = 9;

// A drawn network component. The node numbers belong to the NDL generator, which reads and
// writes them directly; -1 means not assigned.
class CWidget : public CObject {
public:
    int32_t m_node1 = -1;
    int32_t m_node2 = -1;

    virtual WidgetType Type() const = 0;
    // True for load points and generation sources, which have a centre instead of two ends.
    virtual bool IsOnePoint() const = 0;

    virtual bool HitTest(CPoint p) const = 0;
    virtual bool HitTestEnd1(CPoint p) const = 0;
    virtual bool HitTestEnd2(CPoint p) const = 0;
    virtual CPoint GetPoint1() const = 0;
    virtual CPoint GetPoint2() const = 0;
    virtual void SetPoint1(CPoint p) = 0;
    virtual void SetPoint2(CPoint p) = 0;
    // The component's NDL definition; empty for a bus bar.
    virtual std::string GetNDL() const = 0;
    virtual void SetWidth(uint32_t width) = 0;
    virtual void SetColor(uint32_t color) = 0;

protected:
    CWidget() = default;
};

} // namespace orvane
