#include "engine/LoadProfile.h"

#include "base/Output.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

namespace orvane {
namespace {

struct CompressedCase {
    std::vector<double> given;
    uint32_t quantsPerDay;
    std::vector<std::pair<double, double>> scalings; // base and factor
};

// The n kept values must read exactly like the full array of one value per quantum.
TEST(LoadProfileTest, CompressedProfileReadsLikeTheFullYear) {
    std::vector<double> many;
    for (int i = 0; i < 1000; ++i)
        many.push_back(0.1 * (i % 17));
    const CompressedCase cases[] = {
        {{1, 2, 3, 4}, 1, {}},
        {{0.3, 0.1, 0.7, 0.2, 0.9, 0.4, 0.6}, 3, {{0.0, 1.7}, {0.9, -0.45}}},
        {many, 1, {{0.0, 3.1}}},
        {{0.25, 1.5, 0.125, 3.0, 2.0}, 1440, {{0.0, 1.0 / 3.0}, {1.0, 0.3}}},
    };
    for (const auto& c : cases) {
        const uint32_t period = 365 * c.quantsPerDay;
        std::vector<double> full(period);
        for (uint32_t i = 0; i < period; ++i)
            full[i] = c.given[static_cast<uint64_t>(i) * c.given.size() / period];
        LoadProfile profile;
        profile.Assign(c.given, period);
        for (const auto& [base, factor] : c.scalings) {
            ScaleProfile(profile, base, factor);
            for (double& x : full)
                x = std::max((x - base) * factor + base, 1e-9);
        }
        double sum = 0.0, max = 0.0;
        for (uint32_t i = 0; i < period; ++i) {
            ASSERT_EQ(profile.At(i), full[i]) << i;
            sum += full[i];
            max = std::max(max, full[i]);
        }
        const ProfileSummary summary = Summarize(profile);
        EXPECT_EQ(std::tuple(summary.sum, summary.mean, summary.max),
                  std::tuple(sum, sum / period, max));
    }
}

TEST(LoadProfileTest, ScalingKeepsTheFloor) {
    LoadProfile profile;
    profile.Assign({0.0, 2.0, 5.0}, 3);
    ScaleProfile(profile, 1.0, -3.0);
    EXPECT_EQ(profile.Values(), (std::vector<double>{4.0, 1e-9, 1e-9}));
    // A factor without a usable mean or maximum leaves nothing below the floor.
    profile.Assign({0.0, 2.0}, 2);
    ScaleProfile(profile, 0.0, std::numeric_limits<double>::infinity());
    EXPECT_EQ(profile.At(0), 1e-9);
}

struct ShapeCase {
    std::vector<double> given;
    uint32_t quantsPerDay;
    double average, peak;
    double mean; // 0: not checked
    bool variable;
    const char* warnings;
    std::vector<std::pair<uint32_t, double>> values; // quantum and its demand
};

TEST(LoadProfileTest, ShapesTowardsAverageAndPeak) {
    const double twice = 2.0 * 365.0 / 729.0;
    const char* lowAverage =
        "warning: load scaling failed (P), desired average = 0.0010, actual = 5.0000\n";
    const char* highPeak =
        "warning: load scaling failed (P), desired peak = 10.0000, actual = 14.0000)\n";
    const char* flatAverage =
        "warning: load scaling failed (P), desired average = 1.0000, actual = 3.0000\n";
    const ShapeCase cases[] = {
        // Each of four values covers 91 or 92 days.
        {{1, 2, 3, 4}, 1, -1, 4, 911.0 / 365.0, true, "", {{91, 1}, {92, 2}, {182, 2}}},
        {{1, 2, 3, 4}, 1, -1, 4, 911.0 / 365.0, true, "", {{183, 3}, {273, 3}, {274, 4}}},
        // 183 quanta of 1 and 182 of 3; the shape is kept.
        {{1, 3}, 1, 2, -1, 2, true, "", {{182, twice}, {183, 3 * twice}}},
        {{1, 2, 5}, 1, -1, 10, 0, true, "", {{121, 2}, {122, 4}, {243, 4}, {244, 10}}},
        // Maximum 5 and mean 2.5: doubled to mean 5, then pulled towards 10 by the factor 0.4.
        {{1, 5, 1, 2, 3.5}, 1, 8, 10, 8, true, "", {{0, 6.8}, {73, 10}, {219, 7.6}, {364, 8.8}}},
        {{1, 2}, 2, 0.001, 10, 5.0 + 0.5e-9, true, lowAverage, {{0, 1e-9}, {729, 10}}},
        {{1, 2}, 2, 12, 10, 12, true, highPeak, {{0, 14}, {729, 10}}},
        {{3, 3, 3}, 1, 2, -1, 2, false, "", {{0, 2}, {364, 2}}},
        // The rounding of the sum leaves the mean a little off 0.1; the load stays flat.
        {{0.1}, 1, -1, 0.1, 0.1, false, "", {{0, 0.1}}},
        {{1, 4}, 1, -1, -1, 1, false, "", {{0, 1}, {364, 1}}},
        {{2, 2}, 1, 1, 3, 3, false, flatAverage, {{0, 3}}},
        // A large flat load's own sum rounds off its average by 1e-6: relatively nothing, so no
        // warning, and it stays flat.
        {{0.1}, 1440, 123456.789, -1, 0, false, "", {}},
        {{3}, 1440, 1e6 + 0.3, -1, 0, false, "", {}},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        Output output;
        output.OpenTextOutput(dir.File("report.txt"));
        LoadProfile profile;
        const ShapedLoad shaped =
            ShapeLoad(profile, "P", c.given, 365 * c.quantsPerDay, c.average, c.peak, output);
        output.CloseTextOutput();
        const ProfileSummary summary = Summarize(profile);
        const std::string label = ::testing::PrintToString(c.given);
        for (const auto& [quantum, demand] : c.values)
            EXPECT_DOUBLE_EQ(profile.At(quantum), demand) << label << " at " << quantum;
        if (c.mean != 0) {
            EXPECT_NEAR(summary.mean, c.mean, 1e-8) << label;
        }
        EXPECT_EQ(shaped.peak, summary.max) << label;
        EXPECT_EQ(shaped.variable, c.variable) << label;
        EXPECT_EQ(test::ReadFile(dir.File("report.txt")), c.warnings) << label;
    }
}

} // namespace
} // namespace orvane
