#include "engine/DistributionWeibull.h"

#include <cmath>

namespace orvane {

DistributionWeibull::~DistributionWeibull() = default;

void DistributionWeibull::SetParameters(Random* g, double scale, double shape) {
    random_ = g;
    scale_ = scale;
    shape_ = shape;
}

double DistributionWeibull::Inverse(double u) const {
    return scale_ * std::pow(-std::log(u), 1.0 / shape_);
}

} // namespace orvane
