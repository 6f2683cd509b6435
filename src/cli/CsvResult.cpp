#include "cli/CsvResult.h"

#include "cli/IndexUnits.h"

#include <charconv>
#include <cmath>

namespace orvane::cli {

namespace {

void Row(std::string& csv, const char* index, double value, const std::string& accuracy,
         const char* unit) {
    csv +=
        std::string(index) + ',' + CsvNumber(value) + ',' + accuracy + ',' + CsvField(unit) + '\n';
}

void Row(std::string& csv, const char* index, const IndexResult& r, const char* unit) {
    Row(csv, index, r.mean, CsvNumber(r.accuracy), unit);
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
    std::string csv = "index,value,relativeAccuracy,unit\n";
    Row(csv, "SAIFI", r.saifi, unit::Interruptions);
    Row(csv, "SAIDI", r.saidi, unit::CustomerHours);
    Row(csv, "CAIFI", r.caifi, "", unit::AffectedInterruptions);
    Row(csv, "CAIDI", r.caidi, unit::HoursPerInterruption);
    Row(csv, "ASUI", r.asui, "", unit::Fraction);
    Row(csv, "ASAI", r.asai, "", unit::Fraction);
    Row(csv, "ENS", r.ens, unit::Energy);
    Row(csv, "AENS", r.aens, "", unit::CustomerEnergy);
    Row(csv, "ACCI", r.acci, "", unit::AffectedEnergy);
    return csv;
}

std::string LoadPointsCsv(const RunResult& r) {
    std::string csv = "name,customers,failureRate,failureRateAccuracy,averageOutageDuration,"
                      "averageOutageDurationAccuracy,unavailability,unavailabilityAccuracy,"
                      "energyNotSupplied,energyNotSuppliedAccuracy\n";
    for (const LoadPointResult& lp : r.loadPoints)
        csv += CsvField(lp.name) + ',' + std::to_string(lp.customers) + ',' + Pair(lp.failureRate) +
               ',' + Pair(lp.outageDuration) + ',' + Pair(lp.unavailability) + ',' +
               Pair(lp.energyNotSupplied) + '\n';
    return csv;
}

} // namespace orvane::cli
