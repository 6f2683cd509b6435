#include "engine/Clock.h"
#include "engine/Output.h"
#include "engine/Simulation.h"
#include "ndl/ParserDistrib.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <string>

namespace orvane {
namespace {

using test::ReadFile;
using test::TempDir;

class FixedClock : public Clock {
public:
    uint32_t TickCount() override { return 90000; }
};

struct Reports {
    std::string text;
    std::string html;
};

// One network with its own channels, clock and report files.
class Bench {
public:
    Bench() {
        out_.OpenTextOutput(dir_.File("net.txt"));
        out_.OpenHtmlOutput(dir_.File("net.htm"));
        sim_->Init(nullptr, clock_);
    }

    Simulation& Sim() { return *sim_; }

    bool Parse(const std::string& ndl) {
        auto parser = std::make_unique<ParserDistrib>(out_);
        const bool ok = parser->Open(ndl) && parser->Parse(*sim_);
        parser->Close();
        return ok;
    }

    Reports Run() {
        EXPECT_EQ(sim_->Execute(nullptr, "net.htm"), ExecuteResult::Completed);
        out_.CloseTextOutput();
        out_.CloseHtmlOutput();
        return {ReadFile(dir_.File("net.txt")), ReadFile(dir_.File("net.htm"))};
    }

    // A supply and its breaker from SupplyRoot to `node`, as a source definition makes them.
    void Source(uint32_t fresh, uint32_t node, double capacity = -1.0) {
        sim_->AddSupply(Simulation::SupplyRoot, fresh, capacity);
        sim_->AddBreaker(fresh, node, -1.0);
    }

    // A flat load of demand 1.0; its element index.
    uint32_t Load(const std::string& name, uint32_t node, uint32_t customers = 1) {
        return sim_->AddLoad(name, node, Simulation::LoadSink, customers, {1.0}, 1.0, 1.0);
    }

private:
    TempDir dir_;
    Output out_;
    FixedClock clock_;
    std::unique_ptr<Simulation> sim_ = std::make_unique<Simulation>(out_);
};

// A shape that makes every draw practically its scale, and hours that round to one quantum.
constexpr double Fixed = 1e10;
constexpr double NoTime = 1e-10;

void ExpectSame(const Estimate& a, const Estimate& b, const std::string& what) {
    EXPECT_EQ(a.W(), b.W()) << what;
    EXPECT_EQ(a.S1(), b.S1()) << what;
    EXPECT_EQ(a.S2(), b.S2()) << what;
}

double TotalInterruptions(const Simulation& sim) {
    double total = 0.0;
    for (uint32_t i = 0; i < sim.ElementCount(); ++i)
        if (sim.Element(i).kind == ElementKind::Load)
            total += sim.Element(i).estimates.frequency.S1();
    return total;
}

struct Network {
    const char* name;
    std::string ndl;
};

void PrintTo(const Network& n, std::ostream* os) {
    *os << n.name;
}

const std::string Radial = R"(
source: connect = 1
breaker: connect = 1, 2
line: connect = 2, 3; failure = 3; isolation = 1; repair = 6
line: connect = 3, 4; length = 2; failure = 1.5; isolation = 1; repair = 4
load: name = "Near"; connect = 3; customers = 10
load: name = "Far"; connect = 4; customers = 25; average = 2
)";

const std::string Sectioned = R"(
source: connect = 1
breaker: connect = 1, 2
line: connect = 2, 3; failure = 2; isolation = 1; repair = 8
isolator: connect = 3, 4
line: connect = 4, 5; failure = 3; isolation = 2; repair = 5
fuse: connect = 5, 6
line: connect = 6, 7; failure = 4; isolation = 0.5; repair = 3
equipment: connect = 7, 8; failure = 1; isolation = 1; repair = 30
load: name = "P"; connect = 3; customers = 40
load: name = "Q"; connect = 5; customers = 15
load: name = "R"; connect = 7; customers = 7
load: name = "S"; connect = 8; customers = 2
)";

std::string TwoFeeders(const std::string& failure, const std::string& isolation,
                       const std::string& repair, const std::string& reclose) {
    const std::string f =
        "failure = " + failure + "; isolation = " + isolation + "; repair = " + repair;
    return "source: connect = 1\n"
           "breaker: connect = 1, 10\n"
           "line: connect = 10, 11; " +
           f +
           "\n"
           "isolator: connect = 11, 12\n"
           "line: connect = 12, 13; " +
           f +
           "\n"
           "load: name = \"N1\"; connect = 11; customers = 40\n"
           "load: name = \"N2\"; connect = 13; customers = 15\n"
           "source: connect = 2\n"
           "breaker: connect = 2, 20\n"
           "line: connect = 20, 21; " +
           f +
           "\n"
           "isolator: connect = 21, 22\n"
           "line: connect = 22, 23; " +
           f +
           "\n"
           "load: name = \"S1\"; connect = 21; customers = 30\n"
           "load: name = \"S2\"; connect = 23; customers = 20\n"
           "recloser: connect = 13, 23; reclose = " +
           reclose + "\n";
}

// The East breaker's 3.3 leaves one of its loads short in part of the year even when nothing has
// failed, so the demand of every quantum matters, not only that of the failing ones.
const std::string Varying = R"(
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
)";

class QuietStrides : public testing::TestWithParam<Network> {};

// Taking the quiet quanta in one stride must not change a single byte of the reports.
TEST_P(QuietStrides, GiveTheSameRunAsWalkingEveryQuantum) {
    Bench strided, walked;
    ASSERT_TRUE(strided.Parse(GetParam().ndl));
    ASSERT_TRUE(walked.Parse(GetParam().ndl));
    walked.Sim().SetQuietStrides(false);
    const Reports a = strided.Run();
    const Reports b = walked.Run();

    const Simulation& sa = strided.Sim();
    const Simulation& sb = walked.Sim();
    EXPECT_GT(TotalInterruptions(sa), 100.0) << "too little happens to compare the runs";
    EXPECT_EQ(sa.YearsSimulated(), sb.YearsSimulated());
    EXPECT_NE(a.text.find("simulation years: "), std::string::npos);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.html, b.html);
    ExpectSame(sa.System().saifi, sb.System().saifi, "SAIFI");
    ExpectSame(sa.System().saidi, sb.System().saidi, "SAIDI");
    ExpectSame(sa.System().caidi, sb.System().caidi, "CAIDI");
    ExpectSame(sa.System().ens, sb.System().ens, "ENS");
    for (uint32_t i = 0; i < sa.ElementCount(); ++i) {
        const SimElement& x = sa.Element(i);
        const SimElement& y = sb.Element(i);
        if (x.kind != ElementKind::Load)
            continue;
        ExpectSame(x.estimates.frequency, y.estimates.frequency, x.name + " frequency");
        ExpectSame(x.estimates.interruptedYear, y.estimates.interruptedYear, x.name + " year");
        ExpectSame(x.estimates.outageTime, y.estimates.outageTime, x.name + " outage time");
        ExpectSame(x.estimates.outageDuration, y.estimates.outageDuration, x.name + " duration");
        ExpectSame(x.estimates.energyNotSupplied, y.estimates.energyNotSupplied, x.name + " ENS");
    }
}

const std::string System =
    "system: quantsPerDay = 12; yearMin = 100; yearMax = 200; yearStep = 50; "
    "accuracy = 0.001";

INSTANTIATE_TEST_SUITE_P(
    Networks, QuietStrides,
    testing::Values(
        Network{"Radial", System + Radial},
        Network{"RadialStoppingEarly", "system: quantsPerDay = 24; yearMin = 100; yearMax = 400; "
                                       "yearStep = 10; accuracy = 0.08" +
                                           Radial},
        Network{"Sectioned", System + Sectioned},
        Network{"FusesAndIsolatorsDisabled", System + "; fuses = 0; isolators = 0" + Sectioned},
        Network{"RecloserTie", System + "\n" + TwoFeeders("3", "1", "6", "0.5")},
        Network{"ReclosersDisabled",
                System + "; reclosers = 0\n" + TwoFeeders("3", "1", "6", "0.5")},
        Network{"WeibullShapes", System + "\n" + TwoFeeders("3, 0.6", "1, 3", "6, 2.5", "0.5, 2")},
        Network{"RepairShorterThanIsolation", System + "\n" + TwoFeeders("3", "8", "2", "1")},
        Network{"VaryingLoadsAndCapacities",
                "system: quantsPerDay = 8; yearMin = 100; yearMax = 150; yearStep = 50; "
                "accuracy = 0.001; maxFlow = 1" +
                    Varying}),
    [](const testing::TestParamInfo<Network>& info) { return std::string(info.param.name); });

// Source, breaker, load P at 3, isolator 3-4, line 4-5 that fails, load Q at 5: with durations
// fixed, every outage of P lasts the isolation time and every outage of Q the repair time, unless
// the repair is the shorter.
struct Phases {
    double isolationHours;
    double repairHours;
    double upstreamHours;   // P, cut off until the fault is sectioned
    double downstreamHours; // Q, cut off until the repair is done
    double isolationShape = Fixed;
};

void PrintTo(const Phases& p, std::ostream* os) {
    *os << "isolation " << p.isolationHours << " h (shape " << p.isolationShape << "), repair "
        << p.repairHours << " h";
}

class FaultPhases : public testing::TestWithParam<Phases> {};

TEST_P(FaultPhases, SectioningRestoresTheLoadsBeforeTheIsolator) {
    const Phases p = GetParam();
    Bench bench;
    Simulation& sim = bench.Sim();
    sim.SetSystem(24, 1, 30, 10, 1e-9);
    bench.Source(2, 3);
    const uint32_t up = bench.Load("P", 3);
    sim.AddIsolator(3, 4, -1.0);
    sim.AddLine(4, 5, -1.0, 20.0, 1.0, p.isolationHours, p.isolationShape, p.repairHours, Fixed);
    const uint32_t down = bench.Load("Q", 5);
    bench.Run();

    ASSERT_EQ(sim.YearsSimulated(), 30u);
    const LoadEstimates& a = sim.Element(up).estimates;
    const LoadEstimates& b = sim.Element(down).estimates;
    ASSERT_GT(a.outageDuration.W(), 300.0);
    EXPECT_EQ(a.outageDuration.Mean(), p.upstreamHours);
    EXPECT_EQ(a.outageDuration.S2(), a.outageDuration.W() * p.upstreamHours * p.upstreamHours);
    EXPECT_EQ(b.outageDuration.Mean(), p.downstreamHours);
    EXPECT_EQ(b.outageDuration.S2(), b.outageDuration.W() * p.downstreamHours * p.downstreamHours);
    // Every failure interrupts both, in the same year.
    EXPECT_EQ(a.frequency.S1(), b.frequency.S1());
    EXPECT_EQ(a.frequency.S2(), b.frequency.S2());
}

INSTANTIATE_TEST_SUITE_P(Durations, FaultPhases,
                         testing::Values(Phases{2, 6, 2, 6}, Phases{6, 2, 2, 2}, Phases{3, 3, 3, 3},
                                         // A zero scale with a tiny shape often draws 0 x inf:
                                         // still the shortest trip, one quantum.
                                         Phases{0, 6, 1, 6, 0.001}));

// Feeder A: source, breaker, line 3-4 that fails, isolator 4-5, load P at 5. A recloser ties 5
// to feeder B's load Q at 9. After the fault is sectioned, P waits for the recloser's delay.
struct Reclosing {
    double recloseHours;
    double outageHours; // of P, per failure
};

void PrintTo(const Reclosing& r, std::ostream* os) {
    *os << "reclose " << r.recloseHours << " h";
}

class RecloserDelay : public testing::TestWithParam<Reclosing> {};

TEST_P(RecloserDelay, DecidesHowLongTheSectionedLoadWaits) {
    Bench bench;
    Simulation& sim = bench.Sim();
    sim.SetSystem(24, 1, 20, 10, 1e-9);
    bench.Source(2, 3);
    sim.AddLine(3, 4, -1.0, 15.0, 1.0, 1.0, Fixed, 10.0, Fixed);
    sim.AddIsolator(4, 5, -1.0);
    const uint32_t lp = bench.Load("P", 5);
    sim.AddBreaker(5, 6, -1.0);
    sim.AddRecloser(6, 7, -1.0, GetParam().recloseHours, Fixed);
    sim.AddBreaker(7, 9, -1.0);
    bench.Source(8, 9);
    const uint32_t lq = bench.Load("Q", 9);
    bench.Run();

    const SimElement& p = sim.Element(lp);
    const SimElement& q = sim.Element(lq);
    ASSERT_GT(p.estimates.outageDuration.W(), 150.0);
    EXPECT_EQ(p.estimates.outageDuration.Mean(), GetParam().outageHours);
    EXPECT_EQ(p.estimates.outageDuration.S2(),
              p.estimates.outageDuration.W() * GetParam().outageHours * GetParam().outageHours);
    EXPECT_EQ(q.estimates.frequency.S1(), 0.0);
}

// A delay of 3 quanta keeps P out for exactly 3; a delay that saturates the count never closes
// (it must not wrap to 0 and close at once), so P waits for the 10-hour repair.
INSTANTIATE_TEST_SUITE_P(Delays, RecloserDelay,
                         testing::Values(Reclosing{3.0, 3.0}, Reclosing{5e9, 10.0}));

// Q at 7 is fed from source 1 through B1, L2 (3-4), I (4-5), L1 (5-6) and I2 (6-7), and from
// source 2 through B3. Fixed durations and equal cycles of 160 quanta: L1 is out from quantum 100
// (1 unsectioned, 59 sectioned), L2 from 120 (10 unsectioned, 30 sectioned). While L2's fault is
// unsectioned, L1 is already sectioned off, so L2's zone stops at I and leaves B3 closed: Q is
// out only in L1's one unsectioned quantum of every cycle.
TEST(SimulationLoop, SectionedFaultsAreIsolatedBeforeUnsectionedOnes) {
    Bench bench;
    Simulation& sim = bench.Sim();
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

    const Estimate& durations = sim.Element(load).estimates.outageDuration;
    ASSERT_GT(durations.W(), 100.0);
    EXPECT_EQ(durations.Mean(), 1.0);
    EXPECT_EQ(durations.S2(), durations.W());
}

// One quantum a day, a line that fails on day 360 of every cycle and is repaired in 10 days: the
// first outage runs from day 360 of year 1 to day 4 of year 2.
TEST(SimulationLoop, OutageCrossingTheYearCountsOnceInTheYearItBegan) {
    for (bool strides : {true, false}) {
        SCOPED_TRACE(strides ? "strides" : "every quantum");
        Bench bench;
        Simulation& sim = bench.Sim();
        sim.SetQuietStrides(strides);
        sim.SetSystem(1, 2, 2, 1, 1e-9);
        bench.Source(2, 3);
        sim.AddLine(3, 4, -1.0, 365.0 / 360.0, Fixed, NoTime, Fixed, 240.0, Fixed);
        const uint32_t load = bench.Load("P", 4);
        bench.Run();
        const LoadEstimates& est = sim.Element(load).estimates;

        ASSERT_EQ(sim.YearsSimulated(), 2u);
        EXPECT_EQ(est.frequency.S1(), 1.0); // 1 in year 1, none in year 2
        EXPECT_EQ(est.frequency.S2(), 1.0);
        EXPECT_EQ(est.interruptedYear.S1(), 1.0);
        EXPECT_EQ(est.outageTime.S1(), 240.0); // 5 days in each year
        EXPECT_EQ(est.outageTime.S2(), 2 * 120.0 * 120.0);
        EXPECT_EQ(est.energyNotSupplied.S1(), 240.0);
        EXPECT_EQ(est.outageDuration.W(), 1.0); // sampled once, when supply returns
        EXPECT_EQ(est.outageDuration.S1(), 240.0);
        const SystemEstimates& sys = sim.System();
        EXPECT_EQ(sys.saifi.W(), 2.0);
        EXPECT_EQ(sys.saifi.S1(), 1.0);
        EXPECT_EQ(sys.saidi.S1(), 240.0);
        // Year 2 has outage time but no interruption, so it gives CAIDI no sample.
        EXPECT_EQ(sys.caidi.W(), 1.0);
        EXPECT_EQ(sys.caidi.S1(), 120.0);
        EXPECT_EQ(sys.ens.S1(), 240.0);
    }
}

// All or nothing: a load short of its demand by more than 1e-10 is interrupted, and its whole
// demand counts as not supplied.
TEST(SimulationLoop, LoadShortOfItsDemandIsInterrupted) {
    Bench bench;
    Simulation& sim = bench.Sim();
    sim.SetSystem(4, 3, 3, 1, 0.05);
    bench.Source(2, 3, 1.0 - 5e-11);
    bench.Source(4, 5, 1.0 - 2e-10);
    const uint32_t a = bench.Load("Enough", 3);
    const uint32_t b = bench.Load("Short", 5, 3);
    bench.Run();
    const SimElement& enough = sim.Element(a);
    const SimElement& shortOf = sim.Element(b);

    ASSERT_EQ(sim.YearsSimulated(), 3u);
    EXPECT_EQ(enough.estimates.frequency.S1(), 0.0);
    EXPECT_EQ(enough.estimates.outageTime.S1(), 0.0);
    EXPECT_EQ(shortOf.estimates.frequency.S1(), 1.0);
    EXPECT_EQ(shortOf.estimates.outageTime.S1(), 3 * 8760.0);
    EXPECT_EQ(shortOf.estimates.energyNotSupplied.S1(), 3 * 8760.0);
    EXPECT_EQ(shortOf.estimates.outageDuration.W(), 0.0); // still out when the run stops
    EXPECT_EQ(sim.System().saifi.S1(), 0.75);             // 3 of 4 customers, in year 1
    EXPECT_EQ(sim.System().caidi.W(), 0.75);
    EXPECT_EQ(sim.System().caidi.S1(), 0.75 * 8760.0);
}

// Where nothing can fail every accuracy is 0, so the first year that may be tested ends the run;
// without such a year the run goes to yearMax. Either way only the final report is written.
TEST(SimulationLoop, NetworkThatCannotFailStopsAtTheFirstTestedYear) {
    struct Case {
        uint32_t yearMin, yearMax, yearStep, years;
    };
    for (const Case c : {Case{150, 1000, 40, 160}, Case{100, 130, 200, 130}}) {
        SCOPED_TRACE(c.years);
        Bench bench;
        Simulation& sim = bench.Sim();
        sim.SetSystem(4, c.yearMin, c.yearMax, c.yearStep, 0.05);
        bench.Source(2, 3);
        const uint32_t load = bench.Load("P", 3);
        const Reports reports = bench.Run();
        const LoadEstimates& est = sim.Element(load).estimates;

        EXPECT_EQ(sim.YearsSimulated(), c.years);
        EXPECT_EQ(est.frequency.W(), static_cast<double>(c.years));
        EXPECT_EQ(sim.System().caidi.W(), 0.0);
        const std::string line = "simulation years: " + std::to_string(c.years) + ", ";
        EXPECT_EQ(reports.text.find("simulation years: "), 0u);
        EXPECT_EQ(reports.text.find(line), 0u);
        EXPECT_EQ(reports.text.find("simulation years: ", 1), std::string::npos);
        EXPECT_EQ(reports.text.find("Simulating..."), std::string::npos);
    }
}

// One line of 2 failures a year and 10 hours' repair feeding one load point: the run stops by
// the accuracy rule and the indices agree with the rates.
TEST(SimulationLoop, SingleLineGivesItsFailureRateAndOutageTime) {
    Bench bench;
    Simulation& sim = bench.Sim();
    const double accuracy = 0.02;
    sim.SetSystem(24, 100, 100000, 100, accuracy);
    bench.Source(2, 3);
    sim.AddLine(3, 4, -1.0, 2.0, 1.0, NoTime, 1.0, 10.0, 1.0);
    const uint32_t load = bench.Load("P", 4, 50);
    bench.Run();
    const LoadEstimates& est = sim.Element(load).estimates;

    const uint32_t years = sim.YearsSimulated();
    EXPECT_EQ(years % 100, 0u);
    EXPECT_LT(years, 100000u);
    EXPECT_GT(years, 1000u);
    const SystemEstimates& sys = sim.System();
    for (const Estimate* e : {&est.frequency, &est.interruptedYear, &est.outageTime,
                              &est.energyNotSupplied, &sys.saifi, &sys.saidi, &sys.caidi, &sys.ens})
        EXPECT_LT(e->RelativeAccuracy(), accuracy);

    auto near = [](const Estimate& e, double expected) {
        return std::fabs(e.Mean() - expected) < 4 * e.RelativeAccuracy() * expected;
    };
    EXPECT_TRUE(near(sys.saifi, 2.0)) << sys.saifi.Mean();
    EXPECT_TRUE(near(sys.saidi, 20.0)) << sys.saidi.Mean();
    EXPECT_TRUE(near(sys.caidi, 10.0)) << sys.caidi.Mean();
    EXPECT_TRUE(near(est.outageDuration, 10.0)) << est.outageDuration.Mean();
    EXPECT_TRUE(near(sys.ens, 20.0)) << sys.ens.Mean();
    EXPECT_EQ(est.frequency.S1(), sys.saifi.S1());
}

} // namespace
} // namespace orvane
