#include "cli/CompareCommand.h"

#include "base/PendingFile.h"
#include "cli/JsonResult.h"
#include "cli/JsonText.h"
#include "cli/ModelCommands.h"
#include "cli/SimulateCommand.h"
#include "cli/TerminalProgress.h"
#include "engine/IntervalReport.h"
#include "run/VariantComparison.h"

#include <memory>

namespace orvane::cli {

namespace {

// The variant's NDL text: generated from a drawing, or the file's own.
int ReadVariant(const std::string& path, std::string& ndl, std::FILE* err) {
    return IsDrawingFile(path) ? DrawingNdl(path, ndl, err) : ReadNetworkFile(path, ndl, err);
}

std::string CompareJson(const CompareOptions& options, const ComparisonResult& result) {
    Json indices = Json::object();
    for (const ComparisonRow& row : result.rows) {
        const SystemIndexInfo& info = InfoOf(row.index);
        indices[info.name] = {
            {"a", JsonNumber(row.a)},
            {"b", JsonNumber(row.b)},
            {"difference", JsonNumber(row.difference)},
            {"interval95", Json::array({JsonNumber(row.difference - row.halfWidth),
                                        JsonNumber(row.difference + row.halfWidth)})},
            {"independentHalfWidth", JsonNumber(row.independentHalfWidth)},
            {"unit", info.unit}};
    }
    const Json doc = {
        {"formatVersion", JsonFormatVersion},
        {"program", JsonProgram()},
        {"variantA", options.a},
        {"variantB", options.b},
        {"seed", options.seed},
        {"years", result.years},
        {"converged", result.converged},
        {"method", "common random numbers; 95% intervals of B - A by the normal approximation "
                   "over the paired yearly samples, ratios by the delta method"},
        {"indices", indices},
    };
    return JsonText(doc);
}

void PrintTable(const CompareOptions& options, const ComparisonResult& result, std::FILE* out) {
    std::fprintf(out,
                 "A: %s\nB: %s\n%u years each on common random numbers (seed %llu); 95%% "
                 "intervals of B - A.\n",
                 options.a.c_str(), options.b.c_str(), result.years,
                 static_cast<unsigned long long>(options.seed));
    if (result.unnamedA + result.unnamedB > 0)
        std::fprintf(out,
                     "Note: %u failing components of A and %u of B have no name of their own and "
                     "are matched by their order; name them to be sure they are matched.\n",
                     result.unnamedA, result.unnamedB);
    if (!result.converged)
        std::fprintf(out, "Not converged: the year limit came before both variants reached their "
                          "accuracy.\n");
    std::fprintf(out, "%-9s %14s %14s %14s  %-32s %s\n", "Index", "A", "B", "B - A",
                 "95% interval of B - A", "separate runs");
    for (const ComparisonRow& row : result.rows) {
        const SystemIndexInfo& info = InfoOf(row.index);
        const std::string interval =
            "[" + IntervalNumber(row.difference - row.halfWidth, info.fine) + ", " +
            IntervalNumber(row.difference + row.halfWidth, info.fine) + "]";
        std::fprintf(out, "%-9s %14s %14s %14s  %-32s +-%s\n", info.name,
                     IntervalNumber(row.a, info.fine).c_str(),
                     IntervalNumber(row.b, info.fine).c_str(),
                     IntervalNumber(row.difference, info.fine).c_str(), interval.c_str(),
                     IntervalNumber(row.independentHalfWidth, info.fine).c_str());
    }
}

} // namespace

int Compare(const CompareOptions& options, const std::atomic<bool>* cancel, Clock& clock,
            std::FILE* out, std::FILE* err) {
    ComparisonRequest request;
    request.seed = options.seed;
    if (const int code = ReadVariant(options.a, request.ndlA, err); code != ExitOk)
        return code;
    if (const int code = ReadVariant(options.b, request.ndlB, err); code != ExitOk)
        return code;

    const bool jsonToOut = options.jsonPath == StandardStream;
    PendingFile json;
    if (!options.jsonPath.empty() && !jsonToOut && !json.Open(options.jsonPath)) {
        std::fprintf(err, "orvane-cli: cannot write '%s': %s; check that the directory exists.\n",
                     options.jsonPath.c_str(), json.Reason().c_str());
        return ExitUsage;
    }
    std::unique_ptr<TerminalProgress> progress;
    if (options.progress)
        progress = std::make_unique<TerminalProgress>(err);
    request.cancel = cancel;
    request.progress = progress.get();
    const ComparisonResult result = VariantComparison(clock).Run(request);
    if (progress)
        progress->Finish();

    if (result.status == ComparisonStatus::Failed) {
        std::fprintf(err, "orvane-cli: %s\n", result.error.c_str());
        return ExitNetworkError;
    }
    if (result.status == ComparisonStatus::Cancelled) {
        std::fprintf(err, "orvane-cli: comparison cancelled.\n");
        return ExitCancelled;
    }
    const std::string text = CompareJson(options, result);
    if (jsonToOut) {
        std::fputs(text.c_str(), out);
    } else {
        PrintTable(options, result, out);
        if (!options.jsonPath.empty() && (!json.Write(text) || !json.Commit())) {
            std::fprintf(err,
                         "orvane-cli: cannot write '%s': %s; check that the directory has "
                         "room.\n",
                         options.jsonPath.c_str(), json.Reason().c_str());
            return ExitUsage;
        }
    }
    return std::fflush(out) == 0 ? ExitOk : ExitUsage;
}

} // namespace orvane::cli
