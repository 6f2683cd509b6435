#include "cli/ModelCommands.h"
#include "cli/TerminalText.h"

#include "base/Output.h"
#include "engine/Simulation.h"
#include "model/NDLGenerator.h"
#include "model/NetworkDrawing.h"
#include "ndl/ParserDistrib.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace orvane::cli {
namespace {

using test::Capture;
using test::NetworkDrawing;
using test::Outcome;
using test::ReadFile;

Outcome RunCheck(const std::string& path) {
    return Capture([&](std::FILE* out, std::FILE* err) { return Check(path, out, err); });
}

Outcome RunNdl(const std::string& path) {
    return Capture([&](std::FILE* out, std::FILE* err) { return PrintNdl(path, out, err); });
}

// Source, line, load point: the smallest network that passes the check.
void DrawFeeder(NetworkDrawing& d) {
    d.doc.SetSettings({.quantsPerDay = 4, .yearMin = 100, .yearMax = 200});
    d.Source({100, 100});
    CLine* line = d.Line({100, 100}, {300, 100});
    line->m_failure1 = 2;
    line->m_repair1 = 10;
    CLoadPoint* load = d.Load({300, 100});
    load->m_name = "Farm";
    load->m_customers = 10;
}

class ModelCommandsTest : public ::testing::Test {
protected:
    std::string Save(NetworkDrawing& d) {
        const std::string path = dir.File("feeder.vlm");
        std::string error;
        EXPECT_TRUE(d.doc.Save(path, error)) << error;
        return path;
    }
    Outcome Simulate(const std::string& path) {
        SimulateOptions options;
        options.network = path;
        options.outDir = dir.File("out");
        return test::RunSimulate(options);
    }
    test::TempDir dir;
};

const char* const Findings =
    ": error: the network does not pass the check; correct these in the editor:\n";

// check reports as the editor's debug command; ndl prints the generated text, or the findings.
TEST_F(ModelCommandsTest, CommandsOnAPassingAndAFailingDrawing) {
    NetworkDrawing d;
    DrawFeeder(d);
    const std::string path = Save(d);
    CNDLGenerator generator(d.doc);
    generator.Generate();
    const Outcome checked = RunCheck(path), printed = RunNdl(path);
    EXPECT_EQ(checked.code, ExitOk);
    EXPECT_EQ(checked.out, "Checking completed : No error found!\n");
    EXPECT_EQ(printed.code, ExitOk);
    EXPECT_EQ(printed.out, generator.GetText());
    EXPECT_EQ(checked.err + printed.err, "");
    // simulate runs it as the editor does.
    const Outcome simulated = Simulate(path);
    ASSERT_EQ(simulated.code, ExitOk) << simulated.err;
    EXPECT_NE(simulated.out.find("Simulated 200 years."), std::string::npos);
    const std::string html = ReadFile(dir.File("out/feeder/feeder.htm"));
    EXPECT_EQ(html.rfind("<b><font size=\"4\">Network name :feeder</font></b>", 0), 0u);
    EXPECT_NE(html.find(">Farm</a>"), std::string::npos);

    d.Line({500, 500}, {600, 500});
    d.doc.GetLoadPoints().GetAt(0)->m_name = "Farm$";
    Save(d);
    const std::string findings = "Load point \"Farm$\" at (300, 100): its name contains '$', which "
                                 "NDL cannot carry; rename it.\n"
                                 "Line at  (500, 500)  (600, 500)  not connected\n";
    const Outcome refused = RunCheck(path), unprinted = RunNdl(path);
    EXPECT_EQ(refused.code, ExitNetworkError);
    EXPECT_EQ(refused.out, "Checking completed : Errors found in feeder.vlm\n" + findings);
    EXPECT_EQ(refused.err, "");
    EXPECT_EQ(unprinted.code, ExitNetworkError);
    EXPECT_EQ(unprinted.out, "");
    EXPECT_EQ(unprinted.err, path + Findings + findings);
}

TEST_F(ModelCommandsTest, UnreadableFilesExitWithTheDocumentsMessage) {
    std::filesystem::create_directory(dir.File("folder.vlm"));
    struct Case {
        const char* name;
        const char* reason;
    };
    const Case cases[] = {
        {"absent.vlm", "No such file or directory"},
        {"folder.vlm", "it is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.name);
        const std::string message =
            "orvane-cli: The file '" + path + "' could not be read: " + c.reason + ".\n";
        for (const Outcome& o : {RunCheck(path), RunNdl(path), Simulate(path)}) {
            EXPECT_EQ(o.code, ExitUsage);
            EXPECT_EQ(o.out, "");
            EXPECT_EQ(o.err, message);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out")));
}

// A name is the user's to choose, so whatever a terminal would act on is shown as \xHH instead.
TEST_F(ModelCommandsTest, ControlBytesInNamesReachTheTerminalEscaped) {
    NetworkDrawing d;
    DrawFeeder(d);
    d.doc.GetLoadPoints().GetAt(0)->m_name = "Farm\x1b]0;owned\x07\x1b[2J$";
    const std::string path = Save(d);
    const std::string finding = "Load point \"Farm\\x1b]0;owned\\x07\\x1b[2J$\" at (300, 100): "
                                "its name contains '$', which NDL cannot carry; rename it.\n";
    const Outcome checked = RunCheck(path), printed = RunNdl(path), simulated = Simulate(path);
    EXPECT_EQ(checked.code, ExitNetworkError);
    EXPECT_EQ(checked.out, "Checking completed : Errors found in feeder.vlm\n" + finding);
    for (const Outcome& o : {printed, simulated}) {
        EXPECT_EQ(o.code, ExitNetworkError);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, path + Findings + finding);
    }
}

// A full disk must fail the command, not leave a cut-off result behind an exit code of 0.
TEST_F(ModelCommandsTest, OutputThatCannotBeWrittenExitsWithTheReason) {
    NetworkDrawing d;
    DrawFeeder(d);
    const std::string path = Save(d);
    struct Case {
        const char* what;
        int (*command)(const std::string&, std::FILE*, std::FILE*);
        std::string err;
    };
    const Case cases[] = {
        {"check", Check, "orvane-cli: cannot write the check result: No space left on device\n"},
        {"ndl", PrintNdl, "orvane-cli: cannot write the NDL text: No space left on device\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::FILE* full = std::fopen("/dev/full", "w");
        ASSERT_NE(full, nullptr);
        const Outcome o =
            Capture([&](std::FILE*, std::FILE* err) { return c.command(path, full, err); });
        std::fclose(full);
        EXPECT_EQ(o.code, ExitUsage);
        EXPECT_EQ(o.err, c.err);
    }
}

TEST_F(ModelCommandsTest, SimulateRefusesWhatTheEditorWouldNotRun) {
    struct Case {
        const char* what;
        void (*spoil)(NetworkDrawing&);
        std::string err;
    };
    const Case cases[] = {
        {"unconnected",
         [](NetworkDrawing& d) {
             d.Line({0, 500}, {90, 500});
         },
         Findings + std::string("Line at  (0, 500)  (90, 500)  not connected\n")},
        {"no quanta per day",
         [](NetworkDrawing& d) { d.Settings([](auto& s) { s.quantsPerDay = 0; }); },
         ": error: the quanta per day are not set; give \"Quants per day\" a value from 1 to "
         "1440 in the editor's Simulation Settings.\n"},
        {"a value the parser refuses",
         [](NetworkDrawing& d) { d.Settings([](auto& s) { s.yearStep = 2000000; }); },
         ": error: the network's NDL was refused at line 2, column 21: the \"yearstep\" "
         "attribute must be an integer in the range [1,1000000]\n"
         "  (correct the value in the editor; 'orvane-cli ndl "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NetworkDrawing d;
        DrawFeeder(d);
        c.spoil(d);
        const std::string path = Save(d);
        const Outcome o = Simulate(path);
        EXPECT_EQ(o.code, ExitNetworkError);
        EXPECT_EQ(o.err.rfind(path + c.err, 0), 0u) << o.err;
        EXPECT_EQ(o.out, "");
    }
}

// A drawing's own seed and replicas apply: 3 replicas fill 200 years in whole rounds of 3.
TEST_F(ModelCommandsTest, DrawingsRunWithTheirOwnSeedAndReplicas) {
    for (const auto& [seeded, years] : {std::pair{false, "200"}, std::pair{true, "201"}}) {
        NetworkDrawing d;
        DrawFeeder(d);
        d.Settings([seeded = seeded](CSimulationSettings& s) {
            s.seeded = seeded;
            s.seed = 5;
            s.replicas = seeded ? 3 : 1;
        });
        ASSERT_EQ(Simulate(Save(d)).code, ExitOk);
        EXPECT_EQ(ReadFile(dir.File("out/feeder/feeder.txt"))
                      .rfind(std::string("simulation years: ") + years + ", ", 0),
                  0u)
            << years;
    }
}

TEST(TerminalTextTest, EscapesControlBytesAndKeepsTheRest) {
    struct Case {
        std::string_view text;
        const char* shown;
    };
    const Case cases[] = {
        {"Farm 2, East", "Farm 2, East"},
        {"\x1b[2J\x1b]0;owned\x07", "\\x1b[2J\\x1b]0;owned\\x07"},
        {"a\nb\rc\td", "a\\x0ab\\x0dc\\x09d"},
        {std::string_view("a\0b", 3), "a\\x00b"},
        {"\x1f \x7f~", "\\x1f \\x7f~"},
        {"Z\xc3\xbcrich \xe6\x9d\xb1\xe4\xba\xac", "Z\xc3\xbcrich \xe6\x9d\xb1\xe4\xba\xac"},
        // C1 controls in UTF-8 (CSI is U+009B); U+00A0 and a lone 0xC2 at the end are text.
        {"a\xc2\x9b"
         "2Jb\xc2\x80",
         "a\\xc2\\x9b2Jb\\xc2\\x80"},
        {"\xc2\xa0\xc2", "\xc2\xa0\xc2"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TerminalText(c.text), c.shown);
}

TEST(ModelCommandsFileTest, DrawingFilesByExtension) {
    EXPECT_EQ((std::vector{IsDrawingFile("a/feeder.VLM"), IsDrawingFile("feeder.vlm.ndl"),
                           IsDrawingFile("vlm")}),
              (std::vector{true, false, false}));
}

// The network the parser builds from a text, as "kind a>b rating customers name scales".
std::string ParsedNetwork(const std::string& text) {
    Output output;
    test::FixedClock clock;
    Simulation sim(output);
    sim.Init(nullptr, clock);
    ParserDistrib parser(output);
    const bool ok = parser.Open(text) && parser.Parse(sim);
    parser.Close();
    if (!ok)
        return "parse failed: " + parser.LastError();
    char head[160];
    std::snprintf(head, sizeof head, "system %u %u %u %u %g\n", sim.QuantsPerDay(), sim.YearMin(),
                  sim.YearMax(), sim.YearStep(), sim.Accuracy());
    std::string all = head;
    for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
        const SimElement& e = sim.Element(i);
        char line[320];
        std::snprintf(line, sizeof line, "%u %u>%u %g %u %s %g/%g %g/%g %g/%g %g/%g\n",
                      static_cast<unsigned>(e.kind), e.a, e.b, e.rating, e.customers,
                      e.kind == ElementKind::Load ? e.name.c_str() : "", e.failure.Scale(),
                      e.failure.Shape(), e.isolation.Scale(), e.isolation.Shape(), e.repair.Scale(),
                      e.repair.Shape(), e.reclose.Scale(), e.reclose.Shape());
        all += line;
    }
    return all;
}

class ExampleDrawingTest : public ::testing::TestWithParam<const char*> {};

// Each drawn example must pass the check and describe the same network as its NDL twin.
TEST_P(ExampleDrawingTest, MatchesItsNdlTwin) {
    const std::string base = std::string(ORVANE_EXAMPLES_DIR) + "/" + GetParam();
    Outcome o = RunCheck(base + ".vlm");
    ASSERT_EQ(o.code, ExitOk) << o.out << o.err;
    o = RunNdl(base + ".vlm");
    ASSERT_EQ(o.code, ExitOk) << o.err;
    const std::string twin = ReadFile(base + ".ndl");
    ASSERT_FALSE(twin.empty());
    const std::string drawn = ParsedNetwork(o.out);
    EXPECT_EQ(drawn.rfind("system 24 1000 ", 0), 0u) << drawn;
    EXPECT_EQ(drawn, ParsedNetwork(twin));
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleDrawingTest,
                         ::testing::Values("radial-feeder", "two-feeders"));

} // namespace
} // namespace orvane::cli
