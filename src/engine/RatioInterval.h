#pragma once

#include <cstdint>

namespace orvane {

// The yearly samples of an index that is a ratio of yearly sums, X / Y (Y = 1 for a plain yearly
// mean), and its 95% confidence interval by the normal approximation over the years: for a ratio
// the delta method, whose variance is that of the residuals x - R y over the mean of y.
class RatioInterval {
public:
    void Add(double x, double y);
    uint64_t Years() const { return n_; }
    // Sum of X over sum of Y; 0 while Y sums to 0 (nothing to divide, as for a CAIDI without
    // interruptions).
    double Value() const;
    // Half the width of the 95% interval around Value(); infinite before two years.
    double HalfWidth() const;

    double SumX() const { return sx_; }
    double SumY() const { return sy_; }
    double SumXX() const { return sxx_; }
    double SumXY() const { return sxy_; }
    double SumYY() const { return syy_; }

private:
    uint64_t n_ = 0;
    double sx_ = 0.0, sy_ = 0.0, sxx_ = 0.0, sxy_ = 0.0, syy_ = 0.0;
};

// The two-sided 95% point of the standard normal distribution.
constexpr double Normal95 = 1.959963984540054;

// sum over the years of (a - r b)(c - s d), from the sums of the products: the residual
// covariance of two ratios. Written once so that a ratio's variance and its covariance with an
// identical ratio are the same number, bit for bit.
double ResidualProduct(double sac, double sad, double sbc, double sbd, double r, double s);

} // namespace orvane
