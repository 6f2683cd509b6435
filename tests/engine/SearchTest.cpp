#include "engine/Clock.h"
#include "engine/Output.h"
#include "engine/Simulation.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <vector>

namespace orvane {
namespace {

class FixedClock : public Clock {
public:
    uint32_t TickCount() override { return 0; }
};

constexpr uint32_t Root = Simulation::SupplyRoot;
constexpr uint32_t Sink = Simulation::LoadSink;
constexpr double Unlimited = 1e6;

class SearchTest : public ::testing::Test {
protected:
    SearchTest() {
        output.OpenTextOutput(dir.File("report.txt"));
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

    std::set<uint32_t> Marked() const {
        std::set<uint32_t> marked;
        for (uint32_t n = 0; n < sim.NodeCount(); ++n)
            if (sim.Node(n).mark)
                marked.insert(n);
        return marked;
    }
    std::set<uint32_t> Open() const {
        std::set<uint32_t> open;
        for (uint32_t i = 0; i < sim.ElementCount(); ++i)
            if (sim.Element(i).capacity == 0.0)
                open.insert(i);
        return open;
    }
    double Flow(uint32_t i) const { return sim.Element(i).flow; }
    std::string Text() {
        output.CloseTextOutput();
        return test::ReadFile(dir.File("report.txt"));
    }

    test::TempDir dir;
    Output output;
    FixedClock clock;
    Simulation sim{output};
};

TEST_F(SearchTest, FeederFaultZoneWithAndWithoutSectioning) {
    struct Case {
        bool sectioning;
        bool breakerOpen;
        bool isolatorOpen;
        std::set<uint32_t> marked;
        double p;
        double q;
    };
    const Case cases[] = {
        {false, true, false, {2, 3, 4, 5}, 0.0, 0.0},
        {true, false, true, {4, 5}, 2.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sectioning);
        sim.Init(nullptr, clock);
        sim.SetSystem(24, 100, 1000, 100, 0.05);
        const uint32_t b1 = Source(9, 2);
        Line(2, 3);
        const uint32_t i1 = sim.AddIsolator(3, 4, -1.0);
        const uint32_t l2 = Line(4, 5);
        const uint32_t p = Load(3, 2.0);
        const uint32_t q = Load(5, 3.0);
        CloseAll();

        sim.Isolate(l2, c.sectioning);
        std::set<uint32_t> open;
        if (c.breakerOpen)
            open.insert(b1);
        if (c.isolatorOpen)
            open.insert(i1);
        EXPECT_EQ(Open(), open);
        EXPECT_EQ(Marked(), c.marked);

        sim.MaxFlow();
        EXPECT_EQ(Flow(p), c.p);
        EXPECT_EQ(Flow(q), c.q);
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
    EXPECT_EQ(Open(), std::set<uint32_t>{b1});
    EXPECT_EQ(Marked(), (std::set<uint32_t>{2, 3, 4}));
    EXPECT_EQ(Text(), "");
}

TEST_F(SearchTest, ZoneStopsAtSwitchAlreadyOpen) {
    // The switch between 3 and 4 is open already: a breaker tripped by an earlier failure, or a
    // recloser waiting to close, which the zone would otherwise cross like a conductor.
    struct Case {
        ElementKind open;
        bool sectioning;
        std::set<uint32_t> marked;
        bool isolatorOpens;
    };
    const Case cases[] = {
        {ElementKind::Breaker, false, {4, 5, 6, 7}, false},
        {ElementKind::Breaker, true, {4, 5}, true},
        {ElementKind::Recloser, false, {4, 5, 6, 7}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.open) << " " << c.sectioning);
        sim.Init(nullptr, clock);
        sim.SetSystem(24, 100, 1000, 100, 0.05);
        Source(9, 2);
        Line(2, 3);
        const uint32_t s = c.open == ElementKind::Breaker ? sim.AddBreaker(3, 4, -1.0)
                                                          : sim.AddRecloser(3, 4, -1.0, 1.0, 1.0);
        const uint32_t l2 = Line(4, 5);
        const uint32_t i = sim.AddIsolator(5, 6, -1.0);
        Line(6, 7);
        const uint32_t b3 = sim.AddBreaker(7, 8, -1.0);
        CloseAll();
        sim.Element(s).capacity = 0.0;

        sim.Isolate(l2, c.sectioning);
        EXPECT_EQ(Marked(), c.marked);
        std::set<uint32_t> open{s};
        open.insert(c.isolatorOpens ? i : b3);
        EXPECT_EQ(Open(), open);
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
    EXPECT_EQ(Open(), std::set<uint32_t>{b});
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

    struct Case {
        const char* name;
        uint32_t opened;
        double recloser; // its own capacity never counts as a path
        bool joined;
    };
    const Case cases[] = {
        {"both feeders closed", Simulation::NoElement, 0.0, true},
        {"feeder one breaker open", b1, 0.0, false},
        {"feeder two breaker open", b2, 0.0, false},
        {"recloser's own breaker open", own, 0.0, false},
        {"recloser itself closed", b1, 5.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CloseAll();
        sim.Element(r).capacity = c.recloser;
        if (c.opened != Simulation::NoElement)
            sim.Element(c.opened).capacity = 0.0;
        EXPECT_EQ(sim.RecloserMustOpen(r), c.joined);
    }

    // A direct tie joins the terminals without any source.
    Line(3, 4);
    CloseAll();
    sim.Element(b1).capacity = 0.0;
    sim.Element(b2).capacity = 0.0;
    EXPECT_TRUE(sim.RecloserMustOpen(r));
}

TEST_F(SearchTest, ShortCapacityServesLoadsInPathOrder) {
    struct Case {
        const char* name;
        bool pFirst;
        bool reversedLine;
        uint32_t pPriority;
        double p;
        double q;
    };
    const Case cases[] = {
        {"P found first", true, false, 1, 3.0, 2.0},
        {"Q found first", false, false, 1, 1.0, 4.0},
        {"line laid against the flow", true, true, 1, 3.0, 2.0},
        {"P in a later priority level", true, false, 2, 1.0, 4.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.Init(nullptr, clock);
        sim.SetSystem(24, 100, 1000, 100, 0.05);
        Source(9, 2);
        const uint32_t line = c.reversedLine ? Line(3, 2, 5.0) : Line(2, 3, 5.0);
        uint32_t p = 0;
        uint32_t q = 0;
        if (c.pFirst) {
            p = Load(3, 3.0);
            q = Load(3, 4.0);
        } else {
            q = Load(3, 4.0);
            p = Load(3, 3.0);
        }
        sim.Element(p).priority = c.pPriority;
        CloseAll();

        sim.MaxFlow();
        EXPECT_EQ(Flow(p), c.p);
        EXPECT_EQ(Flow(q), c.q);
        EXPECT_EQ(Flow(line), c.reversedLine ? -5.0 : 5.0);
    }
}

TEST_F(SearchTest, LoadsWithoutFlow) {
    // A tap without demand takes nothing even where supply is plenty; without a source nothing
    // flows anywhere.
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

    sim.Init(nullptr, clock);
    sim.SetSystem(24, 100, 1000, 100, 0.05);
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
    constexpr uint32_t Inner = 7; // nodes 2..8
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        sim.Init(nullptr, clock);
        sim.SetSystem(24, 100, 1000, 100, 0.05);
        std::uniform_int_distribution<uint32_t> node(2, Inner + 1);
        std::uniform_int_distribution<int> cap(0, 4);
        const uint32_t sources = 1 + rng() % 2;
        for (uint32_t s = 0; s < sources; ++s)
            sim.AddSupply(Root, node(rng), cap(rng) + 1.0);
        for (int k = 0; k < 12; ++k) {
            const uint32_t a = node(rng);
            uint32_t b = node(rng);
            if (a == b)
                continue;
            if (rng() % 2)
                Line(a, b, cap(rng));
            else
                sim.AddBreaker(a, b, cap(rng));
        }
        for (int k = 0; k < 3; ++k)
            Load(node(rng), cap(rng));
        for (uint32_t i = 0; i < sim.ElementCount(); ++i)
            sim.Element(i).capacity = sim.Element(i).rating;
        const uint32_t n = sim.NodeCount();

        sim.MaxFlow();

        double minCut = 1e300;
        for (uint32_t subset = 0; subset < (1u << (n - 2)); ++subset) {
            auto sourceSide = [&](uint32_t v) {
                return v == Root || (v >= 2 && (subset >> (v - 2) & 1u));
            };
            double cut = 0.0;
            for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
                const SimElement& e = sim.Element(i);
                if (sourceSide(e.a) != sourceSide(e.b))
                    cut += e.capacity;
            }
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
