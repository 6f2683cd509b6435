// The built programs run as a user runs them: arguments, standard streams and exit codes.
#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace orvane::test {
namespace {

const std::string Version = ORVANE_PROJECT_VERSION;

Outcome Cli(std::vector<std::string> arguments, std::string input = "") {
    return RunProgram(ORVANE_CLI_PROGRAM, {std::move(arguments), std::move(input), "", {}});
}

TEST(CliProgramTest, VersionIsTheProjectVersion) {
    const Outcome o = Cli({"--version"});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "orvane-cli " + Version + "\n");
    EXPECT_EQ(o.err, "");
}

TEST(CliProgramTest, UnknownOptionsAndMissingCommandsExitWithTwo) {
    struct Case {
        std::vector<std::string> arguments;
        std::string err;
    };
    const Case cases[] = {
        {{"--frobnicate"},
         "The following argument was not expected: --frobnicate\n"
         "Run with --help for more information.\n"},
        {{"simulate", "x.ndl", "--seeed", "4"},
         "The following arguments were not expected: 4 --seeed\n"
         "Run with --help for more information.\n"},
        {{"check", "x.vlm", "--json", "y"},
         "The following arguments were not expected: y --json\n"
         "Run with --help for more information.\n"},
        {{},
         "A command is required: simulate, compare, check, ndl or import\n"
         "Run with --help for more information.\n"},
        {{"simulate"}, "NETWORK is required\nRun with --help for more information.\n"},
    };
    for (const Case& c : cases) {
        const Outcome o = Cli(c.arguments);
        SCOPED_TRACE(c.err);
        EXPECT_EQ(o.code, 2);
        EXPECT_EQ(o.err, c.err);
        EXPECT_EQ(o.out, "");
    }
}

#ifdef ORVANE_GUI_PROGRAM
// A package's post-install checks and scripts ask without a display.
TEST(GuiProgramTest, VersionNeedsNoDisplay) {
    const Outcome o =
        RunProgram(ORVANE_GUI_PROGRAM,
                   {{"--version"}, "", "", {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}});
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out, "orvane " + Version + "\n");
    EXPECT_EQ(o.err, "");
}
#endif

} // namespace
} // namespace orvane::test
