#pragma once

#include <cstdint>
#include <vector>

namespace orvane {

// A histogram of summed weights. Bin i covers [origin + i * width, origin + (i + 1) * width);
// the first bin also takes everything below it and the last everything above it.
struct PdfSlot {
    // count bins, all 0.0.
    void Init(uint32_t count, double origin, double width);
    void Add(double x, double w);
    void Release();

    uint32_t count = 0;
    std::vector<double> bins;
    double origin = 0.0;
    double width = 0.0;
};

} // namespace orvane
