#include "engine/Random.h"

namespace orvane {

namespace {
constexpr uint64_t kModulus = 2147483647; // 2^31 - 1
constexpr uint64_t kMultiplier = 16807;

constexpr uint64_t Rotl(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}
} // namespace

uint64_t SplitMix64(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::Next() {
    if (seeded_) {
        // The top 53 bits, centred in their interval: never 0, never 1.
        return (static_cast<double>(Next64() >> 11) + 0.5) * 0x1.0p-53;
    }
    state_ = static_cast<uint32_t>(state_ * kMultiplier % kModulus);
    return state_ / static_cast<double>(kModulus);
}

uint64_t Random::Next64() {
    const uint64_t result = Rotl(wide_[1] * 5, 7) * 9;
    const uint64_t t = wide_[1] << 17;
    wide_[2] ^= wide_[0];
    wide_[3] ^= wide_[1];
    wide_[1] ^= wide_[2];
    wide_[0] ^= wide_[3];
    wide_[2] ^= t;
    wide_[3] = Rotl(wide_[3], 45);
    return result;
}

void Random::SetWideState(const std::array<uint64_t, 4>& state) {
    wide_ = state;
    seeded_ = true;
}

void Random::Jump() {
    static constexpr uint64_t kJump[] = {0x180ec6d33cfd0aba, 0xd5a61266f0c9392c, 0xa9582618e03fc9aa,
                                         0x39abdc4529b1661c};
    std::array<uint64_t, 4> s{};
    for (uint64_t word : kJump) {
        for (int b = 0; b < 64; ++b) {
            if (word & (uint64_t{1} << b))
                for (int i = 0; i < 4; ++i)
                    s[i] ^= wide_[i];
            Next64();
        }
    }
    wide_ = s;
}

void Random::Seed(uint64_t seed, uint32_t stream) {
    uint64_t x = seed;
    for (uint64_t& word : wide_)
        word = SplitMix64(x);
    seeded_ = true;
    for (uint32_t i = 0; i < stream; ++i)
        Jump();
}

void Random::Skip(uint64_t draws) {
    if (seeded_) {
        for (uint64_t i = 0; i < draws; ++i)
            Next64();
        return;
    }
    // 16807 generates the whole group, whose order is 2^31 - 2, so the exponent may be reduced.
    uint64_t exponent = draws % (kModulus - 1);
    uint64_t factor = 1;
    uint64_t power = kMultiplier;
    while (exponent != 0) {
        if (exponent & 1)
            factor = factor * power % kModulus;
        power = power * power % kModulus;
        exponent >>= 1;
    }
    state_ = static_cast<uint32_t>(state_ * factor % kModulus);
}

} // namespace orvane
