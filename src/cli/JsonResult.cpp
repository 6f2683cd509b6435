#include "cli/JsonResult.h"

#include "cli/JsonText.h"
#include "engine/IntervalReport.h"

namespace orvane::cli {

namespace {

// The units of a load point's own figures; the others are in the unit of a system index.
constexpr const char* PerYear = "interruptions/year";
constexpr const char* HoursPerYear = "hours/year";

constexpr const char* UnitOf(SystemIndex index) {
    return InfoOf(index).unit;
}

Json Interval(const IntervalFigure& f) {
    return Json::array({JsonNumber(f.low), JsonNumber(f.high)});
}

Json Index(const IndexResult& index, const char* unit, const IntervalFigure& f) {
    return {{"value", JsonNumber(index.mean)},
            {"relativeAccuracy", JsonNumber(index.accuracy)},
            {"interval95", Interval(f)},
            {"unit", unit}};
}

Json Index(const IndexResult& value, const IndexIntervals& f, SystemIndex index) {
    return Index(value, UnitOf(index), f[index]);
}

// A derived index has no relative accuracy for the stop rule, but an interval.
Json Derived(double value, const IndexIntervals& f, SystemIndex index) {
    return {
        {"value", JsonNumber(value)}, {"interval95", Interval(f[index])}, {"unit", UnitOf(index)}};
}

Json Figure(const IntervalFigure& f, const char* unit) {
    return {{"value", JsonNumber(f.value)}, {"interval95", Interval(f)}, {"unit", unit}};
}

// The figures beyond the classic report: momentary interruptions (null when a quantum is
// longer than the limit), the customer-based indices, and costs when a load point has a curve.
Json Further(const IndexIntervals& f) {
    Json further = Json::object();
    const std::string note = MomentaryNote(f);
    further["momentaryLimitMinutes"] = JsonNumber(f.momentaryMinutes);
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
        Json load = {{"name", lp.name},
                     {"customers", lp.customers},
                     {"failureRate", Index(lp.failureRate, PerYear, fig.frequency)},
                     {"averageOutageDuration",
                      Index(lp.outageDuration, UnitOf(SystemIndex::Caidi), fig.duration)},
                     {"unavailability", Index(lp.unavailability, HoursPerYear, fig.unavailability)},
                     {"energyNotSupplied",
                      Index(lp.energyNotSupplied, UnitOf(SystemIndex::Ens), fig.energy)},
                     {"sustained", Figure(fig.sustained, PerYear)},
                     {"momentary", f.momentaryVisible ? Figure(fig.momentary, PerYear) : Json()}};
        if (fig.costed) {
            load["cost"] = Figure(fig.cost, UnitOf(SystemIndex::Ecost));
            load["iear"] = Figure(fig.iear, UnitOf(SystemIndex::Iear));
        }
        loadPoints.push_back(load);
    }
    Json doc = {
        {"formatVersion", JsonFormatVersion},
        {"program", JsonProgram()},
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
          {"accuracy", JsonNumber(result.accuracy)},
          {"fuses", result.fuses},
          {"isolators", result.isolators},
          {"reclosers", result.reclosers},
          {"maxFlow", result.maxFlow}}},
        {"intervalMethod", "95% confidence intervals by the normal approximation over the "
                           "yearly samples; ratios by the delta method"},
        {"system",
         {{"SAIFI", Index(result.saifi, f, SystemIndex::Saifi)},
          {"SAIDI", Index(result.saidi, f, SystemIndex::Saidi)},
          {"CAIFI", Derived(result.caifi, f, SystemIndex::Caifi)},
          {"CAIDI", Index(result.caidi, f, SystemIndex::Caidi)},
          {"ASUI", Derived(result.asui, f, SystemIndex::Asui)},
          {"ASAI", Derived(result.asai, f, SystemIndex::Asai)},
          {"ENS", Index(result.ens, f, SystemIndex::Ens)},
          {"AENS", Derived(result.aens, f, SystemIndex::Aens)},
          {"ACCI", Derived(result.acci, f, SystemIndex::Acci)}}},
        {"further", Further(f)},
        {"loadPoints", loadPoints},
    };
    return JsonText(doc);
}

} // namespace orvane::cli
