#include "engine/Pdf.h"
#include "engine/NiceWidth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace orvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NiceWidthTest, RoundsUpToNiceMantissa) {
    struct Case {
        double w, expected;
    };
    for (const Case& c :
         {Case{0.005, 0.005}, Case{0.0123, 0.0125}, Case{0.3, 0.4}, Case{1.1, 1.25}, Case{2.7, 4.0},
          Case{7.0, 8.0}, Case{1.0, 1.0}, Case{0.0014156, 0.002}, Case{12345.0, 12500.0}}) {
        EXPECT_DOUBLE_EQ(NiceWidth(3, c.w), c.expected) << c.w;
    }
    // Widths the searches cannot work on come back unchanged instead of hanging.
    EXPECT_EQ(NiceWidth(3, 0.0), 0.0);
    EXPECT_EQ(NiceWidth(3, kInf), kInf);
    EXPECT_TRUE(std::isnan(NiceWidth(3, kNaN)));
    EXPECT_GT(NiceWidth(3, 1e-320), 0.0);
}

Pdf Filled(const std::vector<double>& values, double fixedWidth = 0.0) {
    Pdf pdf;
    pdf.Init(1000, 10000, fixedWidth);
    for (double v : values)
        pdf.Add(v, 1.0);
    return pdf;
}

TEST(PdfTest, ToSlotsChoosesWidthFromSamples) {
    struct Case {
        std::vector<double> values;
        double fixedWidth, expected;
    };
    for (const Case& c : {
             Case{{0, 1, 2, 0, 1}, 0.0, 1.0},           // whole numbers
             Case{{0, 0, 0}, 0.0, 1.0},                 // nothing above zero
             Case{{}, 0.0, 1.0},                        //
             Case{{0.5, 1.5, 2.5, 0.0}, 0.0, 0.5},      // shared divisor that is not whole
             Case{{0.3, 0.3, 0.3}, 0.0, 0.3},           //
             Case{{1.0, std::sqrt(2.0)}, 0.0, 0.002},   // no divisor: NiceWidth(3, max / 999)
             Case{{4.0, 1.5, 7.0}, 0.25, 0.25},         // fixed width wins
             Case{{1, 2, kInf, kNaN, -kInf}, 0.0, 1.0}, // non-finite values take no part
         }) {
        const PdfSlot slots = Filled(c.values, c.fixedWidth).ToSlots();
        EXPECT_EQ(slots.count, 1000u);
        EXPECT_EQ(slots.origin, 0.0);
        EXPECT_DOUBLE_EQ(slots.width, c.expected) << ::testing::PrintToString(c.values);
    }
}

TEST(PdfTest, ExtremeValuesStillGiveAUsableWidth) {
    for (const std::vector<double>& values :
         {std::vector<double>{1e300, 3e299, 1e-300}, {1e-300, 3e-301}, {1e-12, 1e-3, 7e-9}}) {
        const PdfSlot slots = Filled(values).ToSlots();
        EXPECT_TRUE(slots.width > 0.0 && std::isfinite(slots.width));
        double total = 0.0;
        for (double b : slots.bins)
            total += b;
        EXPECT_EQ(total, static_cast<double>(values.size()));
    }
}

TEST(PdfSlotTest, ValuesOutsideTheRangeLandInTheEndBins) {
    PdfSlot slot;
    slot.Init(4, 1.0, 0.5);
    struct Case {
        double x;
        uint32_t bin;
    };
    for (const Case& c :
         {Case{0.0, 0}, Case{1.0, 0}, Case{1.49, 0}, Case{1.5, 1}, Case{2.9, 3}, Case{3.0, 3},
          Case{100.0, 3}, Case{-1e300, 0}, Case{1e300, 3}, Case{kInf, 3}, Case{kNaN, 0}}) {
        slot.Init(4, 1.0, 0.5);
        slot.Add(c.x, 2.5);
        std::vector<double> expected(4, 0.0);
        expected[c.bin] = 2.5;
        EXPECT_EQ(slot.bins, expected) << c.x;
    }
}

TEST(PdfTest, SampleOverTheLimitSwitchesToBinsAndIsAddedToThem) {
    Pdf pdf;
    pdf.Init(1000, 10000, 0.0);
    pdf.Add(0.0, 1.0);
    EXPECT_LT(pdf.Samples().Bytes(), 10000u * 4);
    for (int i = 1; i < 10000; ++i)
        pdf.Add(i % 4, 1.0);
    EXPECT_TRUE(pdf.Exact());
    EXPECT_EQ(pdf.Samples().Bytes(), 10000u * 4) << "whole counts take a float each";

    pdf.Add(3.5, 2.0);
    EXPECT_FALSE(pdf.Exact());
    EXPECT_EQ(pdf.Samples().Bytes(), 0u);
    EXPECT_EQ(pdf.Bins().width, 1.0);
    EXPECT_EQ(pdf.Bins().bins[0], 2500.0);
    EXPECT_EQ(pdf.Bins().bins[3], 2502.0);

    // The width is fixed now: a value far beyond piles into the last bin.
    pdf.Add(5000.0, 1.0);
    EXPECT_EQ(pdf.Bins().bins[999], 1.0);
    EXPECT_EQ(pdf.ToSlots().bins, pdf.Bins().bins);

    pdf.Release();
    EXPECT_EQ(pdf.Bins().count, 0u);
    EXPECT_EQ(pdf.Bins().bins.capacity(), 0u);
}

// Samples are kept as narrow as they allow and read back exactly as added, whatever the form.
TEST(PdfTest, ExactSamplesTakeTheNarrowestFormThatHoldsThem) {
    struct Case {
        const char* what;
        std::vector<std::pair<double, double>> samples; // value, weight
        size_t bytesEach;
    };
    const Case cases[] = {
        {"counts", {{0, 1}, {3, 1}, {1, 1}}, 4},
        {"halves and infinity", {{0.5, 1}, {INFINITY, 1}, {-0.0, 1}}, 4},
        {"a value no float holds", {{2, 1}, {0.1, 1}, {7, 1}}, 8},
        {"not a number", {{1, 1}, {NAN, 1}}, 8},
        {"a weight other than 1", {{1.25, 1}, {0.1, 1}, {4, 0.5}, {2, 1}}, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Filled to its limit of 16, the storage holds exactly 16 samples.
        PdfExact exact;
        std::vector<std::pair<double, double>> added;
        for (size_t i = 0; i < 16; ++i)
            added.push_back(c.samples[i % c.samples.size()]);
        for (const auto& [v, w] : added)
            exact.Add(v, w, 16);
        EXPECT_EQ(exact.Bytes(), 16 * c.bytesEach);
        std::vector<std::pair<double, double>> back;
        exact.ForEach([&back](double v, double w) { back.emplace_back(v, w); });
        ASSERT_EQ(back.size(), added.size());
        for (size_t i = 0; i < back.size(); ++i) {
            EXPECT_EQ(std::memcmp(&back[i].first, &added[i].first, sizeof(double)), 0) << i;
            EXPECT_EQ(back[i].second, added[i].second) << i;
        }
    }
}

} // namespace
} // namespace orvane
