#pragma once

#include "engine/RatioInterval.h"

namespace orvane {

// One index of two variants of a network simulated year by year on common random numbers: the
// difference of the variants' ratios (B minus A) and its 95% interval, from the variance of the
// difference of the paired yearly residuals. When the variants share most of their failures the
// paired residuals nearly cancel, and the interval is far tighter than that of two separate
// runs; identical variants give exactly 0 and 0.
class PairedRatio {
public:
    void Add(double xa, double ya, double xb, double yb);
    const RatioInterval& A() const { return a_; }
    const RatioInterval& B() const { return b_; }
    double Difference() const { return b_.Value() - a_.Value(); }
    // Infinite before two years, or when the values overflowed.
    double HalfWidth() const;

private:
    RatioInterval a_, b_;
    // Sums of products across the variants, about each one's first year, formed as each
    // variant's own are.
    double xaxb_ = 0.0, xayb_ = 0.0, yaxb_ = 0.0, yayb_ = 0.0;
};

} // namespace orvane
