#include "cli/CompareCommand.h"
#include "cli/JsonResult.h"
#include "cli/SimulateCommand.h"
#include "run/VariantComparison.h"

#include "support/Capture.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace orvane::cli {
namespace {

const std::string Examples = ORVANE_EXAMPLES_DIR;

test::Outcome RunCompare(const std::string& a, const std::string& b, const std::string& json = {}) {
    const CompareOptions options{a, b, 1, json, false};
    test::FixedClock clock;
    return test::Capture(
        [&](std::FILE* out, std::FILE* err) { return Compare(options, nullptr, clock, out, err); });
}

TEST(Compare, IdenticalVariantsDifferByExactlyNothing) {
    const std::string ndl = test::ReadFile(Examples + "/two-feeders.ndl");
    test::FixedClock clock;
    const ComparisonResult r = VariantComparison(clock).Run({ndl, ndl, 7});
    ASSERT_EQ(r.status, ComparisonStatus::Completed) << r.error;
    EXPECT_GT(r.years, 0u);
    for (const ComparisonRow& row : r.rows) {
        EXPECT_EQ(row.difference, 0.0) << InfoOf(row.index).name;
        EXPECT_EQ(row.halfWidth, 0.0) << InfoOf(row.index).name;
        EXPECT_EQ(row.a, row.b);
    }
}

// Sectioning changes how long customers are out, never how often: SAIFI and CEMI do not move,
// SAIDI falls, and the shared failures make its interval far tighter than two separate runs.
TEST(Compare, ASectioningIsolatorShortensOutagesOnly) {
    test::TempDir dir;
    const test::Outcome o =
        RunCompare(Examples + "/radial-feeder.ndl", Examples + "/radial-feeder-isolator.ndl",
                   dir.File("cmp.json"));
    ASSERT_EQ(o.code, ExitOk) << o.err;
    EXPECT_NE(o.out.find("on common random numbers (seed 1); 95% intervals of B - A.\n"),
              std::string::npos);

    const auto json = nlohmann::json::parse(test::ReadFile(dir.File("cmp.json")));
    EXPECT_EQ(json["formatVersion"], JsonFormatVersion);
    const auto& saifi = json["indices"]["SAIFI"];
    EXPECT_EQ(saifi["difference"], 0.0);
    EXPECT_EQ(json["indices"]["CEMI-2"]["difference"], 0.0);
    const auto& saidi = json["indices"]["SAIDI"];
    EXPECT_LT(saidi["interval95"][1].get<double>(), 0.0);
    const double half =
        (saidi["interval95"][1].get<double>() - saidi["interval95"][0].get<double>()) / 2.0;
    EXPECT_LT(half * 5.0, saidi["independentHalfWidth"].get<double>());
    EXPECT_FALSE(json["indices"].contains("MAIFI")); // hourly quanta see no momentary ones
    EXPECT_FALSE(json["indices"].contains("ECOST"));
}

TEST(Compare, VariantsThatCannotBeComparedAreNamed) {
    test::TempDir dir;
    const std::string good = Examples + "/radial-feeder.ndl";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"system: quantsPerDay = 24\nsource: connect = 1\nbogus: connect = 2\n",
         "orvane-cli: variant B, line 3, column 7: unknown type keyword \"bogus\"\n"},
        {"system: quantsPerDay = 24\nsource: connect = 1\n",
         "orvane-cli: variant B has no load points; add at least one load definition to "
         "compare it\n"},
        {"system: quantsPerDay = 96\nsource: connect = 1\nload: name = \"X\"; connect = 1\n",
         "orvane-cli: the variants simulate 24 and 96 quanta per day; give both the same "
         "quantsPerDay so that they can share their draws\n"},
    };
    for (const auto& c : cases) {
        test::WriteFile(dir.File("b.ndl"), c.text);
        const test::Outcome o = RunCompare(good, dir.File("b.ndl"));
        EXPECT_EQ(o.code, ExitNetworkError);
        EXPECT_EQ(o.err, c.error);
    }
    const test::Outcome missing = RunCompare(good, dir.File("none.ndl"));
    EXPECT_EQ(missing.code, ExitUsage);
    EXPECT_NE(missing.err.find("cannot read the network file"), std::string::npos);
}

} // namespace
} // namespace orvane::cli
