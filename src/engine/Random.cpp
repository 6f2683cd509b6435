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

} // namespace orvane
