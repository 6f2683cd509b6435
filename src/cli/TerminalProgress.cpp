#include "cli/TerminalProgress.h"

#include <cmath>

namespace orvane::cli {

namespace {

std::string Duration(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0)
        return "--:--";
    const auto total = static_cast<unsigned long long>(seconds + 0.5);
    char text[64];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(text, sizeof text, "%llu:%02llu", total / 60, total % 60);
    return text;
}

} // namespace

std::string TerminalProgress::Line(uint32_t year, uint32_t yearMax, double speed,
                                   int32_t yearsLeft) {
    const double percent = yearMax ? 100.0 * year / yearMax : 100.0;
    const double remaining = speed > 0 ? yearsLeft / speed : NAN;
    char text[160];
    std::snprintf(text, sizeof text,
                  "year %u of at most %u (%.1f%%), %.1f years/s, at most %s left", year, yearMax,
                  percent, speed, Duration(remaining).c_str());
    return text;
}

void TerminalProgress::ShowProgress(uint32_t year, uint32_t yearMax) {
    // A redraw ten times a second is plenty, however fast the years go.
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - last_ < std::chrono::milliseconds(100) && year != yearMax)
        return;
    last_ = now;
    shown_ = true;
    std::fprintf(out_, "\r\033[K%s", Line(year, yearMax, speed_, yearsLeft_).c_str());
    std::fflush(out_);
}

void TerminalProgress::ShowCompleted() {
    Finish();
}

void TerminalProgress::Finish() {
    if (shown_) {
        std::fprintf(out_, "\r\033[K");
        std::fflush(out_);
        shown_ = false;
    }
}

} // namespace orvane::cli
