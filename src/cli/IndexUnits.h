#pragma once

namespace orvane::cli {

// The units of the figures a run measures, as the JSON and CSV results name them. Energy is in
// the unit of the load points' average and peak demand (MW gives MWh) times hours.
namespace unit {
inline constexpr const char* Interruptions = "interruptions/customer/year";
inline constexpr const char* AffectedInterruptions = "interruptions/affected customer/year";
inline constexpr const char* CustomerHours = "hours/customer/year";
inline constexpr const char* HoursPerInterruption = "hours/interruption";
inline constexpr const char* Fraction = "fraction of the time";
inline constexpr const char* Energy = "demand unit x hours/year";
inline constexpr const char* CustomerEnergy = "demand unit x hours/customer/year";
inline constexpr const char* AffectedEnergy = "demand unit x hours/affected customer/year";
inline constexpr const char* PerYear = "interruptions/year";
inline constexpr const char* HoursPerYear = "hours/year";
inline constexpr const char* Cost = "cost/year";
inline constexpr const char* CostPerEnergy = "cost/(demand unit x hour)";
} // namespace unit

} // namespace orvane::cli
