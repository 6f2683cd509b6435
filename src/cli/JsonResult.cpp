#include "cli/JsonResult.h"

#include "base/Version.h"
#include "cli/IndexUnits.h"
#include "engine/IntervalReport.h"

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

Json Interval(const IntervalFigure& f) {
    return Json::array({Number(f.low), Number(f.high)});
}

Json Index(const IndexResult& index, const char* unit, const IntervalFigure& f) {
    return {{"value", Number(index.mean)},
            {"relativeAccuracy", Number(index.accuracy)},
            {"interval95", Interval(f)},
            {"unit", unit}};
}

// A derived index has no relative accuracy for the stop rule, but an interval.
Json Derived(double value, const char* unit, const IntervalFigure& f) {
    return {{"value", Number(value)}, {"interval95", Interval(f)}, {"unit", unit}};
}

Json Figure(const IntervalFigure& f, const char* unit) {
    return {{"value", Number(f.value)}, {"interval95", Interval(f)}, {"unit", unit}};
}

// The figures beyond the classic report: momentary interruptions (null when a quantum is
// longer than the limit), the customer-based indices, and costs when a load point has a curve.
Json Further(const IndexIntervals& f) {
    Json further = Json::object();
    const std::string note = MomentaryNote(f);
    further["momentaryLimitMinutes"] = Number(f.momentaryMinutes);
    further["momentaryNote"] = note.empty() ? Json() : Json(note);
    for (auto i = static_cast<size_t>(SystemIndex::Maifi); i < SystemIndexCount; ++i) {
        const auto index = static_cast<SystemIndex>(i);
        if (IsCost(index) && !f.costed)
            continue;
        const SystemIndexInfo& info = InfoOf(index);
        further[info.name] = f.Measured(index) ? Figure(f[index], info.unit) : Json();
    }
    Json worst = Json::array();
    for (uint32_t place : f.worst)
        worst.push_back(f.loads[place].name);
    further["worstServed"] = worst;
    return further;
}

} // namespace

std::string JsonResult(const RunResult& result, const std::string& network) {
    const IndexIntervals& f = result.intervals;
    Json loadPoints = Json::array();
    for (size_t k = 0; k < result.loadPoints.size(); ++k) {
        const LoadPointResult& lp = result.loadPoints[k];
        // A run that failed before simulating has no intervals.
        const LoadIntervalFigures fig = k < f.loads.size() ? f.loads[k] : LoadIntervalFigures{};
        Json load = {
            {"name", lp.name},
            {"customers", lp.customers},
            {"failureRate", Index(lp.failureRate, unit::PerYear, fig.frequency)},
            {"averageOutageDuration",
             Index(lp.outageDuration, unit::HoursPerInterruption, fig.duration)},
            {"unavailability", Index(lp.unavailability, unit::HoursPerYear, fig.unavailability)},
            {"energyNotSupplied", Index(lp.energyNotSupplied, unit::Energy, fig.energy)},
            {"sustained", Figure(fig.sustained, unit::PerYear)},
            {"momentary", f.momentaryVisible ? Figure(fig.momentary, unit::PerYear) : Json()}};
        if (fig.costed) {
            load["cost"] = Figure(fig.cost, unit::Cost);
            load["iear"] = Figure(fig.iear, unit::CostPerEnergy);
        }
        loadPoints.push_back(load);
    }
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
        {"intervalMethod", "95% confidence intervals by the normal approximation over the "
                           "yearly samples; ratios by the delta method"},
        {"system",
         {{"SAIFI", Index(result.saifi, unit::Interruptions, f[SystemIndex::Saifi])},
          {"SAIDI", Index(result.saidi, unit::CustomerHours, f[SystemIndex::Saidi])},
          {"CAIFI", Derived(result.caifi, unit::AffectedInterruptions, f[SystemIndex::Caifi])},
          {"CAIDI", Index(result.caidi, unit::HoursPerInterruption, f[SystemIndex::Caidi])},
          {"ASUI", Derived(result.asui, unit::Fraction, f[SystemIndex::Asui])},
          {"ASAI", Derived(result.asai, unit::Fraction, f[SystemIndex::Asai])},
          {"ENS", Index(result.ens, unit::Energy, f[SystemIndex::Ens])},
          {"AENS", Derived(result.aens, unit::CustomerEnergy, f[SystemIndex::Aens])},
          {"ACCI", Derived(result.acci, unit::AffectedEnergy, f[SystemIndex::Acci])}}},
        {"further", Further(f)},
        {"loadPoints", loadPoints},
    };
    // Invalid UTF-8 in a name is replaced rather than refused.
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace orvane::cli
