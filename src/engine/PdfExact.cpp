#include "engine/PdfExact.h"

#include <algorithm>

namespace orvane {

namespace {
constexpr std::size_t kInitialCapacity = 16;
} // namespace

void PdfExact::Add(double value, double weight, uint32_t limit) {
    if (samples.size() == samples.capacity()) {
        const std::size_t grown = std::max(kInitialCapacity, 2 * samples.capacity());
        samples.reserve(std::max(samples.size() + 1, std::min<std::size_t>(grown, limit)));
    }
    samples.push_back({value, weight});
}

void PdfExact::Release() {
    std::vector<PdfSample>().swap(samples);
}

} // namespace orvane
