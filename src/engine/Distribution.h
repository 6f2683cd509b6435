#pragma once

namespace orvane {

class Random;

// A random duration drawn by inversion from the run's one generator.
class Distribution {
public:
    virtual ~Distribution();

    void SetRandom(Random* g) { random_ = g; }
    Random* Generator() const { return random_; }
    // The generator must have been set.
    double Sample();
    // The quantile for u in (0, 1).
    virtual double Inverse(double u) const = 0;

protected:
    Random* random_ = nullptr;
};

} // namespace orvane
