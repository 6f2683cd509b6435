#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

class Output;
class Simulation;

// The rules that divide the text report's sections.
inline constexpr const char* ReportEquals =
    "==============================================================================\n";
inline constexpr const char* ReportDashes =
    "------------------------------------------------------------------------------\n";

// Writes the report for `years` simulated years after `elapsedMs` milliseconds. Only the final
// report reaches the files; an intermediate one goes to mask 1 only.
void WriteReport(Output& out, const Simulation& sim, uint32_t years, uint32_t elapsedMs, bool final,
                 const std::string& reportPath);

// The sums over the load points, accumulated as doubles in element order, and the indices
// derived from them. Divisions are plain floating-point ones: without customers, or without
// interrupted customers, an index is not finite.
struct DerivedIndices {
    double n = 0.0;  // customers
    double ci = 0.0; // customer interruptions per year
    double ca = 0.0; // customers affected per year
    double ch = 0.0; // customer outage hours per year
    double e = 0.0;  // energy not supplied per year
    double caifi = 0.0;
    double asui = 0.0;
    double asai = 0.0;
    double aens = 0.0;
    double acci = 0.0;
};
DerivedIndices ComputeIndices(const Simulation& sim);

// HTML text escaping (& < > " ') for names in text and attributes.
std::string HtmlEscape(std::string_view text);

// The anchor id of a load point's section: ASCII letters and digits kept, every other byte
// written as '_' followed by two upper-case hex digits. Names that are already plain letters and
// digits are unchanged, so "SAIFI" etc. stay as they are. The GUI jumps to
// report#AnchorName(name).
std::string AnchorName(std::string_view name);

} // namespace orvane
