#include "base/Output.h"
#include "engine/Simulation.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace orvane {
namespace {

constexpr uint32_t Root = Simulation::SupplyRoot;
constexpr uint32_t Sink = Simulation::LoadSink;
constexpr double Unlimited = 1e6;

using Set = std::set<uint32_t>;

class SearchTest : public ::testing::Test {
protected:
    SearchTest() {
        output.OpenTextOutput(dir.File("report.txt"));
        Reset();
    }

    // An empty network again.
    void Reset() {
        sim.Init(nullptr, clock);
        sim.SetSystem(24, 100, 1000, 100, 0.05);
    }
    uint32_t Line(uint32_t a, uint32_t b, double capacity = -1.0) {
        return sim.AddLine(a, b, capacity, 1.0, 1.0, 2.0, 1.0, 4.0, 1.0);
    }
    uint32_t Load(uint32_t node, double demand) {
        const uint32_t i = sim.AddLoad("P", node, Sink, 10, {}, -1.0, -1.0);
        sim.Element(i).rating = demand;
        return i;
    }
    // A source's own node behind its breaker; returns the breaker.
    uint32_t Source(uint32_t own, uint32_t node) {
        sim.AddSupply(Root, own, -1.0);
        return sim.AddBreaker(own, node, -1.0);
    }

    // Every switch closed at its rating, every load at its demand.
    void CloseAll() {
        for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
            SimElement& e = sim.Element(i);
            e.capacity = e.kind != ElementKind::Load && e.rating == -1.0 ? Unlimited : e.rating;
        }
    }

    // The open elements and the marked nodes.
    std::pair<Set, Set> Zone() const {
        Set open, marked;
        for (uint32_t i = 0; i < sim.ElementCount(); ++i)
            if (sim.Element(i).capacity == 0.0)
                open.insert(i);
        for (uint32_t n = 0; n < sim.NodeCount(); ++n)
            if (sim.Node(n).mark)
                marked.insert(n);
        return {open, marked};
    }
    double Flow(uint32_t i) const { return sim.Element(i).flow; }
    std::string Text() {
        output.CloseTextOutput();
        return test::ReadFile(dir.File("report.txt"));
    }

    test::TempDir dir;
    Output output;
    test::FixedClock clock;
    Simulation sim{output};
};

// Source breaker B1, line 2-3 with P, isolator I1, line 4-5 that fails with Q: without
// sectioning the breaker clears the whole feeder; with it only the isolator opens and P is fed.
TEST_F(SearchTest, FeederFaultZoneWithAndWithoutSectioning) {
    for (const bool sectioning : {false, true}) {
        SCOPED_TRACE(sectioning);
        Reset();
        const uint32_t b1 = Source(9, 2);
        Line(2, 3);
        const uint32_t i1 = sim.AddIsolator(3, 4, -1.0);
        const uint32_t l2 = Line(4, 5);
        const uint32_t p = Load(3, 2.0);
        const uint32_t q = Load(5, 3.0);
        CloseAll();

        sim.Isolate(l2, sectioning);
        EXPECT_EQ(Zone(),
                  sectioning ? std::pair(Set{i1}, Set{4, 5}) : std::pair(Set{b1}, Set{2, 3, 4, 5}));
        sim.MaxFlow();
        EXPECT_EQ(Flow(p), sectioning ? 2.0 : 0.0);
        EXPECT_EQ(Flow(q), 0.0);
    }
    EXPECT_EQ(Text(), "");
}

TEST_F(SearchTest, FailureBehindSourceBreakerOpensOnlyThatBreaker) {
    const uint32_t b1 = Source(9, 2);
    const uint32_t l1 = Line(2, 3);
    Line(3, 4);
    Load(4, 1.0);
    CloseAll();

    sim.Isolate(l1, true);
    EXPECT_EQ(Zone(), std::pair(Set{b1}, Set{2, 3, 4}));
    EXPECT_EQ(Text(), "");
}

// The switch between 3 and 4 is open already: a breaker tripped by an earlier failure, or a
// recloser waiting to close, which the zone would otherwise cross like a conductor.
TEST_F(SearchTest, ZoneStopsAtSwitchAlreadyOpen) {
    // The kind of the open switch, sectioning, the marked nodes and whether the isolator opens.
    const std::tuple<ElementKind, bool, Set, bool> cases[] = {
        {ElementKind::Breaker, false, {4, 5, 6, 7}, false},
        {ElementKind::Breaker, true, {4, 5}, true},
        {ElementKind::Recloser, false, {4, 5, 6, 7}, false},
    };
    for (const auto& [kind, sectioning, marked, isolatorOpens] : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(kind) << " " << sectioning);
        Reset();
        Source(9, 2);
        Line(2, 3);
        const uint32_t s = kind == ElementKind::Breaker ? sim.AddBreaker(3, 4, -1.0)
                                                        : sim.AddRecloser(3, 4, -1.0, 1.0, 1.0);
        const uint32_t l2 = Line(4, 5);
        const uint32_t i = sim.AddIsolator(5, 6, -1.0);
        Line(6, 7);
        const uint32_t b3 = sim.AddBreaker(7, 8, -1.0);
        CloseAll();
        sim.Element(s).capacity = 0.0;

        sim.Isolate(l2, sectioning);
        EXPECT_EQ(Zone(), std::pair(Set{s, isolatorOpens ? i : b3}, marked));
    }
}

TEST_F(SearchTest, ZoneReachingSupplyRootIsReportedAndStops) {
    Line(Root, 2); // a conductor straight from the root: no breaker bounds this side
    const uint32_t failed = Line(2, 3);
    const uint32_t b = sim.AddBreaker(3, 4, -1.0);
    const uint32_t otherBreaker = Source(7, 8);
    CloseAll();

    sim.Isolate(failed, false);
    // Node 3 is scanned before the root comes to the front, so its breaker is already open;
    // the root's other elements are never looked at.
    EXPECT_EQ(Zone().first, Set{b});
    EXPECT_NE(sim.Element(otherBreaker).capacity, 0.0);
    EXPECT_FALSE(sim.Node(7).mark);
    EXPECT_EQ(Text(), "_Isolate failed\n");
}

TEST_F(SearchTest, RecloserTieBetweenTwoFeeders) {
    // Feeder one: 2-3, feeder two: 5-4; the recloser between 3 and 4 sits between its own
    // breakers through the fresh nodes 11 and 12.
    const uint32_t b1 = Source(10, 2);
    Line(2, 3);
    const uint32_t own = sim.AddBreaker(3, 11, -1.0);
    const uint32_t r = sim.AddRecloser(11, 12, -1.0, 1.0, 1.0);
    sim.AddBreaker(12, 4, -1.0);
    Line(5, 4);
    const uint32_t b2 = Source(13, 5);
    Load(3, 1.0);
    Load(4, 1.0);

    // What is open, the recloser's own capacity (never counted as a path), and the answer.
    const std::tuple<const char*, uint32_t, double, bool> cases[] = {
        {"both feeders closed", Simulation::NoElement, 0.0, true},
        {"feeder one breaker open", b1, 0.0, false},
        {"feeder two breaker open", b2, 0.0, false},
        {"recloser's own breaker open", own, 0.0, false},
        {"recloser itself closed", b1, 5.0, false},
    };
    for (const auto& [name, opened, capacity, joined] : cases) {
        CloseAll();
        sim.Element(r).capacity = capacity;
        if (opened != Simulation::NoElement)
            sim.Element(opened).capacity = 0.0;
        EXPECT_EQ(sim.RecloserMustOpen(r), joined) << name;
    }

    // A direct tie joins the terminals without any source.
    Line(3, 4);
    CloseAll();
    sim.Element(b1).capacity = 0.0;
    sim.Element(b2).capacity = 0.0;
    EXPECT_TRUE(sim.RecloserMustOpen(r));
}

// A line of capacity 5 feeds P (3.0) and Q (4.0): the load found first on the path, in the
// first priority level, is served in full.
TEST_F(SearchTest, ShortCapacityServesLoadsInPathOrder) {
    // Whether P is added first, the line reversed, P's priority level, and the flows to P and Q.
    const std::tuple<const char*, bool, bool, uint32_t, double, double> cases[] = {
        {"P found first", true, false, 1, 3.0, 2.0},
        {"Q found first", false, false, 1, 1.0, 4.0},
        {"line laid against the flow", true, true, 1, 3.0, 2.0},
        {"P in a later priority level", true, false, 2, 1.0, 4.0},
    };
    for (const auto& [name, pFirst, reversed, priority, toP, toQ] : cases) {
        SCOPED_TRACE(name);
        Reset();
        Source(9, 2);
        const uint32_t line = reversed ? Line(3, 2, 5.0) : Line(2, 3, 5.0);
        const uint32_t first = Load(3, pFirst ? 3.0 : 4.0);
        const uint32_t second = Load(3, pFirst ? 4.0 : 3.0);
        sim.Element(pFirst ? first : second).priority = priority;
        CloseAll();

        sim.MaxFlow();
        EXPECT_EQ(Flow(pFirst ? first : second), toP);
        EXPECT_EQ(Flow(pFirst ? second : first), toQ);
        EXPECT_EQ(Flow(line), reversed ? -5.0 : 5.0);
    }
}

// A tap without demand takes nothing even where supply is plenty; without a source nothing
// flows anywhere.
TEST_F(SearchTest, LoadsWithoutFlow) {
    Source(9, 2);
    const uint32_t idle = Load(2, 0.0);
    const uint32_t busy = Load(2, 2.0);
    Line(3, 4);
    const uint32_t stranded = Load(4, 1.0);
    CloseAll();
    sim.MaxFlow();
    EXPECT_EQ(Flow(idle), 0.0);
    EXPECT_EQ(sim.Element(idle).allowed, 0.0);
    EXPECT_EQ(Flow(busy), 2.0);
    EXPECT_EQ(Flow(stranded), 0.0);

    Reset();
    Line(2, 3);
    Load(3, 1.0);
    Load(2, 1.0);
    CloseAll();
    sim.MaxFlow();
    for (uint32_t i = 0; i < sim.ElementCount(); ++i)
        EXPECT_EQ(Flow(i), 0.0) << i;
}

// On random meshed networks with integer capacities the flow reaching the sink must equal the
// smallest cut, and every element must respect its capacity and every node conserve flow.
TEST_F(SearchTest, MaxFlowEqualsMinimumCut) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<uint32_t> node(2, 8);
    std::uniform_int_distribution<int> cap(0, 4);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        Reset();
        for (uint32_t s = 1 + rng() % 2; s > 0; --s)
            sim.AddSupply(Root, node(rng), cap(rng) + 1.0);
        for (int k = 0; k < 12; ++k) {
            const uint32_t a = node(rng);
            const uint32_t b = node(rng);
            if (a != b && rng() % 2)
                Line(a, b, cap(rng));
            else if (a != b)
                sim.AddBreaker(a, b, cap(rng));
        }
        for (int k = 0; k < 3; ++k)
            Load(node(rng), cap(rng));
        for (uint32_t i = 0; i < sim.ElementCount(); ++i)
            sim.Element(i).capacity = sim.Element(i).rating;
        const uint32_t n = sim.NodeCount();

        sim.MaxFlow();

        // Every split of nodes 2.. into the root's side and the sink's.
        double minCut = 1e300;
        for (uint32_t subset = 0; subset < (1u << (n - 2)); ++subset) {
            auto rootSide = [&](uint32_t v) {
                return v == Root || (v >= 2 && subset >> (v - 2) & 1);
            };
            double cut = 0.0;
            for (uint32_t i = 0; i < sim.ElementCount(); ++i)
                if (rootSide(sim.Element(i).a) != rootSide(sim.Element(i).b))
                    cut += sim.Element(i).capacity;
            minCut = std::min(minCut, cut);
        }
        std::vector<double> net(n, 0.0);
        double intoSink = 0.0;
        for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
            const SimElement& e = sim.Element(i);
            EXPECT_LE(std::fabs(e.flow), e.capacity + 1e-12) << i;
            net[e.a] -= e.flow;
            net[e.b] += e.flow;
            if (e.b == Sink)
                intoSink += e.flow;
        }
        EXPECT_DOUBLE_EQ(intoSink, minCut);
        for (uint32_t v = 2; v < n; ++v)
            EXPECT_NEAR(net[v], 0.0, 1e-12) << v;
    }
}

} // namespace
} // namespace orvane
