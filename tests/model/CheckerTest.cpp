#include "model/CheckTexts.h"
#include "model/NDLGenerator.h"
#include "model/NetworkCheck.h"

#include "model/NetworkDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane {
namespace {

using test::NetworkDrawing;

std::vector<std::string> Findings(COrvaneDoc& doc, bool expectPass) {
    CNDLGenerator generator(doc);
    EXPECT_EQ(generator.CheckConnections(), expectPass);
    EXPECT_EQ(static_cast<size_t>(generator.GetNotConnected().GetSize()),
              generator.GetFindingLines().size());
    return generator.GetFindingLines();
}

using Lines = std::vector<std::string>;

TEST(CheckerTest, DebugAndNdlWindowTextsForPassAndFailure) {
    NetworkDrawing d;
    CheckReport report = DebugNetwork(d.doc, "feeder"); // an empty network passes
    EXPECT_TRUE(report.passed);
    EXPECT_EQ(report.message, "Checking completed : No error found!");
    EXPECT_TRUE(report.lines.empty());

    CLine* line = d.Line({120, 40}, {200, 40});
    report = DebugNetwork(d.doc, "North feeder");
    EXPECT_FALSE(report.passed);
    EXPECT_EQ(report.message, "Checking completed : Errors found in North feeder.vlm");
    EXPECT_EQ(report.icon, CheckReport::Icon::Information);
    EXPECT_EQ(report.lines, Lines{"Line at  (120, 40)  (200, 40)  not connected"});
    ASSERT_EQ(report.widgets.GetSize(), 1);
    EXPECT_EQ(report.widgets.GetAt(0), line);

    // The NDL window shows the generated text, or where to look for the errors.
    EXPECT_EQ(NdlWindowText(d.doc), "NDL Generator error:\n"
                                    "====================\n\n"
                                    "There are errors in the network\n"
                                    "drawn by user.\n\n"
                                    "For more information, please\n"
                                    "debug the network settings \n"
                                    "using the debugger.");
    d.Source({120, 40});
    d.Load({200, 40});
    EXPECT_EQ(NdlWindowText(d.doc).rfind("system: ", 0), 0u);
}

// One component to draw, at one point or two: a line (L), bus bar (B), source (S) or load (P).
struct Part {
    void (*add)(NetworkDrawing&, CPoint, CPoint);
    CPoint a, b = {};
};
constexpr auto L = [](NetworkDrawing& d, CPoint a, CPoint b) { d.Line(a, b); };
constexpr auto B = [](NetworkDrawing& d, CPoint a, CPoint b) { d.BusBar(a, b); };
constexpr auto S = [](NetworkDrawing& d, CPoint a, CPoint) { d.Source(a); };
constexpr auto P = [](NetworkDrawing& d, CPoint a, CPoint) { d.Load(a); };

TEST(CheckerTest, GeometricCases) {
    struct Case {
        const char* what;
        std::vector<Part> parts;
        Lines lines;
    };
    const Case cases[] = {
        {"two lines meeting end to end, far ends free",
         {{L, {0, 0}, {100, 0}}, {L, {100, 0}, {200, 0}}},
         {"Line at  (0, 0)  (100, 0)  not connected",
          "Line at  (100, 0)  (200, 0)  not connected"}},
        {"a closed loop of lines, nothing else",
         {{L, {0, 0}, {100, 0}},
          {L, {100, 0}, {100, 100}},
          {L, {100, 100}, {0, 100}},
          {L, {0, 100}, {0, 0}}},
         {}},
        {"a later component counts as much as an earlier one",
         {{L, {0, 0}, {100, 0}}, {S, {0, 0}}, {P, {100, 0}}},
         {}},
        {"an end on the middle of a bus bar",
         {{S, {0, 0}}, {L, {0, 0}, {100, 0}}, {B, {100, -50}, {100, 50}}},
         {"Line at  (0, 0)  (100, 0)  not connected"}},
        {"bus bar ends touching each other are never checked", {{B, {0, 0}, {100, 0}}}, {}},
        {"load point box holds the line end, the end handle misses the centre",
         {{S, {0, 0}}, {L, {0, 0}, {100, 0}}, {P, {108, 0}}},
         {"Line at  (0, 0)  (100, 0)  not connected"}},
        {"one-point components touching only each other's boxes",
         {{S, {0, 0}}, {P, {10, 10}}, {P, {300, 80}}},
         {"Load Point at  (300, 80)  not connected"}},
        {"a line end in a load point's handle box but outside its body",
         {{P, {0, 0}}, {L, {-13, -13}, {-100, -13}}},
         {"Load Point at  (0, 0)  not connected",
          "Line at  (-13, -13)  (-100, -13)  not connected"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NetworkDrawing d;
        for (const Part& p : c.parts)
            p.add(d, p.a, p.b);
        EXPECT_EQ(Findings(d.doc, c.lines.empty()), c.lines);
    }
}

TEST(CheckerTest, EveryTypeHasItsLabel) {
    NetworkDrawing d;
    d.Line({0, 0}, {10, 0});
    d.Breaker({0, 100}, {10, 100});
    d.Fuse({0, 200}, {10, 200});
    d.Recloser({0, 300}, {10, 300});
    d.Isolator({0, 400}, {10, 400});
    d.BusBar({0, 500}, {10, 500});
    d.Load({-300, 600});
    d.Source({0, 700});
    d.Equipment({0, 800}, {-10, 800});
    const CheckReport report = DebugNetwork(d.doc, "all");
    EXPECT_EQ(report.lines, (Lines{"Line at  (0, 0)  (10, 0)  not connected",
                                   "Circuit Breaker at  (0, 100)  (10, 100)  not connected",
                                   "Fuse at  (0, 200)  (10, 200)  not connected",
                                   "Recloser at  (0, 300)  (10, 300)  not connected",
                                   "Isolator at  (0, 400)  (10, 400)  not connected",
                                   "Load Point at  (-300, 600)  not connected",
                                   "Gen Source at  (0, 700)  not connected",
                                   "Equipment at  (0, 800)  (-10, 800)  not connected"}));
    EXPECT_EQ(NotConnectedLabel("Bus Bar"), "Bus Bar at  (");
    EXPECT_EQ(NotConnectedLine(*d.doc.GetBusBars().GetAt(0)),
              "Bus Bar at  (0, 500)  (10, 500)  not connected");
    EXPECT_EQ(NotConnectedLabel("Transformer"), "");
}

TEST(CheckerTest, DeletedComponentsNoLongerCount) {
    NetworkDrawing d;
    d.Source({0, 0});
    d.Line({0, 0}, {100, 0});
    d.Line({100, 0}, {200, 0});
    d.Load({100, 0});
    d.doc.GetLines().RemoveAt(1);
    EXPECT_EQ(Findings(d.doc, true), Lines{});
    d.doc.GetLines().RemoveAt(0);
    // The source and the load point are now apart; the load point's entry is still matched.
    EXPECT_EQ(Findings(d.doc, false), (Lines{"Gen Source at  (0, 0)  not connected",
                                             "Load Point at  (100, 0)  not connected"}));
}

TEST(CheckerTest, NamesNdlCannotCarry) {
    // An empty problem: the name can stand.
    const std::pair<std::string, std::string> cases[] = {
        {"LP", ""},
        {"Elm St (north), 11 kV; 'A'", ""},
        {"A#1", "contains '#', which NDL cannot carry"},
        {"$lr", "contains '$', which NDL cannot carry"},
        {"say \"hi\"", "contains '\"', which NDL cannot carry"},
        {"C:\\loads", "contains '\\', which NDL cannot carry"},
        {"two\nlines", "contains a line feed, which NDL cannot carry"},
        {"end\r", "contains a carriage return, which NDL cannot carry"},
        {std::string("a\0b", 3), "contains a NUL byte, which NDL cannot carry"},
        {"\\#\"$", "contains '\\', '#', '\"' and '$', which NDL cannot carry"},
    };
    for (const auto& [name, problem] : cases) {
        EXPECT_EQ(NdlNameIsValid(name), problem.empty()) << name;
        EXPECT_EQ(NdlNameProblem(name), problem);
    }
}

TEST(CheckerTest, CostCurvesNdlRefuses) {
    // An empty problem: the curve can stand. Numbers count as NDL carries them, to six digits.
    const std::pair<CCostCurve, std::string> cases[] = {
        {{}, ""},
        {{{0, 0}, {0.5, 2}, {4, 1e100}}, ""},
        {{{-1, 2}}, "point 1 has negative hours"},
        {{{1, 2}, {1, 3}}, "point 2 has no more hours than point 1"},
        {{{1, 2}, {1.0000001, 3}}, "point 2 has no more hours than point 1"},
        {{{0, 1}, {1, -3}}, "point 2 has a negative cost"},
        {{{1, 2}, {2, HUGE_VAL}}, "point 2 holds a number that is not finite"},
        {{{1.0000051e100, 2}}, "point 1 holds a number larger than 1e100"},
    };
    for (const auto& [curve, problem] : cases)
        EXPECT_EQ(CostCurveProblem(curve), problem);
}

TEST(CheckerTest, LoadPointWithABadNameFailsTheCheck) {
    NetworkDrawing d;
    d.Source({0, 0});
    d.Line({0, 0}, {120, 80});
    CLoadPoint* bad = d.Load({120, 80});
    bad->m_name = "A#1";
    CLoadPoint* loose = d.Load({400, 400});
    loose->m_name = "two\nlines";
    loose->m_cost = {{2, 1}, {1, 2}};

    const CheckReport report = DebugNetwork(d.doc, "feeder");
    EXPECT_FALSE(report.passed);
    EXPECT_EQ(report.message, "Checking completed : Errors found in feeder.vlm");
    EXPECT_EQ(report.lines,
              (Lines{"Load point \"A#1\" at (120, 80): its name contains '#', which NDL cannot "
                     "carry; rename it.",
                     "Load Point at  (400, 400)  not connected",
                     "Load point \"two\\nlines\" at (400, 400): its name contains a line feed, "
                     "which NDL cannot carry; rename it.",
                     "Load point \"two\\nlines\" at (400, 400): in its cost curve, point 2 has no "
                     "more hours than point 1; correct it."}));
    ASSERT_EQ(report.widgets.GetSize(), 4);
    EXPECT_EQ((std::vector{report.widgets.GetAt(0), report.widgets.GetAt(1),
                           report.widgets.GetAt(2), report.widgets.GetAt(3)}),
              (std::vector<CWidget*>{bad, loose, loose, loose}));
    EXPECT_EQ(NdlWindowText(d.doc).rfind("NDL Generator error:", 0), 0u);

    bad->m_name = "A1";
    loose->m_name = "B";
    loose->m_cost = {{1, 1}, {2, 2}};
    d.Line({120, 80}, {400, 400});
    EXPECT_TRUE(DebugNetwork(d.doc, "feeder").passed);
}

} // namespace
} // namespace orvane
