#pragma once

#include "engine/SystemIndex.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class Simulation;

// An index, half the width of its 95% confidence interval, and the interval itself, kept
// within the values the index can take (never below 0; a share or a fraction of the time never
// above 1), which the normal approximation alone does not know of.
struct IntervalFigure {
    double value = 0.0;
    double halfWidth = 0.0;
    double low = 0.0;
    double high = 0.0;
};

// A load point's indices with their intervals.
struct LoadIntervalFigures {
    std::string name;
    uint32_t customers = 0;
    IntervalFigure frequency;      // interruptions per year
    IntervalFigure sustained;      // sustained interruptions per year
    IntervalFigure momentary;      // momentary interruptions per year
    IntervalFigure duration;       // hours per interruption
    IntervalFigure unavailability; // hours per year
    IntervalFigure energy;         // energy not supplied per year
    bool costed = false;           // has a damage function; cost and iear mean something
    IntervalFigure cost;           // interruption cost per year
    IntervalFigure iear;           // cost per unit of energy not supplied
};

// The figures a run measures beyond the classic report: every index with its 95% interval
// (normal approximation over the yearly samples, ratios by the delta method), momentary
// interruptions, the customer-based indices, interruption costs and the worst-served load points.
struct IndexIntervals {
    uint64_t years = 0;
    uint32_t quantsPerDay = 0;
    double momentaryMinutes = DefaultMomentaryMinutes;
    // Whether a quantum is short enough for an interruption to end within the limit.
    bool momentaryVisible = false;
    bool costed = false; // some load point has a damage function
    std::array<IntervalFigure, SystemIndexCount> system{};
    std::vector<LoadIntervalFigures> loads; // in element order
    std::vector<uint32_t> worst;            // up to five places in `loads`, worst first

    const IntervalFigure& operator[](SystemIndex index) const {
        return system[static_cast<size_t>(index)];
    }
    // Whether the run could measure the index: momentary ones need quanta no longer than the
    // limit, costs a damage function.
    bool Measured(SystemIndex index) const { return Measurable(index, momentaryVisible, costed); }
};

// How many load points the worst-served list names.
constexpr size_t WorstServedCount = 5;

IndexIntervals ComputeIntervals(const Simulation& sim);

} // namespace orvane
