#include "engine/IntervalReport.h"

#include "base/Output.h"
#include "engine/IndexIntervals.h"
#include "engine/Report.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace orvane {

namespace {

struct Group {
    const char* heading;
    SystemIndex first;
    SystemIndex last;
};

constexpr Group kGroups[] = {
    {"Classic indices", SystemIndex::Saifi, SystemIndex::Acci},
    {"Momentary interruptions", SystemIndex::Maifi, SystemIndex::MaifiE},
    {"Customers with many or long interruptions (shares of all customers)", SystemIndex::Cemi1,
     SystemIndex::Celid8},
    {"Interruption cost", SystemIndex::Ecost, SystemIndex::Iear},
};

bool Shown(const IndexIntervals& f, const Group& g) {
    if (g.first == SystemIndex::Ecost)
        return f.costed;
    return true;
}

enum class Needs { Nothing, Momentary, Cost };

struct LoadRow {
    const char* label;
    IntervalFigure LoadIntervalFigures::*figure;
    Needs needs;
};

constexpr LoadRow kLoadRows[] = {
    {"Failure Rate", &LoadIntervalFigures::frequency, Needs::Nothing},
    {"Sustained", &LoadIntervalFigures::sustained, Needs::Nothing},
    {"Momentary", &LoadIntervalFigures::momentary, Needs::Momentary},
    {"Avg Outage Dur", &LoadIntervalFigures::duration, Needs::Nothing},
    {"Unavailability", &LoadIntervalFigures::unavailability, Needs::Nothing},
    {"ENS", &LoadIntervalFigures::energy, Needs::Nothing},
    {"ECOST", &LoadIntervalFigures::cost, Needs::Cost},
    {"IEAR", &LoadIntervalFigures::iear, Needs::Cost},
};

std::string Cell(const std::string& text, bool head) {
    return std::string(head ? "<td bgcolor=\"#99CCFF\"><font size=\"2\">"
                            : "<td><font size=\"2\">") +
           text + "</font></td>";
}

// A line of text across the three columns of a table.
std::string NoteRow(const std::string& text) {
    return "<tr><td colspan=\"3\"><font size=\"2\">" + HtmlEscape(text) + "</font></td></tr>";
}

std::string FigureRow(const std::string& label, const IntervalFigure& x, bool fine) {
    return "<tr>" + Cell(label, true) + Cell(IntervalNumber(x.value, fine), false) +
           Cell(IntervalNumber(x.low, fine) + " - " + IntervalNumber(x.high, fine), false) +
           "</tr>";
}

} // namespace

std::string IntervalNumber(double value, bool fine) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, fine ? "%.8f" : "%.5f", value);
    return buffer;
}

std::string IntervalText(const IntervalFigure& f, bool fine) {
    return IntervalNumber(f.value, fine) + "  [" + IntervalNumber(f.low, fine) + ", " +
           IntervalNumber(f.high, fine) + "]";
}

std::string MomentaryNote(const IndexIntervals& f) {
    if (f.momentaryVisible)
        return {};
    if (f.momentaryMinutes <= 0.0)
        return "The momentary limit is 0 minutes: every interruption counts as sustained.";
    char buffer[300];
    // A quantum must last at most the limit: 1440 / limit quanta a day, rounded up.
    const double needed = std::ceil(1440.0 / f.momentaryMinutes - 1e-9);
    if (needed > 1440.0)
        std::snprintf(buffer, sizeof buffer,
                      "No momentary interruption can be seen: the %g-minute momentary limit is "
                      "shorter than the shortest quantum, one minute at 1440 quanta per day.",
                      f.momentaryMinutes);
    else
        std::snprintf(buffer, sizeof buffer,
                      "No momentary interruption can be seen at %u quanta per day: a quantum "
                      "lasts longer than the %g-minute momentary limit. Use at least %.0f quanta "
                      "per day.",
                      f.quantsPerDay, f.momentaryMinutes, needed);
    return buffer;
}

void WriteIntervalReport(Output& out, const IndexIntervals& f) {
    char head[200];
    std::snprintf(head, sizeof head,
                  "95%% confidence intervals: normal approximation over the %" PRIu64
                  " yearly samples (ratios by the delta method).",
                  f.years);
    out.OutputText(2, "\nFurther indices\n%s%s\n", ReportEquals, head);
    std::string html = "<br><b><u>Further indices</u></b><br><br><font size=\"2\">" +
                       HtmlEscape(head) + "</font><br><br>";

    for (const Group& g : kGroups) {
        if (!Shown(f, g))
            continue;
        out.OutputText(2, "%s%s\n", ReportDashes, g.heading);
        html += "<b>" + HtmlEscape(g.heading) +
                "</b><br><table border=\"1\" cellspacing=\"1\"><tr>" + Cell("Index", true) +
                Cell("Value", true) + Cell("95% interval", true) + "</tr>";
        const bool momentary = g.first == SystemIndex::Maifi;
        if (momentary) {
            char limit[120];
            std::snprintf(limit, sizeof limit, "Interruptions of at most %g minutes.",
                          f.momentaryMinutes);
            out.OutputText(2, "%s\n", limit);
            html += NoteRow(limit);
        }
        const std::string note = momentary ? MomentaryNote(f) : std::string();
        if (!note.empty()) {
            out.OutputText(2, "%s\n", note.c_str());
            html += NoteRow(note) + "</table><br>";
            continue;
        }
        for (auto i = static_cast<size_t>(g.first); i <= static_cast<size_t>(g.last); ++i) {
            const SystemIndexInfo& info = SystemIndexInfos[i];
            const IntervalFigure& x = f.system[i];
            out.OutputText(2, "%-8s = %s\n", info.name, IntervalText(x, info.fine).c_str());
            html += FigureRow(info.name, x, info.fine);
        }
        html += "</table><br>";
    }

    out.OutputText(2, "%sWorst-served load points (by unavailability)\n", ReportDashes);
    html += "<b>Worst-served load points (by unavailability)</b><br><table border=\"1\" "
            "cellspacing=\"1\"><tr>" +
            Cell("Load Point", true) + Cell("Unavailability", true) + Cell("Failure Rate", true) +
            "</tr>";
    if (f.worst.empty())
        out.OutputText(2, "None was interrupted.\n");
    for (uint32_t place : f.worst) {
        const LoadIntervalFigures& load = f.loads[place];
        out.OutputText(2, "%-13.13s  %s hours/year, %s interruptions/year\n", load.name.c_str(),
                       IntervalNumber(load.unavailability.value, false).c_str(),
                       IntervalNumber(load.frequency.value, false).c_str());
        html += "<tr>" + Cell(HtmlEscape(load.name), true) +
                Cell(IntervalNumber(load.unavailability.value, false), false) +
                Cell(IntervalNumber(load.frequency.value, false), false) + "</tr>";
    }
    html += "</table><br>";

    for (const LoadIntervalFigures& load : f.loads) {
        out.OutputText(2, "%sLoad Point: %s\n", ReportDashes, load.name.c_str());
        html += "<b>Load Point - " + HtmlEscape(load.name) +
                "</b><br><table border=\"1\" cellspacing=\"1\">";
        for (const LoadRow& row : kLoadRows) {
            if ((row.needs == Needs::Cost && !load.costed) ||
                (row.needs == Needs::Momentary && !f.momentaryVisible))
                continue;
            const IntervalFigure& x = load.*row.figure;
            out.OutputText(2, "%-14s = %s\n", row.label, IntervalText(x, false).c_str());
            html += FigureRow(row.label, x, false);
        }
        html += "</table><br>";
    }
    out.OutputText(2, "%s", ReportEquals);
    out.OutputHtml(html);
}

} // namespace orvane
