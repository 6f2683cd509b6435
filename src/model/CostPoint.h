#pragma once

#include <vector>

namespace orvane {

// One point of a load point's customer damage function: the cost per kW interrupted of an
// interruption lasting `hours`. A curve lists its points by strictly increasing hours; an empty
// curve means the load point has no cost.
struct CCostPoint {
    double hours = 0.0;
    double cost = 0.0;

    friend bool operator==(const CCostPoint&, const CCostPoint&) = default;
};

using CCostCurve = std::vector<CCostPoint>;

} // namespace orvane
