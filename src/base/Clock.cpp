#include "base/Clock.h"

#include <chrono>

namespace orvane {

uint32_t SteadyClock::TickCount() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace orvane
