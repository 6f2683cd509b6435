#include "cli/SimulateCommand.h"
#include "cli/JsonResult.h"
#include "cli/TerminalProgress.h"
#include "support/CliRun.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane::cli {
namespace {

using test::ReadFile;
using test::WriteFile;

using test::CliFeeder;
using test::Outcome;
using test::RunSimulate;

class SimulateCommandTest : public ::testing::Test {
protected:
    SimulateOptions Options(const std::string& ndl) {
        WriteFile(dir.File("feeder.ndl"), ndl);
        SimulateOptions options;
        options.network = dir.File("feeder.ndl");
        options.outDir = dir.File("out");
        return options;
    }
    test::TempDir dir;
};

// --name names the directory, the files and the heading; the bar picture goes beside them.
TEST_F(SimulateCommandTest, WritesBothReportsAndTheBarPicture) {
    SimulateOptions options = Options(CliFeeder);
    options.title = "North feeder";
    const Outcome o = RunSimulate(options);
    ASSERT_EQ(o.code, ExitOk) << o.err;
    const std::string text = ReadFile(dir.File("out/North feeder/North feeder.txt"));
    const std::string html = ReadFile(dir.File("out/North feeder/North feeder.htm"));
    EXPECT_NE(text.find("SAIFI = "), std::string::npos);
    EXPECT_EQ(html.rfind("<b><font size=\"4\">Network name :North feeder</font></b>", 0), 0u);
    EXPECT_NE(html.find("<a href=\"North feeder.htm#Farm\">Farm</a>"), std::string::npos);
    EXPECT_NE(html.find("src=\"../Bar.bmp\""), std::string::npos);
    const std::string bar = ReadFile(dir.File("out/Bar.bmp"));
    ASSERT_GE(bar.size(), 54u);
    EXPECT_EQ(bar.substr(0, 2), "BM");
    EXPECT_NE(o.out.find("Simulated 300 years.\n  SAIFI "), std::string::npos);
    EXPECT_NE(o.out.find(dir.File("out/North feeder/North feeder.htm")), std::string::npos);
    EXPECT_EQ(o.err, "");
}

TEST_F(SimulateCommandTest, FailuresGiveClearMessagesAndExitCodes) {
    struct Case {
        const char* what;
        std::string ndl;
        std::string title;
        const char* network; // in place of the written text, when set
        int code;
        std::string err;
    };
    const Case cases[] = {
        {"parse error", "system: quantsPerDay = 24\nlin: connect = 1, 2\n", "", nullptr,
         ExitNetworkError, ":2:5: error: unknown type keyword \"lin\"\n"},
        {"no system", "# nothing here\n", "", nullptr, ExitNetworkError,
         ": error: the text has no system definition; start it with one, for example "
         "'system: quantsPerDay = 24'.\n"},
        {"no load points", "system: quantsPerDay = 24\nsource: connect = 1\n", "", nullptr,
         ExitNetworkError,
         ": error: the network has no load points; add at least one load definition to simulate "
         "it\n"},
        {"missing file", CliFeeder, "", "absent.ndl", ExitUsage,
         "orvane-cli: cannot read the network file '"},
        {"directory", CliFeeder, "", "folder.ndl", ExitUsage,
         "orvane-cli: '" + dir.File("folder.ndl") +
             "' is a directory, not a network file; name an NDL or .vlm file.\n"},
        {"bad title", CliFeeder, "a/b", nullptr, ExitUsage,
         "orvane-cli: 'a/b' cannot name a report directory; give --name a plain name without "
         "'/' or '\\'.\n"},
    };
    std::filesystem::create_directory(dir.File("folder.ndl"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimulateOptions options = Options(c.ndl);
        options.title = c.title;
        if (c.network)
            options.network = dir.File(c.network);
        std::filesystem::remove_all(options.outDir);
        const Outcome o = RunSimulate(options);
        EXPECT_EQ(o.code, c.code);
        EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
        EXPECT_EQ(o.out, "");
        // What is refused before the run leaves the output directory alone.
        if (c.code == ExitUsage) {
            EXPECT_FALSE(std::filesystem::exists(options.outDir));
        }
    }
}

TEST_F(SimulateCommandTest, CancelledRunKeepsThePreviousReports) {
    ASSERT_EQ(RunSimulate(Options(CliFeeder)).code, ExitOk);
    const std::string previous = ReadFile(dir.File("out/feeder/feeder.txt"));
    ASSERT_NE(previous.find("SAIFI = "), std::string::npos);
    const Outcome o = RunSimulate(Options(CliFeeder), true);
    EXPECT_EQ(o.code, ExitCancelled);
    EXPECT_EQ(o.err, "orvane-cli: simulation cancelled; the previous reports are as they were.\n");
    EXPECT_EQ(ReadFile(dir.File("out/feeder/feeder.txt")), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("out/feeder")),
                            std::filesystem::directory_iterator()),
              2)
        << "no temporary file is left";
}

// As a shell reports a program that the signal ended: 128 plus its number.
TEST(CancelledExitCodeTest, SigtermAndCtrlCAreToldApart) {
    EXPECT_EQ((std::vector{CancelledExitCode(SIGINT), CancelledExitCode(SIGTERM)}),
              (std::vector{130, 143}));
}

// Asked for 0.1% in at most 300 years, the run stops short of it and says so everywhere.
TEST_F(SimulateCommandTest, RunThatStopsAtTheYearLimitIsFlagged) {
    std::string ndl = CliFeeder;
    ndl.replace(ndl.find("yearStep = 100"), 14, "yearStep = 100; accuracy = 0.001");
    SimulateOptions options = Options(ndl);
    options.jsonPath = dir.File("result.json");
    const Outcome o = RunSimulate(options);
    ASSERT_EQ(o.code, ExitOk) << o.err;
    EXPECT_NE(o.out.find("Simulated 300 years.\n  Not converged: the year limit (300 years) came "
                         "before every index reached the accuracy of 0.1%; raise yearMax for "
                         "figures that accurate.\n  SAIFI "),
              std::string::npos)
        << o.out;
    const auto json = nlohmann::json::parse(ReadFile(options.jsonPath));
    EXPECT_EQ(json["converged"], false);
    EXPECT_EQ(json["stopReason"], "yearMax");
}

// The parser reads through a temporary file. When none can be made the fault is the machine's, not
// the network's: exit 2. A child process runs with just enough descriptors for the two reports.
TEST_F(SimulateCommandTest, NoTemporaryFileForTheParserIsAFileError) {
    const SimulateOptions options = Options(CliFeeder);
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::FILE* out = std::fopen("/dev/null", "w");
        // Fill every free descriptor below the lowest one left, then allow two more.
        int lowest = dup(0);
        while (lowest >= 0 && fcntl(lowest + 1, F_GETFD) != -1)
            lowest = dup(0);
        close(lowest);
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(lowest) + 2;
        setrlimit(RLIMIT_NOFILE, &limit);
        test::FixedClock clock;
        std::atomic<bool> cancel{false};
        const int code = Simulate(options, &cancel, clock, out ? out : stdout, err);
        std::fflush(err);
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    std::rewind(err);
    char text[1024] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, err);
    std::fclose(err);
    EXPECT_EQ(WEXITSTATUS(status), ExitUsage) << std::string(text, n);
    EXPECT_EQ(std::string(text, n).rfind(
                  "orvane-cli: cannot read '" + options.network + "' into the parser: ", 0),
              0u)
        << std::string(text, n);
}

// Results that cannot all be written are a failure, named with the file, never "Reports: ...".
TEST_F(SimulateCommandTest, OutputThatCannotBeWrittenFailsTheCommand) {
    SimulateOptions options = Options(CliFeeder);
    options.jsonPath = dir.File("missing/result.json");
    Outcome o = RunSimulate(options);
    EXPECT_EQ(o.code, ExitUsage);
    EXPECT_EQ(o.err, "orvane-cli: cannot write '" + options.jsonPath +
                         "': No such file or directory; check that the directory exists and has "
                         "room.\n");
    EXPECT_EQ(o.out, "");

    options.jsonPath.clear();
    std::filesystem::create_directories(dir.File("out/feeder/feeder.htm"));
    o = RunSimulate(options);
    EXPECT_EQ(o.code, ExitUsage);
    EXPECT_EQ(o.err, "orvane-cli: cannot write '" + dir.File("out/feeder/feeder.htm") +
                         "': a directory of that name is in the way; the previous reports are as "
                         "they were. Check that the directory is writable and has room.\n");
    EXPECT_EQ(o.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/feeder/feeder.txt")));
}

TEST(JsonResultTest, UndefinedIndicesAreNull) {
    RunResult result;
    result.caifi = std::numeric_limits<double>::quiet_NaN();
    const auto json = nlohmann::json::parse(JsonResult(result, "n"));
    EXPECT_TRUE(json["system"]["CAIFI"]["value"].is_null());
}

TEST(TerminalProgressTest, LineShowsYearPercentSpeedAndTimeLeft) {
    EXPECT_EQ(TerminalProgress::Line(250, 1000, 50.0, 750),
              "year 250 of at most 1000 (25.0%), 50.0 years/s, at most 0:15 left");
    EXPECT_EQ(TerminalProgress::Line(1, 1000000, 2.0, 999999),
              "year 1 of at most 1000000 (0.0%), 2.0 years/s, at most 138:53:20 left");
    EXPECT_EQ(TerminalProgress::Line(5, 100, 0.0, 95),
              "year 5 of at most 100 (5.0%), 0.0 years/s, at most --:-- left");
}

} // namespace
} // namespace orvane::cli
