#include "model/NDLGenerator.h"

#include "engine/Output.h"
#include "engine/Simulation.h"
#include "model/NetworkDrawing.h"
#include "ndl/ParserDistrib.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <iterator>

namespace orvane {
namespace {

using test::NetworkDrawing;

// The system definition of fresh settings, as every generated text begins.
const std::string FreshSystem = "system: quantsPerDay = 0.;\\\n"
                                "yearStep = 100.;\\\n"
                                "yearMax = 1000000.;\\\n"
                                "yearMin = 100.;\\\n"
                                "accuracy = 5.e-002;\\\n"
                                "maxFlow = 1.;\\\n"
                                "fuses = 1.;\\\n"
                                "isolators = 1.;\\\n"
                                "reclosers = 1.;\\\n"
                                "\n";

std::string Generated(COrvaneDoc& doc) {
    CNDLGenerator generator(doc);
    generator.Generate();
    return generator.GetText();
}

// The text after the system definition.
std::string Definitions(COrvaneDoc& doc) {
    const std::string text = Generated(doc);
    const size_t end = text.find("\n\n");
    return end == std::string::npos ? text : text.substr(end + 2);
}

TEST(NDLGeneratorTest, SourceLineLoadExample) {
    NetworkDrawing d;
    d.Source({100, 100});
    d.Line({100, 100}, {200, 100});
    d.Load({200, 100});
    EXPECT_EQ(Generated(d.doc), FreshSystem + "source: connect = 0.;\\\n\n"
                                              "line: connect = 0., 1.;\\\n\n"
                                              "load: connect = 1.;\\\nname = \"LP\";\\\n\n");
}

TEST(NDLGeneratorTest, EmptyNetworkIsTheSystemDefinitionAlone) {
    NetworkDrawing d;
    EXPECT_EQ(Generated(d.doc), FreshSystem);
}

TEST(NDLGeneratorTest, LinesEndToEndShareANode) {
    NetworkDrawing d;
    CLine* first = d.Line({0, 0}, {100, 0});
    CLine* second = d.Line({104, 4}, {200, 4}); // within the first's end handle
    EXPECT_EQ(Definitions(d.doc), "line: connect = 0., 1.;\\\n\nline: connect = 1., 2.;\\\n\n");
    EXPECT_EQ(first->m_node1, 0);
    EXPECT_EQ(first->m_node2, 1);
    EXPECT_EQ(second->m_node1, 1);
    EXPECT_EQ(second->m_node2, 2);
}

TEST(NDLGeneratorTest, EndHandleIsHalfOpen) {
    // The later line's handle around (x, 0) spans x - 5 <= 100 < x + 5.
    const struct {
        int32_t start;
        const char* second;
    } cases[] = {{105, "line: connect = 1., 2.;\\\n\n"},
                 {96, "line: connect = 1., 2.;\\\n\n"},
                 {95, "line: connect = 2., 3.;\\\n\n"},
                 {106, "line: connect = 2., 3.;\\\n\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        NetworkDrawing d;
        d.Line({0, 0}, {100, 0});
        d.Line({c.start, 0}, {200, 0});
        EXPECT_EQ(Definitions(d.doc), std::string("line: connect = 0., 1.;\\\n\n") + c.second);
    }
}

TEST(NDLGeneratorTest, LoadPointEightPixelsFromALineEndDependsOnDrawingOrder) {
    {
        SCOPED_TRACE("load point first: the line's 10 x 10 end handle misses its centre");
        NetworkDrawing d;
        CLoadPoint* load = d.Load({108, 0});
        CLine* line = d.Line({0, 0}, {100, 0});
        Generated(d.doc);
        EXPECT_EQ(load->m_node1, 0);
        EXPECT_EQ(line->m_node1, 1);
        EXPECT_EQ(line->m_node2, 2);
    }
    {
        SCOPED_TRACE("line first: the load point's 22 x 22 box holds the line's end");
        NetworkDrawing d;
        CLine* line = d.Line({0, 0}, {100, 0});
        CLoadPoint* load = d.Load({108, 0});
        Generated(d.doc);
        EXPECT_EQ(line->m_node1, 0);
        EXPECT_EQ(line->m_node2, 1);
        EXPECT_EQ(load->m_node1, 1);
    }
}

TEST(NDLGeneratorTest, OnePointComponentsNearLineEnds) {
    struct Case {
        const char* what;
        CPoint source;
        CPoint lineEnd;
        bool sourceFirst;
        int32_t sourceNode, lineNode1;
    };
    const Case cases[] = {
        {"source first, centre in the end handle", {100, 100}, {104, 104}, true, 0, 0},
        {"source first, centre just outside the handle", {100, 100}, {95, 106}, true, 0, 1},
        {"line first, end at the box's inner edge", {100, 100}, {89, 89}, false, 0, 0},
        {"line first, end on the box's open edge", {100, 100}, {111, 100}, false, 2, 0},
        {"line first, end in the box but not the handle", {100, 100}, {92, 108}, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NetworkDrawing d;
        CGenSource* source = nullptr;
        if (c.sourceFirst)
            source = d.Source(c.source);
        CLine* line = d.Line(c.lineEnd, {300, 100});
        if (!c.sourceFirst)
            source = d.Source(c.source);
        Generated(d.doc);
        EXPECT_EQ(source->m_node1, c.sourceNode);
        EXPECT_EQ(line->m_node1, c.lineNode1);
    }
}

TEST(NDLGeneratorTest, OnePointNodeFromASecondEnd) {
    NetworkDrawing d;
    d.Line({0, 0}, {100, 0});
    d.Line({100, 0}, {200, 0});
    CLoadPoint* load = d.Load({195, 5});      // its box holds the second line's end 2 only
    CGenSource* source = d.Source({190, 14}); // its box holds only the load point's centre
    Generated(d.doc);
    EXPECT_EQ(load->m_node1, 2);
    EXPECT_EQ(source->m_node1, 2);
}

TEST(NDLGeneratorTest, LineAcrossABusBarIsNotJoinedAndTheBusBarWritesNothing) {
    NetworkDrawing d;
    CBusBar* bar = d.BusBar({50, -50}, {50, 50});
    bar->m_node1 = 7; // bus bars are passed over, even by the reset
    CLine* line = d.Line({0, 0}, {100, 0});
    d.Line({50, 50}, {50, 150}); // starts on the bus bar's end
    EXPECT_EQ(Definitions(d.doc), "line: connect = 0., 1.;\\\n\nline: connect = 2., 3.;\\\n\n");
    EXPECT_EQ(line->m_node1, 0);
    EXPECT_EQ(bar->m_node1, 7);
    EXPECT_EQ(bar->m_node2, -1);
}

TEST(NDLGeneratorTest, DeletionInTheMiddleShiftsLaterComponentsOneEntryEarlier) {
    NetworkDrawing d;
    d.Line({0, 0}, {100, 0});
    d.Line({0, 300}, {100, 300}); // deleted below
    CLoadPoint* load = d.Load({308, 0});
    CLine* third = d.Line({100, 0}, {300, 0});
    d.doc.GetLines().RemoveAt(1);
    // The third line now stands at the deleted line's entry, before the load point, so it
    // numbers its free end first and the load point adopts it; its own entry is passed over.
    EXPECT_EQ(Definitions(d.doc), "line: connect = 0., 1.;\\\n\n"
                                  "line: connect = 1., 2.;\\\n\n"
                                  "load: connect = 2.;\\\nname = \"LP\";\\\n\n");
    EXPECT_EQ(third->m_node2, 2);
    EXPECT_EQ(load->m_node1, 2);
}

TEST(NDLGeneratorTest, EntriesWithoutComponentsAndUnknownNamesArePassedOver) {
    NetworkDrawing d;
    d.Line({0, 0}, {100, 0});
    d.doc.m_typeOrder.insert(d.doc.m_typeOrder.begin(), "Fuse"); // no fuse in the collection
    d.doc.m_typeOrder.emplace_back("Transformer");
    d.doc.m_typeOrder.emplace_back("Line");
    EXPECT_EQ(Definitions(d.doc), "line: connect = 0., 1.;\\\n\n");
}

TEST(NDLGeneratorTest, ComponentsMissingFromTheTypeOrderAreNotWritten) {
    NetworkDrawing d;
    d.Line({0, 0}, {100, 0});
    d.doc.GetLines().Add(CPoint{100, 0}, CPoint{200, 0}, 1u, 0u); // no entry
    EXPECT_EQ(Definitions(d.doc), "line: connect = 0., 1.;\\\n\n");
}

TEST(NDLGeneratorTest, AttributesAndTheirOmission) {
    struct Case {
        const char* what;
        void (*set)(CLine&);
        const char* attributes;
    };
    const Case cases[] = {
        {"failure 2 only", [](CLine& l) { l.m_failure2 = 1.5; }, "failure = 1.5;\\\n"},
        {"failure 1 and 2",
         [](CLine& l) {
             l.m_failure1 = 0.2;
             l.m_failure2 = 1.5;
         },
         "failure = 0.2, 1.5;\\\n"},
        {"failure 1 only", [](CLine& l) { l.m_failure1 = 0.05; }, "failure = 5.e-002;\\\n"},
        {"every attribute",
         [](CLine& l) {
             l.m_capacity = 1e6;
             l.m_length = 2.5;
             l.m_failure1 = 0.065;
             l.m_isolation1 = 1;
             l.m_repair1 = 4;
             l.m_repair2 = 1.5;
             l.m_notes = "never written";
         },
         "length = 2.5;\\\ncapacity = 1.e+006;\\\nfailure = 6.5e-002;\\\n"
         "isolation = 1.;\\\nrepair = 4., 1.5;\\\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NetworkDrawing d;
        c.set(*d.Line({0, 0}, {100, 0}));
        EXPECT_EQ(Definitions(d.doc),
                  std::string("line: connect = 0., 1.;\\\n") + c.attributes + "\n");
    }
}

TEST(NDLGeneratorTest, LoadPointProfileUsesBlankCommaSeparators) {
    NetworkDrawing d;
    CLoadPoint* load = d.Load({0, 0});
    load->m_customers = 85;
    load->m_average = 0.35;
    load->m_name = "Farms";
    load->m_profile = {CUDouble(1), CUDouble(0.5), CUDouble(2)};
    EXPECT_EQ(Definitions(d.doc), "load: connect = 0.;\\\ncustomers = 85.;\\\naverage = 0.35;\\\n"
                                  "name = \"Farms\";\\\nprofile = 1. ,0.5 ,2.;\\\n\n");
}

TEST(NDLGeneratorTest, EveryTypeInItsOwnForm) {
    NetworkDrawing d;
    d.Source({0, 0})->m_capacity = 10;
    d.Breaker({0, 0}, {50, 0})->m_capacity = 8;
    d.Fuse({50, 0}, {100, 0})->m_capacity = 6;
    d.Isolator({100, 0}, {150, 0})->m_capacity = 5;
    CRecloser* r = d.Recloser({150, 0}, {200, 0});
    r->m_capacity = 4;
    r->m_reclose1 = 0.5;
    r->m_reclose2 = 2;
    CEquipment* e = d.Equipment({200, 0}, {250, 0});
    e->m_failure1 = 0.02;
    e->m_repair1 = 48;
    CLoadPoint* load = d.Load({250, 0});
    load->m_name = "";
    load->m_peak = 3;
    EXPECT_EQ(Definitions(d.doc), "source: connect = 0.;\\\ncapacity = 10.;\\\n\n"
                                  "breaker: connect = 0., 1.;\\\ncapacity = 8.;\\\n\n"
                                  "fuse: connect = 1., 2.;\\\ncapacity = 6.;\\\n\n"
                                  "isolator: connect = 2., 3.;\\\ncapacity = 5.;\\\n\n"
                                  "recloser: connect = 3., 4.;\\\ncapacity = 4.;\\\n"
                                  "reclose = 0.5, 2.;\\\n\n"
                                  "equipment: connect = 4., 5.;\\\nfailure = 2.e-002;\\\n"
                                  "repair = 48.;\\\n\n"
                                  "load: connect = 5.;\\\npeak = 3.;\\\n\n");
}

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

// One generated text parsed into a fresh network, as the simulation does.
struct Parsed {
    explicit Parsed(const std::string& text) {
        output.OpenTextOutput(dir.File("report.txt"));
        sim.Init(nullptr, clock);
        ParserDistrib parser(output);
        ok = parser.Open(text) && parser.Parse(sim);
        parser.Close();
        output.CloseTextOutput();
        report = test::ReadFile(dir.File("report.txt"));
    }
    test::TempDir dir;
    Output output;
    test::FixedClock clock;
    Simulation sim{output};
    bool ok = false;
    std::string report;
};

TEST(NDLGeneratorTest, GeneratedTextParsesIntoTheDrawnNetwork) {
    NetworkDrawing d;
    CSimulationSettings& s = d.doc.GetSettings();
    s.quantsPerDay = 24;
    s.yearMin = 200;
    s.yearMax = 5000;
    s.yearStep = 0; // left out: the parser's 100 applies
    s.accuracy = 0.0125;

    d.Source({0, 0})->m_capacity = 10;
    d.Breaker({0, 0}, {50, 0})->m_capacity = 9;
    CLine* line = d.Line({50, 0}, {150, 0});
    line->m_length = 2.5;
    line->m_failure1 = 0.065;
    line->m_isolation1 = 1;
    line->m_repair1 = 4;
    line->m_repair2 = 1.5;
    d.BusBar({100, -40}, {100, 40});
    d.Isolator({150, 0}, {200, 0});
    d.Fuse({150, 0}, {150, 100});
    CEquipment* t = d.Equipment({200, 0}, {250, 0});
    t->m_failure1 = 0.02;
    t->m_repair1 = 48;
    CLoadPoint* works = d.Load({250, 0});
    works->m_name = "Works";
    works->m_customers = 3;
    works->m_average = 1.5;
    works->m_profile = {CUDouble(1), CUDouble(0.5), CUDouble(2)};
    CLoadPoint* lateral = d.Load({150, 100});
    lateral->m_name = "Elm St";
    lateral->m_peak = 0.75;
    d.Recloser({250, 0}, {250, 200})->m_reclose1 = 0.5;
    d.Source({250, 200});

    CNDLGenerator generator(d.doc);
    ASSERT_TRUE(generator.CheckConnections()) << generator.GetFindingLines().front();
    generator.Generate();
    const Parsed p(generator.GetText());
    ASSERT_TRUE(p.ok) << p.report << generator.GetText();

    EXPECT_EQ(p.sim.QuantsPerDay(), 24u);
    EXPECT_EQ(p.sim.YearMin(), 200u);
    EXPECT_EQ(p.sim.YearMax(), 5000u);
    EXPECT_EQ(p.sim.YearStep(), 100u);
    EXPECT_EQ(p.sim.Accuracy(), 0.0125);

    // Drawn node n is internal node 2 + n, fresh nodes for sources and reclosers in between.
    struct Expected {
        ElementKind kind;
        uint32_t a, b;
        double rating;
    };
    const Expected expected[] = {
        {ElementKind::Supply, 0, 3, 10},    {ElementKind::Breaker, 3, 2, 10}, // source on 0
        {ElementKind::Breaker, 2, 4, 9},                                      // 0-1
        {ElementKind::Line, 4, 5, -1},                                        // 1-2
        {ElementKind::Isolator, 5, 6, -1},                                    // 2-3
        {ElementKind::Breaker, 5, 7, -1},                                     // fuse 2-4
        {ElementKind::Equipment, 6, 8, -1},                                   // 3-5
        {ElementKind::Load, 8, 1, -1},      {ElementKind::Load, 7, 1, -1},    // on 5, on 4
        {ElementKind::Breaker, 8, 10, -1},  {ElementKind::Recloser, 10, 11, -1},
        {ElementKind::Breaker, 11, 9, -1},                                     // recloser 5-6
        {ElementKind::Supply, 0, 12, -1},   {ElementKind::Breaker, 12, 9, -1}, // source on 6
    };
    ASSERT_EQ(p.sim.ElementCount(), std::size(expected));
    for (uint32_t i = 0; i < p.sim.ElementCount(); ++i) {
        SCOPED_TRACE(i);
        const SimElement& e = p.sim.Element(i);
        EXPECT_EQ(e.kind, expected[i].kind);
        EXPECT_EQ(e.a, expected[i].a);
        EXPECT_EQ(e.b, expected[i].b);
        if (e.kind != ElementKind::Load) {
            EXPECT_EQ(e.rating, expected[i].rating);
        }
    }
    EXPECT_EQ(p.sim.Element(3).repair.Shape(), 1.5);
    EXPECT_EQ(p.sim.Element(7).name, "Works");
    EXPECT_EQ(p.sim.Element(7).customers, 3u);
    EXPECT_EQ(p.sim.Element(8).name, "Elm St");
    EXPECT_EQ(p.sim.Element(8).customers, 1u);
}

TEST(NDLGeneratorTest, NamesNdlCannotCarryWouldAlterTheParse) {
    // Why the check refuses such names: unchecked, '#' cuts the string short.
    NetworkDrawing d;
    d.doc.GetSettings().quantsPerDay = 24;
    d.Source({0, 0});
    d.Line({0, 0}, {100, 0});
    d.Load({100, 0})->m_name = "A#1";
    const Parsed p(Generated(d.doc));
    EXPECT_FALSE(p.ok);
    EXPECT_NE(p.report.find("syntax error, unexpected <eol> in string"), std::string::npos);

    CNDLGenerator generator(d.doc);
    EXPECT_FALSE(generator.CheckConnections());
}

} // namespace
} // namespace orvane
