#include "cli/JsonResult.h"

#include "base/Version.h"
#include "cli/IndexUnits.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace orvane::cli {

namespace {

// Keys in the order written here, which docs/json-format.md follows.
using Json = nlohmann::ordered_json;

// JSON has no not-a-number; an index without a defined value is null.
Json Number(double x) {
    return std::isfinite(x) ? Json(x) : Json();
}

Json Index(const IndexResult& index, const char* unit) {
    return {{"value", Number(index.mean)},
            {"relativeAccuracy", Number(index.accuracy)},
            {"unit", unit}};
}

// A derived index has no spread of its own.
Json Derived(double value, const char* unit) {
    return {{"value", Number(value)}, {"unit", unit}};
}

} // namespace

std::string JsonResult(const RunResult& result, const std::string& network) {
    Json loadPoints = Json::array();
    for (const LoadPointResult& lp : result.loadPoints)
        loadPoints.push_back(
            {{"name", lp.name},
             {"customers", lp.customers},
             {"failureRate", Index(lp.failureRate, unit::PerYear)},
             {"averageOutageDuration", Index(lp.outageDuration, unit::HoursPerInterruption)},
             {"unavailability", Index(lp.unavailability, unit::HoursPerYear)},
             {"energyNotSupplied", Index(lp.energyNotSupplied, unit::Energy)}});
    Json doc = {
        {"formatVersion", JsonFormatVersion},
        {"program", std::string("orvane-cli ") + Version},
        {"network", network},
        {"years", result.years},
        // The default run draws the one default sequence: no seed.
        {"seed", result.seeded ? Json(result.seed) : Json()},
        {"replicas", result.replicas},
        {"converged", result.converged},
        // "accuracy": every index reached it; "yearMax": the year limit came first.
        {"stopReason", result.converged ? "accuracy" : "yearMax"},
        {"settings",
         {{"quantsPerDay", result.quantsPerDay},
          {"yearMin", result.yearMin},
          {"yearMax", result.yearMax},
          {"yearStep", result.yearStep},
          {"accuracy", Number(result.accuracy)},
          {"fuses", result.fuses},
          {"isolators", result.isolators},
          {"reclosers", result.reclosers},
          {"maxFlow", result.maxFlow}}},
        {"system",
         {{"SAIFI", Index(result.saifi, unit::Interruptions)},
          {"SAIDI", Index(result.saidi, unit::CustomerHours)},
          {"CAIFI", Derived(result.caifi, unit::AffectedInterruptions)},
          {"CAIDI", Index(result.caidi, unit::HoursPerInterruption)},
          {"ASUI", Derived(result.asui, unit::Fraction)},
          {"ASAI", Derived(result.asai, unit::Fraction)},
          {"ENS", Index(result.ens, unit::Energy)},
          {"AENS", Derived(result.aens, unit::CustomerEnergy)},
          {"ACCI", Derived(result.acci, unit::AffectedEnergy)}}},
        {"loadPoints", loadPoints},
    };
    // Invalid UTF-8 in a name is replaced rather than refused.
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace orvane::cli
