#include "engine/Report.h"

#include "base/Output.h"
#include "engine/Estimate.h"
#include "engine/IndexIntervals.h"
#include "engine/IntervalReport.h"
#include "engine/Simulation.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace orvane {

namespace {

// printf into a string of any length: a mean of 1e300 printed with "%.5lf" has 300 digits.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}

double Percent(const Estimate& e) {
    return e.RelativeAccuracy() * 100.0;
}

// One of the four estimates shown for every load point, in report order, with its HTML label and
// text line.
struct Shown {
    const Estimate LoadEstimates::*estimate;
    const char* label;
    const char* line;
};

constexpr Shown kShown[] = {
    {&LoadEstimates::frequency, "<B>Failure rate = ", "Failure Rate = %.5lf (%.2lf%%)\n\n"},
    {&LoadEstimates::outageDuration,
     "<B>Average Outage Duration = ", "Average Outage Duration = %.5lf (%.2lf%%)\n\n"},
    {&LoadEstimates::outageTime, "<B>Unavailability = ", "Unavailability = %.5lf (%.2lf%%)\n\n"},
    {&LoadEstimates::energyNotSupplied,
     "<B>Energy Not Supplied = ", "Energy Not Supplied = %.5lf (%.2lf%%)\n\n"},
};

// Heads of the detail table rows, in the order of kShown.
constexpr const char* kDetailHeads[] = {
    "<tr><td width=\"50%\" bgcolor=\"#99CCFF\"><font size=\"2\">Failure Rate</font></td><td "
    "width=\"50%\">",
    "<tr><td width=\"50%\" bgcolor=\"#99CCFF\"><font size=\"2\">Avg Outage Dur.</td><td "
    "width=\"50%\">",
    "<tr><td width=\"50%\" bgcolor=\"#99CCFF\"><font size=\"2\">Unavailability</td><td "
    "width=\"50%\">",
    "<tr><td width=\"50%\" bgcolor=\"#99CCFF\"><font size=\"2\">ENS</td><td width=\"50%\">",
};

struct Timing {
    uint32_t minutes;
    uint32_t seconds;
    double speed;
};

std::string OverallBlock(uint32_t years, const Timing& t) {
    return "<br><b><u>Overall Result</u></b><br><br>"
           "<table border=\"1\" width=\"300\" cellspacing=\"1\"><tr><td width=\"150\" "
           "bgcolor=\"#99CCFF\">"
           "<font size=\"2\">Simulation years</font></td><td width=\"150\">"
           "<font size=\"2\">" +
           Format("%u", years) +
           "</font>"
           "</td></tr><tr><td width=\"150\" bgcolor=\"#99CCFF\"><font size = \"2\">Simulation "
           "time</font></td><td width=\"150\">"
           "<font size=\"2\">" +
           Format("%u", t.minutes) + ":" + Format("%02u", t.seconds) +
           "</font>"
           "</td></tr><tr><td width=\"150\" bgcolor=\"#99CCFF\"><font size = \"2\">Last recorded "
           "speed</font></td><td width=\"150\">"
           "<font size=\"2\">" +
           Format("%.2lf", t.speed) + " years/sec</font></td></tr></table>";
}

constexpr const char* kLoadTableHead =
    "&nbsp;<table border=\"2\" width=\"100%\"><tr><td width=\"20%\" bgcolor=\"#99CCFF\"><font "
    "size=\"2\">Load Point</font></td>"
    "<td width=\"20%\" bgcolor=\"#99CCFF\"><font size=\"2\">Failure Rate</font></td><td "
    "width=\"20%\" bgcolor=\"#99CCFF\"><font size=\"2\">Avg Outage Dur.</font></td>"
    "<td width=\"20%\" bgcolor=\"#99CCFF\"><font size=\"2\">Unavailability</font></td><td "
    "width=\"20%\" bgcolor=\"#99CCFF\"><font size=\"2\">ENS</font></td></tr>";

std::string LoadRow(const SimElement& load, const std::string& href) {
    std::string row = "<tr><td width=\"20%\" bgcolor=\"#99CCFF\"><font size=\"2\"><a href=\"" +
                      href + "#" + AnchorName(load.name) + "\">" + HtmlEscape(load.name) +
                      "</a></font></td>";
    for (const Shown& s : kShown) {
        const Estimate& e = load.estimates.*s.estimate;
        row += "<td width=\"20%\"><font size=\"2\">" + Format("%.5lf", e.Mean()) + "&nbsp;-&nbsp;" +
               Format("%.1lf", Percent(e)) + "%</font></td>";
    }
    return row + "</tr>";
}

std::string LinkedIndexRow(const std::string& href, const char* name, const Estimate& e) {
    return std::string("<tr><td width=\"100\" bgcolor=\"#99CCFF\"><font size=\"2\"><a href=\"") +
           href + "#" + name + "\">" + name +
           "</a></font></td><td width=\"200\"><font size=\"2\">" + Format("%.5lf", e.Mean()) +
           " - " + Format("%.1lf", Percent(e)) + "% </font></td></tr>";
}

std::string PlainIndexRow(const char* name, const std::string& value) {
    return std::string("<tr><td width=\"100\" bgcolor=\"#99CCFF\"><font size=\"2\">") + name +
           "</font></td><td width=\"200\"><font size=\"2\">" + value + "</font></td></tr>";
}

void WriteLoadDetail(Output& out, const SimElement& load) {
    out.OutputText(2, "%s", ReportEquals);
    out.OutputText(2, "Load Point: %s\n", load.name.c_str());

    const std::string anchor = AnchorName(load.name);
    std::string html = "<p><u><b><a name = \"" + anchor + "\" id = \"" + anchor +
                       "\">Load Point - " + HtmlEscape(load.name) +
                       "</a></b></u></p><table border=\"1\" width=\"300\">";
    for (std::size_t i = 0; i < std::size(kShown); ++i) {
        const Estimate& e = load.estimates.*kShown[i].estimate;
        html +=
            std::string(kDetailHeads[i]) + "<font size=\"2\">" + Format("%.5lf", e.Mean()) + " - " +
            Format("%.2lf", Percent(e)) + "%" +
            (i + 1 < std::size(kShown) ? "</font></td></tr>" : "</font></td></tr></table><br><br>");
    }
    out.OutputHtml(html);

    for (std::size_t i = 0; i < std::size(kShown); ++i) {
        const Estimate& e = load.estimates.*kShown[i].estimate;
        out.OutputHtml(std::string("<hr size=\"5\" align=\"left\" width=\"300\">") +
                       kShown[i].label + Format("%.5lf", e.Mean()) + " - " +
                       Format("%.2lf", Percent(e)) + "% </B><br>");
        out.OutputText(2, "%s", ReportDashes);
        out.OutputText(2, kShown[i].line, e.Mean(), Percent(e));
        e.WriteHistogram(out, 2);
        out.OutputHtml(i + 1 < std::size(kShown) ? "<br><br>" : "<br><br><hr><br><br><br><br>");
    }
}

void WriteNetworkDetail(Output& out, const SystemEstimates& system) {
    struct Index {
        const char* name;
        const Estimate& estimate;
        const char* line;
    };
    const Index indices[] = {
        {"SAIFI", system.saifi, "SAIFI = %.5lf (%.2lf%%)\n\n"},
        {"SAIDI", system.saidi, "SAIDI = %.5lf (%.2lf%%)\n\n"},
        {"CAIDI", system.caidi, "CAIDI = %.5lf (%.2lf%%)\n\n"},
        {"ENS", system.ens, "ENS = %.5lf (%.2lf%%)\n\n"},
    };

    out.OutputHtml("<u><B>Detailed overall network value</B></u><br><br>");
    out.OutputText(2, "%s", ReportEquals);
    bool first = true;
    for (const Index& index : indices) {
        const Estimate& e = index.estimate;
        if (!first)
            out.OutputText(2, "%s", ReportDashes);
        out.OutputText(2, index.line, e.Mean(), Percent(e));
        out.OutputHtml(
            std::string(first ? "<br>" : "<hr size=\"5\" align=\"left\" width=\"300\"><br><br>") +
            "<B><a name = \"" + index.name + "\" id = \"" + index.name + "\">" + index.name +
            "</a> = " + Format("%.5lf", e.Mean()) + " - " + Format("%.2lf", Percent(e)) +
            "% </B><br><br>");
        e.WriteHistogram(out, 2);
        out.OutputHtml("<br><br>");
        first = false;
    }
    out.OutputText(2, "%s", ReportEquals);
}

} // namespace

DerivedIndices ComputeIndices(const Simulation& sim) {
    DerivedIndices d;
    for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
        const SimElement& load = sim.Element(i);
        if (load.kind != ElementKind::Load)
            continue;
        d.n += load.customers;
        d.ci += load.customers * load.estimates.frequency.Mean();
        d.ca += load.customers * load.estimates.interruptedYear.Mean();
        d.ch += load.customers * load.estimates.outageTime.Mean();
        d.e += load.estimates.energyNotSupplied.Mean();
    }
    // With no customer ever interrupted there is nothing per affected customer: 0, not 0/0.
    d.caifi = d.ca > 0.0 ? d.ci / d.ca : 0.0;
    d.asui = (d.ch / YearHours) / d.n;
    d.asai = 1.0 - d.asui;
    d.aens = d.e / d.n;
    d.acci = d.ca > 0.0 ? d.e / d.ca : 0.0;
    return d;
}

std::string HtmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string AnchorName(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string anchor;
    anchor.reserve(name.size());
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9');
        if (plain) {
            anchor += c;
        } else {
            anchor += '_';
            anchor += kHex[byte >> 4];
            anchor += kHex[byte & 0xF];
        }
    }
    return anchor;
}

void WriteReport(Output& out, const Simulation& sim, uint32_t years, uint32_t elapsedMs, bool final,
                 const std::string& reportPath) {
    const unsigned m = final ? 2 : 1;
    // There is no hour field: long runs show minutes above 59.
    const Timing timing{elapsedMs / 1000 / 60, (elapsedMs / 1000) % 60,
                        static_cast<double>(years) / static_cast<double>(elapsedMs) * 1000.0};
    const std::string href = HtmlEscape(reportPath);
    const SystemEstimates& system = sim.System();

    std::vector<const SimElement*> loads;
    for (uint32_t i = 0; i < sim.ElementCount(); ++i)
        if (sim.Element(i).kind == ElementKind::Load)
            loads.push_back(&sim.Element(i));

    out.OutputText(m, "simulation years: %u, time: %u:%02u, speed: %.2lf years/sec    \n\n", years,
                   timing.minutes, timing.seconds, timing.speed);
    if (final) {
        out.OutputHtml(OverallBlock(years, timing));
        out.OutputHtml(kLoadTableHead);
    }

    out.OutputText(m, "|Load Point   ");
    out.OutputText(m, "|  Failure Rate ");
    out.OutputText(m, "| Avg Outage Dur");
    out.OutputText(m, "| Unavailability");
    out.OutputText(m, "|      ENS      ");
    out.OutputText(m, "|\n");

    for (const SimElement* load : loads) {
        out.OutputText(m, "|%-13.13s", load->name.c_str());
        for (const Shown& s : kShown) {
            const Estimate& e = load->estimates.*s.estimate;
            out.OutputText(m, "|%9.5lf%5.1lf%%", e.Mean(), Percent(e));
        }
        out.OutputText(m, "|\n");
        if (final)
            out.OutputHtml(LoadRow(*load, href));
    }

    const DerivedIndices d = ComputeIndices(sim);
    out.OutputText(m, "\n");
    out.OutputText(m, "SAIFI = %9.5lf    %5.1lf%%\n", system.saifi.Mean(), Percent(system.saifi));
    out.OutputText(m, "SAIDI = %9.5lf    %5.1lf%%\n", system.saidi.Mean(), Percent(system.saidi));
    out.OutputText(m, "CAIFI = %9.5lf\n", d.caifi);
    out.OutputText(m, "CAIDI = %9.5lf    %5.1lf%%\n", system.caidi.Mean(), Percent(system.caidi));
    out.OutputText(m, "ASUI  = %12.8lf\n", d.asui);
    out.OutputText(m, "ASAI  = %12.8lf\n", d.asai);
    out.OutputText(m, "ENS   = %9.5lf    %5.1lf%%\n", system.ens.Mean(), Percent(system.ens));
    out.OutputText(m, "AENS  = %9.5lf\n", d.aens);
    out.OutputText(m, "ACCI  = %9.5lf\n", d.acci);

    if (!final)
        return;

    out.OutputHtml(
        "</table><br><table border=\"1\" width=\"300\">" +
        LinkedIndexRow(href, "SAIFI", system.saifi) + LinkedIndexRow(href, "SAIDI", system.saidi) +
        PlainIndexRow("CAIFI", Format("%.5lf", d.caifi)) +
        LinkedIndexRow(href, "CAIDI", system.caidi) +
        PlainIndexRow("ASUI", Format("%.8lf", d.asui)) +
        PlainIndexRow("ASAI", Format("%.8lf", d.asai)) + LinkedIndexRow(href, "ENS", system.ens) +
        PlainIndexRow("AENS", Format("%.5lf", d.aens)) +
        PlainIndexRow("ACCI", Format("%.5lf", d.acci)) +
        "</table><br><br><hr><br><br><br><br><br>");

    out.OutputText(2, "\n");
    for (const SimElement* load : loads)
        WriteLoadDetail(out, *load);
    WriteNetworkDetail(out, system);
    WriteIntervalReport(out, ComputeIntervals(sim));
}

} // namespace orvane
