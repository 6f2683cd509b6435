#include "run/VariantComparison.h"

#include "base/Clock.h"
#include "base/Output.h"
#include "engine/PairedRatio.h"
#include "engine/Simulation.h"
#include "ndl/ParserDistrib.h"

#include <array>
#include <cmath>
#include <memory>

namespace orvane {

namespace {

// One variant: its network, parsed from its text with channels that write nothing.
struct Variant {
    Output output;
    std::unique_ptr<Simulation> sim = std::make_unique<Simulation>(output);

    // Empty when the text gives a network with load points; else what is wrong, for the user.
    std::string Parse(const std::string& text, const char* label, ProgressSink* progress,
                      Clock& clock) {
        sim->Init(progress, clock);
        ParserDistrib parser(output);
        const bool parsed = parser.Open(text) && parser.Parse(*sim);
        std::string error;
        if (!parsed) {
            error = parser.LastError().empty()
                        ? std::string("variant ") + label +
                              " has no system definition; start it with one, for example "
                              "'system: quantsPerDay = 24'"
                        : std::string("variant ") + label + ", line " +
                              std::to_string(parser.ErrorLine()) + ", column " +
                              std::to_string(parser.ErrorColumn()) + ": " + parser.LastError();
        } else if (sim->LoadCount() == 0) {
            error = std::string("variant ") + label +
                    " has no load points; add at least one load definition to compare it";
        }
        parser.Close();
        return error;
    }
};

} // namespace

ComparisonResult VariantComparison::Run(const ComparisonRequest& request) {
    ComparisonResult result;
    Variant a, b;
    result.error = a.Parse(request.ndlA, "A", request.progress, clock_);
    if (result.error.empty())
        result.error = b.Parse(request.ndlB, "B", nullptr, clock_);
    if (!result.error.empty())
        return result;
    Simulation& sa = *a.sim;
    Simulation& sb = *b.sim;
    if (sa.QuantsPerDay() != sb.QuantsPerDay()) {
        result.error = "the variants simulate " + std::to_string(sa.QuantsPerDay()) + " and " +
                       std::to_string(sb.QuantsPerDay()) +
                       " quanta per day; give both the same quantsPerDay so that they can share "
                       "their draws";
        return result;
    }
    // Both run as long as A's system definition says, and count momentary interruptions alike.
    sb.SetSystem(sb.QuantsPerDay(), sa.YearMin(), sa.YearMax(), sa.YearStep(), sa.Accuracy());
    sb.SetMomentaryMinutes(sa.MomentaryMinutes());
    result.unnamedA = sa.UseElementStreams(request.seed);
    result.unnamedB = sb.UseElementStreams(request.seed);

    std::array<PairedRatio, SystemIndexCount> paired;
    sa.BeginRun();
    sb.BeginRun();
    const uint32_t start = clock_.TickCount() - 1;
    result.status = ComparisonStatus::Completed;
    for (uint32_t year = 1; year <= sa.YearMax(); ++year) {
        if (request.cancel && request.cancel->load(std::memory_order_relaxed)) {
            result.status = ComparisonStatus::Cancelled;
            break;
        }
        sa.RunYear();
        sb.RunYear();
        const YearRatios ra = sa.AddYear(sa.LastYear());
        const YearRatios rb = sb.AddYear(sb.LastYear());
        for (size_t i = 0; i < SystemIndexCount; ++i)
            paired[i].Add(ra[i].x, ra[i].y, rb[i].x, rb[i].y);
        result.years = year;
        sa.ShowProgress(year, start);
        const bool stepYear = sa.YearStep() != 0 && year % sa.YearStep() == 0;
        if (stepYear && year >= sa.YearMin() && sa.AccurateEnough() && sb.AccurateEnough()) {
            result.converged = true;
            break;
        }
    }
    sa.EndRun();
    sb.EndRun();

    result.momentaryVisible = sa.MomentaryQuanta() > 0 && sb.MomentaryQuanta() > 0;
    result.costed = sa.HasCosts() && sb.HasCosts();
    const auto independent = [](const PairedRatio& p) {
        return std::hypot(p.A().HalfWidth(), p.B().HalfWidth());
    };
    for (size_t i = 0; i < SystemIndexCount; ++i) {
        const auto index = static_cast<SystemIndex>(i);
        if (!Measurable(index, result.momentaryVisible, result.costed))
            continue;
        const PairedRatio& spread = paired[static_cast<size_t>(SpreadIndex(index))];
        result.rows.push_back(ComparisonRow{index, paired[i].A().Value(), paired[i].B().Value(),
                                            paired[i].Difference(), spread.HalfWidth(),
                                            independent(spread)});
    }
    sa.Release();
    sb.Release();
    return result;
}

} // namespace orvane
