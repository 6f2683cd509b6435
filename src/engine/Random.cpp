#include "engine/Random.h"

namespace orvane {

namespace {
constexpr uint64_t kModulus = 2147483647; // 2^31 - 1
constexpr uint64_t kMultiplier = 16807;
} // namespace

double Random::Next() {
    state_ = static_cast<uint32_t>(state_ * kMultiplier % kModulus);
    return state_ / static_cast<double>(kModulus);
}

void Random::Skip(uint64_t draws) {
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
