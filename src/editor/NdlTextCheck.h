#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// What checking NDL text found: the drawing check's message when the text would simulate, else
// the first error as "SOURCE:LINE:COLUMN: error: ...", as orvane-cli check prints it.
struct NdlTextCheck {
    bool passed = false;
    std::string message;
};

// The lines that report an error of the NDL text named source, as "SOURCE: error: ..." or
// "SOURCE:LINE:COLUMN: error: ...". The check and a failed run of an NDL file word them alike.
std::string NoSystemLine(const std::string& source);
std::string NoLoadPointsLine(const std::string& source);
std::string ParseErrorLine(const std::string& source, uint32_t line, uint32_t column,
                           const std::string& error);

// Reads text as a simulation would, down to the network it describes, without simulating or
// writing a report. source names the text in the message.
NdlTextCheck CheckNdlText(const std::string& text, const std::string& source);

} // namespace orvane
