#pragma once

#include "base/Clock.h"

namespace orvane::test {

// A clock that moves by a fixed step at every reading, so that reports are byte-identical.
class FixedClock : public Clock {
public:
    explicit FixedClock(uint32_t start = 1000, uint32_t step = 7) : tick_(start), step_(step) {}
    uint32_t TickCount() override {
        const uint32_t now = tick_;
        tick_ += step_;
        return now;
    }

private:
    uint32_t tick_;
    uint32_t step_;
};

} // namespace orvane::test
