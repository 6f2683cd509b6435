#include "engine/Estimate.h"
#include "base/Output.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace orvane {
namespace {

using Samples = std::vector<std::pair<double, double>>; // value, weight

Estimate Filled(const Samples& samples) {
    Estimate e;
    e.Init(1000, 10000, 0.0);
    for (auto [x, w] : samples)
        e.Add(x, w);
    return e;
}

TEST(EstimateTest, MeanAndRelativeAccuracy) {
    struct Case {
        Samples samples;
        double mean, accuracy;
    };
    for (const Case& c : {
             Case{{}, 0.0, 0.0},
             Case{{{0.0, 1.0}, {0.0, 1.0}}, 0.0, 0.0},
             Case{{{1.0, 1.0}, {2.0, 1.0}, {3.0, 1.0}}, 2.0, std::sqrt(2.0 / 9.0) / 2.0},
             Case{{{2.0, 3.0}, {4.0, 1.0}}, 2.5, std::sqrt(0.75 / 4.0) / 2.5},
             Case{{{1.0, 1.0}, {-1.0, 1.0}}, 0.0, 0.0},
             // Equal samples that are not whole numbers round to a negative variance.
             Case{{{0.1, 1.0}, {0.1, 1.0}, {0.1, 1.0}}, 0.1, 0.0},
             Case{Samples(10, {0.7, 1.0}), 0.7, 0.0},
         }) {
        const Estimate e = Filled(c.samples);
        EXPECT_DOUBLE_EQ(e.Mean(), c.mean);
        EXPECT_DOUBLE_EQ(e.RelativeAccuracy(), c.accuracy) << c.samples.size();
    }
}

std::string Histogram(const Estimate& e) {
    test::TempDir dir;
    {
        Output out;
        out.OpenTextOutput(dir.File("r.txt"));
        e.WriteHistogram(out, 2);
        out.Commit();
    }
    return test::ReadFile(dir.File("r.txt"));
}

TEST(EstimateTest, WriteHistogramLeavesExactSamplesExact) {
    const Estimate e = Filled({{0, 1}, {1, 1}, {2, 1}, {0, 1}, {1, 1}});
    const std::string full = std::string(50, '*') + "  \n";
    const std::string half = std::string(25, '*') + std::string(27, ' ') + "\n";
    EXPECT_EQ(Histogram(e), "   0.00000 / 0.40000 : " + full + "   1.00000 / 0.40000 : " + full +
                                "   2.00000 / 0.20000 : " + half);
    EXPECT_TRUE(e.Histogram().Exact());
    EXPECT_EQ(e.Histogram().Samples().Size(), 5u);
}

TEST(EstimateTest, WriteHistogramAfterSwitchWritesTheBins) {
    Estimate e;
    e.Init(3, 2, 0.0);
    for (double x : {0.0, 1.0, 5.0}) // width 1 from {0, 1}; 5 piles into the last bin
        e.Add(x, 1.0);
    ASSERT_FALSE(e.Histogram().Exact());
    const std::string line = " / 0.33333 : " + std::string(50, '*') + "  \n";
    EXPECT_EQ(Histogram(e), "   0.00000" + line + "   1.00000" + line + "   2.00000" + line);

    e.Release();
    EXPECT_EQ(e.Histogram().Bins().count, 0u);
    EXPECT_EQ(Histogram(e), "");
}

} // namespace
} // namespace orvane
