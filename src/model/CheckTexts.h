#pragma once

#include "model/CostPoint.h"

#include <string>

namespace orvane {

// The fixed texts of the Build commands (Debug, Generate NDL, Simulate) and the lines of the
// "NDL Errors" list, kept apart from any window so that the GUI and orvane-cli say the same.

inline constexpr const char* NdlErrorsCaption = "NDL Errors";
inline constexpr const char* CheckPassedMessage = "Checking completed : No error found!";
inline constexpr const char* DebugFirstMessage = "Error : Please debug the network!";

// "Checking completed : Errors found in <title>.vlm".
std::string CheckFailedMessage(const std::string& title);

// What the "Network NDL" window shows instead of NDL when the check fails.
std::string GeneratorErrorText();

// The list label of a component type, keyed by its type-order name ("Line", "Bus Bar", ...):
// "Line at  (" and so on; empty for an unknown name.
std::string NotConnectedLabel(const std::string& typeName);

// One list line: "Line at  (120, 40)  (200, 40)  not connected".
std::string NotConnectedLine(const std::string& typeName, int x1, int y1, int x2, int y2);
// One list line for a one-point component: "Load Point at  (300, 80)  not connected".
std::string NotConnectedLine(const std::string& typeName, int x, int y);

// A load point name must survive NDL's string rule: no '"', '\\', '#', '$', line feed,
// carriage return or NUL. The dialog refuses such names and the check fails on them.
bool NdlNameIsValid(const std::string& name);
// Why a name cannot stand, as "contains '#' and '$', which NDL cannot carry"; empty when valid.
std::string NdlNameProblem(const std::string& name);
// The list line of a load point whose name cannot stand:
// "Load point \"A#1\" at (120, 80): its name contains '#', which NDL cannot carry; rename it."
std::string BadNameLine(const std::string& name, int x, int y);

// A cost curve must pass NDL's checks as the generator writes it (six significant digits):
// finite numbers no larger than 1e100, hours not negative and rising strictly from point to
// point, costs not negative. Why it cannot stand, as "point 2 has negative hours" (points
// counted from 1); empty when valid, as an empty curve is.
std::string CostCurveProblem(const CCostCurve& curve);
// The list line of a load point whose cost curve cannot stand:
// "Load point \"LP\" at (120, 80): in its cost curve, point 2 has negative hours; correct it."
std::string BadCostLine(const std::string& name, int x, int y, const std::string& problem);

} // namespace orvane
