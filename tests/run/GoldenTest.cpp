// The bundled examples, simulated with a fixed clock, must give exactly the reports kept in
// tests/golden: the classic report byte for byte in NAME.txt and NAME.htm, which never change,
// and the closing section with the intervals and further indices in NAME.more.txt and
// NAME.more.htm. After an intended change to the latter, regenerate them with
// ORVANE_UPDATE_GOLDEN=1.
#include "run/Simulator.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace orvane {
namespace {

class GoldenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenTest, ReportsMatchTheKeptOnes) {
    const std::string name = GetParam();
    const std::string golden = std::string(ORVANE_GOLDEN_DIR) + "/" + name;
    test::TempDir dir;
    RunRequest request;
    request.ndlText = test::ReadFile(std::string(ORVANE_EXAMPLES_DIR) + "/" + name + ".ndl");
    ASSERT_FALSE(request.ndlText.empty());
    request.networkName = name;
    request.textPath = dir.File(name + ".txt");
    request.htmlPath = dir.File(name + ".htm");
    request.linkPath = name + ".htm";
    test::FixedClock clock;
    const RunResult result = Simulator(clock).Run(request);
    ASSERT_EQ(result.status, RunStatus::Completed) << result.error;

    const std::string text = test::ReadFile(request.textPath);
    const std::string html = test::ReadFile(request.htmlPath);
    for (const char* kind : {".txt", ".htm"}) {
        const std::string report = kind == std::string(".txt") ? text : html;
        const std::string classic = test::ReadFile(golden + kind);
        ASSERT_FALSE(classic.empty()) << golden + kind;
        EXPECT_EQ(report.substr(0, classic.size()), classic) << kind;
        const std::string more = report.substr(std::min(classic.size(), report.size()));
        if (std::getenv("ORVANE_UPDATE_GOLDEN"))
            test::WriteFile(golden + ".more" + kind, more);
        EXPECT_EQ(more, test::ReadFile(golden + ".more" + kind)) << kind;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenTest,
                         ::testing::Values("radial-feeder", "two-feeders", "seasonal-loads"),
                         [](const auto& info) {
                             std::string id = info.param;
                             for (char& c : id)
                                 if (c == '-')
                                     c = '_';
                             return id;
                         });

} // namespace
} // namespace orvane
