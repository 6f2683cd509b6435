#pragma once

#include <string>

namespace orvane {

class Output;
struct IndexIntervals;
struct IntervalFigure;

// The closing section of the final report: every index with its 95% interval, momentary
// interruptions, the customer-based indices, interruption costs and the worst-served load points,
// in the text report and the HTML report. Everything before it is left as it always was.
void WriteIntervalReport(Output& out, const IndexIntervals& f);

// A figure as the closing section prints it: five decimals, or eight for a `fine` one (a
// probability close to 0 or 1).
std::string IntervalNumber(double value, bool fine);

// "0.12345  [0.11000, 0.13690]", the value and its interval with as many decimals as the reports
// give the index.
std::string IntervalText(const IntervalFigure& f, bool fine);

// The sentence that stands for MAIFI and MAIFIe when a quantum is longer than the momentary
// limit, so that no interruption can end within it. Empty when they can be measured.
std::string MomentaryNote(const IndexIntervals& f);

} // namespace orvane
