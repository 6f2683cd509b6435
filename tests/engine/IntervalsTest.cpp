#include "base/Output.h"
#include "engine/IndexIntervals.h"
#include "engine/IntervalReport.h"
#include "engine/PairedRatio.h"
#include "engine/Simulation.h"
#include "ndl/ParserDistrib.h"

#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace orvane {
namespace {

// One network parsed from NDL and simulated with its own channels; the text report.
struct Network {
    explicit Network(const std::string& ndl, bool stepping = true) {
        out.OpenTextOutput(dir.File("net.txt"));
        out.OpenHtmlOutput(dir.File("net.htm"));
        sim.Init(nullptr, clock);
        ParserDistrib parser(out);
        EXPECT_TRUE(parser.Open(ndl) && parser.Parse(sim));
        parser.Close();
        sim.SetEventStepping(stepping);
    }
    std::string Report() {
        EXPECT_EQ(sim.Execute(nullptr, "net.htm"), ExecuteResult::Completed);
        out.CloseTextOutput();
        out.CloseHtmlOutput();
        return test::ReadFile(dir.File("net.txt"));
    }

    test::TempDir dir;
    Output out;
    test::FixedClock clock{90000, 0};
    Simulation sim{out};
};

// The analytic value lies within the interval, and the interval is not uselessly wide.
void ExpectWithin(const IntervalFigure& f, double expected, double widest, const char* what) {
    EXPECT_LE(std::fabs(f.value - expected), f.halfWidth) << what << " " << f.value;
    EXPECT_LT(f.halfWidth, widest) << what;
}

TEST(Intervals, RatioAndPairedIntervalsByHand) {
    RatioInterval mean;
    for (double x : {1.0, 2.0, 3.0, 4.0})
        mean.Add(x, 1.0);
    EXPECT_DOUBLE_EQ(mean.Value(), 2.5);
    // Sample standard deviation sqrt(5/3), over sqrt(4) years.
    EXPECT_DOUBLE_EQ(mean.HalfWidth(), Normal95 * std::sqrt(5.0 / 3.0) / 2.0);

    // A ratio whose years all have the same ratio has no spread at all.
    RatioInterval ratio;
    for (double y : {1.0, 3.0, 8.0})
        ratio.Add(0.25 * y, y);
    EXPECT_DOUBLE_EQ(ratio.Value(), 0.25);
    EXPECT_NEAR(ratio.HalfWidth(), 0.0, 1e-15);
    EXPECT_EQ(RatioInterval{}.Value(), 0.0);
    EXPECT_TRUE(std::isinf(RatioInterval{}.HalfWidth()));

    // Identical variants differ by exactly nothing; a constant shift is known exactly; years
    // that move together leave only the spread of what differs.
    PairedRatio same, shifted, partly;
    const double xs[] = {0.3, 1.7, 0.0, 2.2, 0.9, 1.1};
    for (size_t i = 0; i < std::size(xs); ++i) {
        same.Add(xs[i], 7.0, xs[i], 7.0);
        shifted.Add(xs[i], 1.0, xs[i] + 0.5, 1.0);
        partly.Add(xs[i], 1.0, xs[i] + (i % 2 ? 0.1 : -0.1), 1.0);
    }
    EXPECT_EQ(same.Difference(), 0.0);
    EXPECT_EQ(same.HalfWidth(), 0.0);
    EXPECT_NEAR(shifted.Difference(), 0.5, 1e-12);
    EXPECT_NEAR(shifted.HalfWidth(), 0.0, 1e-7);
    EXPECT_NEAR(partly.Difference(), 0.0, 1e-12);
    EXPECT_NEAR(partly.HalfWidth(), Normal95 * std::sqrt(0.06 / 5.0 / 6.0), 1e-7);
    EXPECT_LT(partly.HalfWidth(), partly.A().HalfWidth() / 5.0);
}

TEST(Intervals, DamageFunctionsArePiecewiseLinear) {
    const CostCurve proportional({{1.0, 10.0}});
    const CostCurve curve({{0.0, 2.0}, {1.0, 6.0}, {4.0, 12.0}});
    const CostCurve falling({{1.0, 10.0}, {2.0, 4.0}});
    const struct {
        const CostCurve& curve;
        double hours;
        double cost;
    } cases[] = {
        {proportional, 0.0, 0.0}, {proportional, 0.25, 2.5}, {proportional, 3.0, 30.0},
        {curve, 0.0, 2.0},        {curve, 0.5, 4.0},         {curve, 2.5, 9.0},
        {curve, 6.0, 16.0},       {falling, 3.0, 0.0},       {CostCurve{}, 5.0, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(c.curve.At(c.hours), c.cost) << c.hours;
}

// Two feeders tied by a recloser that closes within a minute when feeder 1 trips: "Near", in the
// tripped zone, is out for the 4-hour repair; "Far", beyond it, is picked up by feeder 2 at
// once. Every failure of L1 is one sustained interruption of Near's 30 customers and one
// momentary interruption of Far's 10.
const std::string TiedFeeders = R"(
system: quantsPerDay = 1440; yearMin = 2000; yearMax = 2000; yearStep = 2000; accuracy = 0.01
source: connect = 1
breaker: connect = 1, 2
line: name = "L1"; connect = 2, 3; failure = 2; isolation = 1; repair = 4, 1e10
breaker: connect = 3, 4
load: name = "Near"; connect = 2; customers = 30
load: name = "Far"; connect = 4; customers = 10
source: connect = 5
recloser: name = "R"; connect = 5, 4; reclose = 0.01
)";

TEST(Intervals, MomentaryAndCustomerBasedIndicesOfTiedFeeders) {
    Network run(TiedFeeders);
    const std::string report = run.Report();
    const IndexIntervals f = ComputeIntervals(run.sim);
    ASSERT_TRUE(f.momentaryVisible);
    ASSERT_EQ(f.loads.size(), 2u);
    const double rate = 2.0, share = 30.0 / 40.0;
    ExpectWithin(f.loads[0].sustained, rate, 0.2, "Near sustained");
    EXPECT_EQ(f.loads[0].momentary.value, 0.0);
    ExpectWithin(f.loads[1].momentary, rate, 0.2, "Far momentary");
    EXPECT_EQ(f.loads[1].sustained.value, 0.0);
    ExpectWithin(f[SystemIndex::Maifi], rate * 10.0 / 40.0, 0.05, "MAIFI");
    EXPECT_EQ(f[SystemIndex::MaifiE].value, f[SystemIndex::Maifi].value);
    ExpectWithin(f[SystemIndex::Saifi], rate, 0.2, "SAIFI");
    // Failures come as a Poisson process: P(N > 1) and P(N > 0) for Near's customers only.
    ExpectWithin(f[SystemIndex::Cemi1], share * (1.0 - 3.0 * std::exp(-rate)), 0.05, "CEMI-1");
    ExpectWithin(f[SystemIndex::Celid3], share * (1.0 - std::exp(-rate)), 0.05, "CELID-3h");
    EXPECT_EQ(f[SystemIndex::Celid8].value, 0.0);
    EXPECT_EQ(f.worst, (std::vector<uint32_t>{0, 1}));
    // The closing section and the classic report give the same figures.
    const SystemEstimates& classic = run.sim.System();
    EXPECT_NEAR(f[SystemIndex::Saidi].value, classic.saidi.Mean(), 1e-12);
    EXPECT_NEAR(f[SystemIndex::Caidi].value, classic.caidi.Mean(), 1e-12);
    EXPECT_NEAR(f[SystemIndex::Ens].value, classic.ens.Mean(), 1e-12);
    EXPECT_NE(report.find("MAIFI    = "), std::string::npos);

    // Stepping from event to event counts exactly what walking every quantum counts.
    std::string shorter = TiedFeeders;
    for (int k = 0; k < 3; ++k)
        shorter.replace(shorter.find("2000"), 4, "100");
    EXPECT_EQ(Network(shorter, false).Report(), Network(shorter).Report());
}

TEST(Intervals, AQuantumLongerThanTheLimitShowsNoMomentaryFigures) {
    std::string ndl = TiedFeeders;
    ndl.replace(ndl.find("1440"), 4, "24");
    Network run(ndl);
    const std::string report = run.Report();
    IndexIntervals f = ComputeIntervals(run.sim);
    EXPECT_FALSE(f.momentaryVisible);
    EXPECT_NE(report.find(MomentaryNote(f)), std::string::npos);
    EXPECT_EQ(report.find("MAIFI    = "), std::string::npos);

    const struct {
        uint32_t quanta;
        double minutes;
        const char* note;
    } cases[] = {
        {24, 5.0,
         "No momentary interruption can be seen at 24 quanta per day: a quantum lasts longer "
         "than the 5-minute momentary limit. Use at least 288 quanta per day."},
        {96, 7.3,
         "No momentary interruption can be seen at 96 quanta per day: a quantum lasts longer "
         "than the 7.3-minute momentary limit. Use at least 198 quanta per day."},
        {1440, 0.5,
         "No momentary interruption can be seen: the 0.5-minute momentary limit is shorter than "
         "the shortest quantum, one minute at 1440 quanta per day."},
        {1440, 0.0, "The momentary limit is 0 minutes: every interruption counts as sustained."},
    };
    for (const auto& c : cases) {
        f.quantsPerDay = c.quanta;
        f.momentaryMinutes = c.minutes;
        EXPECT_EQ(MomentaryNote(f), c.note);
    }
}

// A load the network can never supply is out all year: its cost and its long outages are
// counted as they happen, not when the outage ends, which it never does.
TEST(Intervals, AnOutageThatNeverEndsStillCostsAndCounts) {
    Network run(R"(
system: quantsPerDay = 24; yearMin = 100; yearMax = 100; yearStep = 100; maxflow = 1
source: connect = 1; capacity = 0.5
load: name = "Fed"; connect = 1; customers = 4; average = 0.25
load: name = "Starved"; connect = 1; customers = 4; average = 1
)");
    run.sim.SetLoadCost(run.sim.ElementCount() - 1, CostCurve({{1.0, 10.0}}));
    run.Report();
    const IndexIntervals f = ComputeIntervals(run.sim);
    EXPECT_EQ(f.loads[0].energy.value, 0.0);
    EXPECT_DOUBLE_EQ(f.loads[1].energy.value, 8760.0);
    EXPECT_NEAR(f[SystemIndex::Iear].value, 10.0, 1e-9);
    EXPECT_NEAR(f[SystemIndex::Celid8].value, 0.5, 0.01); // the starved half of the customers
}

// Two variants on element streams: a feeder added elsewhere, and a named piece of equipment and
// an unnamed never-failing one (a disabled isolator) added ahead of the unnamed ones, change
// nothing for the loads they do not feed, not even through the recloser's draws.
TEST(Intervals, ElementStreamsKeepSharedElementsAlike) {
    const std::string base = TiedFeeders + R"(
equipment: connect = 20, 21; failure = 1; repair = 5
equipment: connect = 21, 22; failure = 0.5; repair = 2
source: connect = 20
load: name = "Side"; connect = 22; customers = 5
)";
    std::string changed = base;
    changed.replace(changed.find("accuracy = 0.01"), 15, "accuracy = 0.01; isolators = 0");
    changed.replace(changed.find("equipment:"), 0,
                    "isolator: connect = 30, 31\n"
                    "equipment: name = \"E0\"; connect = 32, 33; failure = 2\n");
    changed += "source: connect = 40\nline: name = \"W\"; connect = 40, 41; failure = 3\n"
               "load: name = \"West\"; connect = 41; customers = 50\n";
    std::string report;
    const auto run = [&report](std::string text, bool stepping = true) {
        for (int k = 0; k < 3; ++k)
            text.replace(text.find("2000"), 4, "100");
        // Reclosing delays of one to ten quanta, so that a drifting draw would show.
        text.replace(text.find("reclose = 0.01"), 14, "reclose = 0.05");
        auto n = std::make_unique<Network>(text, stepping);
        n->sim.UseElementStreams(11);
        report = n->Report();
        return ComputeIntervals(n->sim);
    };
    const IndexIntervals a = run(base);
    const IndexIntervals b = run(changed);
    ASSERT_EQ(b.loads.size(), a.loads.size() + 1);
    for (size_t k = 0; k < a.loads.size(); ++k) {
        SCOPED_TRACE(a.loads[k].name);
        EXPECT_EQ(a.loads[k].frequency.value, b.loads[k].frequency.value);
        EXPECT_EQ(a.loads[k].momentary.value, b.loads[k].momentary.value);
        EXPECT_EQ(a.loads[k].unavailability.value, b.loads[k].unavailability.value);
    }
    // Element streams, too, give the same run stepped from event to event as walked.
    const std::string stepped = report;
    run(changed, false);
    EXPECT_EQ(report, stepped);

    // A fixed reclosing delay of three one-minute quanta keeps Far out exactly as long on
    // element streams as on the run's one generator.
    std::string fixed = TiedFeeders;
    for (int k = 0; k < 3; ++k)
        fixed.replace(fixed.find("2000"), 4, "100");
    fixed.replace(fixed.find("reclose = 0.01"), 14, "reclose = 0.05, 1e10");
    Network plain(fixed), streamed(fixed);
    streamed.sim.UseElementStreams(5);
    plain.Report();
    streamed.Report();
    EXPECT_DOUBLE_EQ(ComputeIntervals(plain.sim).loads[1].duration.value, 3.0 / 60.0);
    EXPECT_DOUBLE_EQ(ComputeIntervals(streamed.sim).loads[1].duration.value, 3.0 / 60.0);
}

// One line feeding one 5 kW shop: every failure interrupts 5 kW for the repair time.
std::string Shop(const char* repair) {
    return std::string(R"(
system: quantsPerDay = 96; yearMin = 4000; yearMax = 4000; yearStep = 4000
source: connect = 1
breaker: connect = 1, 2
line: connect = 2, 3; failure = 1.5; isolation = 0.5; repair = )") +
           repair + R"(
load: name = "Shop"; connect = 3; customers = 1; average = 5
)";
}

TEST(Intervals, InterruptionCostOfASingleLine) {
    // A cost proportional to the duration: ECOST = rate x load x 10 x mean repair time, whatever
    // the spread of the repairs, and every unit of energy not supplied costs exactly 10.
    Network linear(Shop("2"));
    linear.sim.SetLoadCost(linear.sim.ElementCount() - 1, CostCurve({{1.0, 10.0}}));
    const std::string report = linear.Report();
    IndexIntervals f = ComputeIntervals(linear.sim);
    ASSERT_TRUE(f.costed);
    ExpectWithin(f[SystemIndex::Ecost], 1.5 * 5.0 * 10.0 * 2.0, 15.0, "ECOST");
    EXPECT_NEAR(f[SystemIndex::Iear].value, 10.0, 1e-3);
    EXPECT_NEAR(f.loads[0].cost.value, f[SystemIndex::Ecost].value, 1e-9);
    EXPECT_NE(report.find("Interruption cost\nECOST    = "), std::string::npos);

    // A curve, and repairs of exactly 3 hours: ECOST = rate x cost(3 h) x load.
    Network curved(Shop("3, 1e10"));
    curved.sim.SetLoadCost(curved.sim.ElementCount() - 1, CostCurve({{1.0, 2.0}, {4.0, 20.0}}));
    curved.Report();
    f = ComputeIntervals(curved.sim);
    ExpectWithin(f[SystemIndex::Ecost], 1.5 * 14.0 * 5.0, 10.0, "ECOST of a curve");

    // Without a damage function there is no cost section.
    Network none(Shop("2"));
    EXPECT_EQ(none.Report().find("Interruption cost"), std::string::npos);
    EXPECT_FALSE(ComputeIntervals(none.sim).costed);
}

} // namespace
} // namespace orvane
