#pragma once

#include "run/ReplicaRun.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace orvane {
class Clock;
}

namespace orvane::cli {

enum ExitCode : int {
    ExitOk = 0,
    ExitNetworkError = 1, // the network was read but cannot be simulated as it stands
    ExitUsage = 2,        // bad arguments or a file that cannot be read or written
    ExitCancelled = 130,  // interrupted; no final report
    ExitTerminated = 143, // the same, asked by SIGTERM rather than Ctrl-C
};

// The exit code of a run that `signal` cancelled: ExitTerminated for SIGTERM, else ExitCancelled.
// Both are 128 plus the signal's number, as shells report a program that the signal ended.
int CancelledExitCode(int signal);

struct SimulateOptions {
    std::string network;      // the NDL file
    std::string outDir = "."; // reports go to outDir/title/, the bar picture to outDir
    std::string title;        // the network's name; the file's base name when empty
    std::string jsonPath;     // where to write the figures as JSON; none when empty, out when "-"
    std::string csvDir;       // where to write system.csv and loadpoints.csv; none when empty
    bool progress = false;    // show a live progress line on err
    // Seeded replicas (see Replication); without a seed and with one replica the run draws the
    // one default sequence.
    std::optional<uint64_t> seed;
    uint32_t replicas = 1;
    uint32_t jobs = 1;
    ReplicaRunFactory replicaRuns; // how the replicas are spread; threads when empty
};

// The name that stands for standard input as the network, and for standard output as the JSON
// file. A network read from it is titled "stdin" and called "<stdin>" in messages.
inline constexpr const char* StandardStream = "-";

// How messages name a network: its path, or "<stdin>".
std::string NetworkLabel(const std::string& network);
// Reads in to its end; false, with errno telling why, when it fails.
bool ReadStream(std::FILE* in, std::string& text);
// Reads the file at path whole, the same way.
bool ReadFileText(const std::string& path, std::string& text);
// Pushes out what was printed on out, so that a full disk fails the command instead of passing
// unnoticed; false with "cannot write WHAT: reason" on err. Callers clear errno before their
// first write: the reason shown is then the write's.
bool FlushOutput(std::FILE* out, const char* what, std::FILE* err);
// True, with the reason on err, when path names a directory rather than a network file.
bool RefuseDirectory(const std::string& path, std::FILE* err);

// Reads an NDL network file whole: ExitOk, or ExitUsage with the reason on err (a directory, a
// file that cannot be read).
int ReadNetworkFile(const std::string& path, std::string& text, std::FILE* err);

// Runs one simulation from the command line; returns the process exit code.
int Simulate(const SimulateOptions& options, const std::atomic<bool>* cancel, Clock& clock,
             std::FILE* out, std::FILE* err);

// Where the NDL text of a run came from, for the wording of a parse error.
enum class NdlOrigin {
    File,      // options.network itself: errors point into it
    Generated, // generated from the drawing options.network: errors point into that text
};

// The same run on the NDL text read from in (standard input for options.network "-").
int SimulateStream(const SimulateOptions& options, std::FILE* in, const std::atomic<bool>* cancel,
                   Clock& clock, std::FILE* out, std::FILE* err);

// The same run on an NDL text already in hand; options.network names it in messages.
int SimulateText(const SimulateOptions& options, std::string ndl, NdlOrigin origin,
                 const std::atomic<bool>* cancel, Clock& clock, std::FILE* out, std::FILE* err);

} // namespace orvane::cli
