#include "engine/NiceWidth.h"

#include <cmath>

namespace orvane {

double NiceWidth(int k, double w) {
    if (!(w > 0.0) || !std::isfinite(w))
        return w; // the searches below would never end on a NaN mantissa
    const double e = std::floor(std::log10(w) + 0.5);
    double m = w * std::pow(10.0, -e);
    if (!std::isfinite(m))
        m = w / std::pow(10.0, e); // 10^-e overflows for subnormal w
    double best = 10.0 * m;

    const double ln2 = std::log(2.0);
    const double ln5 = std::log(5.0);
    const double lnm = std::log(m);
    const auto consider = [&](double i, double j) {
        if (std::fabs(i - j) <= k) {
            const double candidate = std::pow(2.0, i) * std::pow(5.0, j);
            if (candidate < best)
                best = candidate;
        }
    };
    // For each exponent of one factor, the least exponent of the other that reaches m.
    for (int i = -k;; ++i) {
        const double j = std::ceil(lnm / ln5 - i * ln2 / ln5);
        if (j < -k)
            break;
        consider(i, j);
    }
    for (int j = -k;; ++j) {
        const double i = std::ceil(lnm / ln2 - j * ln5 / ln2);
        if (i < -k)
            break;
        consider(i, j);
    }
    return best * std::pow(10.0, e);
}

} // namespace orvane
