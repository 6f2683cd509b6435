#include "engine/PdfSlot.h"

#include <cmath>

namespace orvane {

void PdfSlot::Init(uint32_t count, double origin, double width) {
    this->count = count;
    this->origin = origin;
    this->width = width;
    bins.assign(count, 0.0);
}

void PdfSlot::Add(double x, double w) {
    if (count == 0)
        return;
    // Clamp in floating point: huge or NaN positions must not reach the integer conversion.
    // NaN lands in the first bin.
    const double position = std::floor((x - origin) / width);
    uint32_t index = 0;
    if (position >= count - 1.0)
        index = count - 1;
    else if (position > 0.0)
        index = static_cast<uint32_t>(position);
    bins[index] += w;
}

void PdfSlot::Release() {
    std::vector<double>().swap(bins);
    count = 0;
}

} // namespace orvane
