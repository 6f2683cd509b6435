#include "engine/PairedRatio.h"

#include <cmath>

namespace orvane {

void PairedRatio::Add(double xa, double ya, double xb, double yb) {
    const double dxa = xa - a_.mx_;
    const double dya = ya - a_.my_;
    a_.Add(xa, ya);
    b_.Add(xb, yb);
    xaxb_ += dxa * (xb - b_.mx_);
    xayb_ += dxa * (yb - b_.my_);
    yaxb_ += dya * (xb - b_.mx_);
    yayb_ += dya * (yb - b_.my_);
}

double PairedRatio::HalfWidth() const {
    const uint64_t years = a_.Years();
    const double n = static_cast<double>(years);
    // A variant with nothing to divide by contributes a fixed 0, as its Value() does.
    const double ma = a_.SumY() / n, mb = b_.SumY() / n;
    const double ra = a_.Value(), rb = b_.Value();
    double terms = 0.0;
    if (ma != 0.0)
        terms += ResidualProduct(a_.CoXX(), a_.CoXY(), a_.CoYX(), a_.CoYY(), ra, ra) / (ma * ma);
    if (mb != 0.0)
        terms += ResidualProduct(b_.CoXX(), b_.CoXY(), b_.CoYX(), b_.CoYY(), rb, rb) / (mb * mb);
    if (ma != 0.0 && mb != 0.0)
        terms -= 2.0 * (ResidualProduct(xaxb_, xayb_, yaxb_, yayb_, ra, rb) / (ma * mb));
    return HalfWidthOf(terms, years, 1.0);
}

} // namespace orvane
