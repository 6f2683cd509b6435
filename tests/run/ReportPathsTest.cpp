#include "run/ReportPaths.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane {
namespace {

TEST(ReportPathsTest, PlacesReportsInTheTitlesDirectoryAndTheBarBesideIt) {
    const ReportPaths p = MakeReportPaths("/apps", "Feeder2");
    EXPECT_EQ(p.directory, "/apps/Feeder2");
    EXPECT_EQ(p.text, "/apps/Feeder2/Feeder2.txt");
    EXPECT_EQ(p.html, "/apps/Feeder2/Feeder2.htm");
    EXPECT_EQ(p.barImage, "/apps/Bar.bmp");
    EXPECT_EQ(MakeReportPaths(".", "Net").text, "./Net/Net.txt");
}

// The command line and the editor answer the same titles the same way.
TEST(ReportPathsTest, TitlesThatCanNameADirectory) {
    for (const char* title : {"Net", "Feeder 2", "Zürich", "a.b", "...x"})
        EXPECT_TRUE(TitleNamesDirectory(title)) << title;
    for (const std::string& title :
         {std::string(), std::string("."), std::string(".."), std::string("a/b"),
          std::string("a\\b"), std::string("\\"), std::string("a\0b", 3)})
        EXPECT_FALSE(TitleNamesDirectory(title)) << title;
}

} // namespace
} // namespace orvane
