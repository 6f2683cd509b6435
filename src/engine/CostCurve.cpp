#include "engine/CostCurve.h"

#include <algorithm>

namespace orvane {

double CostCurve::At(double hours) const {
    if (points_.empty())
        return 0.0;
    Point from{0.0, 0.0};
    size_t next = 0;
    if (points_.front().hours == 0.0) {
        from = points_.front();
        next = 1;
    }
    if (next == points_.size())
        return from.cost;
    Point to = points_[next];
    while (hours > to.hours && next + 1 < points_.size()) {
        from = to;
        to = points_[++next];
    }
    // Points that share their hours (which the readers refuse) would divide by zero.
    if (to.hours <= from.hours)
        return std::max(0.0, to.cost);
    const double cost =
        from.cost + (to.cost - from.cost) * (hours - from.hours) / (to.hours - from.hours);
    return std::max(0.0, cost);
}

} // namespace orvane
