// Fuzz target: any text, however malformed, must give either a network or one error, never a
// crash, a hang or a read past an array.
#include "base/Clock.h"
#include "base/Output.h"
#include "engine/Simulation.h"
#include "ndl/ParserDistrib.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class StillClock : public orvane::Clock {
public:
    uint32_t TickCount() override { return 1; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    orvane::Output output;
    StillClock clock;
    orvane::Simulation simulation(output);
    orvane::ParserDistrib parser(output);
    simulation.Init(nullptr, clock);
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (parser.Open(text)) {
        const bool parsed = parser.Parse(simulation);
        // A failed parse names its error, unless the text simply had no system definition.
        if (!parsed && parser.LastError().empty() && simulation.ElementCount() != 0)
            std::abort();
        if (simulation.NodeCount() > orvane::Simulation::MaxNodes ||
            !simulation.Fits(simulation.ElementCount(), simulation.LoadCount()))
            std::abort();
        parser.Close();
    }
    simulation.Release();
    return 0;
}
