#pragma once

#include "support/Capture.h"

#include <string>
#include <vector>

namespace orvane::test {

// How to start a program: its arguments (without the program name), the bytes on its standard
// input, the working directory and environment variables to take away (DISPLAY, ...).
struct ProgramRun {
    std::vector<std::string> arguments;
    std::string input;
    std::string directory;             // the caller's when empty
    std::vector<std::string> unsetEnv; // names removed from the caller's environment
};

// Runs program to its end and returns what it wrote and its exit code; a program that a signal
// ended reports 128 plus the signal's number, as a shell does, and one that cannot be started
// 127.
Outcome RunProgram(const std::string& program, const ProgramRun& run);

} // namespace orvane::test
