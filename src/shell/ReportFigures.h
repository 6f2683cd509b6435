#pragma once

#include <map>
#include <string>
#include <vector>

namespace orvane {

// One figure as the text report prints it, with its relative accuracy when it has one.
struct ReportFigure {
    std::string value;
    std::string accuracy; // "0.5%"; empty for the derived indices
    std::string interval; // "[0.60072, 0.61282]", the 95% interval; empty in older reports
};

struct LoadPointFigures {
    std::string name;
    ReportFigure failureRate;
    ReportFigure outageDuration;
    ReportFigure unavailability;
    ReportFigure energyNotSupplied;
};

// The figures of a finished text report, read back for the result form.
struct ReportFigures {
    bool valid = false; // the report holds the system indices
    std::string error;  // the parse error line of a network that could not be read
    std::string years;  // "30000"
    std::string time;   // "3:30"
    std::string speed;  // "142.56"
    std::map<std::string, ReportFigure> system; // "SAIFI", ..., "ACCI"
    std::vector<LoadPointFigures> loadPoints;   // in report order, full names
    // The closing "Further indices" section; all empty for reports written before it existed.
    std::map<std::string, ReportFigure> further; // "MAIFI", "CEMI-1", "ECOST", ...: value, interval
    std::string momentaryNote;                   // why no momentary interruption could be seen
    std::vector<std::string> worstServed;        // load point names, worst first
};

// Reads the text of a text report.
ReportFigures ParseTextReport(const std::string& text);
// Reads the text report that goes with an HTML report (the same path ending in .txt).
ReportFigures ReadReportFigures(const std::string& htmlPath);
// The text report beside an HTML report.
std::string TextReportPath(const std::string& htmlPath);

} // namespace orvane
