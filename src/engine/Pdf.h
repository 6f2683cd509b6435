#pragma once

#include "engine/PdfExact.h"
#include "engine/PdfSlot.h"

#include <cstdint>

namespace orvane {

class Output;

// The distribution of an estimate's samples: kept exactly up to a limit, then moved once into
// bins whose width is chosen from the samples seen so far and never changes afterwards.
class Pdf {
public:
    // fixedWidth 0.0 lets the samples choose the bin width.
    void Init(uint32_t binCount, uint32_t exactLimit, double fixedWidth);
    void Add(double x, double w);
    // Bins holding the exact samples; once switched, a copy of the bins themselves.
    PdfSlot ToSlots() const;
    // Writes the histogram with WriteBins; an exact histogram stays exact.
    void Write(Output& out, unsigned mask) const;
    bool Exact() const { return exact_; }
    // Frees the sample array and the bins.
    void Release();

    const PdfExact& Samples() const { return samples_; }
    const PdfSlot& Bins() const { return bins_; }

private:
    double ChooseWidth() const;

    bool exact_ = true;
    uint32_t binCount_ = 0;
    uint32_t exactLimit_ = 0;
    double fixedWidth_ = 0.0;
    PdfExact samples_;
    PdfSlot bins_;
};

} // namespace orvane
