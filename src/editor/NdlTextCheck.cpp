#include "editor/NdlTextCheck.h"

#include "base/Clock.h"
#include "base/Output.h"
#include "engine/Simulation.h"
#include "model/CheckTexts.h"
#include "ndl/ParserDistrib.h"

#include <memory>

namespace orvane {

std::string NoSystemLine(const std::string& source) {
    return source + ": error: the text has no system definition; start it with one, for example "
                    "'system: quantsPerDay = 24'.";
}

std::string NoLoadPointsLine(const std::string& source) {
    return source + ": error: the network has no load points; add at least one load definition "
                    "to simulate it";
}

std::string ParseErrorLine(const std::string& source, uint32_t line, uint32_t column,
                           const std::string& error) {
    return source + ":" + std::to_string(line) + ":" + std::to_string(column) + ": error: " + error;
}

NdlTextCheck CheckNdlText(const std::string& text, const std::string& source) {
    // No channel is opened: what the parser would write to the report is dropped.
    Output output;
    SteadyClock clock;
    auto simulation = std::make_unique<Simulation>(output);
    auto parser = std::make_unique<ParserDistrib>(output);
    simulation->Init(nullptr, clock);
    if (!parser->Open(text))
        return {false, "cannot read " + source + " into the parser: " + parser->LastError()};
    const bool parsed = parser->Parse(*simulation);
    parser->Close();
    const bool hasLoads = parsed && simulation->LoadCount() > 0;
    simulation->Release();

    if (!parsed && parser->LastError().empty())
        return {false, NoSystemLine(source)};
    if (!parsed)
        return {false, ParseErrorLine(source, parser->ErrorLine(), parser->ErrorColumn(),
                                      parser->LastError())};
    if (!hasLoads)
        return {false, NoLoadPointsLine(source)};
    return {true, CheckPassedMessage};
}

} // namespace orvane
