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

// The published xoshiro256** sequence from the state {1, 2, 3, 4}, and the state its jump (2^128
// draws) reaches from {0, 0, 0, 1}.
TEST(RandomTest, SeededGeneratorFollowsThePublishedSequenceAndJump) {
    Random g;
    g.SetWideState({1, 2, 3, 4});
    const uint64_t expected[] = {11520u,
                                 0u,
                                 1509978240u,
                                 1215971899390074240u,
                                 1216172134540287360u,
                                 607988272756665600u,
                                 16172922978634559625u,
                                 8476171486693032832u,
                                 10595114339597558777u,
                                 2904607092377533576u};
    for (uint64_t value : expected)
        EXPECT_EQ(g.Next64(), value);

    Random jumped;
    jumped.SetWideState({0, 0, 0, 1});
    jumped.Jump();
    Random reached;
    reached.SetWideState(
        {0x934D05E8B2076310, 0xEABDD0BF76A1BE51, 0x75DD6A992ACCB1E8, 0xC660C602A7330187});
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(jumped.Next64(), reached.Next64());
}

// Streams of one seed differ from each other and from other seeds; each is reproducible, its
// variates lie strictly inside (0, 1), and skipping matches drawing.
TEST(RandomTest, SeededStreamsAreReproducibleAndDistinct) {
    const auto first = [](uint64_t seed, uint32_t stream) {
        Random g;
        g.Seed(seed, stream);
        return g.Next();
    };
    EXPECT_EQ(first(7, 0), first(7, 0));
    EXPECT_NE(first(7, 0), first(7, 1));
    EXPECT_NE(first(7, 1), first(7, 2));
    EXPECT_NE(first(7, 0), first(8, 0));
    Random g, h;
    g.Seed(42, 3);
    h.Seed(42, 3);
    for (int i = 0; i < 100000; ++i) {
        const double u = g.Next();
        ASSERT_TRUE(u > 0.0 && u < 1.0);
    }
    h.Skip(100000);
    EXPECT_EQ(g.Next(), h.Next());
}

} // namespace
} // namespace orvane
