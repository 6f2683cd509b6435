#pragma once

#include "cli/SimulateCommand.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace orvane {
class Clock;
}

namespace orvane::cli {

// True for a drawn network file (".vlm", in any case), as opposed to NDL text.
bool IsDrawingFile(const std::string& path);

// The editor's Debug command: the result message, then one line per component the check
// refused. ExitOk when the network passes, ExitNetworkError when not, ExitUsage when the file
// cannot be read.
int Check(const std::string& path, std::FILE* out, std::FILE* err);

// The editor's Generate NDL command: the NDL text on out, or the check's findings on err.
int PrintNdl(const std::string& path, std::FILE* out, std::FILE* err);

// The editor's Simulate command on a drawn network: check, generate, then the run of Simulate.
int SimulateDrawing(const SimulateOptions& options, const std::atomic<bool>* cancel, Clock& clock,
                    std::FILE* out, std::FILE* err);

} // namespace orvane::cli
