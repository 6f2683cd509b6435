#include "base/Output.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::ReadFile;
using test::TempDir;

TEST(OutputTest, TextChannelWritesOnlyWithBitTwo) {
    for (unsigned mask : {0u, 1u, 2u, 3u, 4u, 6u}) {
        TempDir dir;
        {
            Output out;
            ASSERT_TRUE(out.OpenTextOutput(dir.File("r.txt")));
            out.OutputText(mask, "v=%d\n", 7);
        }
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
    out.OutputText(3, "lost\n");
    out.OutputHtml("lost");
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

TEST(OutputTest, ReopeningTruncatesAndHtmlIsWrittenVerbatim) {
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
}

} // namespace
} // namespace orvane
