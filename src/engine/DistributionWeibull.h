#pragma once

#include "engine/Distribution.h"

namespace orvane {

// Weibull durations in quanta. Shape 1 is the exponential distribution with mean scale; a very
// large shape makes every draw almost exactly scale.
class DistributionWeibull : public Distribution {
public:
    ~DistributionWeibull() override;

    void SetParameters(Random* g, double scale, double shape);
    double Inverse(double u) const override;

    double Scale() const { return scale_; }
    double Shape() const { return shape_; }

private:
    double scale_ = 1.0;
    double shape_ = 1.0;
};

} // namespace orvane
