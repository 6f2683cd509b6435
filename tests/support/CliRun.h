#pragma once

// orvane-cli's simulate as the command line runs it, with a clock that makes reports repeatable.
#include "cli/ModelCommands.h"
#include "cli/SimulateCommand.h"
#include "support/Capture.h"
#include "support/FixedClock.h"

#include <atomic>

namespace orvane::test {

// Source, line, load point: quick to simulate, and converged by its 300 years.
inline const char* const CliFeeder =
    "system: quantsPerDay = 4; yearMin = 100; yearMax = 300; yearStep = 100\n"
    "source: connect = 1\n"
    "line: connect = 1, 2; failure = 2; repair = 10\n"
    "load: name = \"Farm\"; connect = 2; customers = 10\n";

// Simulates options.network, a drawing (.vlm) as the editor would or else NDL text; a cancelled
// run is asked to stop before its first year.
inline Outcome RunSimulate(const cli::SimulateOptions& options, bool cancelled = false) {
    std::atomic<bool> cancel{cancelled};
    FixedClock clock;
    return Capture([&](std::FILE* out, std::FILE* err) {
        return cli::IsDrawingFile(options.network)
                   ? cli::SimulateDrawing(options, &cancel, clock, out, err)
                   : cli::Simulate(options, &cancel, clock, out, err);
    });
}

} // namespace orvane::test
