#pragma once

#include <cstdint>

namespace orvane {

// A millisecond tick counter that wraps at 32 bits. Runs take it as a parameter so that tests
// can make every report byte-identical.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t TickCount() = 0;
};

// Milliseconds of the monotonic system clock.
class SteadyClock : public Clock {
public:
    uint32_t TickCount() override;
};

} // namespace orvane
