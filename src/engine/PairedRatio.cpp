#include "engine/PairedRatio.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

void PairedRatio::Add(double xa, double ya, double xb, double yb) {
    a_.Add(xa, ya);
    b_.Add(xb, yb);
    xaxb_ += xa * xb;
    xayb_ += xa * yb;
    yaxb_ += ya * xb;
    yayb_ += ya * yb;
}

double PairedRatio::HalfWidth() const {
    const uint64_t years = a_.Years();
    if (years < 2)
        return std::numeric_limits<double>::infinity();
    const double n = static_cast<double>(years);
    // A variant with nothing to divide by contributes a fixed 0, as its Value() does.
    const double ma = a_.SumY() / n, mb = b_.SumY() / n;
    const double ra = a_.Value(), rb = b_.Value();
    double terms = 0.0;
    if (ma != 0.0)
        terms +=
            ResidualProduct(a_.SumXX(), a_.SumXY(), a_.SumXY(), a_.SumYY(), ra, ra) / (ma * ma);
    if (mb != 0.0)
        terms +=
            ResidualProduct(b_.SumXX(), b_.SumXY(), b_.SumXY(), b_.SumYY(), rb, rb) / (mb * mb);
    if (ma != 0.0 && mb != 0.0)
        terms -= 2.0 * (ResidualProduct(xaxb_, xayb_, yaxb_, yayb_, ra, rb) / (ma * mb));
    return Normal95 * std::sqrt(std::max(0.0, terms) / (n - 1.0) / n);
}

} // namespace orvane
