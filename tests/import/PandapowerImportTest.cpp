#include "import/PandapowerImport.h"
#include "import/GridDrawing.h"
#include "import/GridLayout.h"
#include "import/GridNdl.h"
#include "import/ImportError.h"
#include "import/PandapowerNet.h"
#include "import/ReliabilityData.h"

#include "model/NDLGenerator.h"
#include "model/OrvaneDoc.h"
#include "support/PandapowerFile.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace orvane {
namespace {

using nlohmann::json;
using test::PandapowerTable;

const std::vector<std::string> BusColumns = {"name", "vn_kv", "in_service"};
const std::vector<std::string> LineColumns = {"name",      "from_bus", "to_bus",
                                              "length_km", "parallel", "in_service"};
const std::vector<std::string> SwitchColumns = {"bus", "element", "et", "type", "closed", "name"};
const std::vector<std::string> LoadColumns = {"name", "bus", "p_mw", "scaling", "in_service"};

PandapowerTable Buses(int n) {
    PandapowerTable t{"bus", BusColumns, {}, {}};
    for (int i = 0; i < n; ++i)
        t.rows.push_back({"bus " + std::to_string(i), 20.0, true});
    return t;
}

PandapowerTable Grid0() {
    return {"ext_grid", {"name", "bus", "in_service"}, {{"Grid", 0, true}}, {}};
}

Grid Import(const std::vector<PandapowerTable>& tables,
            const char* csv = "element,failure,repair,switching,customers\n") {
    const PandapowerNet net = PandapowerNet::Parse(test::PandapowerFile(tables));
    ReliabilityData data = ReliabilityData::Parse(csv);
    return ImportPandapower(net, data, "net");
}

const GridElement* Named(const Grid& grid, const std::string& name) {
    for (const GridElement& e : grid.elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

// "a-b": the nodes an element connects.
std::string Ends(const Grid& grid, const std::string& name) {
    const GridElement* e = Named(grid, name);
    return e ? std::to_string(e->a) + "-" + std::to_string(e->b) : "missing";
}

bool Noted(const Grid& grid, const std::string& note) {
    return std::find(grid.notes.begin(), grid.notes.end(), note) != grid.notes.end();
}

// Each kind of switch, and the open one, becomes the NDL element a planner would choose.
TEST(PandapowerImportTest, SwitchesByTypePositionAndFuse) {
    const json fuse = {{"_module", "pandapower.protection.protection_devices.fuse"},
                       {"_class", "Fuse"},
                       {"_object", json{{"switch_index", 5}, {"in_service", true}}.dump()}};
    const Grid grid = Import({Buses(3),
                              Grid0(),
                              {"line", LineColumns, {{"L", 1, 2, 2.0, 1, true}}, {}},
                              {"switch",
                               SwitchColumns,
                               {{0, 1, "b", "CB", true, "cb"},
                                {0, 1, "b", "LS", true, "ls"},
                                {0, 1, "b", "LBS", true, "lbs"},
                                {0, 1, "b", "DS", true, "ds"},
                                {0, 1, "b", nullptr, true, "untyped"},
                                {0, 1, "b", "LS", true, "fused"},
                                {0, 1, "b", "CB", false, "open"}},
                               {}},
                              {"protection", {"object", "in_service"}, {{fuse, true}}, {}}},
                             "element,switching\nswitch,0.25\n");
    struct Case {
        const char* name;
        GridElement::Kind kind;
    };
    const Case cases[] = {
        {"cb", GridElement::Breaker},       {"ls", GridElement::Isolator},
        {"lbs", GridElement::Isolator},     {"ds", GridElement::Isolator},
        {"untyped", GridElement::Isolator}, {"fused", GridElement::Fuse},
        {"open", GridElement::Recloser},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Ends(grid, c.name), "1-2") << c.name;
        EXPECT_EQ(Named(grid, c.name)->kind, c.kind) << c.name;
    }
    EXPECT_EQ(Named(grid, "open")->reclose, 0.25);
    EXPECT_TRUE(Noted(grid, "switch 'untyped' (4) has no type: imported as an isolator"));
    EXPECT_TRUE(Noted(grid, "switch 'open' (6) is open: imported as a tie (recloser) that closes "
                            "after the switching time once one side has lost its supply"));
}

// A switch at a line end stands between the bus and a node of its own that the line starts at.
TEST(PandapowerImportTest, SwitchesAtLineEndsGetNodesOfTheirOwn) {
    const Grid grid = Import({Buses(2),
                              Grid0(),
                              {"line", LineColumns, {{"L", 0, 1, 1.5, 1, true}}, {4}},
                              {"switch",
                               SwitchColumns,
                               {{1, 4, "l", "LBS", true, "far"}, {0, 4, "l", "CB", true, "near"}},
                               {}}});
    EXPECT_EQ(grid.nodes, 4);
    EXPECT_EQ(Ends(grid, "L") + " " + Ends(grid, "near") + " " + Ends(grid, "far"), "3-4 1-3 2-4");
    EXPECT_EQ(Named(grid, "L")->length, 1.5);
}

TEST(PandapowerImportTest, ReliabilityDataReachTheElements) {
    const Grid grid = Import(
        {Buses(3),
         Grid0(),
         {"line", LineColumns, {{"L1", 0, 1, 2.0, 1, true}, {"L2", 1, 2, 1.0, 2, true}}, {}},
         {"trafo", {"name", "hv_bus", "lv_bus", "in_service"}, {{"T", 0, 2, true}}, {}},
         {"load", LoadColumns, {{"Farm", 1, 0.8, 0.5, true}, {nullptr, 2, 0.0, 1.0, true}}, {}}},
        "element,failure,repair,switching,customers\n"
        "line,0.1,4,1,\nline:L2,0.2,,,\ntrafo,0.01,48,2,\nload,,,,25\n");
    const GridElement* l1 = Named(grid, "L1");
    EXPECT_EQ(std::tie(l1->failure, l1->repair, l1->isolation), std::make_tuple(0.1, 4.0, 1.0));
    EXPECT_EQ(Named(grid, "L2")->failure, 0.2);
    EXPECT_NE(Named(grid, "L2 (2)"), nullptr) << "the second parallel system";
    EXPECT_TRUE(Noted(grid, "line 'L2' (1) stands for 2 parallel systems: imported as as many "
                            "lines"));
    const GridElement* t = Named(grid, "T");
    EXPECT_EQ(t->kind, GridElement::Equipment);
    EXPECT_EQ(std::tie(t->failure, t->repair, t->isolation), std::make_tuple(0.01, 48.0, 2.0));
    const GridElement* farm = Named(grid, "Farm");
    EXPECT_EQ(farm->average, 0.4) << "p_mw x scaling";
    EXPECT_EQ(farm->customers, 25);
    const GridElement* unnamed = Named(grid, "load 1");
    ASSERT_NE(unnamed, nullptr);
    EXPECT_EQ(unnamed->average, -1.0);
    EXPECT_TRUE(Noted(grid, "load 1 draws no power (p_mw x scaling is not positive): its energy "
                            "not supplied is counted at NDL's default demand of 1"));
}

// Whatever is not imported is said, never dropped without a word.
TEST(PandapowerImportTest, WhatIsLeftOutIsListed) {
    PandapowerTable buses = Buses(4);
    buses.rows[3] = {"off", 20.0, false};
    const Grid grid =
        Import({buses,
                {"ext_grid", {"name", "bus", "in_service"}, {{"G", 0, true}, {"G2", 1, false}}, {}},
                {"line",
                 LineColumns,
                 {{"on", 0, 1, 1.0, 1, true},
                  {"off line", 1, 2, 1.0, 1, false},
                  {"to off", 2, 3, 1.0, 1, true}},
                 {}},
                {"switch",
                 SwitchColumns,
                 {{1, 1, "l", "LBS", true, "on off line"}, {1, 0, "t3", "LBS", true, "on 3w"}},
                 {}},
                {"load",
                 LoadColumns,
                 {{"Bad \"name\" #1", 1, 1.0, 1.0, true},
                  {"Bad \"name\" #1", 2, 1.0, 1.0, true},
                  {"sleeping", 2, 1.0, 1.0, false},
                  {"stranded", 3, 1.0, 1.0, true}},
                 {}},
                {"sgen", {"name", "bus"}, {{"pv", 1}, {"pv2", 2}}, {}},
                {"trafo3w", {"name"}, {{"t"}}, {}},
                {"gen", {"name"}, {}, {}},
                {"res_bus", {"vm_pu"}, {{1.0}}, {}},
                {"bus_geodata", {"x", "y"}, {{1.0, 2.0}}, {}}});
    const std::vector<std::string> expected = {
        "left out: ext_grid 'G2' (1) is out of service",
        "left out: line 'off line' (1) is out of service",
        "left out: line 'to off' (2) connects a bus that is out of service",
        "1 of 1 lines have no failure rate in the reliability data: they practically never fail",
        "left out: switch 'on off line' (0) sits on line 1, which is left out or does not end at "
        "bus 1",
        "left out: switch 'on 3w' (1) sits on a three-winding transformer",
        "load 'Bad \"name\" #1' (0) is named 'Bad _name_ _1': NDL names cannot hold '\"', '\\', "
        "'#', '$' or control characters",
        "load 'Bad \"name\" #1' (1) is named 'Bad _name_ _1': NDL names cannot hold '\"', '\\', "
        "'#', '$' or control characters",
        "load 'Bad \"name\" #1' (1) shares its name with an earlier load: named 'Bad _name_ _1 "
        "(1)'",
        "left out: load 'sleeping' (2) is out of service",
        "left out: load 'stranded' (3) stands on a bus that is out of service",
        "left out: 2 rows of sgen (static generators), which Orvane does not model",
        "left out: 1 row of trafo3w (three-winding transformers), which Orvane does not model",
    };
    EXPECT_EQ(grid.notes, expected);
}

TEST(PandapowerImportTest, NetworksThatCannotBeImported) {
    struct Case {
        std::vector<PandapowerTable> tables;
        const char* message;
    };
    const Case cases[] = {
        {{Grid0()}, "the network has no buses"},
        {{Buses(1), {"line", LineColumns, {{"L", 0, 5, 1.0, 1, true}}, {}}},
         "line 'L' (0) connects the bus 5, which the bus table does not have"},
        {{Buses(2), {"line", LineColumns, {{"L", 0, 1, 1.0, 0.5, true}}, {}}},
         "line 'L' (0) has 0.5 parallel systems; give a whole number from 1 to 1000"},
        {{Buses(2), {"line", LineColumns, {{"L", 0, "one", 1.0, 1, true}}, {}}},
         "line 0: the to_bus \"one\" is not an integer"},
        {{{"bus", BusColumns, {{"a", 20.0, true}, {"b", 20.0, true}}, {3, 3}}},
         "the bus table holds the index 3 twice"},
        {{Buses(1), {"protection", {"object"}, {{{{"_class", "Fuse"}, {"_object", "{}"}}}}, {}}},
         "protection 0 holds a fuse without its switch_index"},
    };
    for (const Case& c : cases) {
        try {
            Import(c.tables);
            ADD_FAILURE() << "no error: " << c.message;
        } catch (const ImportError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

// A feeder with a lateral, a second feeder and a tie between their ends.
Grid Sample() {
    return Import({Buses(7),
                   Grid0(),
                   {"line",
                    LineColumns,
                    {{"A1", 0, 1, 1.0, 1, true},
                     {"A2", 1, 2, 1.0, 1, true},
                     {"lateral", 1, 3, 1.0, 1, true},
                     {"B1", 0, 4, 1.0, 1, true},
                     {"island", 5, 6, 1.0, 1, true}},
                    {}},
                   {"switch",
                    SwitchColumns,
                    {{2, 4, "b", "LBS", false, "tie"}, {3, 2, "l", "CB", true, "cb"}},
                    {}},
                   {"load",
                    LoadColumns,
                    {{"a", 2, 1.0, 1.0, true},
                     {"b", 2, 1.0, 1.0, true},
                     {"c", 4, 1.0, 1.0, true},
                     {"d", 6, 1.0, 1.0, true},
                     {"e", 3, 1.0, 1.0, true},
                     {"f", 5, 1.0, 1.0, true}},
                    {}}},
                  "element,failure,repair,switching,customers\nline,0.5,4,1,\nload,,,,10\n");
}

// Names and numbers survive into the text. That the text and the drawing make the network a
// hand-written text makes is ImportCommandTest's, on the bundled example.
TEST(GridNdlTest, TextHoldsTheElementsAndTheSystem) {
    const Grid grid = Sample();
    const std::string text = GridNdl(grid, "net.json");
    EXPECT_EQ(text.rfind("# net, imported from net.json by orvane-cli.\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nsystem: quantsPerDay = 24; yearMin = 1000; yearMax = 100000; "
                        "yearStep = 500; accuracy = 0.05\n"),
              std::string::npos);
    EXPECT_NE(text.find("\nline: name = \"lateral\"; connect = 2, 8; length = 1; failure = 0.5; "
                        "isolation = 1; repair = 4\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nrecloser: name = \"tie\"; connect = 3, 5\n"), std::string::npos);
    EXPECT_NE(text.find("\nload: name = \"a\"; connect = 3; customers = 10; average = 1\n"),
              std::string::npos);
}

// A note cannot break out of its comment line, however the file names things.
TEST(GridNdlTest, NotesStayComments) {
    Grid grid;
    grid.title = "t";
    grid.notes = {"ends in a backslash \\", "two\nlines"};
    const std::string text = GridNdl(grid, "x");
    EXPECT_NE(text.find("# note: ends in a backslash /\n# note: two lines\n"), std::string::npos)
        << text;
}

TEST(GridLayoutTest, NodesApartOnTheSnapGridFeedersLeftToRight) {
    const Grid grid = Sample();
    const std::vector<CPoint> points = GridLayout::Place(grid);
    ASSERT_EQ(points.size(), static_cast<size_t>(grid.nodes) + 1);
    for (size_t i = 1; i < points.size(); ++i) {
        ASSERT_GE(points[i].x, GridLayout::Margin) << i;
        EXPECT_EQ(points[i].x % 10, 0);
        EXPECT_EQ(points[i].y % 10, 0);
        for (size_t j = 1; j < i; ++j)
            EXPECT_GE(
                std::max(std::abs(points[i].x - points[j].x), std::abs(points[i].y - points[j].y)),
                60)
                << i << " and " << j;
    }
    // The source's first continuation stays on its row; the second feeder starts below.
    const CPoint source = points[1];
    EXPECT_EQ(source.x, GridLayout::Margin);
    EXPECT_EQ(points[2].y, source.y);
    EXPECT_EQ(points[2].x, source.x + GridLayout::LineLength);
    EXPECT_EQ(points[3].y, source.y);
    EXPECT_GT(points[5].y, points[4].y) << "feeder B below the lateral";
    EXPECT_GT(points[6].y, points[5].y) << "the island last";
}

TEST(GridDrawingTest, DrawingPassesTheCheck) {
    const Grid grid = Sample();
    std::vector<std::string> notes;
    const std::unique_ptr<COrvaneDoc> doc = GridDrawing::Make(grid, notes);
    EXPECT_TRUE(notes.empty());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetSettings().quantsPerDay, 24);
    EXPECT_EQ(doc->GetSettings().yearMax, 100000);
    CNDLGenerator generator(*doc);
    EXPECT_TRUE(generator.CheckConnections());
    for (const std::string& line : generator.GetFindingLines())
        ADD_FAILURE() << line;
    EXPECT_EQ(doc->GetLoadPoints().GetSize(), 6);
}

} // namespace
} // namespace orvane
