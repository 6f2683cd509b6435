#pragma once

#include "run/Simulator.h"

#include <string>

namespace orvane::cli {

// Every system index and every load point's indices with their relative accuracies, as JSON
// for scripts and spreadsheets. Accuracies are fractions (0.05 is 5 %).
std::string JsonResult(const RunResult& result, const std::string& network);

} // namespace orvane::cli
