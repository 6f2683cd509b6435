#include "cli/CsvResult.h"

#include "cli/IndexUnits.h"

#include <charconv>
#include <cmath>

namespace orvane::cli {

namespace {

void Row(std::string& csv, const char* index, double value, const std::string& accuracy,
         const char* unit, const IntervalFigure& f) {
    csv += std::string(index) + ',' + CsvNumber(value) + ',' + accuracy + ',' + CsvField(unit) +
           ',' + CsvNumber(f.low) + ',' + CsvNumber(f.high) + '\n';
}

void Row(std::string& csv, const char* index, const IndexResult& r, const char* unit,
         const IntervalFigure& f) {
    Row(csv, index, r.mean, CsvNumber(r.accuracy), unit, f);
}

std::string Pair(const IndexResult& r) {
    return CsvNumber(r.mean) + ',' + CsvNumber(r.accuracy);
}

} // namespace

std::string CsvField(const std::string& text) {
    const bool blankEnds = !text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                             text.front() == '\t' || text.back() == '\t');
    if (text.find_first_of(",\"\r\n") == std::string::npos && !blankEnds)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string CsvNumber(double x) {
    if (!std::isfinite(x))
        return {};
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, x).ptr;
    return std::string(digits, end);
}

std::string SystemCsv(const RunResult& r) {
    const IndexIntervals& f = r.intervals;
    std::string csv = "index,value,relativeAccuracy,unit,low95,high95\n";
    Row(csv, "SAIFI", r.saifi, unit::Interruptions, f[SystemIndex::Saifi]);
    Row(csv, "SAIDI", r.saidi, unit::CustomerHours, f[SystemIndex::Saidi]);
    Row(csv, "CAIFI", r.caifi, "", unit::AffectedInterruptions, f[SystemIndex::Caifi]);
    Row(csv, "CAIDI", r.caidi, unit::HoursPerInterruption, f[SystemIndex::Caidi]);
    Row(csv, "ASUI", r.asui, "", unit::Fraction, f[SystemIndex::Asui]);
    Row(csv, "ASAI", r.asai, "", unit::Fraction, f[SystemIndex::Asai]);
    Row(csv, "ENS", r.ens, unit::Energy, f[SystemIndex::Ens]);
    Row(csv, "AENS", r.aens, "", unit::CustomerEnergy, f[SystemIndex::Aens]);
    Row(csv, "ACCI", r.acci, "", unit::AffectedEnergy, f[SystemIndex::Acci]);
    // The further indices that were measured, as the JSON's "further" has them.
    for (auto i = static_cast<size_t>(SystemIndex::Maifi); i < SystemIndexCount; ++i) {
        const auto index = static_cast<SystemIndex>(i);
        if (!f.Measured(index))
            continue;
        const SystemIndexInfo& info = InfoOf(index);
        Row(csv, info.name, f[index].value, "", info.unit, f[index]);
    }
    return csv;
}

std::string LoadPointsCsv(const RunResult& r) {
    const IndexIntervals& f = r.intervals;
    std::string csv = "name,customers,failureRate,failureRateAccuracy,averageOutageDuration,"
                      "averageOutageDurationAccuracy,unavailability,unavailabilityAccuracy,"
                      "energyNotSupplied,energyNotSuppliedAccuracy,sustained,momentary,cost,iear\n";
    for (size_t k = 0; k < r.loadPoints.size(); ++k) {
        const LoadPointResult& lp = r.loadPoints[k];
        const LoadIntervalFigures fig = k < f.loads.size() ? f.loads[k] : LoadIntervalFigures{};
        const auto measured = [](bool shown, double value) {
            return shown ? CsvNumber(value) : std::string();
        };
        csv += CsvField(lp.name) + ',' + std::to_string(lp.customers) + ',' + Pair(lp.failureRate) +
               ',' + Pair(lp.outageDuration) + ',' + Pair(lp.unavailability) + ',' +
               Pair(lp.energyNotSupplied) + ',' + CsvNumber(fig.sustained.value) + ',' +
               measured(f.momentaryVisible, fig.momentary.value) + ',' +
               measured(fig.costed, fig.cost.value) + ',' + measured(fig.costed, fig.iear.value) +
               '\n';
    }
    return csv;
}

} // namespace orvane::cli
