#pragma once

namespace orvane {

class Output;
struct PdfSlot;

// The bar image of the HTML histograms, relative to the report's directory.
inline constexpr const char* kBarImageRef = "../Bar.bmp";

// Writes one histogram on the text channel (filtered by mask) and on the HTML channel. Trailing
// bins holding at most a thousandth of the total weight are left out; a histogram without
// positive total weight writes nothing.
void WriteBins(Output& out, const PdfSlot& bins, unsigned mask);

} // namespace orvane
