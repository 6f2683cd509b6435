#include "engine/RatioInterval.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

void RatioInterval::Add(double x, double y) {
    ++n_;
    sx_ += x;
    sy_ += y;
    sxx_ += x * x;
    sxy_ += x * y;
    syy_ += y * y;
}

double RatioInterval::Value() const {
    return sy_ == 0.0 ? 0.0 : sx_ / sy_;
}

double ResidualProduct(double sac, double sad, double sbc, double sbd, double r, double s) {
    return sac - s * sad - r * sbc + r * s * sbd;
}

double RatioInterval::HalfWidth() const {
    if (n_ < 2)
        return std::numeric_limits<double>::infinity();
    if (sy_ == 0.0)
        return 0.0;
    const double n = static_cast<double>(n_);
    const double r = sx_ / sy_;
    const double meanY = sy_ / n;
    const double residuals = std::max(0.0, ResidualProduct(sxx_, sxy_, sxy_, syy_, r, r));
    return Normal95 * std::sqrt(residuals / (n - 1.0) / n) / meanY;
}

} // namespace orvane
