// "-" as the network (standard input) and the check of NDL text.
#include "cli/NdlCheck.h"
#include "cli/SimulateCommand.h"

#include "support/CliRun.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace orvane::cli {
namespace {

using test::Outcome;
using test::ReadFile;
using test::WriteFile;

using test::CliFeeder;

// A stream holding text, as standard input would.
class Input {
public:
    explicit Input(const std::string& text) : file_(std::tmpfile()) {
        std::fwrite(text.data(), 1, text.size(), file_);
        std::rewind(file_);
    }
    ~Input() { std::fclose(file_); }
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;
    std::FILE* File() const { return file_; }

private:
    std::FILE* file_;
};

class StreamsTest : public ::testing::Test {
protected:
    Outcome SimulateInput(const std::string& text, const std::string& title = "") {
        SimulateOptions options;
        options.network = StandardStream;
        options.outDir = dir.File("out");
        options.title = title;
        Input in(text);
        std::atomic<bool> cancel{false};
        test::FixedClock clock;
        return test::Capture([&](std::FILE* out, std::FILE* err) {
            return SimulateStream(options, in.File(), &cancel, clock, out, err);
        });
    }
    Outcome Check(const std::string& path, const std::string& input = "") {
        Input in(input);
        return test::Capture(
            [&](std::FILE* out, std::FILE* err) { return CheckNdl(path, in.File(), out, err); });
    }
    test::TempDir dir;
};

// The same text from a file and from standard input gives the same report, titled "stdin".
TEST_F(StreamsTest, NetworkFromStandardInputIsTitledStdin) {
    const Outcome o = SimulateInput(CliFeeder);
    ASSERT_EQ(o.code, ExitOk) << o.err;
    EXPECT_NE(o.out.find("Reports: " + dir.File("out/stdin/stdin.txt")), std::string::npos);
    const std::string html = ReadFile(dir.File("out/stdin/stdin.htm"));
    EXPECT_EQ(html.rfind("<b><font size=\"4\">Network name :stdin</font></b>", 0), 0u);

    WriteFile(dir.File("stdin.ndl"), CliFeeder);
    SimulateOptions options;
    options.network = dir.File("stdin.ndl");
    options.outDir = dir.File("file");
    ASSERT_EQ(test::RunSimulate(options).code, ExitOk);
    EXPECT_EQ(ReadFile(dir.File("file/stdin/stdin.txt")),
              ReadFile(dir.File("out/stdin/stdin.txt")));

    // Its errors point at <stdin>: the check below says the same of every error there is.
    const Outcome bad = SimulateInput("system: quantsPerDay = 24\nlin: connect = 1, 2\n");
    EXPECT_EQ(bad.code, ExitNetworkError);
    EXPECT_EQ(bad.err, "<stdin>:2:5: error: unknown type keyword \"lin\"\n");
    EXPECT_EQ(bad.out, "");
}

TEST_F(StreamsTest, NameOptionTitlesAStandardInputRun) {
    ASSERT_EQ(SimulateInput(CliFeeder, "North").code, ExitOk);
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/North/North.htm")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/stdin")));
}

// check on NDL text says what simulate would refuse, in the same words, without a report.
TEST_F(StreamsTest, CheckReadsNdlTextWithoutSimulating) {
    struct Case {
        const char* what;
        std::string ndl;
        int code;
        std::string out;
        std::string err; // after the file name
    };
    const Case cases[] = {
        {"passes", CliFeeder, ExitOk, "Checking completed : No error found!\n", ""},
        {"bad value", "system: quantsPerDay = 24\nload: connect = 1; customers = -3\n",
         ExitNetworkError, "",
         ":3:1: error: the \"customers\" attribute must be an integer in the range "
         "[1,999999]\n"},
        {"unknown type", "system: quantsPerDay = 24\nlin: connect = 1, 2\n", ExitNetworkError, "",
         ":2:5: error: unknown type keyword \"lin\"\n"},
        {"no system", "# nothing\n", ExitNetworkError, "",
         ": error: the text has no system definition; start it with one, for example "
         "'system: quantsPerDay = 24'.\n"},
        {"no load points", "system: quantsPerDay = 24\nsource: connect = 1\n", ExitNetworkError, "",
         ": error: the network has no load points; add at least one load definition to simulate "
         "it\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.File("net.ndl");
        WriteFile(path, c.ndl);
        const Outcome fromFile = Check(path);
        EXPECT_EQ(fromFile.code, c.code);
        EXPECT_EQ(fromFile.out, c.out);
        EXPECT_EQ(fromFile.err, c.err.empty() ? "" : path + c.err);
        const Outcome fromInput = Check(StandardStream, c.ndl);
        EXPECT_EQ(fromInput.code, c.code);
        EXPECT_EQ(fromInput.out, c.out);
        EXPECT_EQ(fromInput.err, c.err.empty() ? "" : "<stdin>" + c.err);
    }
    // Nothing but the text itself: no report, no bar picture.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(StreamsTest, CheckOfAnUnreadableNdlFileExitsWithTwo) {
    Outcome o = Check(dir.File("absent.ndl"));
    EXPECT_EQ(o.code, ExitUsage);
    EXPECT_EQ(o.err, "orvane-cli: cannot read the network file '" + dir.File("absent.ndl") +
                         "': No such file or directory\n");
    std::filesystem::create_directory(dir.File("folder.ndl"));
    o = Check(dir.File("folder.ndl"));
    EXPECT_EQ(o.code, ExitUsage);
    EXPECT_EQ(o.err, "orvane-cli: '" + dir.File("folder.ndl") +
                         "' is a directory, not a network file; name an NDL or .vlm file.\n");
    EXPECT_EQ(o.out, "");
}

} // namespace
} // namespace orvane::cli
