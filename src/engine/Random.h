#pragma once

#include <array>
#include <cstdint>

namespace orvane {

// The run's random numbers. By default the minimal standard multiplicative congruential
// generator, never reseeded, so that every run draws the same sequence. Seeded, a run draws
// instead from xoshiro256**, 64 bits wide with a period of 2^256 - 1, whose streams (2^128 draws
// apart) never overlap: independent replicas of one study.
class Random {
public:
    // A uniform variate in (0, 1); never 0 or 1, so its logarithm is always finite.
    double Next();
    // Moves on as if Next had been called `draws` times: in O(log draws) steps for the default
    // generator (the state is multiplied by 16807^draws modulo 2^31 - 1), draw by draw when
    // seeded.
    void Skip(uint64_t draws);
    // Switches to stream `stream` of the seeded generator: its state is filled from `seed` by
    // SplitMix64 and then jumped ahead `stream` times.
    void Seed(uint64_t seed, uint32_t stream);
    bool Seeded() const { return seeded_; }
    // The default generator's state.
    uint32_t State() const { return state_; }
    // The seeded generator's raw 64-bit output, for checks against the published sequence.
    uint64_t Next64();
    void SetWideState(const std::array<uint64_t, 4>& state);
    // Advances the seeded generator by 2^128 draws.
    void Jump();

private:
    uint32_t state_ = 1;
    bool seeded_ = false;
    std::array<uint64_t, 4> wide_{};
};

// One step of SplitMix64: advances `state` and returns the next output. It fills the seeded
// generator's state; on its own it is a small generator that gives the same sequence everywhere.
uint64_t SplitMix64(uint64_t& state);

} // namespace orvane
