#include "engine/WriteBins.h"

#include "base/Output.h"
#include "engine/PdfSlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace orvane {

namespace {

constexpr unsigned kBarSteps = 50;
constexpr unsigned kBarColumns = 52;
constexpr unsigned kPixelsPerStep = 4;
constexpr double kMinShare = 0.001;

std::string FormatFixed(double value) {
    // Fits any finite double: up to 309 integer digits.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.5lf", value);
    return buffer;
}

} // namespace

void WriteBins(Output& out, const PdfSlot& bins, unsigned mask) {
    const std::size_t n = std::min<std::size_t>(bins.count, bins.bins.size());
    const double* w = bins.bins.data();
    double total = 0.0;
    double max = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        total += w[i];
        if (i == 0 || w[i] > max)
            max = w[i];
    }
    if (!(total > 0.0) || !std::isfinite(total) || !(max > 0.0))
        return;

    std::size_t last = 0;
    for (std::size_t i = n; i > 0; --i) {
        if (w[i - 1] / total > kMinShare) {
            last = i;
            break;
        }
    }

    for (std::size_t i = 0; i < last; ++i) {
        const double left = bins.origin + i * bins.width;
        const double p = w[i] / total;
        const double steps = std::floor(w[i] * kBarSteps / max + 0.5);
        // Negative weights would give negative bars; NaN gives none.
        const unsigned k = steps >= kBarSteps ? kBarSteps
                           : steps > 0.0      ? static_cast<unsigned>(steps)
                                              : 0;

        out.OutputText(mask, "%10.5lf / %7.5lf : ", left, p);
        const std::string bar = std::string(k, '*') + std::string(kBarColumns - k, ' ') + "\n";
        out.OutputText(mask, "%s", bar.c_str());

        std::string html = "<font size=\"2\">";
        html += FormatFixed(left);
        html += " / ";
        html += FormatFixed(p);
        html += "</font> <img border=\"0\" src=\"";
        html += kBarImageRef;
        html += "\" width=\"";
        html += std::to_string(kPixelsPerStep * k);
        html += "\" height=\"12\"><font size=\"2\">&nbsp;&nbsp;&nbsp;";
        html += std::to_string(k);
        html += "</font><br>";
        out.OutputHtml(html);
    }
}

} // namespace orvane
