#pragma once

#include <utility>
#include <vector>

namespace orvane {

// A customer damage function: the cost of one interruption per kW interrupted as a function of
// its duration, given by points (hours, cost) with strictly increasing hours. The curve starts
// at (0, 0) unless a point at 0 hours says otherwise, is linear between points and continues the
// slope of its last segment beyond the last point (never below 0), so that a single point above
// 0 hours is a cost proportional to the duration, and a single point at 0 hours a fixed cost.
class CostCurve {
public:
    struct Point {
        double hours;
        double cost;
    };

    CostCurve() = default;
    explicit CostCurve(std::vector<Point> points) : points_(std::move(points)) {}

    bool Empty() const { return points_.empty(); }
    const std::vector<Point>& Points() const { return points_; }
    // The cost per kW of an interruption of `hours`; never negative.
    double At(double hours) const;

private:
    std::vector<Point> points_;
};

} // namespace orvane
