#include "shell/ReportFigures.h"

#include "engine/SystemIndex.h"

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

// Whether name is one of the system indices from `from` up to, not including, `to`.
bool NamesIndex(const std::string& name, SystemIndex from, SystemIndex to) {
    for (auto i = static_cast<size_t>(from); i < static_cast<size_t>(to); ++i)
        if (name == SystemIndexInfos[i].name)
            return true;
    return false;
}

// SAIFI to ACCI, the indices of the summary.
bool IsClassicIndex(const std::string& name) {
    return NamesIndex(name, SystemIndex::Saifi, SystemIndex::Maifi);
}

// "NAME = rest" with NAME padded by blanks; false when the line has no '='.
bool SplitAssignment(const std::string& line, std::string& name, std::string& rest) {
    const auto eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    name = Trim(line.substr(0, eq));
    rest = Trim(line.substr(eq + 1));
    return !name.empty();
}

// "0.60677  [0.60072, 0.61282]" (closing section).
ReportFigure SplitInterval(const std::string& rest) {
    ReportFigure figure;
    const auto open = rest.find('[');
    figure.value = Trim(rest.substr(0, open));
    if (open != std::string::npos)
        figure.interval = Trim(rest.substr(open));
    return figure;
}

bool IsFurtherIndex(const std::string& name) {
    return NamesIndex(name, SystemIndex::Maifi, SystemIndex::Count);
}

// The closing section prints a load point's name in 13 columns; the full name is the one load
// point whose name starts so, or the printed one when it fits or is ambiguous.
std::string FullLoadPointName(const std::string& printed, const ReportFigures& figures) {
    const std::string column = printed.substr(0, 13);
    std::string name = column;
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    const std::string* found = nullptr;
    for (const LoadPointFigures& lp : figures.loadPoints) {
        std::string head = lp.name.substr(0, 13);
        head.resize(13, ' ');
        if (head == column) {
            if (found)
                return name;
            found = &lp.name;
        }
    }
    return found ? *found : name;
}

// Where a line of the closing section stands: each part starts with its heading after a rule.
struct FurtherState {
    bool inside = false;
    bool heading = false; // the next line is a part's heading
    std::string part;
};

// Reads one line of the closing section; false once its per load point parts begin, which
// the form does not show.
bool ReadFurtherLine(const std::string& raw, FurtherState& state, ReportFigures& figures) {
    const std::string line = Trim(raw);
    if (line.size() >= 10 && line.find_first_not_of('-') == std::string::npos) {
        state.heading = true;
        return true;
    }
    if (state.heading) {
        state.heading = false;
        state.part = line;
        return !StartsWith(line, "Load Point: ");
    }
    if (StartsWith(state.part, "Worst-served")) {
        if (raw.size() > 13 && raw.find(" hours/year, ", 13) != std::string::npos)
            figures.worstServed.push_back(FullLoadPointName(raw, figures));
        return true;
    }
    std::string name, rest;
    if (SplitAssignment(line, name, rest)) {
        const auto classic = figures.system.find(name);
        if (state.part == "Classic indices" && classic != figures.system.end())
            classic->second.interval = SplitInterval(rest).interval;
        else if (IsFurtherIndex(name))
            figures.further[name] = SplitInterval(rest);
    } else if (state.part == "Momentary interruptions" && !line.empty() &&
               !StartsWith(line, "Interruptions of at most")) {
        figures.momentaryNote = line;
    }
    return true;
}

} // namespace

ReportFigures ParseTextReport(const std::string& text) {
    ReportFigures figures;
    std::istringstream in(text);
    std::string raw;
    LoadPointFigures* current = nullptr;
    FurtherState further;
    while (std::getline(in, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const std::string line = Trim(raw);
        if (further.inside) {
            if (!ReadFurtherLine(raw, further, figures))
                break;
            continue;
        }
        // The closing section repeats the indices and load points with their intervals.
        if (line == "Further indices") {
            further.inside = true;
            continue;
        }
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
        if (IsClassicIndex(name) && !figures.system.count(name)) {
            figures.system[name] = SplitFigure(rest);
            current = nullptr;
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
