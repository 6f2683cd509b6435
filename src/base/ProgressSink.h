#pragma once

#include <cstdint>
#include <string>

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
    // Before ShowCompleted, when the run has something its user must know: figures less
    // accurate than asked, or reports that could not be written. One sentence, in English.
    virtual void ShowNote(const std::string& note) = 0;
    virtual void ShowCompleted() = 0;
};

} // namespace orvane
