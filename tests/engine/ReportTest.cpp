#include "engine/Report.h"

#include "base/Clock.h"
#include "base/Output.h"
#include "engine/Simulation.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <regex>
#include <set>
#include <string>

namespace orvane {
namespace {

using test::ReadFile;
using test::TempDir;

class StillClock : public Clock {
public:
    uint32_t TickCount() override { return 0; }
};

void Fill(Estimate& e, std::initializer_list<double> samples) {
    for (double x : samples)
        e.Add(x, 1.0);
}

struct Files {
    std::string text;
    std::string html;
};

// A supply and a breaker feeding node 3, where the load points hang; estimates are filled by
// hand once every load point is added.
class Network {
public:
    Network() {
        sim_->Init(nullptr, clock_);
        sim_->SetSystem(24, 100, 1000, 100, 0.05);
        sim_->AddSupply(Simulation::SupplyRoot, 2, -1.0);
        sim_->AddBreaker(2, 3, -1.0);
        sim_->BeginRun();
    }

    // A load point with fresh estimates; those of the others are made fresh too.
    LoadEstimates& AddLoad(const std::string& name, uint32_t customers) {
        const uint32_t i = sim_->AddLoad(name, 3, Simulation::LoadSink, customers, {}, 1.0, 1.0);
        sim_->BeginRun();
        return sim_->Element(i).estimates;
    }

    SystemEstimates& System() { return sim_->System(); }

    Files Write(uint32_t years, uint32_t elapsedMs, bool final,
                const std::string& reportPath = "net.htm") {
        TempDir dir;
        EXPECT_TRUE(out_.OpenTextOutput(dir.File("net.txt")));
        EXPECT_TRUE(out_.OpenHtmlOutput(dir.File("net.htm")));
        WriteReport(out_, *sim_, years, elapsedMs, final, reportPath);
        out_.CloseTextOutput();
        out_.CloseHtmlOutput();
        return {ReadFile(dir.File("net.txt")), ReadFile(dir.File("net.htm"))};
    }

private:
    Output out_;
    StillClock clock_;
    std::unique_ptr<Simulation> sim_ = std::make_unique<Simulation>(out_);
};

bool Contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

TEST(ReportTest, TimingHasNoHourFieldAndIntermediateReportsWriteNothing) {
    Network net;
    net.AddLoad("P1", 10);

    Files f = net.Write(200, 125000, true);
    EXPECT_EQ(f.text.substr(0, f.text.find('\n') + 2),
              "simulation years: 200, time: 2:05, speed: 1.60 years/sec    \n\n");

    f = net.Write(1000, 3725000, true);
    EXPECT_EQ(f.text.substr(0, f.text.find('\n') + 2),
              "simulation years: 1000, time: 62:05, speed: 0.27 years/sec    \n\n");
    EXPECT_TRUE(Contains(f.html, "<font size=\"2\">62:05</font>"));

    f = net.Write(1000, 3725000, false);
    EXPECT_EQ(f.text, "");
    EXPECT_EQ(f.html, "");
}

TEST(ReportTest, LongNameIsCutInTheTextTableOnly) {
    Network net;
    net.AddLoad("FeederNorthEast7", 10);
    const Files f = net.Write(10, 1000, true);
    EXPECT_TRUE(Contains(f.text, "\n|FeederNorthEa|  0.00000  0.0%|"));
    EXPECT_TRUE(Contains(f.text, "\nLoad Point: FeederNorthEast7\n"));
    EXPECT_TRUE(Contains(f.html, "Load Point - FeederNorthEast7</a>"));
}

TEST(ReportTest, DerivedIndices) {
    Network net;
    LoadEstimates& a = net.AddLoad("A", 100);
    LoadEstimates& b = net.AddLoad("B", 300);
    Fill(a.frequency, {2.0});
    Fill(b.frequency, {1.0});
    Fill(a.interruptedYear, {1.0, 0.0});
    Fill(b.interruptedYear, {1.0, 0.0, 0.0, 0.0});
    Fill(a.outageTime, {8.76});
    Fill(b.outageTime, {4.38});
    Fill(a.energyNotSupplied, {3.0});
    Fill(b.energyNotSupplied, {5.0});
    Fill(net.System().saifi, {1.0, 1.5});

    // 500 customers interrupted of 125 affected: CAIFI 4, and ACCI the 8 of ENS over 125.
    const Files f = net.Write(10, 1000, true);
    EXPECT_TRUE(Contains(f.text, "\n\nSAIFI =   1.25000     14.1%\n"
                                 "SAIDI =   0.00000      0.0%\n"
                                 "CAIFI =   4.00000\n"
                                 "CAIDI =   0.00000      0.0%\n"
                                 "ASUI  =   0.00062500\n"
                                 "ASAI  =   0.99937500\n"
                                 "ENS   =   0.00000      0.0%\n"
                                 "AENS  =   0.02000\n"
                                 "ACCI  =   0.06400\n"));
}

// Indices per interrupted customer have nothing to divide by: they read 0, never "nan".
TEST(ReportTest, NoInterruptedCustomersPrintsZeroPerInterruptedCustomer) {
    Network net;
    Fill(net.AddLoad("A", 100).frequency, {0.0});
    const Files f = net.Write(10, 1000, true);
    EXPECT_TRUE(Contains(f.text, "\nCAIFI =   0.00000\n"));
    EXPECT_TRUE(Contains(f.text, "\nACCI  =   0.00000\n"));
    EXPECT_TRUE(Contains(f.text, "\nASAI  =   1.00000000\n"));
    EXPECT_EQ(f.text.find("nan"), std::string::npos);
    EXPECT_EQ(f.html.find("nan"), std::string::npos);
}

TEST(ReportTest, AnchorNamesAndEscaping) {
    EXPECT_EQ(AnchorName("SAIFI"), "SAIFI");
    EXPECT_EQ(AnchorName("Lp 7"), "Lp_207");
    EXPECT_EQ(AnchorName("a_b#\"<"), "a_5Fb_23_22_3C");
    EXPECT_EQ(AnchorName("Z\xC3\xBC"), "Z_C3_BC");
    EXPECT_EQ(HtmlEscape("R&D <\"x\"> 'y'"), "R&amp;D &lt;&quot;x&quot;&gt; &#39;y&#39;");
}

TEST(ReportTest, EveryLinkReachesItsAnchorWhateverTheNames) {
    Network net;
    for (const char* name :
         {"Lp 1", "say \"hi\"", "<b>&amp;", "#2", "Z\xC3\xBCrich", "a b", "a_20b", "O'Neil"})
        net.AddLoad(name, 1);
    const std::string path = "C:\\Nets\\R&D 'north'\\net.htm";
    const Files f = net.Write(10, 1000, true, path);

    std::set<std::string> ids;
    const std::regex id(R"re(id = "([^"]*)")re");
    for (auto it = std::sregex_iterator(f.html.begin(), f.html.end(), id);
         it != std::sregex_iterator(); ++it)
        EXPECT_TRUE(ids.insert((*it)[1]).second) << "duplicate id " << (*it)[1];
    EXPECT_EQ(ids.size(), 8u + 4u);

    int links = 0;
    // The escaped path holds "&#39;", so the fragment starts at the last '#'.
    const std::regex href(R"re(href="([^"]*)#([^"#]*)")re");
    for (auto it = std::sregex_iterator(f.html.begin(), f.html.end(), href);
         it != std::sregex_iterator(); ++it, ++links) {
        EXPECT_EQ((*it)[1], "C:\\Nets\\R&amp;D &#39;north&#39;\\net.htm");
        EXPECT_TRUE(ids.count((*it)[2])) << "no anchor for " << (*it)[2];
    }
    EXPECT_EQ(links, 8 + 4);

    EXPECT_TRUE(Contains(
        f.html,
        R"(<a href="C:\Nets\R&amp;D &#39;north&#39;\net.htm#_3Cb_3E_26amp_3B">&lt;b&gt;&amp;amp;</a>)"));
    EXPECT_TRUE(Contains(f.html, "\">Load Point - say &quot;hi&quot;</a>"));
    EXPECT_FALSE(Contains(f.html, "<b>&amp;"));
    EXPECT_TRUE(Contains(f.text, "\n|<b>&amp;     |"));
    EXPECT_TRUE(Contains(f.text, "\nLoad Point: say \"hi\"\n"));
}

const std::string kEquals = std::string(78, '=') + "\n";
const std::string kDashes = std::string(78, '-') + "\n";
const std::string kFull = std::string(50, '*') + "  \n";
const std::string kEmpty = std::string(52, ' ') + "\n";

// The text report of a run with one and two samples per index, verbatim. The HTML report is
// compared byte for byte with the kept ones of the examples (GoldenTest), and its histogram lines
// in WriteBinsTest.
TEST(ReportTest, FinalTextReportVerbatim) {
    Network net;
    LoadEstimates& p = net.AddLoad("P1", 10);
    Fill(p.frequency, {1.0, 0.0});
    Fill(p.interruptedYear, {1.0, 0.0});
    Fill(p.outageTime, {3.0, 0.0});
    Fill(p.outageDuration, {3.0});
    Fill(p.energyNotSupplied, {6.0, 0.0});
    Fill(net.System().saifi, {1.0, 0.0});
    Fill(net.System().saidi, {3.0, 0.0});
    Fill(net.System().caidi, {3.0});
    Fill(net.System().ens, {6.0, 0.0});
    const Files f = net.Write(2, 1500, true);

    // Two equal bins at 0 and x, or one sample at x behind an empty bin at 0.
    auto pair = [](const char* x) {
        return "   0.00000 / 0.50000 : " + kFull + "   " + x + " / 0.50000 : " + kFull;
    };
    auto single = [](const char* x) {
        return "   0.00000 / 0.00000 : " + kEmpty + "   " + x + " / 1.00000 : " + kFull;
    };
    const std::string text =
        "simulation years: 2, time: 0:01, speed: 1.33 years/sec    \n\n"
        "|Load Point   |  Failure Rate | Avg Outage Dur| Unavailability|      ENS      |\n"
        "|P1           |  0.50000 70.7%|  3.00000  0.0%|  1.50000 70.7%|  3.00000 70.7%|\n"
        "\n"
        "SAIFI =   0.50000     70.7%\nSAIDI =   1.50000     70.7%\nCAIFI =   1.00000\n"
        "CAIDI =   3.00000      0.0%\nASUI  =   0.00017123\nASAI  =   0.99982877\n"
        "ENS   =   3.00000     70.7%\nAENS  =   0.30000\nACCI  =   0.60000\n"
        "\n" +
        kEquals + "Load Point: P1\n" + kDashes + "Failure Rate = 0.50000 (70.71%)\n\n" +
        pair("1.00000") + kDashes + "Average Outage Duration = 3.00000 (0.00%)\n\n" +
        single("3.00000") + kDashes + "Unavailability = 1.50000 (70.71%)\n\n" + pair("3.00000") +
        kDashes + "Energy Not Supplied = 3.00000 (70.71%)\n\n" + pair("6.00000") + kEquals +
        "SAIFI = 0.50000 (70.71%)\n\n" + pair("1.00000") + kDashes +
        "SAIDI = 1.50000 (70.71%)\n\n" + pair("3.00000") + kDashes + "CAIDI = 3.00000 (0.00%)\n\n" +
        single("3.00000") + kDashes + "ENS = 3.00000 (70.71%)\n\n" + pair("6.00000") + kEquals;
    // The closing section of further indices, fed by whole simulated years, is IntervalsTest's.
    EXPECT_EQ(f.text.substr(0, f.text.find("\nFurther indices\n")), text);
}

} // namespace
} // namespace orvane
