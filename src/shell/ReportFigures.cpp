#include "shell/ReportFigures.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace orvane {

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// "0.60677      0.5%" or "0.00017039" (summary lines), "0.52143 (0.80%)" (detail lines).
ReportFigure SplitFigure(const std::string& rest) {
    std::istringstream in(rest);
    ReportFigure figure;
    in >> figure.value;
    std::string accuracy;
    in >> accuracy;
    if (accuracy.size() > 2 && accuracy.front() == '(' && accuracy.back() == ')')
        accuracy = accuracy.substr(1, accuracy.size() - 2);
    if (!accuracy.empty() && accuracy.back() == '%')
        figure.accuracy = accuracy;
    return figure;
}

constexpr std::array kSystemNames = {"SAIFI", "SAIDI", "CAIFI", "CAIDI", "ASUI",
                                     "ASAI",  "ENS",   "AENS",  "ACCI"};

// "NAME = rest" with NAME padded by blanks; false when the line has no '='.
bool SplitAssignment(const std::string& line, std::string& name, std::string& rest) {
    const auto eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    name = Trim(line.substr(0, eq));
    rest = Trim(line.substr(eq + 1));
    return !name.empty();
}

} // namespace

ReportFigures ParseTextReport(const std::string& text) {
    ReportFigures figures;
    std::istringstream in(text);
    std::string raw;
    LoadPointFigures* current = nullptr;
    while (std::getline(in, raw)) {
        const std::string line = Trim(raw);
        if (StartsWith(line, "error: ")) {
            figures.error = line;
            continue;
        }
        if (StartsWith(line, "simulation years: ")) {
            unsigned years = 0, minutes = 0, seconds = 0;
            char speed[64] = {};
            if (std::sscanf(line.c_str(), "simulation years: %u, time: %u:%u, speed: %63s", &years,
                            &minutes, &seconds, speed) == 4) {
                figures.years = std::to_string(years);
                char time[32];
                std::snprintf(time, sizeof time, "%u:%02u", minutes, seconds);
                figures.time = time;
                figures.speed = speed;
            }
            continue;
        }
        if (StartsWith(line, "Load Point: ")) {
            figures.loadPoints.push_back({});
            current = &figures.loadPoints.back();
            // The name is all of the rest, blanks included.
            current->name = raw.substr(raw.find("Load Point: ") + 12);
            while (!current->name.empty() &&
                   (current->name.back() == '\r' || current->name.back() == '\n'))
                current->name.pop_back();
            continue;
        }
        std::string name, rest;
        if (!SplitAssignment(line, name, rest))
            continue;
        if (current) {
            if (name == "Failure Rate")
                current->failureRate = SplitFigure(rest);
            else if (name == "Average Outage Duration")
                current->outageDuration = SplitFigure(rest);
            else if (name == "Unavailability")
                current->unavailability = SplitFigure(rest);
            else if (name == "Energy Not Supplied")
                current->energyNotSupplied = SplitFigure(rest);
        }
        // The summary comes before the detailed sections, which repeat some indices.
        for (const char* index : kSystemNames) {
            if (name == index && !figures.system.count(name)) {
                figures.system[name] = SplitFigure(rest);
                current = nullptr;
            }
        }
    }
    figures.valid = figures.system.count("SAIFI") != 0;
    return figures;
}

std::string TextReportPath(const std::string& htmlPath) {
    const auto dot = htmlPath.rfind('.');
    const auto slash = htmlPath.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return htmlPath + ".txt";
    return htmlPath.substr(0, dot) + ".txt";
}

ReportFigures ReadReportFigures(const std::string& htmlPath) {
    if (htmlPath.empty())
        return {};
    std::ifstream in(TextReportPath(htmlPath), std::ios::binary);
    if (!in)
        return {};
    std::ostringstream text;
    text << in.rdbuf();
    return ParseTextReport(text.str());
}

} // namespace orvane
