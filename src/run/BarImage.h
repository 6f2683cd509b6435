#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// The bytes of the histogram bar picture that the HTML reports stretch to each bar's width: an
// uncompressed 24-bit Windows bitmap of one solid colour (0x00BBGGRR).
std::string BarImageBytes(uint32_t width = 4, uint32_t height = 12, uint32_t colour = 0x00A05000);

// Writes the bar picture to path, replacing any earlier one whole; false with the reason when the
// file cannot be written.
bool WriteBarImage(const std::string& path, std::string& reason);

} // namespace orvane
