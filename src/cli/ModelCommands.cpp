#include "cli/ModelCommands.h"

#include "cli/TerminalText.h"
#include "model/NDLGenerator.h"
#include "model/NetworkCheck.h"
#include "model/OrvaneDoc.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace orvane::cli {

namespace {

std::unique_ptr<COrvaneDoc> LoadDrawing(const std::string& path, std::FILE* err) {
    std::string error;
    std::unique_ptr<COrvaneDoc> doc = COrvaneDoc::Load(path, error);
    if (!doc)
        std::fprintf(err, "orvane-cli: %s\n", error.c_str());
    return doc;
}

// The document title, as the editor shows it: the file name without ".vlm".
std::string Title(const std::string& path) {
    return fs::path(path).stem().string();
}

void PrintFindings(const std::string& path, const CNDLGenerator& generator, std::FILE* err) {
    std::fprintf(err,
                 "%s: error: the network does not pass the check; correct these in the editor:\n",
                 path.c_str());
    for (const std::string& line : generator.GetFindingLines())
        std::fprintf(err, "%s\n", TerminalText(line).c_str());
}

} // namespace

std::string Extension(const std::string& path) {
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool IsDrawingFile(const std::string& path) {
    return Extension(path) == ".vlm";
}

int Check(const std::string& path, std::FILE* out, std::FILE* err) {
    std::unique_ptr<COrvaneDoc> doc = LoadDrawing(path, err);
    if (!doc)
        return ExitUsage;
    const CheckReport report = DebugNetwork(*doc, Title(path));
    errno = 0;
    std::fprintf(out, "%s\n", TerminalText(report.message).c_str());
    for (const std::string& line : report.lines)
        std::fprintf(out, "%s\n", TerminalText(line).c_str());
    if (!FlushOutput(out, "the check result", err))
        return ExitUsage;
    return report.passed ? ExitOk : ExitNetworkError;
}

namespace {

// Loads a drawing and generates its NDL text as the editor does; ExitOk, or the exit code with
// the reason on err. The document is kept in `doc` for what else the caller wants of it.
int Generate(const std::string& path, std::unique_ptr<COrvaneDoc>& doc, std::string& ndl,
             std::FILE* err) {
    doc = LoadDrawing(path, err);
    if (!doc)
        return ExitUsage;
    CNDLGenerator generator(*doc);
    if (!generator.CheckConnections()) {
        PrintFindings(path, generator, err);
        return ExitNetworkError;
    }
    generator.Generate();
    ndl = generator.GetText();
    return ExitOk;
}

} // namespace

int PrintNdl(const std::string& path, std::FILE* out, std::FILE* err) {
    std::unique_ptr<COrvaneDoc> doc;
    std::string text;
    if (const int code = Generate(path, doc, text, err); code != ExitOk)
        return code;
    errno = 0;
    std::fwrite(text.data(), 1, text.size(), out);
    return FlushOutput(out, "the NDL text", err) ? ExitOk : ExitUsage;
}

int DrawingNdl(const std::string& path, std::string& ndl, std::FILE* err) {
    std::unique_ptr<COrvaneDoc> doc;
    return Generate(path, doc, ndl, err);
}

int SimulateDrawing(const SimulateOptions& options, const std::atomic<bool>* cancel, Clock& clock,
                    std::FILE* out, std::FILE* err) {
    std::unique_ptr<COrvaneDoc> doc;
    std::string ndl;
    if (const int code = Generate(options.network, doc, ndl, err); code != ExitOk)
        return code;
    // The editor asks before going on; the parser would refuse the text anyway.
    if (doc->GetSettings().quantsPerDay < 1) {
        std::fprintf(err,
                     "%s: error: the quanta per day are not set; give \"Quants per day\" a value "
                     "from 1 to 1440 in the editor's Simulation Settings.\n",
                     options.network.c_str());
        return ExitNetworkError;
    }
    // The drawing's own seed and replicas apply unless the command line names others.
    SimulateOptions run = options;
    const CSimulationSettings& settings = doc->GetSettings();
    if (settings.seeded && !run.seed && run.replicas == 1) {
        run.seed = settings.seed;
        run.replicas = settings.replicas;
    }
    return SimulateText(run, std::move(ndl), NdlOrigin::Generated, cancel, clock, out, err);
}

} // namespace orvane::cli
