#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

// The network's indices that carry a 95% interval, each a ratio of yearly sums.
enum class SystemIndex : uint8_t {
    Saifi,
    Saidi,
    Caifi,
    Caidi,
    Asui,
    Asai,
    Ens,
    Aens,
    Acci,
    Maifi,
    MaifiE,
    Cemi1,
    Cemi2,
    Cemi3,
    Cemi4,
    Cemi5,
    Celid1,
    Celid3,
    Celid8,
    Ecost,
    Iear,
    Count
};

constexpr size_t SystemIndexCount = static_cast<size_t>(SystemIndex::Count);

// The longest interruption, in minutes, that counts as momentary unless a network says
// otherwise (IEEE 1366), and the most a network may say.
constexpr double DefaultMomentaryMinutes = 5.0;
constexpr double MaxMomentaryMinutes = 1440.0;

// The thresholds of the customer-based indices: more than n sustained interruptions in a year,
// an outage longer than t hours.
constexpr uint32_t CemiFirst = 1;
constexpr size_t CemiCount =
    static_cast<size_t>(SystemIndex::Cemi5) - static_cast<size_t>(SystemIndex::Cemi1) + 1;
constexpr std::array<double, 3> CelidHours = {1.0, 3.0, 8.0};

// The hours of a simulated year (365 days), which ASUI and ASAI divide by.
constexpr double YearHours = 8760.0;

struct SystemIndexInfo {
    const char* name; // as reports and JSON name it
    const char* unit; // in the planner's words, as summaries, JSON and CSV give it
    bool fine;        // printed with eight decimals (a probability close to 0 or 1)
};

constexpr std::array<SystemIndexInfo, SystemIndexCount> SystemIndexInfos = {{
    {"SAIFI", "interruptions/customer/year", false},
    {"SAIDI", "hours/customer/year", false},
    {"CAIFI", "interruptions/affected customer/year", false},
    {"CAIDI", "hours/interruption", false},
    {"ASUI", "fraction of the time", true},
    {"ASAI", "fraction of the time", true},
    {"ENS", "demand unit x hours/year", false},
    {"AENS", "demand unit x hours/customer/year", false},
    {"ACCI", "demand unit x hours/affected customer/year", false},
    {"MAIFI", "momentary interruptions/customer/year", false},
    {"MAIFIe", "momentary events/customer/year", false},
    {"CEMI-1", "share of customers with more than 1 sustained interruption/year", false},
    {"CEMI-2", "share of customers with more than 2 sustained interruptions/year", false},
    {"CEMI-3", "share of customers with more than 3 sustained interruptions/year", false},
    {"CEMI-4", "share of customers with more than 4 sustained interruptions/year", false},
    {"CEMI-5", "share of customers with more than 5 sustained interruptions/year", false},
    {"CELID-1h", "share of customers with an outage longer than 1 hour/year", false},
    {"CELID-3h", "share of customers with an outage longer than 3 hours/year", false},
    {"CELID-8h", "share of customers with an outage longer than 8 hours/year", false},
    {"ECOST", "cost/year", false},
    {"IEAR", "cost/(demand unit x hour)", false},
}};

constexpr bool IsMomentary(SystemIndex index) {
    return index == SystemIndex::Maifi || index == SystemIndex::MaifiE;
}

constexpr bool IsCost(SystemIndex index) {
    return index == SystemIndex::Ecost || index == SystemIndex::Iear;
}

// Whether a run can measure the index: momentary ones need quanta no longer than the limit,
// costs a damage function.
constexpr bool Measurable(SystemIndex index, bool momentaryVisible, bool costed) {
    return (!IsMomentary(index) || momentaryVisible) && (!IsCost(index) || costed);
}

// The index whose yearly spread an index's interval takes: ASAI is 1 - ASUI year by year, so it
// is exactly as uncertain, and its own residuals, differences of numbers near 8,760 hours per
// customer, would lose the digits that matter.
constexpr SystemIndex SpreadIndex(SystemIndex index) {
    return index == SystemIndex::Asai ? SystemIndex::Asui : index;
}

constexpr const SystemIndexInfo& InfoOf(SystemIndex index) {
    return SystemIndexInfos[static_cast<size_t>(index)];
}

// One year's numerator and denominator of every index.
struct YearRatio {
    double x = 0.0;
    double y = 0.0;
};
using YearRatios = std::array<YearRatio, SystemIndexCount>;

} // namespace orvane
