#include "cli/SimulateCommand.h"

#include "base/PendingFile.h"
#include "cli/CsvResult.h"
#include "cli/JsonResult.h"
#include "cli/TerminalProgress.h"
#include "engine/IntervalReport.h"
#include "run/BarImage.h"
#include "run/ReportPaths.h"
#include "run/Simulator.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace orvane::cli {

namespace {

// The 95% intervals of the classic indices and the figures beyond them, one line each.
void PrintFurther(const IndexIntervals& f, std::FILE* out) {
    std::fprintf(out, "  95%% intervals (normal approximation over %llu yearly samples):\n",
                 static_cast<unsigned long long>(f.years));
    const std::string note = MomentaryNote(f);
    if (!note.empty())
        std::fprintf(out, "  %s\n", note.c_str());
    for (size_t i = 0; i < SystemIndexCount; ++i) {
        const auto index = static_cast<SystemIndex>(i);
        if (!f.Measured(index))
            continue;
        const SystemIndexInfo& info = InfoOf(index);
        std::fprintf(out, "    %-8s %s %s\n", info.name, IntervalText(f[index], info.fine).c_str(),
                     info.unit);
    }
    if (!f.worst.empty()) {
        std::string names;
        for (uint32_t place : f.worst)
            names += (names.empty() ? "" : ", ") + f.loads[place].name;
        std::fprintf(out, "  Worst served: %s\n", names.c_str());
    }
}

void PrintSummary(const RunResult& r, const std::string& text, const std::string& html,
                  std::FILE* out) {
    std::fprintf(out, "Simulated %u years.\n", r.years);
    const std::string note = ConvergenceNote(r);
    if (!note.empty())
        std::fprintf(out, "  %s\n", note.c_str());
    std::fprintf(out, "  SAIFI %.5f interruptions/customer/year (+-%.1f%%)\n", r.saifi.mean,
                 r.saifi.accuracy * 100);
    std::fprintf(out, "  SAIDI %.5f hours/customer/year (+-%.1f%%)\n", r.saidi.mean,
                 r.saidi.accuracy * 100);
    std::fprintf(out, "  CAIDI %.5f hours/interruption (+-%.1f%%)\n", r.caidi.mean,
                 r.caidi.accuracy * 100);
    std::fprintf(out, "  ASAI  %.8f\n", r.asai);
    std::fprintf(out, "  ENS   %.5f per year (+-%.1f%%)\n", r.ens.mean, r.ens.accuracy * 100);
    PrintFurther(r.intervals, out);
    std::fprintf(out, "Reports: %s\n         %s\n", text.c_str(), html.c_str());
}

int WriteFailure(const std::string& path, const PendingFile& file, std::FILE* err) {
    std::fprintf(err,
                 "orvane-cli: cannot write '%s': %s; check that the directory exists and has "
                 "room.\n",
                 path.c_str(), file.Reason().c_str());
    return ExitUsage;
}

// system.csv and loadpoints.csv in one directory, made before the run and replaced after it.
struct CsvFiles {
    PendingFile system;
    PendingFile loadPoints;

    // Creates the directory when needed; ExitOk, or ExitUsage with the reason on err.
    int Open(const std::string& dir, std::FILE* err) {
        std::error_code ec;
        fs::create_directories(dir, ec);
        if (ec || !fs::is_directory(dir)) {
            std::fprintf(err, "orvane-cli: cannot create the CSV directory '%s': %s\n", dir.c_str(),
                         ec ? ec.message().c_str() : "not a directory");
            return ExitUsage;
        }
        for (PendingFile* file : {&system, &loadPoints}) {
            const std::string path =
                (fs::path(dir) / (file == &system ? "system.csv" : "loadpoints.csv")).string();
            if (!file->Open(path))
                return WriteFailure(path, *file, err);
        }
        return ExitOk;
    }

    int Commit(const RunResult& result, std::FILE* err) {
        if (!system.Write(SystemCsv(result)) || !system.Commit())
            return WriteFailure(system.Target(), system, err);
        if (!loadPoints.Write(LoadPointsCsv(result)) || !loadPoints.Commit())
            return WriteFailure(loadPoints.Target(), loadPoints, err);
        return ExitOk;
    }
};

} // namespace

int CancelledExitCode(int signal) {
    return signal == SIGTERM ? ExitTerminated : ExitCancelled;
}

std::string NetworkLabel(const std::string& network) {
    return network == StandardStream ? "<stdin>" : network;
}

bool ReadStream(std::FILE* in, std::string& text) {
    errno = 0;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        text.append(buffer, n);
    return !std::ferror(in);
}

bool ReadFileText(const std::string& path, std::string& text) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    const bool read = ReadStream(file, text);
    const int reason = errno;
    std::fclose(file);
    errno = reason;
    return read;
}

int SimulateStream(const SimulateOptions& options, std::FILE* in, const std::atomic<bool>* cancel,
                   Clock& clock, std::FILE* out, std::FILE* err) {
    std::string ndl;
    if (!ReadStream(in, ndl)) {
        std::fprintf(err, "orvane-cli: cannot read the network from standard input: %s\n",
                     std::strerror(errno != 0 ? errno : EIO));
        return ExitUsage;
    }
    return SimulateText(options, std::move(ndl), NdlOrigin::File, cancel, clock, out, err);
}

bool FlushOutput(std::FILE* out, const char* what, std::FILE* err) {
    if (std::fflush(out) == 0 && !std::ferror(out))
        return true;
    std::fprintf(err, "orvane-cli: cannot write %s: %s\n", what,
                 std::strerror(errno != 0 ? errno : EIO));
    return false;
}

bool RefuseDirectory(const std::string& path, std::FILE* err) {
    // A directory opens as an empty text on Linux; refuse it before anything is written.
    std::error_code ec;
    if (!fs::is_directory(path, ec))
        return false;
    std::fprintf(err,
                 "orvane-cli: '%s' is a directory, not a network file; name an NDL or .vlm "
                 "file.\n",
                 path.c_str());
    return true;
}

int ReadNetworkFile(const std::string& path, std::string& text, std::FILE* err) {
    if (RefuseDirectory(path, err))
        return ExitUsage;
    if (!ReadFileText(path, text)) {
        std::fprintf(err, "orvane-cli: cannot read the network file '%s'; check its name.\n",
                     path.c_str());
        return ExitUsage;
    }
    return ExitOk;
}

int Simulate(const SimulateOptions& options, const std::atomic<bool>* cancel, Clock& clock,
             std::FILE* out, std::FILE* err) {
    std::string ndl;
    if (const int code = ReadNetworkFile(options.network, ndl, err); code != ExitOk)
        return code;
    return SimulateText(options, std::move(ndl), NdlOrigin::File, cancel, clock, out, err);
}

int SimulateText(const SimulateOptions& options, std::string ndl, NdlOrigin origin,
                 const std::atomic<bool>* cancel, Clock& clock, std::FILE* out, std::FILE* err) {
    const bool fromStream = options.network == StandardStream;
    const std::string title = !options.title.empty() ? options.title
                              : fromStream           ? std::string("stdin")
                                                     : fs::path(options.network).stem().string();
    const std::string source = NetworkLabel(options.network);
    if (!TitleNamesDirectory(title)) {
        std::fprintf(err,
                     "orvane-cli: '%s' cannot name a report directory; give --name a plain "
                     "name without '/' or '\\'.\n",
                     title.c_str());
        return ExitUsage;
    }

    const ReportPaths paths = MakeReportPaths(options.outDir, title);
    std::error_code ec;
    fs::create_directories(paths.directory, ec);
    if (ec || !fs::is_directory(paths.directory)) {
        std::fprintf(err, "orvane-cli: cannot create the report directory '%s': %s\n",
                     paths.directory.c_str(), ec ? ec.message().c_str() : "not a directory");
        return ExitUsage;
    }
    std::string reason;
    if (!WriteBarImage(paths.barImage, reason)) {
        std::fprintf(err,
                     "orvane-cli: cannot write '%s': %s; check that the directory is writable.\n",
                     paths.barImage.c_str(), reason.c_str());
        return ExitUsage;
    }

    // Made before the run, so that a JSON or CSV file that cannot be written fails at once.
    // "-" sends the JSON to out in place of the summary.
    const bool jsonToOut = options.jsonPath == StandardStream;
    PendingFile json;
    if (!options.jsonPath.empty() && !jsonToOut && !json.Open(options.jsonPath))
        return WriteFailure(options.jsonPath, json, err);
    CsvFiles csv;
    if (!options.csvDir.empty()) {
        if (const int code = csv.Open(options.csvDir, err); code != ExitOk)
            return code;
    }

    std::unique_ptr<TerminalProgress> progress;
    if (options.progress)
        progress = std::make_unique<TerminalProgress>(err);

    RunRequest request;
    request.ndlText = std::move(ndl);
    request.networkName = title;
    request.textPath = paths.text;
    request.htmlPath = paths.html;
    request.linkPath = title + ".htm"; // the report links to itself, wherever it is moved
    request.cancel = cancel;
    request.progress = progress.get();
    // Replicas need streams of their own; without a seed they take seed 0.
    request.seeded = options.seed.has_value() || options.replicas > 1;
    request.replication =
        Replication{options.seed.value_or(0), options.replicas, options.jobs, options.replicaRuns};
    Simulator simulator(clock);
    const RunResult result = simulator.Run(request);
    if (progress)
        progress->Finish();

    switch (result.status) {
    case RunStatus::Completed:
        break;
    case RunStatus::Cancelled:
        std::fprintf(err, "orvane-cli: simulation cancelled; the previous reports are as they "
                          "were.\n");
        return ExitCancelled;
    case RunStatus::WriteFailed:
        std::fprintf(err,
                     "orvane-cli: %s; the previous reports are as they were. Check that the "
                     "directory is writable and has room.\n",
                     result.error.c_str());
        return ExitUsage;
    case RunStatus::ParseFailed:
        if (result.errorLine && origin == NdlOrigin::Generated)
            std::fprintf(err,
                         "%s: error: the network's NDL was refused at line %u, column %u: %s\n"
                         "  (correct the value in the editor; 'orvane-cli ndl %s' shows the "
                         "text)\n",
                         source.c_str(), result.errorLine, result.errorColumn, result.error.c_str(),
                         source.c_str());
        else if (result.errorLine)
            std::fprintf(err, "%s:%u:%u: error: %s\n", source.c_str(), result.errorLine,
                         result.errorColumn, result.error.c_str());
        else {
            // Not the network's fault: the parser's temporary file could not be made.
            std::fprintf(err,
                         "orvane-cli: cannot read '%s' into the parser: %s; check that the "
                         "temporary directory is writable.\n",
                         source.c_str(), result.error.c_str());
            return ExitUsage;
        }
        return ExitNetworkError;
    case RunStatus::NoSystem:
        std::fprintf(err,
                     "%s: error: the text has no system definition; start it with one, for "
                     "example 'system: quantsPerDay = 24'.\n",
                     source.c_str());
        return ExitNetworkError;
    case RunStatus::NoLoadPoints:
    case RunStatus::TooLarge:
        std::fprintf(err, "%s: error: %s\n", source.c_str(), result.error.c_str());
        return ExitNetworkError;
    }

    if (json.IsOpen() && (!json.Write(JsonResult(result, title)) || !json.Commit()))
        return WriteFailure(options.jsonPath, json, err);
    if (!options.csvDir.empty()) {
        if (const int code = csv.Commit(result, err); code != ExitOk)
            return code;
    }
    errno = 0;
    if (jsonToOut) {
        const std::string text = JsonResult(result, title);
        std::fwrite(text.data(), 1, text.size(), out);
    } else {
        PrintSummary(result, paths.text, paths.html, out);
    }
    return FlushOutput(out, jsonToOut ? "the JSON result" : "the summary", err) ? ExitOk
                                                                                : ExitUsage;
}

} // namespace orvane::cli
