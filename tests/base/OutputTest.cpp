#include "base/Output.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include <sys/resource.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Files in a directory other than the two reports: temporary files left behind.
int Strays(const TempDir& dir) {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        n += entry.path().filename() != "r.txt" && entry.path().filename() != "r.htm";
    return n;
}

TEST(OutputTest, TextChannelWritesOnlyWithBitTwo) {
    for (unsigned mask : {0u, 1u, 2u, 3u, 4u, 6u}) {
        TempDir dir;
        Output out;
        ASSERT_TRUE(out.OpenTextOutput(dir.File("r.txt")));
        out.OutputText(mask, "v=%d\n", 7);
        out.CloseTextOutput();
        EXPECT_EQ(ReadFile(dir.File("r.txt")), (mask & 2) ? "v=7\n" : "") << "mask " << mask;
    }
}

TEST(OutputTest, UnopenedOrUncreatableChannelsWriteNothing) {
    TempDir dir;
    Output out;
    out.OutputText(3, "lost\n");
    out.OutputHtml("lost");
    EXPECT_FALSE(out.OpenTextOutput(dir.File("missing/r.txt")));
    EXPECT_FALSE(out.OpenHtmlOutput(dir.File("missing/r.htm")));
    EXPECT_EQ(out.Error(),
              "cannot write '" + dir.File("missing/r.txt") + "': No such file or directory");
    out.OutputText(3, "lost\n");
    out.OutputHtml("lost");
    EXPECT_FALSE(fs::exists(dir.File("missing")));
}

TEST(OutputTest, ReopeningStartsAfreshAndHtmlIsWrittenVerbatim) {
    TempDir dir;
    Output out;
    ASSERT_TRUE(out.OpenTextOutput(dir.File("r.txt")));
    ASSERT_TRUE(out.OpenHtmlOutput(dir.File("r.htm")));
    out.OutputText(2, "first run\n");
    out.OutputHtml("first run");
    ASSERT_TRUE(out.OpenTextOutput(dir.File("r.txt")));
    ASSERT_TRUE(out.OpenHtmlOutput(dir.File("r.htm")));
    out.OutputText(2, "second\n");
    out.OutputHtml("<b>%d</b>");
    out.OutputHtml("\n");
    out.CloseTextOutput();
    out.CloseHtmlOutput();
    out.OutputText(2, "after close\n");
    EXPECT_EQ(ReadFile(dir.File("r.txt")), "second\n");
    EXPECT_EQ(ReadFile(dir.File("r.htm")), "<b>%d</b>\n");
    EXPECT_EQ(Strays(dir), 0);
}

// The previous reports stay until a run has written all of its own.
TEST(OutputTest, ReportsReplaceTheOldOnesWholeOrNotAtAll) {
    struct Case {
        const char* what;
        std::function<void(Output&)> end;
        bool replaced;
    };
    const Case cases[] = {
        {"committed", [](Output& out) { EXPECT_TRUE(out.Commit()); }, true},
        {"discarded (cancelled)", [](Output& out) { out.Discard(); }, false},
        {"dropped unfinished", [](Output&) {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteFile(dir.File("r.txt"), "old text");
        WriteFile(dir.File("r.htm"), "old html");
        fs::permissions(dir.File("r.txt"), fs::perms::owner_read | fs::perms::owner_write);
        {
            Output out;
            ASSERT_TRUE(out.OpenTextOutput(dir.File("r.txt")));
            ASSERT_TRUE(out.OpenHtmlOutput(dir.File("r.htm")));
            out.OutputText(2, "new text");
            out.OutputHtml("new html");
            EXPECT_EQ(ReadFile(dir.File("r.txt")), "old text") << "nothing lands while writing";
            c.end(out);
            EXPECT_EQ(out.Error(), "");
        }
        EXPECT_EQ(ReadFile(dir.File("r.txt")), c.replaced ? "new text" : "old text");
        EXPECT_EQ(ReadFile(dir.File("r.htm")), c.replaced ? "new html" : "old html");
        EXPECT_EQ(fs::status(dir.File("r.txt")).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(Strays(dir), 0);
    }
}

// A full disk, simulated by a limit on file size: the write fails late, when the buffers go out,
// and neither report is replaced.
TEST(OutputTest, AReportThatCannotBeWrittenWholeReplacesNeither) {
    TempDir dir;
    WriteFile(dir.File("r.txt"), "old text");
    WriteFile(dir.File("r.htm"), "old html");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    Output out;
    ASSERT_TRUE(out.OpenTextOutput(dir.File("r.txt")));
    ASSERT_TRUE(out.OpenHtmlOutput(dir.File("r.htm")));
    out.OutputText(2, "short\n");
    out.OutputHtml(std::string(100000, 'h'));
    const bool committed = out.Commit();
    const std::string error = out.Error();

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(committed);
    EXPECT_EQ(error, "cannot write '" + dir.File("r.htm") + "': File too large");
    EXPECT_EQ(ReadFile(dir.File("r.txt")), "old text");
    EXPECT_EQ(ReadFile(dir.File("r.htm")), "old html");
    EXPECT_EQ(Strays(dir), 0);
}

TEST(OutputTest, ReportsAreWrittenThroughSymlinksAndNotIntoDirectories) {
    TempDir dir;
    fs::create_directory(dir.File("real"));
    WriteFile(dir.File("real/r.txt"), "old");
    fs::create_symlink("real/r.txt", dir.File("r.txt"));
    fs::create_directory(dir.File("r.htm"));
    Output out;
    ASSERT_TRUE(out.OpenTextOutput(dir.File("r.txt")));
    EXPECT_FALSE(out.OpenHtmlOutput(dir.File("r.htm")));
    EXPECT_EQ(out.Error(),
              "cannot write '" + dir.File("r.htm") + "': a directory of that name is in the way");
    out.OutputText(2, "new");
    EXPECT_TRUE(out.Commit());
    EXPECT_TRUE(fs::is_symlink(dir.File("r.txt")));
    EXPECT_EQ(ReadFile(dir.File("real/r.txt")), "new");
}

} // namespace
} // namespace orvane
