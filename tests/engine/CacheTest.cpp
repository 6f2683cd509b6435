#include "base/Output.h"
#include "engine/FlowCache.h"
#include "engine/RecloserCache.h"
#include "engine/Simulation.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace orvane {
namespace {

using Pattern = std::vector<uint8_t>;

// The stored answer as 0 or 1, or -1 for none.
int Answer(const bool* found) {
    return found ? *found : -1;
}

TEST(RecloserCacheTest, KeyIsRecloserAndWholePattern) {
    RecloserCache cache(8);
    const Pattern pattern{1, 0, 1, 1};
    EXPECT_EQ(cache.Find(3, pattern), nullptr);
    cache.Store(3, pattern, true);
    cache.Store(4, pattern, false);

    const std::tuple<const char*, uint32_t, Pattern, int> cases[] = {
        {"same key", 3, pattern, 1},
        {"other recloser", 4, pattern, 0},
        {"unknown recloser", 5, pattern, -1},
        {"one byte differs", 3, {1, 0, 0, 1}, -1},
        {"last byte differs", 3, {1, 0, 1, 0}, -1},
        {"longer pattern", 3, {1, 0, 1, 1, 0}, -1},
        {"shorter pattern", 3, {1, 0, 1}, -1},
    };
    for (const auto& [name, recloser, key, answer] : cases)
        EXPECT_EQ(Answer(cache.Find(recloser, key)), answer) << name;

    // Storing a key again replaces its result and adds no entry.
    cache.Store(3, pattern, false);
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_EQ(Answer(cache.Find(3, pattern)), 0);
}

TEST(FlowCacheTest, CapacitiesMustMatchExactly) {
    FlowCache cache(8);
    const std::vector<double> key{0.0, 2.5, 1e6, 3.0};
    const std::vector<double> flows{0.0, 1.0, -1.0, 3.0};
    EXPECT_EQ(cache.Find(key), nullptr);
    cache.Store(key, flows);

    const std::tuple<const char*, std::vector<double>, bool> cases[] = {
        {"same capacities", key, true},
        {"negative zero equals zero", {-0.0, 2.5, 1e6, 3.0}, true},
        {"next double up", {0.0, std::nextafter(2.5, 3.0), 1e6, 3.0}, false},
        {"next double down", {0.0, 2.5, 1e6, std::nextafter(3.0, 0.0)}, false},
        {"smallest positive", {std::nextafter(0.0, 1.0), 2.5, 1e6, 3.0}, false},
        {"one element more", {0.0, 2.5, 1e6, 3.0, 0.0}, false},
        {"one element less", {0.0, 2.5, 1e6}, false},
    };
    for (const auto& [name, capacities, hit] : cases) {
        const std::vector<double>* found = cache.Find(capacities);
        EXPECT_EQ(found ? *found : std::vector<double>{}, hit ? flows : std::vector<double>{})
            << name;
    }

    const std::vector<double> other{9.0, 9.0, 9.0, 9.0};
    cache.Store(key, other);
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(*cache.Find(key), other);
}

// Both caches put out the least recently used entry first, keep the most recent when shrunk and
// hold nothing at capacity 0. Keys are numbered; a hit must give back what its key stored.
template <class Cache> void ExpectLeastRecentlyUsedOut(Cache& cache, auto store, auto hit) {
    cache.SetCapacity(3);
    for (int k : {1, 2, 3})
        store(k);
    ASSERT_TRUE(hit(1)); // now the most recent
    store(4);
    EXPECT_EQ(cache.Size(), 3u);
    EXPECT_EQ((std::vector{hit(2), hit(1), hit(3), hit(4)}),
              (std::vector{false, true, true, true}));
    store(5); // 1 was found before 3 and 4
    EXPECT_EQ((std::vector{hit(1), hit(3), hit(4), hit(5)}),
              (std::vector{false, true, true, true}));
    cache.SetCapacity(1);
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_TRUE(hit(5));
    cache.SetCapacity(0);
    store(1);
    EXPECT_EQ(cache.Size(), 0u);
    EXPECT_FALSE(hit(1));
}

// A reused flow entry must hold the new flows, and the others keep theirs.
TEST(SearchCacheTest, BothEvictLeastRecentlyUsed) {
    RecloserCache switches;
    auto pattern = [](int k) { return Pattern(static_cast<size_t>(k), 1); };
    ExpectLeastRecentlyUsedOut(
        switches, [&](int k) { switches.Store(7, pattern(k), k % 2 == 1); },
        [&](int k) { return Answer(switches.Find(7, pattern(k))) == k % 2; });
    FlowCache flows;
    auto key = [](int k) { return std::vector<double>{1.0 * k, 1.0}; };
    auto value = [](int k) { return std::vector<double>{1.0 * k, -1.0 * k}; };
    ExpectLeastRecentlyUsedOut(
        flows, [&](int k) { flows.Store(key(k), value(k)); },
        [&](int k) { return flows.Find(key(k)) && *flows.Find(key(k)) == value(k); });
}

// The bound is private and drawn from the entries' real size, so only entries of that size show
// it: 32 MiB of capacities and flows each.
TEST(FlowCacheTest, StaysWithinMaxBytes) {
    const size_t n = size_t{1} << 21;
    const size_t entryBytes = 2 * n * sizeof(double);
    FlowCache cache(100);
    std::vector<double> key(n, 1.0);
    const std::vector<double> flows(n, 0.5);
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

// A meshed network of two sources, a recloser tie, switches to toggle and loads to vary.
struct Network {
    Output output;
    test::FixedClock clock;
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
        flowHits += cached.sim.Element(0).allowed == -7.0;
        for (uint32_t i = 0; i < cached.sim.ElementCount(); ++i)
            EXPECT_EQ(cached.sim.Element(i).flow, fresh->sim.Element(i).flow) << i;
    }
    EXPECT_GT(flowHits, 50);
}

} // namespace
} // namespace orvane
