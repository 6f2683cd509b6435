#include "cli/JsonResult.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace orvane::cli {

namespace {

// JSON has no not-a-number; an index without a defined value is null.
nlohmann::json Number(double x) {
    return std::isfinite(x) ? nlohmann::json(x) : nlohmann::json();
}

nlohmann::json Index(const IndexResult& index) {
    return {{"value", Number(index.mean)}, {"relativeAccuracy", Number(index.accuracy)}};
}

} // namespace

std::string JsonResult(const RunResult& result, const std::string& network) {
    nlohmann::json loadPoints = nlohmann::json::array();
    for (const LoadPointResult& lp : result.loadPoints)
        loadPoints.push_back({{"name", lp.name},
                              {"customers", lp.customers},
                              {"failureRate", Index(lp.failureRate)},
                              {"averageOutageDuration", Index(lp.outageDuration)},
                              {"unavailability", Index(lp.unavailability)},
                              {"energyNotSupplied", Index(lp.energyNotSupplied)}});
    nlohmann::json doc = {
        {"network", network},
        {"years", result.years},
        // The default run draws the one default sequence: no seed.
        {"seed", result.seeded ? nlohmann::json(result.seed) : nlohmann::json()},
        {"replicas", result.replicas},
        {"converged", result.converged},
        // "accuracy": every index reached it; "yearMax": the year limit came first.
        {"stopReason", result.converged ? "accuracy" : "yearMax"},
        {"system",
         {{"SAIFI", Index(result.saifi)},
          {"SAIDI", Index(result.saidi)},
          {"CAIFI", {{"value", Number(result.caifi)}}},
          {"CAIDI", Index(result.caidi)},
          {"ASUI", {{"value", Number(result.asui)}}},
          {"ASAI", {{"value", Number(result.asai)}}},
          {"ENS", Index(result.ens)},
          {"AENS", {{"value", Number(result.aens)}}},
          {"ACCI", {{"value", Number(result.acci)}}}}},
        {"loadPoints", loadPoints},
    };
    // Invalid UTF-8 in a name is replaced rather than refused.
    return doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace orvane::cli
