#pragma once

#include <cstdint>

namespace orvane {

// The yearly samples of an index that is a ratio of yearly sums, X / Y (Y = 1 for a plain yearly
// mean), and its 95% confidence interval by the normal approximation over the years: for a ratio
// the delta method, whose variance is that of the residuals x - R y over the mean of y. The
// spread is summed about the first year's values, which stay close to the mean where raw sums
// of squares of large, nearly equal values would cancel, and cost no division a year.
class RatioInterval {
public:
    // Inline: every simulated year adds to a few dozen of them.
    void Add(double x, double y) {
        if (n_ == 0) {
            kx_ = x;
            ky_ = y;
        }
        ++n_;
        sx_ += x;
        sy_ += y;
        const double dx = x - kx_;
        const double dy = y - ky_;
        dx_ += dx;
        dy_ += dy;
        dxx_ += dx * dx;
        dxy_ += dx * dy;
        dyy_ += dy * dy;
    }
    uint64_t Years() const { return n_; }
    // Sum of X over sum of Y; 0 while Y sums to 0 (nothing to divide, as for a CAIDI without
    // interruptions).
    double Value() const;
    // Half the width of the 95% interval around Value(); infinite before two years, or when the
    // values overflowed.
    double HalfWidth() const;

    double SumX() const { return sx_; }
    double SumY() const { return sy_; }
    // Sums over the years of (x - mean x)(y - mean y) and the like.
    double CoXX() const { return Co(dxx_, dx_, dx_); }
    double CoXY() const { return Co(dxy_, dx_, dy_); }
    double CoYY() const { return Co(dyy_, dy_, dy_); }

private:
    friend class PairedRatio;
    double Co(double products, double a, double b) const {
        return products - a * b / static_cast<double>(n_);
    }
    uint64_t n_ = 0;
    double sx_ = 0.0, sy_ = 0.0;
    double kx_ = 0.0, ky_ = 0.0; // the first year's values
    double dx_ = 0.0, dy_ = 0.0, dxx_ = 0.0, dxy_ = 0.0, dyy_ = 0.0;
};

// The two-sided 95% point of the standard normal distribution.
constexpr double Normal95 = 1.959963984540054;

// sum over the years of (a - r b)(c - s d), from the co-moments: the residual covariance of two
// ratios. Written once so that a ratio's variance and its covariance with an identical ratio are
// the same number, bit for bit.
double ResidualProduct(double cac, double cad, double cbc, double cbd, double r, double s);

// 1.96 standard errors from a sum of squared residuals over n years and the mean denominator;
// infinite when the sum is not a number (an overflow) or before two years.
double HalfWidthOf(double residuals, uint64_t years, double meanY);

} // namespace orvane
