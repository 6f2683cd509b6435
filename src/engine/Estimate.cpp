#include "engine/Estimate.h"

#include <cmath>

namespace orvane {

void Estimate::Init(uint32_t binCount, uint32_t exactLimit, double fixedWidth) {
    w_ = s1_ = s2_ = 0.0;
    histogram_.Init(binCount, exactLimit, fixedWidth);
}

void Estimate::Add(double x, double w) {
    w_ += w;
    s1_ += x * w;
    s2_ += x * x * w;
    histogram_.Add(x, w);
}

double Estimate::Mean() const {
    return w_ == 0.0 ? 0.0 : s1_ / w_;
}

double Estimate::RelativeAccuracy() const {
    if (w_ == 0.0)
        return 0.0;
    const double mean = s1_ / w_;
    if (mean == 0.0)
        return 0.0;
    double variance = (s2_ - s1_ * s1_ / w_) / w_;
    // Equal samples that are not whole numbers can round to a tiny negative variance.
    if (variance < 0.0)
        variance = 0.0;
    return std::sqrt(variance / w_) / mean;
}

void Estimate::WriteHistogram(Output& out, unsigned mask) const {
    histogram_.Write(out, mask);
}

void Estimate::Release() {
    histogram_.Release();
}

} // namespace orvane
