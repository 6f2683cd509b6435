#include "engine/RatioInterval.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

double RatioInterval::Value() const {
    return sy_ == 0.0 ? 0.0 : sx_ / sy_;
}

double ResidualProduct(double cac, double cad, double cbc, double cbd, double r, double s) {
    return cac - s * cad - r * cbc + r * s * cbd;
}

double HalfWidthOf(double residuals, uint64_t years, double meanY) {
    if (years < 2 || std::isnan(residuals))
        return std::numeric_limits<double>::infinity();
    const double n = static_cast<double>(years);
    return Normal95 * std::sqrt(std::max(0.0, residuals) / (n - 1.0) / n) / meanY;
}

double RatioInterval::HalfWidth() const {
    if (n_ >= 2 && sy_ == 0.0)
        return 0.0;
    const double r = Value();
    return HalfWidthOf(ResidualProduct(CoXX(), CoXY(), CoXY(), CoYY(), r, r), n_, sy_ / n_);
}

} // namespace orvane
