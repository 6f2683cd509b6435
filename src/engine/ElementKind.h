#pragma once

#include <cstdint>

namespace orvane {

enum class ElementKind : uint32_t {
    Supply = 0,    // joins SupplyRoot to a source's own node; never fails, never opens
    Load = 1,      // joins a load point's node to LoadSink; its capacity is the demand
    Breaker = 2,   // opened by every fault zone that reaches it
    Isolator = 3,  // opened only when an isolated fault is sectioned
    Equipment = 4, // fails and is repaired
    Line = 5,      // fails and is repaired
    Recloser = 6,  // closes after a drawn delay when no other path joins its terminals
};

enum class ElementState : uint32_t { Working = 0, Unisolated = 1, Isolated = 2 };

} // namespace orvane
