#include "engine/WriteBins.h"

#include "base/Output.h"
#include "engine/PdfSlot.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

struct Written {
    std::string text;
    std::string html;
};

Written Write(const std::vector<double>& weights, double origin, double width, unsigned mask) {
    test::TempDir dir;
    {
        Output out;
        out.OpenTextOutput(dir.File("r.txt"));
        out.OpenHtmlOutput(dir.File("r.htm"));
        PdfSlot slot;
        slot.Init(static_cast<uint32_t>(weights.size()), origin, width);
        slot.bins = weights;
        WriteBins(out, slot, mask);
        out.Commit();
    }
    return {test::ReadFile(dir.File("r.txt")), test::ReadFile(dir.File("r.htm"))};
}

std::string Bar(unsigned stars) {
    return std::string(stars, '*') + std::string(52 - stars, ' ') + "\n";
}

std::string HtmlLine(const char* left, const char* p, const char* width, const char* k) {
    return std::string("<font size=\"2\">") + left + " / " + p +
           "</font> <img border=\"0\" src=\"../Bar.bmp\" width=\"" + width +
           "\" height=\"12\"><font size=\"2\">&nbsp;&nbsp;&nbsp;" + k + "</font><br>";
}

TEST(WriteBinsTest, SingleBinGetsFullBarAndLaterEmptyBinsAreDropped) {
    const Written w = Write({4.0, 0.0, 0.0}, 0.5, 0.25, 2);
    EXPECT_EQ(w.text, "   0.50000 / 1.00000 : " + Bar(50));
    EXPECT_EQ(w.html, HtmlLine("0.50000", "1.00000", "200", "50"));
}

TEST(WriteBinsTest, TinyMiddleBinsStayAndTinyTrailingBinsGo) {
    // Shares 0.79904, 0.00080, 0.19976, 0.00040; bars 50, 0 and 12.5 rounded up.
    const Written w = Write({1000.0, 1.0, 250.0, 0.5}, -1.0, 0.5, 2);
    EXPECT_EQ(w.text, "  -1.00000 / 0.79904 : " + Bar(50) +    //
                          "  -0.50000 / 0.00080 : " + Bar(0) + //
                          "   0.00000 / 0.19976 : " + Bar(13));
    EXPECT_EQ(w.html, HtmlLine("-1.00000", "0.79904", "200", "50") +
                          HtmlLine("-0.50000", "0.00080", "0", "0") +
                          HtmlLine("0.00000", "0.19976", "52", "13"));
}

TEST(WriteBinsTest, TrailingShareOfExactlyOneThousandthIsDropped) {
    const Written w = Write({999.0, 1.0}, 0.0, 1.0, 2);
    EXPECT_EQ(w.text, "   0.00000 / 0.99900 : " + Bar(50));
}

TEST(WriteBinsTest, MaskWithoutBitTwoStillWritesHtml) {
    const Written w = Write({1.0, 1.0}, 0.0, 2.0, 1);
    EXPECT_EQ(w.text, "");
    EXPECT_EQ(w.html, HtmlLine("0.00000", "0.50000", "200", "50") +
                          HtmlLine("2.00000", "0.50000", "200", "50"));
}

TEST(WriteBinsTest, NoPositiveTotalWritesNothing) {
    for (const std::vector<double>& weights :
         {std::vector<double>{}, {0.0, 0.0, 0.0}, {1.0, -1.0}}) {
        const Written w = Write(weights, 0.0, 1.0, 3);
        EXPECT_EQ(w.text, "");
        EXPECT_EQ(w.html, "");
    }
}

} // namespace
} // namespace orvane
