#include "engine/Random.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(RandomTest, FreshGeneratorDrawsTheMinimalStandardSequence) {
    Random g;
    EXPECT_EQ(g.Next(), 16807 / 2147483647.0);
    EXPECT_EQ(g.Next(), 282475249 / 2147483647.0);
    EXPECT_EQ(g.Next(), 1622650073 / 2147483647.0);
    // The published check value; a 32-bit product would have overflowed long before.
    for (int i = 3; i < 10000; ++i) {
        const double u = g.Next();
        ASSERT_TRUE(u > 0.0 && u < 1.0);
    }
    EXPECT_EQ(g.State(), 1043618065u);
}

// Skipping n draws lands where n draws would: the strides of the loop rely on it.
TEST(RandomTest, SkipLandsWhereTheDrawsWould) {
    for (uint64_t n : {0ull, 1ull, 2ull, 7ull, 1000ull, 10000ull, 123457ull}) {
        Random drawn, skipped;
        drawn.Next(); // from a state other than the first
        skipped.Next();
        for (uint64_t i = 0; i < n; ++i)
            drawn.Next();
        skipped.Skip(n);
        EXPECT_EQ(skipped.State(), drawn.State()) << n;
        EXPECT_EQ(skipped.Next(), drawn.Next()) << n;
    }
    Random g;
    g.Skip(9999);
    EXPECT_EQ(g.Next(), 1043618065u / 2147483647.0);
    Random around; // the period is 2^31 - 2
    around.Skip(2147483646ull * 3 + 5);
    Random five;
    five.Skip(5);
    EXPECT_EQ(around.State(), five.State());
}

} // namespace
} // namespace orvane
