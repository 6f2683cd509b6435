#pragma once

#include <cstdint>

namespace orvane {

// Minimal standard multiplicative congruential generator. A run never reseeds it, so every run
// draws the same sequence.
class Random {
public:
    // A uniform variate in (0, 1); never 0 or 1, so its logarithm is always finite.
    double Next();
    // Moves on as if Next had been called `draws` times, in O(log draws) steps: the state is
    // multiplied by 16807^draws modulo 2^31 - 1.
    void Skip(uint64_t draws);
    uint32_t State() const { return state_; }

private:
    uint32_t state_ = 1;
};

} // namespace orvane
