#pragma once

#include <string>

namespace orvane {

// What checking NDL text found: the drawing check's message when the text would simulate, else
// the first error as "SOURCE:LINE:COLUMN: error: ...", as orvane-cli check prints it.
struct NdlTextCheck {
    bool passed = false;
    std::string message;
};

// Reads text as a simulation would, down to the network it describes, without simulating or
// writing a report. source names the text in the message.
NdlTextCheck CheckNdlText(const std::string& text, const std::string& source);

} // namespace orvane
