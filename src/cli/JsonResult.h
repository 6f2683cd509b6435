#pragma once

#include "run/Simulator.h"

#include <string>

namespace orvane::cli {

// The version of the layout JsonResult writes; docs/json-format.md describes it. Raised when a
// field changes meaning or goes away, not when one is added.
inline constexpr int JsonFormatVersion = 1;

// Every system index and every load point's indices with their relative accuracies and units,
// the settings the run went by and why it stopped, as JSON for scripts and spreadsheets.
// Accuracies are fractions (0.05 is 5 %).
std::string JsonResult(const RunResult& result, const std::string& network);

} // namespace orvane::cli
