#include "cli/CsvResult.h"

#include "base/ShortestNumber.h"

#include <cmath>

namespace orvane::cli {

namespace {

void Row(std::string& csv, SystemIndex index, double value, const std::string& accuracy,
         const IndexIntervals& f) {
    const SystemIndexInfo& info = InfoOf(index);
    csv += std::string(info.name) + ',' + CsvNumber(value) + ',' + accuracy + ',' +
           CsvField(info.unit) + ',' + CsvNumber(f[index].low) + ',' + CsvNumber(f[index].high) +
           '\n';
}

void Row(std::string& csv, SystemIndex index, const IndexResult& r, const IndexIntervals& f) {
    Row(csv, index, r.mean, CsvNumber(r.accuracy), f);
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
    return std::isfinite(x) ? ShortestNumber(x) : std::string();
}

std::string SystemCsv(const RunResult& r) {
    const IndexIntervals& f = r.intervals;
    std::string csv = "index,value,relativeAccuracy,unit,low95,high95\n";
    Row(csv, SystemIndex::Saifi, r.saifi, f);
    Row(csv, SystemIndex::Saidi, r.saidi, f);
    Row(csv, SystemIndex::Caifi, r.caifi, "", f);
    Row(csv, SystemIndex::Caidi, r.caidi, f);
    Row(csv, SystemIndex::Asui, r.asui, "", f);
    Row(csv, SystemIndex::Asai, r.asai, "", f);
    Row(csv, SystemIndex::Ens, r.ens, f);
    Row(csv, SystemIndex::Aens, r.aens, "", f);
    Row(csv, SystemIndex::Acci, r.acci, "", f);
    // The further indices that were measured, as the JSON's "further" has them.
    for (auto i = static_cast<size_t>(SystemIndex::Maifi); i < SystemIndexCount; ++i) {
        const auto index = static_cast<SystemIndex>(i);
        if (f.Measured(index))
            Row(csv, index, f[index].value, "", f);
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
