#include "engine/Pdf.h"

#include "engine/NiceWidth.h"
#include "engine/WriteBins.h"

#include <cmath>

namespace orvane {

namespace {
// A Euclid remainder at or below this is taken as zero: the previous one divides the values.
constexpr double kRemainderZero = 1e-8;
} // namespace

void Pdf::Init(uint32_t binCount, uint32_t exactLimit, double fixedWidth) {
    Release();
    exact_ = true;
    binCount_ = binCount;
    exactLimit_ = exactLimit;
    fixedWidth_ = fixedWidth;
}

void Pdf::Add(double x, double w) {
    if (exact_) {
        if (samples_.Size() < exactLimit_) {
            samples_.Add(x, w, exactLimit_);
            return;
        }
        bins_ = ToSlots();
        exact_ = false;
        samples_.Release();
    }
    bins_.Add(x, w);
}

PdfSlot Pdf::ToSlots() const {
    if (!exact_)
        return bins_;
    PdfSlot slots;
    slots.Init(binCount_, 0.0, ChooseWidth());
    samples_.ForEach([&slots](double value, double weight) { slots.Add(value, weight); });
    return slots;
}

// Values that share a divisor larger than the plain width max / (bins - 1), such as whole-number
// counts, get that divisor as width so that each bin holds one value; anything else gets a
// rounded width. Non-finite values take no part: they would keep the search from ending.
double Pdf::ChooseWidth() const {
    if (fixedWidth_ != 0.0)
        return fixedWidth_;
    double max = 0.0;
    samples_.ForEach([&max](double value, double) {
        if (std::isfinite(value) && value > max)
            max = value;
    });
    if (max <= 0.0)
        return 1.0;
    if (binCount_ < 2)
        return max;
    const double w0 = max / (binCount_ - 1.0);

    double g = 0.0;
    bool first = true;
    for (uint32_t i = 0; i < samples_.Size(); ++i) {
        const double v = samples_.ValueAt(i);
        if (!std::isfinite(v))
            continue;
        if (first) {
            g = v;
            first = false;
            continue;
        }
        double r = v;
        if (v <= g) {
            r = g;
            g = v;
        }
        while (g > w0) {
            const double remainder = std::fmod(r, g);
            r = g;
            g = remainder;
        }
        if (g > kRemainderZero)
            break; // any common divisor is at most w0
        g = r;
    }
    const double width = g > w0 ? g : NiceWidth(3, w0);
    return width > 0.0 && std::isfinite(width) ? width : 1.0;
}

void Pdf::Write(Output& out, unsigned mask) const {
    if (exact_)
        WriteBins(out, ToSlots(), mask);
    else
        WriteBins(out, bins_, mask);
}

void Pdf::Release() {
    samples_.Release();
    bins_.Release();
}

} // namespace orvane
