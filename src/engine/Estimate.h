#pragma once

#include "engine/Pdf.h"

#include <cstdint>

namespace orvane {

class Output;

// Weighted samples of one yearly quantity: their mean, the relative standard error of the mean
// for the stop rule, and their histogram for the reports.
class Estimate {
public:
    void Init(uint32_t binCount, uint32_t exactLimit, double fixedWidth);
    void Add(double x, double w);
    double Mean() const;
    // Standard error of the mean over the mean, counting W as the number of samples; 0.0 without
    // samples or with mean 0.0.
    double RelativeAccuracy() const;
    void WriteHistogram(Output& out, unsigned mask) const;
    void Release();

    double W() const { return w_; }
    double S1() const { return s1_; }
    double S2() const { return s2_; }
    const Pdf& Histogram() const { return histogram_; }

private:
    double w_ = 0.0;
    double s1_ = 0.0;
    double s2_ = 0.0;
    Pdf histogram_;
};

} // namespace orvane
