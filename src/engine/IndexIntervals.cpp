#include "engine/IndexIntervals.h"

#include "engine/Simulation.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace orvane {

namespace {

constexpr double Unbounded = std::numeric_limits<double>::infinity();

// Counts and shares that were 0 in every one of n years have no spread to measure; with 95%
// confidence they are below 3 / n a year (the rule of three), not exactly 0.
IntervalFigure Bounded(double value, double halfWidth, double most, bool count, uint64_t years) {
    IntervalFigure f{value, halfWidth, std::max(0.0, value - halfWidth),
                     std::min(most, value + halfWidth)};
    if (count && value == 0.0 && f.high == 0.0 && years > 0)
        f.high = std::min(most, 3.0 / static_cast<double>(years));
    return f;
}

IntervalFigure Figure(const RatioInterval& r, bool count) {
    return Bounded(r.Value(), r.HalfWidth(), Unbounded, count, r.Years());
}

bool IsShare(SystemIndex index) {
    return index == SystemIndex::Asui || index == SystemIndex::Asai ||
           (index >= SystemIndex::Cemi1 && index <= SystemIndex::Celid8);
}

bool IsCount(SystemIndex index) {
    return index == SystemIndex::Saifi || index == SystemIndex::Maifi ||
           index == SystemIndex::MaifiE ||
           (index >= SystemIndex::Cemi1 && index <= SystemIndex::Celid8);
}

} // namespace

IndexIntervals ComputeIntervals(const Simulation& sim) {
    IndexIntervals out;
    out.years = sim.Interval(SystemIndex::Saifi).Years();
    out.quantsPerDay = sim.QuantsPerDay();
    out.momentaryMinutes = sim.MomentaryMinutes();
    out.momentaryVisible = sim.MomentaryQuanta() > 0;
    out.costed = sim.HasCosts();
    for (size_t i = 0; i < SystemIndexCount; ++i) {
        const auto index = static_cast<SystemIndex>(i);
        out.system[i] =
            Bounded(sim.Interval(index).Value(), sim.Interval(SpreadIndex(index)).HalfWidth(),
                    IsShare(index) ? 1.0 : Unbounded, IsCount(index), out.years);
    }

    size_t k = 0;
    for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
        const SimElement& e = sim.Element(i);
        if (e.kind != ElementKind::Load)
            continue;
        const LoadIntervals none;
        const LoadIntervals& in = k < sim.LoadIntervalCount() ? sim.LoadInterval(k) : none;
        ++k;
        LoadIntervalFigures f;
        f.name = e.name;
        f.customers = e.customers;
        f.frequency = Figure(in.frequency, true);
        f.sustained = Figure(in.sustained, true);
        f.momentary = Figure(in.momentary, true);
        f.duration = Figure(in.duration, false);
        f.unavailability = Figure(in.unavailability, false);
        f.energy = Figure(in.energy, false);
        f.costed = !e.damage.Empty();
        f.cost = Figure(in.cost, false);
        f.iear = Figure(in.iear, false);
        out.loads.push_back(std::move(f));
    }

    std::vector<uint32_t> order(out.loads.size());
    std::iota(order.begin(), order.end(), 0u);
    // Unavailability first, then frequency; equal load points keep their order.
    std::stable_sort(order.begin(), order.end(), [&out](uint32_t a, uint32_t b) {
        const LoadIntervalFigures& x = out.loads[a];
        const LoadIntervalFigures& y = out.loads[b];
        if (x.unavailability.value != y.unavailability.value)
            return x.unavailability.value > y.unavailability.value;
        return x.frequency.value > y.frequency.value;
    });
    for (uint32_t place : order) {
        if (out.worst.size() == WorstServedCount)
            break;
        // A load point that was never interrupted is not badly served.
        if (out.loads[place].frequency.value > 0.0)
            out.worst.push_back(place);
    }
    return out;
}

} // namespace orvane
