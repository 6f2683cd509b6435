#include "engine/DistributionWeibull.h"
#include "engine/Random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane {
namespace {

TEST(DistributionTest, WeibullInverse) {
    struct Case {
        double scale, shape, u, expected;
    };
    for (const Case& c : {
             Case{2.0, 1.0, std::exp(-1.0), 2.0},
             Case{3.0, 2.0, std::exp(-4.0), 6.0},
             Case{1.0, 0.5, std::exp(-2.0), 4.0},
             Case{5.0, 1.0, 0.5, 5.0 * std::log(2.0)},
             // A huge shape draws almost exactly scale, whatever u.
             Case{41.5, 1e9, 1e-9, 41.5},
             Case{41.5, 1e9, 1.0 - 1e-9, 41.5},
         }) {
        DistributionWeibull d;
        d.SetParameters(nullptr, c.scale, c.shape);
        EXPECT_NEAR(d.Inverse(c.u), c.expected, 1e-7 * c.expected)
            << c.scale << " " << c.shape << " " << c.u;
    }
}

TEST(DistributionTest, SampleInvertsTheNextDrawOfTheGenerator) {
    Random g;
    Random reference;
    DistributionWeibull d;
    d.SetParameters(&g, 7.0, 1.5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(d.Sample(), d.Inverse(reference.Next()));
    EXPECT_EQ(g.State(), reference.State());
}

} // namespace
} // namespace orvane
