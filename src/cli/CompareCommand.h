#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

namespace orvane {
class Clock;
}

namespace orvane::cli {

struct CompareOptions {
    std::string a, b;      // the two variants: drawings (.vlm) or NDL text files
    uint64_t seed = 1;     // of the streams both variants draw from
    std::string jsonPath;  // where to write the comparison as JSON; none when empty, out for "-"
    bool progress = false; // show a live progress line on err
};

// Simulates two variants of a network on common random numbers and prints every index of both,
// their difference (B minus A) and its 95% interval; returns the process exit code.
int Compare(const CompareOptions& options, const std::atomic<bool>* cancel, Clock& clock,
            std::FILE* out, std::FILE* err);

} // namespace orvane::cli
