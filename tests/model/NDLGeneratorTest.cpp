#include "model/NDLGenerator.h"

#include "base/Output.h"
#include "engine/Simulation.h"
#include "model/NetworkDrawing.h"
#include "ndl/ParserDistrib.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <iterator>
#include <utility>
#include <vector>

namespace orvane {
namespace {

using test::NetworkDrawing;

std::string Generated(COrvaneDoc& doc) {
    CNDLGenerator generator(doc);
    generator.Generate();
    return generator.GetText();
}

// The text after the system definition.
std::string Definitions(COrvaneDoc& doc) {
    const std::string text = Generated(doc);
    return text.substr(text.find("\n\n") + 2);
}

TEST(NDLGeneratorTest, SourceLineLoadExample) {
    NetworkDrawing d;
    d.Source({100, 100});
    d.Line({100, 100}, {200, 100});
    d.Load({200, 100});
    EXPECT_EQ(Generated(d.doc), "system: quantsPerDay = 0.;\\\nyearStep = 100.;\\\n"
                                "yearMax = 1000000.;\\\nyearMin = 100.;\\\n"
                                "accuracy = 5.e-002;\\\nmaxFlow = 1.;\\\nfuses = 1.;\\\n"
                                "isolators = 1.;\\\nreclosers = 1.;\\\n\n"
                                "source: connect = 0.;\\\n\n"
                                "line: connect = 0., 1.;\\\n\n"
                                "load: connect = 1.;\\\nname = \"LP\";\\\n\n");
}

TEST(NDLGeneratorTest, LaterLineAdoptsANodeInItsEndHandle) {
    // The later line's handle around (x, 0) spans x - 5 <= 100 < x + 5.
    const struct {
        int32_t start;
        const char* second;
    } cases[] = {{100, "line: connect = 1., 2.;\\\n\n"},
                 {105, "line: connect = 1., 2.;\\\n\n"},
                 {96, "line: connect = 1., 2.;\\\n\n"},
                 {95, "line: connect = 2., 3.;\\\n\n"},
                 {106, "line: connect = 2., 3.;\\\n\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        NetworkDrawing d;
        d.Line({0, 0}, {100, 0});
        d.Line({c.start, 3}, {200, 0});
        EXPECT_EQ(Definitions(d.doc), std::string("line: connect = 0., 1.;\\\n\n") + c.second);
    }
}

TEST(NDLGeneratorTest, OnePointComponentsNearLineEnds) {
    struct Case {
        const char* what;
        CPoint lineEnd; // the source or load point stands at (100, 100), the line's far end at
                        // (300, 100)
        bool sourceFirst;
        int32_t sourceNode, lineNode; // the node of the line's end near the source
        bool backwards = false;       // the near end is the line's second
        bool load = false;            // a load point instead of the source
    };
    const Case cases[] = {
        {"source first, centre in the end handle", {104, 104}, true, 0, 0},
        {"source first, centre just outside the handle", {95, 106}, true, 0, 1},
        {"line first, end at the box's inner edge", {89, 89}, false, 0, 0},
        {"line first, end on the box's open edge", {111, 100}, false, 2, 0},
        {"line first, end in the box but not the handle", {92, 108}, false, 0, 0},
        {"source first, centre in the second end's handle", {104, 104}, true, 0, 0, true},
        // The 10 x 10 end handle misses a centre 8 pixels away; the 22 x 22 box holds the end.
        {"load point first, 8 pixels from the second end", {108, 100}, true, 0, 2, true, true},
        {"line first, second end 8 pixels from a load point", {108, 100}, false, 1, 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NetworkDrawing d;
        const auto place = [&] {
            return c.load ? static_cast<CWidget*>(d.Load({100, 100})) : d.Source({100, 100});
        };
        CWidget* source = c.sourceFirst ? place() : nullptr;
        CLine* line = c.backwards ? d.Line({300, 100}, c.lineEnd) : d.Line(c.lineEnd, {300, 100});
        if (!c.sourceFirst)
            source = place();
        Generated(d.doc);
        EXPECT_EQ(source->m_node1, c.sourceNode);
        EXPECT_EQ(c.backwards ? line->m_node2 : line->m_node1, c.lineNode);
    }
}

TEST(NDLGeneratorTest, LineAcrossABusBarIsNotJoinedAndTheBusBarWritesNothing) {
    NetworkDrawing d;
    CBusBar* bar = d.BusBar({50, -50}, {50, 50});
    bar->m_node1 = 7; // bus bars are passed over, even by the reset
    d.Line({0, 0}, {100, 0});
    d.Line({50, 50}, {50, 150}); // starts on the bus bar's end
    EXPECT_EQ(Definitions(d.doc), "line: connect = 0., 1.;\\\n\nline: connect = 2., 3.;\\\n\n");
    EXPECT_EQ(bar->m_node1, 7);
}

TEST(NDLGeneratorTest, DeletionInTheMiddleShiftsLaterComponentsOneEntryEarlier) {
    NetworkDrawing d;
    d.Line({0, 0}, {100, 0});
    d.Line({0, 300}, {100, 300}); // deleted below
    d.Load({308, 0});
    d.Line({100, 0}, {300, 0});
    d.doc.GetLines().RemoveAt(1);
    // The last line now stands at the deleted line's entry, before the load point, so it
    // numbers its free end first and the load point adopts that node.
    EXPECT_EQ(Definitions(d.doc), "line: connect = 0., 1.;\\\n\n"
                                  "line: connect = 1., 2.;\\\n\n"
                                  "load: connect = 2.;\\\nname = \"LP\";\\\n\n");
}

TEST(NDLGeneratorTest, EntriesWithoutComponentsAndUnknownNamesArePassedOver) {
    NetworkDrawing d;
    d.Line({0, 0}, {100, 0});
    d.doc.m_typeOrder.insert(d.doc.m_typeOrder.begin(), "Fuse"); // no fuse in the collection
    d.doc.m_typeOrder.emplace_back("Transformer");
    d.doc.m_typeOrder.emplace_back("Line");
    d.doc.GetLines().Add(CPoint{100, 0}, CPoint{200, 0}, 1u, 0u); // without an entry of its own
    EXPECT_EQ(Definitions(d.doc), "line: connect = 0., 1.;\\\n\nline: connect = 1., 2.;\\\n\n");
}

// Each component's own text (failure pairs, profiles) is ComponentTest's DefinitionTexts.
TEST(NDLGeneratorTest, RenumbersFromScratchAndRepeatsItself) {
    NetworkDrawing d;
    CLine* line = d.Line({0, 0}, {100, 0});
    CLoadPoint* load = d.Load({100, 0});
    line->m_node1 = 41; // numbers stored with the document are stale
    line->m_node2 = 42;
    load->m_node1 = 42;
    const std::string first = Generated(d.doc);
    EXPECT_EQ(first, Generated(d.doc));
    EXPECT_EQ(line->m_node1, 0);
    EXPECT_EQ(load->m_node1, 1);
}

TEST(NDLGeneratorTest, GeneratedTextParsesIntoTheDrawnNetwork) {
    NetworkDrawing d;
    d.Settings([](CSimulationSettings& s) {
        s.quantsPerDay = 24;
        s.yearMin = 200;
        s.yearMax = 5000;
        s.yearStep = 0; // left out: the parser's 100 applies
        s.accuracy = 0.0125;
        s.momentary = 2.5;
    });

    d.Source({0, 0})->m_capacity = 10;
    d.Breaker({0, 0}, {50, 0})->m_capacity = 9;
    CLine* line = d.Line({50, 0}, {150, 0});
    line->m_length = 2.5;
    line->m_failure1 = 0.065;
    line->m_repair1 = 4;
    line->m_repair2 = 1.5;
    d.BusBar({100, -40}, {100, 40});
    d.Isolator({150, 0}, {200, 0});
    d.Fuse({150, 0}, {150, 100});
    d.Equipment({200, 0}, {250, 0})->m_failure1 = 0.02;
    CLoadPoint* works = d.Load({250, 0});
    works->m_name = "Works";
    works->m_customers = 3;
    works->m_profile = {CUDouble(1), CUDouble(0.5), CUDouble(2)};
    works->m_cost = {{0, 0.5}, {1, 5.5}, {4, 12}};
    d.Load({150, 100})->m_name = "Elm St";
    d.Recloser({250, 0}, {250, 200})->m_reclose1 = 0.5;
    d.Source({250, 200});

    CNDLGenerator generator(d.doc);
    ASSERT_TRUE(generator.CheckConnections()) << generator.GetFindingLines().front();
    generator.Generate();
    EXPECT_NE(generator.GetText().find("reclosers = 1.;\\\nmomentary = 2.5;\\\n\n"),
              std::string::npos);
    test::TempDir dir;
    Output output;
    output.OpenTextOutput(dir.File("report.txt"));
    test::FixedClock clock;
    Simulation sim(output);
    sim.Init(nullptr, clock);
    ParserDistrib parser(output);
    ASSERT_TRUE(parser.Open(generator.GetText()) && parser.Parse(sim));
    parser.Close();

    EXPECT_EQ(sim.YearMin(), 200u);
    EXPECT_EQ(sim.YearStep(), 100u);
    EXPECT_EQ(sim.Accuracy(), 0.0125);
    EXPECT_EQ(sim.MomentaryMinutes(), 2.5);
    // Drawn node n is internal node 2 + n; sources and reclosers add fresh nodes from 3 up.
    const struct {
        ElementKind kind;
        uint32_t a, b;
        double rating;
    } expected[] = {
        {ElementKind::Supply, 0, 3, 10},     {ElementKind::Breaker, 3, 2, 10},
        {ElementKind::Breaker, 2, 4, 9},     {ElementKind::Line, 4, 5, -1},
        {ElementKind::Isolator, 5, 6, -1},   {ElementKind::Breaker, 5, 7, -1}, // the fuse
        {ElementKind::Equipment, 6, 8, -1},  {ElementKind::Load, 8, 1, -1},
        {ElementKind::Load, 7, 1, -1},       {ElementKind::Breaker, 8, 10, -1},
        {ElementKind::Recloser, 10, 11, -1}, {ElementKind::Breaker, 11, 9, -1},
        {ElementKind::Supply, 0, 12, -1},    {ElementKind::Breaker, 12, 9, -1},
    };
    ASSERT_EQ(sim.ElementCount(), std::size(expected));
    for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
        SCOPED_TRACE(i);
        const SimElement& e = sim.Element(i);
        EXPECT_EQ(e.kind, expected[i].kind);
        EXPECT_EQ(e.a, expected[i].a);
        EXPECT_EQ(e.b, expected[i].b);
        if (e.kind != ElementKind::Load) {
            EXPECT_EQ(e.rating, expected[i].rating);
        }
    }
    EXPECT_EQ(sim.Element(3).repair.Shape(), 1.5);
    EXPECT_EQ(sim.Element(7).name, "Works");
    EXPECT_EQ(sim.Element(7).customers, 3u);
    EXPECT_EQ(sim.Element(8).name, "Elm St");
    std::vector<std::pair<double, double>> cost;
    for (const CostCurve::Point& p : sim.Element(7).damage.Points())
        cost.emplace_back(p.hours, p.cost);
    EXPECT_EQ(cost, (std::vector<std::pair<double, double>>{{0, 0.5}, {1, 5.5}, {4, 12}}));
    EXPECT_TRUE(sim.Element(8).damage.Empty());
}

} // namespace
} // namespace orvane
