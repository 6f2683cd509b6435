#pragma once

#include <cstdint>

namespace orvane {

// Receives the progress of a run once per simulated year, on the simulation thread.
// Implementations that show it elsewhere (a window, a terminal line) must hand it over safely.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void ShowSpeed(double yearsPerSecond) = 0;
    virtual void ShowYear(uint32_t year) = 0;
    virtual void ShowElapsed(uint32_t minutes, uint32_t seconds) = 0;
    virtual void ShowRemaining(int32_t yearsLeft, double yearsPerSecond) = 0;
    virtual void ShowProgress(uint32_t year, uint32_t yearMax) = 0;
    virtual void ShowCompleted() = 0;
};

} // namespace orvane
