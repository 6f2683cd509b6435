#include "engine/Clock.h"
#include "engine/FlowCache.h"
#include "engine/Output.h"
#include "engine/RecloserCache.h"
#include "engine/Simulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace orvane {
namespace {

TEST(RecloserCacheTest, KeyIsRecloserAndWholePattern) {
    RecloserCache cache(8);
    const std::vector<uint8_t> pattern{1, 0, 1, 1};
    EXPECT_EQ(cache.Find(3, pattern), nullptr);
    cache.Store(3, pattern, true);
    cache.Store(4, pattern, false);

    struct Case {
        const char* name;
        uint32_t recloser;
        std::vector<uint8_t> pattern;
        const bool* expected;
    };
    static const bool yes = true;
    static const bool no = false;
    const Case cases[] = {
        {"same key", 3, pattern, &yes},
        {"other recloser", 4, pattern, &no},
        {"unknown recloser", 5, pattern, nullptr},
        {"one byte differs", 3, {1, 0, 0, 1}, nullptr},
        {"last byte differs", 3, {1, 0, 1, 0}, nullptr},
        {"longer pattern", 3, {1, 0, 1, 1, 0}, nullptr},
        {"shorter pattern", 3, {1, 0, 1}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool* found = cache.Find(c.recloser, c.pattern);
        if (!c.expected)
            EXPECT_EQ(found, nullptr);
        else
            ASSERT_TRUE(found != nullptr && *found == *c.expected);
    }

    // Storing a key again replaces its result and adds no entry.
    cache.Store(3, pattern, false);
    EXPECT_EQ(cache.Size(), 2u);
    ASSERT_NE(cache.Find(3, pattern), nullptr);
    EXPECT_FALSE(*cache.Find(3, pattern));
}

TEST(RecloserCacheTest, EvictsLeastRecentlyUsed) {
    RecloserCache cache(2);
    const std::vector<uint8_t> a{1}, b{0}, c{1, 1};
    cache.Store(1, a, true);
    cache.Store(1, b, false);
    ASSERT_NE(cache.Find(1, a), nullptr); // a is now the most recent
    cache.Store(1, c, true);
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_EQ(cache.Find(1, b), nullptr);
    EXPECT_NE(cache.Find(1, a), nullptr);
    EXPECT_NE(cache.Find(1, c), nullptr);

    // Shrinking keeps the most recent; c was found last.
    cache.SetCapacity(1);
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(cache.Find(1, a), nullptr);
    EXPECT_NE(cache.Find(1, c), nullptr);

    cache.SetCapacity(0);
    cache.Store(1, a, true);
    EXPECT_EQ(cache.Size(), 0u);
    EXPECT_EQ(cache.Find(1, a), nullptr);
}

TEST(FlowCacheTest, CapacitiesMustMatchExactly) {
    FlowCache cache(8);
    const std::vector<double> key{0.0, 2.5, 1e6, 3.0};
    const std::vector<double> flows{0.0, 1.0, -1.0, 3.0};
    EXPECT_EQ(cache.Find(key), nullptr);
    cache.Store(key, flows);

    struct Case {
        const char* name;
        std::vector<double> key;
        bool hit;
    };
    const Case cases[] = {
        {"same capacities", key, true},
        {"negative zero equals zero", {-0.0, 2.5, 1e6, 3.0}, true},
        {"next double up", {0.0, std::nextafter(2.5, 3.0), 1e6, 3.0}, false},
        {"next double down", {0.0, 2.5, 1e6, std::nextafter(3.0, 0.0)}, false},
        {"smallest positive", {std::nextafter(0.0, 1.0), 2.5, 1e6, 3.0}, false},
        {"one element more", {0.0, 2.5, 1e6, 3.0, 0.0}, false},
        {"one element less", {0.0, 2.5, 1e6}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double>* found = cache.Find(c.key);
        if (c.hit) {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(*found, flows);
        } else {
            EXPECT_EQ(found, nullptr);
        }
    }

    const std::vector<double> other{9.0, 9.0, 9.0, 9.0};
    cache.Store(key, other);
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(*cache.Find(key), other);
}

TEST(FlowCacheTest, EvictsLeastRecentlyUsed) {
    FlowCache cache(3);
    auto key = [](double x) { return std::vector<double>{x, 1.0}; };
    for (double x : {1.0, 2.0, 3.0})
        cache.Store(key(x), {x, -x});
    ASSERT_NE(cache.Find(key(1.0)), nullptr);
    cache.Store(key(4.0), {4.0, -4.0});
    EXPECT_EQ(cache.Size(), 3u);
    EXPECT_EQ(cache.Find(key(2.0)), nullptr);
    // The reused entry holds the new flows, and the survivors keep theirs.
    for (double x : {1.0, 3.0, 4.0}) {
        const std::vector<double>* found = cache.Find(key(x));
        ASSERT_NE(found, nullptr) << x;
        EXPECT_EQ(*found, (std::vector<double>{x, -x}));
    }
    cache.Store(key(5.0), {5.0, -5.0});
    EXPECT_EQ(cache.Find(key(1.0)), nullptr);

    cache.SetCapacity(1);
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_NE(cache.Find(key(5.0)), nullptr);
}

TEST(FlowCacheTest, StaysWithinMaxBytes) {
    const size_t n = size_t{1} << 21; // 32 MiB of capacities and flows per entry
    const size_t entryBytes = 2 * n * sizeof(double);
    FlowCache cache(100);
    std::vector<double> key(n, 1.0);
    std::vector<double> flows(n, 0.5);
    for (int i = 0; i < 10; ++i) {
        key[0] = i;
        cache.Store(key, flows);
    }
    EXPECT_LE(cache.Size() * entryBytes, FlowCache::MaxBytes);
    EXPECT_GE(cache.Size() + 1, FlowCache::MaxBytes / entryBytes);
    EXPECT_NE(cache.Find(key), nullptr);
    key[0] = 0;
    EXPECT_EQ(cache.Find(key), nullptr);
}

class FixedClock : public Clock {
public:
    uint32_t TickCount() override { return 0; }
};

// A meshed network of two sources, a recloser tie, switches to toggle and loads to vary.
struct Network {
    Output output;
    FixedClock clock;
    Simulation sim{output};
    std::vector<uint32_t> switches;
    std::vector<uint32_t> loads;
    uint32_t recloser = 0;

    Network() {
        sim.Init(nullptr, clock);
        sim.SetSystem(24, 100, 1000, 100, 0.05);
        auto line = [&](uint32_t a, uint32_t b, double capacity) {
            return sim.AddLine(a, b, capacity, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0);
        };
        sim.AddSupply(Simulation::SupplyRoot, 10, 6.0);
        switches.push_back(sim.AddBreaker(10, 2, 8.0));
        line(2, 3, 4.0);
        line(2, 4, 3.0);
        switches.push_back(sim.AddIsolator(3, 4, 2.0));
        switches.push_back(sim.AddBreaker(4, 11, 5.0));
        recloser = sim.AddRecloser(11, 12, 5.0, 1.0, 1.0);
        sim.AddBreaker(12, 5, 5.0);
        line(6, 5, 3.0);
        switches.push_back(sim.AddBreaker(13, 6, 4.0));
        sim.AddSupply(Simulation::SupplyRoot, 13, 4.0);
        for (uint32_t node : {3u, 4u, 5u, 6u})
            loads.push_back(sim.AddLoad("L", node, Simulation::LoadSink, 1, {}, -1.0, -1.0));
    }

    void Set(uint32_t switchMask, const std::vector<double>& demands) {
        for (uint32_t i = 0; i < sim.ElementCount(); ++i)
            sim.Element(i).capacity = sim.Element(i).rating;
        for (size_t k = 0; k < switches.size(); ++k)
            if (!(switchMask >> k & 1u))
                sim.Element(switches[k]).capacity = 0.0;
        for (size_t k = 0; k < loads.size(); ++k)
            sim.Element(loads[k]).capacity = demands[k];
    }
};

// The caches must be invisible: a long sequence of repeating states gives, state by state, the
// same flows and recloser answers as a network that has never seen any state before.
TEST(SearchCacheTest, CachedSearchesMatchFreshSearches) {
    Network cached;
    std::mt19937 rng(7);
    const double demandChoices[2][2] = {{0.0, 2.0}, {1.0, 1.5}};
    int flowHits = 0;
    for (int step = 0; step < 300; ++step) {
        SCOPED_TRACE(step);
        // 128 states in all, so most of them come back.
        const uint32_t mask = 1 + rng() % 8;
        std::vector<double> demands;
        for (size_t k = 0; k < cached.loads.size(); ++k)
            demands.push_back(demandChoices[k % 2][rng() % 2]);
        // Every so often the smallest step away from a state seen before.
        if (step % 10 == 9)
            demands[1] = std::nextafter(demands[1], 5.0);

        auto fresh = std::make_unique<Network>();
        for (Network* net : {&cached, fresh.get()})
            net->Set(mask, demands);

        EXPECT_EQ(cached.sim.RecloserMustOpen(cached.recloser),
                  fresh->sim.RecloserMustOpen(fresh->recloser));

        // A hit copies flows only, so a stale allowed value shows the cache answered.
        for (uint32_t i = 0; i < cached.sim.ElementCount(); ++i)
            cached.sim.Element(i).allowed = -7.0;
        cached.sim.MaxFlow();
        fresh->sim.MaxFlow();
        if (cached.sim.Element(0).allowed == -7.0)
            ++flowHits;
        for (uint32_t i = 0; i < cached.sim.ElementCount(); ++i)
            EXPECT_EQ(cached.sim.Element(i).flow, fresh->sim.Element(i).flow) << i;
    }
    EXPECT_GT(flowHits, 50);
}

} // namespace
} // namespace orvane
