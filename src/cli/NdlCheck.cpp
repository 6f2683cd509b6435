#include "cli/NdlCheck.h"

#include "base/Clock.h"
#include "base/Output.h"
#include "cli/SimulateCommand.h"
#include "engine/Simulation.h"
#include "model/CheckTexts.h"
#include "ndl/ParserDistrib.h"

#include <cerrno>
#include <cstring>
#include <memory>

namespace orvane::cli {

int CheckNdl(const std::string& path, std::FILE* in, std::FILE* out, std::FILE* err) {
    const std::string source = NetworkLabel(path);
    std::string text;
    if (path != StandardStream && RefuseDirectory(path, err))
        return ExitUsage;
    if (!(path == StandardStream ? ReadStream(in, text) : ReadFileText(path, text))) {
        std::fprintf(err, "orvane-cli: cannot read the network file '%s': %s\n", source.c_str(),
                     std::strerror(errno != 0 ? errno : EIO));
        return ExitUsage;
    }

    // No channel is opened: what the parser would write to the report is dropped.
    Output output;
    SteadyClock clock;
    auto simulation = std::make_unique<Simulation>(output);
    auto parser = std::make_unique<ParserDistrib>(output);
    simulation->Init(nullptr, clock);
    if (!parser->Open(text)) {
        std::fprintf(err,
                     "orvane-cli: cannot read '%s' into the parser: %s; check that the temporary "
                     "directory is writable.\n",
                     source.c_str(), parser->LastError().c_str());
        return ExitUsage;
    }
    const bool parsed = parser->Parse(*simulation);
    parser->Close();
    const bool hasLoads = parsed && simulation->LoadCount() > 0;
    simulation->Release();

    if (!parsed && parser->LastError().empty()) {
        std::fprintf(err,
                     "%s: error: the text has no system definition; start it with one, for "
                     "example 'system: quantsPerDay = 24'.\n",
                     source.c_str());
        return ExitNetworkError;
    }
    if (!parsed) {
        std::fprintf(err, "%s:%u:%u: error: %s\n", source.c_str(), parser->ErrorLine(),
                     parser->ErrorColumn(), parser->LastError().c_str());
        return ExitNetworkError;
    }
    if (!hasLoads) {
        std::fprintf(err,
                     "%s: error: the network has no load points; add at least one load "
                     "definition to simulate it\n",
                     source.c_str());
        return ExitNetworkError;
    }
    errno = 0;
    std::fprintf(out, "%s\n", CheckPassedMessage);
    return FlushOutput(out, "the check result", err) ? ExitOk : ExitUsage;
}

} // namespace orvane::cli
