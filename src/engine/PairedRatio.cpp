#include "engine/PairedRatio.h"

#include <cmath>

namespace orvane {

void PairedRatio::Add(double xa, double ya, double xb, double yb) {
    a_.Add(xa, ya);
    b_.Add(xb, yb);
    const double dxa = xa - a_.kx_, dya = ya - a_.ky_;
    const double dxb = xb - b_.kx_, dyb = yb - b_.ky_;
    xaxb_ += dxa * dxb;
    xayb_ += dxa * dyb;
    yaxb_ += dya * dxb;
    yayb_ += dya * dyb;
}

double PairedRatio::HalfWidth() const {
    const uint64_t years = a_.Years();
    const double n = static_cast<double>(years);
    // A variant with nothing to divide by contributes a fixed 0, as its Value() does.
    const double ma = a_.SumY() / n, mb = b_.SumY() / n;
    const double ra = a_.Value(), rb = b_.Value();
    double terms = 0.0;
    if (ma != 0.0)
        terms += ResidualProduct(a_.CoXX(), a_.CoXY(), a_.CoXY(), a_.CoYY(), ra, ra) / (ma * ma);
    if (mb != 0.0)
        terms += ResidualProduct(b_.CoXX(), b_.CoXY(), b_.CoXY(), b_.CoYY(), rb, rb) / (mb * mb);
    if (ma != 0.0 && mb != 0.0)
        terms -= 2.0 * (ResidualProduct(a_.Co(xaxb_, a_.dx_, b_.dx_), a_.Co(xayb_, a_.dx_, b_.dy_),
                                        a_.Co(yaxb_, a_.dy_, b_.dx_), a_.Co(yayb_, a_.dy_, b_.dy_),
                                        ra, rb) /
                        (ma * mb));
    return HalfWidthOf(terms, years, 1.0);
}

} // namespace orvane
