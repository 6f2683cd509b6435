#pragma once

#include "cli/SimulateCommand.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace orvane {
class Clock;
}

namespace orvane::cli {

// The file name's extension in lower case, with its dot (".vlm"); empty when it has none.
std::string Extension(const std::string& path);
// True for a drawn network file (".vlm", in any case), as opposed to NDL text.
bool IsDrawingFile(const std::string& path);

// The editor's Debug command: the result message, then one line per component the check
// refused. ExitOk when the network passes, ExitNetworkError when not, ExitUsage when the file
// cannot be read or the result cannot be written. Text from the file is shown with its control
// bytes escaped.
int Check(const std::string& path, std::FILE* out, std::FILE* err);

// The editor's Generate NDL command: the NDL text on out, as it is, or the check's findings on
// err; ExitUsage when the text cannot be written.
int PrintNdl(const std::string& path, std::FILE* out, std::FILE* err);

// The NDL text of a drawn network, checked and generated as Simulate does; ExitOk, or the exit
// code with the reason on err.
int DrawingNdl(const std::string& path, std::string& ndl, std::FILE* err);

// The editor's Simulate command on a drawn network: check, generate, then the run of Simulate.
int SimulateDrawing(const SimulateOptions& options, const std::atomic<bool>* cancel, Clock& clock,
                    std::FILE* out, std::FILE* err);

} // namespace orvane::cli
