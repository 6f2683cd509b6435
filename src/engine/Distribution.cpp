#include "engine/Distribution.h"

#include "engine/Random.h"

#include <cassert>

namespace orvane {

Distribution::~Distribution() = default;

double Distribution::Sample() {
    assert(random_ != nullptr);
    return Inverse(random_->Next());
}

} // namespace orvane
