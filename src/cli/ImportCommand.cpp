#include "cli/ImportCommand.h"

#include "base/PendingFile.h"
#include "cli/ModelCommands.h"
#include "cli/SimulateCommand.h"
#include "cli/TerminalText.h"
#include "import/GridDrawing.h"
#include "import/GridNdl.h"
#include "import/ImportError.h"
#include "import/PandapowerImport.h"
#include "import/PandapowerNet.h"
#include "import/ReliabilityData.h"
#include "model/NDLGenerator.h"
#include "model/OrvaneDoc.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace orvane::cli {

namespace {

bool Read(const std::string& path, const char* what, std::string& text, std::FILE* err) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        std::fprintf(err, "orvane-cli: '%s' is a directory, not %s.\n", path.c_str(), what);
        return false;
    }
    if (!ReadFileText(path, text)) {
        std::fprintf(err, "orvane-cli: cannot read %s '%s': %s\n", what, path.c_str(),
                     std::strerror(errno != 0 ? errno : EIO));
        return false;
    }
    return true;
}

int Refuse(const std::string& path, const ImportError& e, std::FILE* err) {
    if (e.Line() > 0)
        std::fprintf(err, "%s:%d: error: %s\n", path.c_str(), e.Line(),
                     TerminalText(e.what()).c_str());
    else
        std::fprintf(err, "%s: error: %s\n", path.c_str(), TerminalText(e.what()).c_str());
    return ExitNetworkError;
}

void PrintNotes(const std::string& path, const std::vector<std::string>& notes, std::FILE* err) {
    for (const std::string& note : notes)
        std::fprintf(err, "%s: note: %s\n", path.c_str(), TerminalText(note).c_str());
}

// "3 sources, 10 lines and 4 loads", in the order of the NDL text.
std::string Counts(const Grid& grid) {
    static const char* const Words[][2] = {
        {"source", "sources"},
        {"line", "lines"},
        {"transformer", "transformers"},
        {"breaker", "breakers"},
        {"fuse", "fuses"},
        {"isolator", "isolators"},
        {"tie", "ties"},
        {"load point", "load points"},
    };
    std::map<int, size_t> counts;
    for (const GridElement& e : grid.elements)
        ++counts[e.kind];
    std::vector<std::string> parts;
    for (const auto& [kind, n] : counts)
        parts.push_back(std::to_string(n) + " " + Words[kind][n == 1 ? 0 : 1]);
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text.empty() ? "nothing" : text;
}

} // namespace

int ImportPandapower(const ImportOptions& options, std::FILE* out, std::FILE* err) {
    const bool toOut = options.output == StandardStream;
    const bool drawing = !toOut && IsDrawingFile(options.output);
    if (!toOut && !drawing && Extension(options.output) != ".ndl") {
        std::fprintf(err,
                     "orvane-cli: name the output NAME.ndl for NDL text or NAME.vlm for a "
                     "drawing, or - for NDL on standard output; '%s' is neither.\n",
                     options.output.c_str());
        return ExitUsage;
    }
    std::string json;
    std::string csv;
    if (!Read(options.network, "the pandapower network", json, err) ||
        !Read(options.reliability, "the reliability data", csv, err))
        return ExitUsage;

    PandapowerNet net;
    try {
        net = PandapowerNet::Parse(json);
    } catch (const ImportError& e) {
        return Refuse(options.network, e, err);
    }
    ReliabilityData data;
    try {
        data = ReliabilityData::Parse(csv);
    } catch (const ImportError& e) {
        return Refuse(options.reliability, e, err);
    }
    Grid grid;
    try {
        grid = ImportPandapower(net, data, fs::path(options.network).stem().string());
    } catch (const ImportError& e) {
        return Refuse(options.network, e, err);
    }
    try {
        data.CheckAllUsed();
    } catch (const ImportError& e) {
        return Refuse(options.reliability, e, err);
    }
    PrintNotes(options.network, grid.notes, err);

    const std::string origin = fs::path(options.network).filename().string();
    if (drawing) {
        std::vector<std::string> notes;
        const std::unique_ptr<COrvaneDoc> doc = GridDrawing::Make(grid, notes);
        CNDLGenerator generator(*doc);
        if (!generator.CheckConnections()) {
            notes.push_back("the drawing does not pass the editor's check:");
            for (const std::string& line : generator.GetFindingLines())
                notes.push_back("  " + line);
        }
        PrintNotes(options.output, notes, err);
        std::string error;
        if (!doc->Save(options.output, error)) {
            std::fprintf(err, "orvane-cli: %s\n", error.c_str());
            return ExitUsage;
        }
    } else {
        const std::string text = GridNdl(grid, origin);
        if (toOut) {
            errno = 0;
            std::fwrite(text.data(), 1, text.size(), out);
            if (!FlushOutput(out, "the NDL text", err))
                return ExitUsage;
        } else {
            PendingFile file;
            if (!file.Open(options.output) || !file.Write(text) || !file.Commit()) {
                std::fprintf(err, "orvane-cli: cannot write '%s': %s\n", options.output.c_str(),
                             file.Reason().c_str());
                return ExitUsage;
            }
        }
    }
    std::fprintf(err, "%s: imported %s into %s\n", options.network.c_str(), Counts(grid).c_str(),
                 toOut ? "standard output" : options.output.c_str());
    return ExitOk;
}

} // namespace orvane::cli
