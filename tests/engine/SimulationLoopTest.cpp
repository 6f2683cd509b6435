#include "base/Output.h"
#include "engine/Simulation.h"
#include "ndl/ParserDistrib.h"

#include "support/FixedClock.h"
#include "support/RandomNetwork.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace orvane {
namespace {

using test::ReadFile;
using V = std::vector<double>;

// One network with its own channels, clock and report files.
struct Bench {
    Bench() {
        out.OpenTextOutput(dir.File("net.txt"));
        out.OpenHtmlOutput(dir.File("net.htm"));
        sim.Init(nullptr, clock);
    }

    bool Parse(const std::string& ndl) {
        ParserDistrib parser(out);
        const bool ok = parser.Open(ndl) && parser.Parse(sim);
        parser.Close();
        return ok;
    }

    // Runs the simulation; the text report.
    std::string Run() {
        EXPECT_EQ(sim.Execute(nullptr, "net.htm"), ExecuteResult::Completed);
        out.CloseTextOutput();
        out.CloseHtmlOutput();
        return ReadFile(dir.File("net.txt"));
    }
    std::string Html() const { return ReadFile(dir.File("net.htm")); }

    // A supply and its breaker from SupplyRoot to `node`, as a source definition makes them.
    void Source(uint32_t fresh, uint32_t node, double capacity = -1.0) {
        sim.AddSupply(Simulation::SupplyRoot, fresh, capacity);
        sim.AddBreaker(fresh, node, -1.0);
    }

    // A flat load of demand 1.0; its element index.
    uint32_t Load(const std::string& name, uint32_t node, uint32_t customers = 1) {
        return sim.AddLoad(name, node, Simulation::LoadSink, customers, {1.0}, 1.0, 1.0);
    }

    test::TempDir dir;
    Output out;
    test::FixedClock clock{90000, 0}; // reports show no running time
    Simulation sim{out};
};

// A shape that makes every draw practically its scale, and hours that round to one quantum.
constexpr double Fixed = 1e10;
constexpr double NoTime = 1e-10;

// The weight and the sums of an estimate, to compare exactly.
std::vector<double> Sums(const Estimate& e) {
    return {e.W(), e.S1(), e.S2()};
}

// Every one of the samples of `e`, more than `least` of them, is `hours`.
void ExpectEvery(const Estimate& e, double hours, double least) {
    EXPECT_GT(e.W(), least);
    EXPECT_EQ(e.Mean(), hours);
    EXPECT_EQ(e.S2(), e.W() * hours * hours);
}

// Runs `ndl` by the event-stepping loop and by the quantum-by-quantum walk, after `setup`; the
// reports must match byte for byte and every estimate sum exactly. Returns the interruptions.
double ExpectSameRunsSteppedAndWalked(const std::string& ndl,
                                      const std::function<void(Simulation&)>& setup = {}) {
    Bench stepped, walked;
    EXPECT_TRUE(stepped.Parse(ndl));
    EXPECT_TRUE(walked.Parse(ndl));
    for (Bench* b : {&stepped, &walked})
        if (setup)
            setup(b->sim);
    walked.sim.SetEventStepping(false);
    const std::string text = stepped.Run();
    EXPECT_EQ(text, walked.Run());
    EXPECT_EQ(stepped.Html(), walked.Html());
    EXPECT_NE(text.find("simulation years: "), std::string::npos);

    const Simulation& sa = stepped.sim;
    const Simulation& sb = walked.sim;
    for (auto e : {&SystemEstimates::saifi, &SystemEstimates::saidi, &SystemEstimates::caidi,
                   &SystemEstimates::ens})
        EXPECT_EQ(Sums(sa.System().*e), Sums(sb.System().*e));
    double interruptions = 0.0;
    for (uint32_t i = 0; i < sa.ElementCount(); ++i) {
        const LoadEstimates& x = sa.Element(i).estimates; // all zero but for loads
        interruptions += x.frequency.S1();
        for (auto e : {&LoadEstimates::frequency, &LoadEstimates::interruptedYear,
                       &LoadEstimates::outageTime, &LoadEstimates::outageDuration,
                       &LoadEstimates::energyNotSupplied})
            EXPECT_EQ(Sums(x.*e), Sums(sb.Element(i).estimates.*e)) << sa.Element(i).name;
    }
    return interruptions;
}

// Hand-made networks for what the random corpus below rarely or never draws: a run stopped by
// the accuracy rule, repairs shorter than the isolation, and a breaker too small for its loads
// even when nothing has failed, so that the demand of every quantum matters.
TEST(SimulationLoop, QuietStridesGiveTheSameRunAsWalkingEveryQuantum) {
    const std::pair<const char*, std::string> networks[] = {
        {"stopping early", R"(
system: quantsPerDay = 24; yearMin = 100; yearMax = 400; yearStep = 10; accuracy = 0.08
source: connect = 1
breaker: connect = 1, 2
line: connect = 2, 3; failure = 3; isolation = 1; repair = 6
line: connect = 3, 4; length = 2; failure = 1.5; isolation = 1; repair = 4
load: name = "Near"; connect = 3; customers = 10
load: name = "Far"; connect = 4; customers = 25; average = 2
)"},
        {"repair shorter than isolation", R"(
system: quantsPerDay = 12; yearMin = 100; yearMax = 200; yearStep = 50; accuracy = 0.001
$d = failure = 3; isolation = 8; repair = 2
source: connect = 1
breaker: connect = 1, 10
line: connect = 10, 11; $d
isolator: connect = 11, 12
line: connect = 12, 13; $d
load: name = "N1"; connect = 11; customers = 40
load: name = "N2"; connect = 13; customers = 15
source: connect = 2
breaker: connect = 2, 20
line: connect = 20, 21; $d
load: name = "S1"; connect = 21; customers = 30
recloser: connect = 13, 21; reclose = 1
)"},
        {"varying loads and capacities", R"(
system: quantsPerDay = 8; yearMin = 100; yearMax = 150; yearStep = 50; accuracy = 0.001
$w = 1.0, 0.9, 0.7, 0.5, 0.4, 0.5, 0.8, 1.0
source: connect = 1; capacity = 5
breaker: connect = 1, 10; capacity = 3.3
line: connect = 10, 11; capacity = 4; failure = 4; isolation = 1; repair = 5
isolator: connect = 11, 12; capacity = 3
line: connect = 12, 13; capacity = 2.5; failure = 3; isolation = 1; repair = 5
load: name = "Houses"; connect = 11; customers = 100; profile = $w; peak = 2; average = 1.5
load: name = "Offices"; connect = 13; customers = 20; profile = 0.5, 1, 1, 0.5; peak = 2.2
source: connect = 2; capacity = 5
breaker: connect = 2, 20; capacity = 3
line: connect = 20, 21; capacity = 3; failure = 3; isolation = 1; repair = 6
load: name = "West"; connect = 21; customers = 60; profile = $w; peak = 1.5; average = 1
recloser: connect = 13, 21; capacity = 1.5; reclose = 0.25
)"},
    };
    for (const auto& [name, ndl] : networks) {
        SCOPED_TRACE(name);
        EXPECT_GT(ExpectSameRunsSteppedAndWalked(ndl), 100.0) << "too little happens to compare";
    }
}

// Storage grows with the network: a feeder of 10,000 elements simulates like a small one.
TEST(SimulationLoop, TenThousandElementFeederSimulates) {
    std::string ndl = "system: quantsPerDay = 24\nsource: connect = 1\n";
    for (int s = 1; s <= 2000; ++s) {
        const std::string at = std::to_string(s), next = std::to_string(s + 1);
        const std::string fused = std::to_string(100000 + s), end = std::to_string(200000 + s);
        ndl += "line: connect = " + at + ", " + next + "; length = 0.5; failure = 0.002\n";
        ndl += "fuse: connect = " + next + ", " + fused + "\n";
        ndl += "line: connect = " + fused + ", " + end + "; failure = 0.004; repair = 3\n";
        ndl += "load: connect = " + end + "; customers = 5\n";
        ndl += "isolator: connect = " + next + ", " + std::to_string(300000 + s) + "\n";
    }
    Bench bench;
    ASSERT_TRUE(bench.Parse(ndl));
    ASSERT_GE(bench.sim.ElementCount(), 10000u);
    bench.sim.SetSystem(24, 2, 2, 2, 0.05);
    const std::string text = bench.Run();
    EXPECT_EQ(bench.sim.YearsSimulated(), 2u);
    EXPECT_EQ(text.rfind("simulation years: 2, ", 0), 0u);
    EXPECT_GT(bench.sim.System().saifi.Mean(), 0.0);
}

// The differential corpus: random networks, each run by the event-stepping loop and by the
// quantum-by-quantum walk, whose reports and estimates must match exactly. CI runs 8 groups of
// 40; ORVANE_DIFFERENTIAL_SEEDS=N runs N networks per group (scripts/differential).
class RandomNetworks : public testing::TestWithParam<uint64_t> {};

TEST_P(RandomNetworks, GiveTheSameReportsStepByEventAsQuantumByQuantum) {
    const char* wanted = std::getenv("ORVANE_DIFFERENTIAL_SEEDS");
    const uint64_t count = wanted ? std::strtoull(wanted, nullptr, 10) : 40;
    double interruptions = 0.0;
    for (uint64_t seed = GetParam() * 1000003; seed < GetParam() * 1000003 + count; ++seed) {
        const test::RandomNetwork net = test::MakeRandomNetwork(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + net.ndl);
        interruptions += ExpectSameRunsSteppedAndWalked(net.ndl, [&net](Simulation& sim) {
            sim.SetSystem(net.quantsPerDay, net.years, net.years, net.years, 0.001);
        });
        if (HasFailure())
            return;
    }
    EXPECT_GT(interruptions, 10.0 * count) << "too little happens to compare the runs";
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomNetworks, testing::Range<uint64_t>(1, 9));

// Source, breaker, load P at 3, isolator 3-4, line 4-5 that fails, load Q at 5: with durations
// fixed, every outage of P lasts the isolation time and every outage of Q the repair time, unless
// the repair is the shorter.
TEST(SimulationLoop, SectioningRestoresTheLoadsBeforeTheIsolator) {
    struct Case {
        double isolation, repair, upstream, downstream, isolationShape;
    };
    // A zero scale with a tiny shape often draws 0 x inf: still the shortest trip, one quantum.
    for (const Case c : {Case{2, 6, 2, 6, Fixed}, Case{6, 2, 2, 2, Fixed}, Case{3, 3, 3, 3, Fixed},
                         Case{0, 6, 1, 6, 0.001}}) {
        SCOPED_TRACE(testing::Message() << "isolation " << c.isolation << ", repair " << c.repair);
        Bench bench;
        Simulation& sim = bench.sim;
        sim.SetSystem(24, 1, 30, 10, 1e-9);
        bench.Source(2, 3);
        const uint32_t up = bench.Load("P", 3);
        sim.AddIsolator(3, 4, -1.0);
        sim.AddLine(4, 5, -1.0, 20.0, 1.0, c.isolation, c.isolationShape, c.repair, Fixed);
        const uint32_t down = bench.Load("Q", 5);
        bench.Run();

        EXPECT_EQ(sim.YearsSimulated(), 30u);
        const LoadEstimates& a = sim.Element(up).estimates;
        const LoadEstimates& b = sim.Element(down).estimates;
        ExpectEvery(a.outageDuration, c.upstream, 300.0);
        ExpectEvery(b.outageDuration, c.downstream, 300.0);
        EXPECT_EQ(Sums(a.frequency), Sums(b.frequency)); // every failure interrupts both
    }
}

// Feeder A: source, breaker, line 3-4 that fails, isolator 4-5, load P at 5. A recloser ties 5
// to feeder B's load Q at 9. After the fault is sectioned, P waits for the recloser's delay. A
// delay of 3 quanta keeps P out for exactly 3; a delay that saturates the count never closes (it
// must not wrap to 0 and close at once), so P waits for the 10-hour repair.
TEST(SimulationLoop, RecloserDelayDecidesHowLongTheSectionedLoadWaits) {
    for (const auto& [reclose, outage] : {std::pair{3.0, 3.0}, std::pair{5e9, 10.0}}) {
        SCOPED_TRACE(reclose);
        Bench bench;
        Simulation& sim = bench.sim;
        sim.SetSystem(24, 1, 20, 10, 1e-9);
        bench.Source(2, 3);
        sim.AddLine(3, 4, -1.0, 15.0, 1.0, 1.0, Fixed, 10.0, Fixed);
        sim.AddIsolator(4, 5, -1.0);
        const uint32_t p = bench.Load("P", 5);
        sim.AddBreaker(5, 6, -1.0);
        sim.AddRecloser(6, 7, -1.0, reclose, Fixed);
        sim.AddBreaker(7, 9, -1.0);
        bench.Source(8, 9);
        const uint32_t q = bench.Load("Q", 9);
        bench.Run();

        ExpectEvery(sim.Element(p).estimates.outageDuration, outage, 150.0);
        EXPECT_EQ(sim.Element(q).estimates.frequency.S1(), 0.0);
    }
}

// Q at 7 is fed from source 1 through B1, L2 (3-4), I (4-5), L1 (5-6) and I2 (6-7), and from
// source 2 through B3. Fixed durations and equal cycles of 160 quanta: L1 is out from quantum 100
// (1 unsectioned, 59 sectioned), L2 from 120 (10 unsectioned, 30 sectioned). While L2's fault is
// unsectioned, L1 is already sectioned off, so L2's zone stops at I and leaves B3 closed: Q is
// out only in L1's one unsectioned quantum of every cycle.
TEST(SimulationLoop, SectionedFaultsAreIsolatedBeforeUnsectionedOnes) {
    Bench bench;
    Simulation& sim = bench.sim;
    sim.SetSystem(24, 2, 2, 1, 1e-9);
    bench.Source(2, 3);
    sim.AddLine(3, 4, -1.0, 8760.0 / 120, Fixed, 10.0, Fixed, 40.0, Fixed);
    sim.AddIsolator(4, 5, -1.0);
    sim.AddLine(5, 6, -1.0, 8760.0 / 100, Fixed, 1.0, Fixed, 60.0, Fixed);
    sim.AddIsolator(6, 7, -1.0);
    const uint32_t load = bench.Load("Q", 7);
    sim.AddBreaker(7, 8, -1.0);
    bench.Source(9, 8);
    bench.Run();
    ExpectEvery(sim.Element(load).estimates.outageDuration, 1.0, 100.0);
}

// One quantum a day, a line that fails on day 360 of every cycle and is repaired in 10 days: the
// first outage runs from day 360 of year 1 to day 4 of year 2.
TEST(SimulationLoop, OutageCrossingTheYearCountsOnceInTheYearItBegan) {
    for (bool strides : {true, false}) {
        SCOPED_TRACE(strides ? "strides" : "every quantum");
        Bench bench;
        Simulation& sim = bench.sim;
        sim.SetEventStepping(strides);
        sim.SetSystem(1, 2, 2, 1, 1e-9);
        bench.Source(2, 3);
        sim.AddLine(3, 4, -1.0, 365.0 / 360.0, Fixed, NoTime, Fixed, 240.0, Fixed);
        const uint32_t load = bench.Load("P", 4);
        bench.Run();
        const LoadEstimates& est = sim.Element(load).estimates;
        const SystemEstimates& sys = sim.System();

        ASSERT_EQ(sim.YearsSimulated(), 2u);
        EXPECT_EQ(Sums(est.frequency), (V{2, 1, 1})); // 1 in year 1, none in year 2
        EXPECT_EQ(Sums(est.interruptedYear), (V{2, 1, 1}));
        EXPECT_EQ(Sums(est.outageTime), (V{2, 240, 2 * 120 * 120})); // 5 days in each year
        EXPECT_EQ(Sums(est.energyNotSupplied), (V{2, 240, 2 * 120 * 120}));
        EXPECT_EQ(Sums(est.outageDuration), (V{1, 240, 240 * 240})); // once, when supply returns
        EXPECT_EQ(Sums(sys.saifi), (V{2, 1, 1}));
        EXPECT_EQ(Sums(sys.saidi), (V{2, 240, 2 * 120 * 120}));
        // Year 2 has outage time but no interruption, so it gives CAIDI no sample.
        EXPECT_EQ(Sums(sys.caidi), (V{1, 120, 120 * 120}));
        EXPECT_EQ(Sums(sys.ens), (V{2, 240, 2 * 120 * 120}));
    }
}

// All or nothing: a load short of its demand by more than 1e-10 of it (at least 1e-10) is
// interrupted, and its whole demand counts as not supplied.
TEST(SimulationLoop, LoadShortOfItsDemandIsInterrupted) {
    Bench bench;
    Simulation& sim = bench.sim;
    sim.SetSystem(4, 3, 3, 1, 0.05);
    bench.Source(2, 3, 1.0 - 5e-11);
    bench.Source(4, 5, 1.0 - 2e-10);
    const uint32_t a = bench.Load("Enough", 3);
    const uint32_t b = bench.Load("Short", 5, 3);
    // A large demand fed over two paths: their capacities add up to it but for one rounding
    // (1.2e-10), which a fixed tolerance took for a shortfall all year.
    const double demand = 1000001.1;
    bench.Source(6, 7, 333333.3333333333);
    bench.Source(8, 7, 666667.7666666666);
    const uint32_t large = sim.AddLoad("Large", 7, Simulation::LoadSink, 1, {1.0}, demand, demand);
    bench.Run();
    const LoadEstimates& enough = sim.Element(a).estimates;
    const LoadEstimates& cut = sim.Element(b).estimates;
    EXPECT_EQ(Sums(sim.Element(large).estimates.frequency), (V{3, 0, 0}));

    ASSERT_EQ(sim.YearsSimulated(), 3u);
    const double year = 8760.0;
    EXPECT_EQ(Sums(enough.frequency), (V{3, 0, 0}));
    EXPECT_EQ(Sums(enough.outageTime), (V{3, 0, 0}));
    EXPECT_EQ(Sums(cut.frequency), (V{3, 1, 1}));
    EXPECT_EQ(Sums(cut.outageTime), (V{3, 3 * year, 3 * year * year}));
    EXPECT_EQ(Sums(cut.energyNotSupplied), (V{3, 3 * year, 3 * year * year}));
    EXPECT_EQ(Sums(cut.outageDuration), (V{0, 0, 0}));           // still out when the run stops
    EXPECT_EQ(Sums(sim.System().saifi), (V{3, 0.6, 0.6 * 0.6})); // 3 of 5 customers, in year 1
    EXPECT_EQ(Sums(sim.System().caidi), (V{0.6, 0.6 * year, 0.6 * year * year}));
}

// Where nothing can fail every accuracy is 0, so the first year that may be tested ends the run;
// without such a year the run goes to yearMax. Either way only the final report is written.
// Where elements can fail, a mean still 0 (no customer interrupted yet) is no proof of
// reliability: the run goes on until 1/accuracy^2 failures have been simulated.
TEST(SimulationLoop, ZeroMeansCountOnlyWhenNothingCanFailOrEnoughFailuresWereSeen) {
    struct Case {
        const char* what;
        bool spur; // a line that fails, 1 a year, where no load point hangs
        uint32_t yearMin, yearMax, yearStep;
        uint32_t least, most; // years simulated
        StopReason stop;
    };
    const Case cases[] = {
        {"nothing can fail", false, 150, 1000, 40, 160, 160, StopReason::Accurate},
        {"no year is tested", false, 100, 130, 200, 130, 130, StopReason::YearMax},
        {"failures but no interruption", true, 100, 100000, 10, 350, 500, StopReason::Accurate},
        {"too few failures by yearMax", true, 100, 200, 10, 200, 200, StopReason::YearMax},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench bench;
        Simulation& sim = bench.sim;
        sim.SetSystem(4, c.yearMin, c.yearMax, c.yearStep, 0.05);
        bench.Source(2, 3);
        const uint32_t load = bench.Load("P", 3);
        if (c.spur) {
            bench.Source(4, 5);
            sim.AddLine(5, 6, -1.0, 1.0, 1.0, NoTime, 1.0, NoTime, 1.0);
        }
        const std::string text = bench.Run();

        EXPECT_GE(sim.YearsSimulated(), c.least);
        EXPECT_LE(sim.YearsSimulated(), c.most);
        EXPECT_EQ(sim.Stopped(), c.stop);
        EXPECT_EQ(sim.System().saifi.Mean(), 0.0);
        if (c.stop == StopReason::Accurate && c.spur) {
            EXPECT_GE(sim.FailuresSimulated(), 400u);
        }
        EXPECT_EQ(sim.Element(load).estimates.frequency.W(),
                  static_cast<double>(sim.YearsSimulated()));
        EXPECT_EQ(sim.System().caidi.W(), 0.0);
        EXPECT_EQ(text.find("Simulating..."), std::string::npos);
        if (!c.spur) {
            EXPECT_EQ(text.find("simulation years: " + std::to_string(c.least) + ", "), 0u);
            EXPECT_EQ(text.find("simulation years: ", 1), std::string::npos);
        }
    }
}

// A failure countdown once ran out after 2^32 quanta (8,171 years at 1,440 quanta a day), so
// elements meant never to fail failed all the same in long runs.
TEST(SimulationLoop, ElementsThatNeverFailStayWorkingBeyond2To32Quanta) {
    const uint32_t years = 8200;
    struct Case {
        const char* what;
        std::string ndl;
    };
    const std::string system = "system: quantsPerDay = 1440; yearMin = " + std::to_string(years) +
                               "; yearMax = " + std::to_string(years) + "; fuses = 0\n" +
                               "source: connect = 1\nload: connect = 3; customers = 10\n";
    const Case cases[] = {
        {"failure rate 0", system + "line: connect = 1, 3; failure = 0\n"},
        {"failure rate -0", system + "line: connect = 1, 3; failure = -0\n"},
        {"disabled fuse", system + "fuse: connect = 1, 3\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench bench;
        ASSERT_TRUE(bench.Parse(c.ndl));
        bench.Run();
        EXPECT_EQ(bench.sim.YearsSimulated(), years);
        EXPECT_EQ(bench.sim.FailuresSimulated(), 0u);
        EXPECT_EQ(Sums(bench.sim.System().saifi), (V{double{years}, 0, 0}));
    }
}

// One line of 2 failures a year and 10 hours' repair feeding one load point: the run stops by
// the accuracy rule and the indices agree with the rates.
TEST(SimulationLoop, SingleLineGivesItsFailureRateAndOutageTime) {
    Bench bench;
    Simulation& sim = bench.sim;
    const double accuracy = 0.02;
    sim.SetSystem(24, 100, 100000, 100, accuracy);
    bench.Source(2, 3);
    sim.AddLine(3, 4, -1.0, 2.0, 1.0, NoTime, 1.0, 10.0, 1.0);
    const uint32_t load = bench.Load("P", 4, 50);
    bench.Run();
    const LoadEstimates& est = sim.Element(load).estimates;
    const SystemEstimates& sys = sim.System();

    const uint32_t years = sim.YearsSimulated();
    EXPECT_EQ(years % 100, 0u);
    EXPECT_LT(years, 100000u);
    EXPECT_GT(years, 1000u);
    for (const Estimate* e : {&est.frequency, &est.interruptedYear, &est.outageTime,
                              &est.energyNotSupplied, &sys.saifi, &sys.saidi, &sys.caidi, &sys.ens})
        EXPECT_LT(e->RelativeAccuracy(), accuracy);
    const std::pair<const Estimate*, double> means[] = {{&sys.saifi, 2.0},
                                                        {&sys.saidi, 20.0},
                                                        {&sys.caidi, 10.0},
                                                        {&est.outageDuration, 10.0},
                                                        {&sys.ens, 20.0}};
    for (const auto& [e, expected] : means)
        EXPECT_LT(std::fabs(e->Mean() - expected), 4 * e->RelativeAccuracy() * expected)
            << expected << ": " << e->Mean();
    EXPECT_EQ(est.frequency.S1(), sys.saifi.S1());
}

} // namespace
} // namespace orvane
