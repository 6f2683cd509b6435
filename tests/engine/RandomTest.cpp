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

} // namespace
} // namespace orvane
