#pragma once

#include "base/ProgressSink.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace orvane::cli {

// One live line on a terminal: year, percent of the year limit, speed and the longest time left.
class TerminalProgress : public ProgressSink {
public:
    explicit TerminalProgress(std::FILE* out) : out_(out) {}

    void ShowSpeed(double yearsPerSecond) override { speed_ = yearsPerSecond; }
    void ShowYear(uint32_t year) override { year_ = year; }
    void ShowElapsed(uint32_t, uint32_t) override {}
    void ShowRemaining(int32_t yearsLeft, double) override { yearsLeft_ = yearsLeft; }
    void ShowProgress(uint32_t year, uint32_t yearMax) override;
    // The summary after the run says it.
    void ShowNote(const std::string&) override {}
    void ShowCompleted() override;
    // Clears the line, so that a following message starts at the left margin.
    void Finish();

    // The line shown for the given figures; pure, for tests.
    static std::string Line(uint32_t year, uint32_t yearMax, double speed, int32_t yearsLeft);

private:
    std::FILE* out_;
    double speed_ = 0.0;
    uint32_t year_ = 0;
    int32_t yearsLeft_ = 0;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_{};
};

} // namespace orvane::cli
