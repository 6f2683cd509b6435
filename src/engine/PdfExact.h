#pragma once

#include <cstdint>
#include <vector>

namespace orvane {

struct PdfSample {
    double value = 0.0;
    double weight = 0.0;
};

// The samples of a histogram kept one by one until it switches to bins.
struct PdfExact {
    // Storage grows on demand and never beyond limit, so many estimates with few samples stay
    // small and a full array holds exactly limit samples.
    void Add(double value, double weight, uint32_t limit);
    uint32_t Size() const { return static_cast<uint32_t>(samples.size()); }
    void Release();

    std::vector<PdfSample> samples;
};

} // namespace orvane
