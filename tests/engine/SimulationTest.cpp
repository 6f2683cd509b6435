#include "engine/Simulation.h"

#include "base/Output.h"

#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvane {
namespace {

class SimulationTest : public ::testing::Test {
protected:
    SimulationTest() { sim.Init(nullptr, clock); }

    Output output;
    test::FixedClock clock;
    Simulation sim{output};
};

// The searches walk a node's elements in this order, which decides which load is served first.
TEST_F(SimulationTest, ElementsJoinTheirNodesInCreationOrder) {
    EXPECT_EQ(sim.AddBreaker(2, 7, 3.5), 0u);
    EXPECT_EQ(sim.AddIsolator(5, 2, -1.0), 1u);
    EXPECT_EQ(sim.AddSupply(Simulation::SupplyRoot, 5, 2.0), 2u);
    EXPECT_EQ(sim.NodeCount(), 8u);

    auto entries = [&](uint32_t node) {
        std::string all;
        for (const AdjacencyEntry& entry : sim.Node(node).adjacency)
            all += std::to_string(entry.element) + (entry.towardsB ? "B " : "A ");
        return all;
    };
    EXPECT_EQ(entries(2), "0B 1A ");
    EXPECT_EQ(entries(7), "0A ");
    EXPECT_EQ(entries(5), "1B 2A ");
    EXPECT_EQ(entries(0), "2B ");
}

struct ScaleCase {
    uint32_t quantsPerDay;
    double rate;
    double hours;
    double failureScale;
    double hoursScale;
};

TEST_F(SimulationTest, TurnsRatesAndHoursIntoScalesInQuanta) {
    const double infinity = std::numeric_limits<double>::infinity();
    const ScaleCase cases[] = {
        {24, 0.5, 3.0, 17519.5, 2.5},
        {1, 0.0, 12.0, infinity, 0.0},
        {1, 2.0, 0.01, 182.0, 0.0},
        {1440, 1e10, 1.0, 0.0, 59.5},
        {96, 1e-10, 1e-10, 365 * 96 / 1e-10 - 0.5, 0.0},
    };
    for (const auto& c : cases) {
        sim.Init(nullptr, clock);
        sim.SetSystem(c.quantsPerDay, 100, 1000, 100, 0.05);
        sim.AddEquipment(2, 3, 4.0, c.rate, 1.5, c.hours, 2.0, 2 * c.hours, 3.0);
        sim.AddLine(3, 4, 4.0, c.rate, 1.5, c.hours, 2.0, 2 * c.hours, 3.0);
        sim.AddRecloser(4, 5, 4.0, c.hours, 4.0);
        for (uint32_t i = 0; i < 2; ++i) {
            const SimElement& e = sim.Element(i);
            EXPECT_EQ(e.kind, i ? ElementKind::Line : ElementKind::Equipment);
            EXPECT_DOUBLE_EQ(e.failure.Scale(), c.failureScale) << c.rate;
            EXPECT_EQ(e.failure.Shape(), 1.5);
            EXPECT_DOUBLE_EQ(e.isolation.Scale(), c.hoursScale) << c.hours;
            EXPECT_EQ(e.isolation.Shape(), 2.0);
            EXPECT_DOUBLE_EQ(e.repair.Scale(),
                             std::max(0.0, c.quantsPerDay * 2 * c.hours / 24 - 0.5));
            EXPECT_EQ(e.repair.Shape(), 3.0);
            EXPECT_EQ(e.failureCountdown + e.unisolatedCountdown + e.isolatedCountdown, 0u);
        }
        EXPECT_DOUBLE_EQ(sim.Element(2).reclose.Scale(), c.hoursScale);
        EXPECT_EQ(sim.Element(2).reclose.Shape(), 4.0);
        EXPECT_EQ(sim.RecloserCacheSize(), 2u);
    }
}

// The parser refuses networks beyond the memory budget; the arrays themselves stay whole
// regardless, and grow with the node numbers.
TEST_F(SimulationTest, NetworksBeyondTheBudgetAreRefused) {
    sim.SetMemoryBudget(Simulation::BytesFor(1500, 0));
    EXPECT_EQ(sim.AddBreaker(2, Simulation::MaxNodes, -1.0), Simulation::NoElement);
    EXPECT_EQ(sim.NodeCount(), 2u);
    for (uint32_t i = 0; i < 1500; ++i)
        ASSERT_EQ(sim.AddBreaker(2, 3 + i, -1.0), i);
    EXPECT_EQ(sim.AddLine(2, 3, -1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0), Simulation::NoElement);
    EXPECT_EQ(sim.ElementCount(), 1500u);
    EXPECT_EQ(sim.NodeCount(), 1503u);

    sim.Release();
    EXPECT_EQ(sim.ElementCount(), 0u);
    EXPECT_EQ(sim.NodeCount(), 2u);
}

} // namespace
} // namespace orvane
