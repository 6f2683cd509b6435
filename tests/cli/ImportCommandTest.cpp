// orvane-cli import pandapower, on the bundled example and on files with mistakes.
#include "cli/ImportCommand.h"

#include "support/CliRun.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace orvane::cli {
namespace {

using test::Outcome;
using test::ReadFile;
using test::WriteFile;

const std::string Examples = ORVANE_EXAMPLES_DIR;
const std::string RingJson = Examples + "/pandapower-ring.json";
const std::string RingCsv = Examples + "/pandapower-ring.csv";

class ImportCommandTest : public ::testing::Test {
protected:
    Outcome Import(const std::string& network, const std::string& reliability,
                   const std::string& output) {
        return test::Capture([&](std::FILE* out, std::FILE* err) {
            return ImportPandapower({network, reliability, output}, out, err);
        });
    }
    // The figures of a run as JSON, and its text report, under one title whatever the file.
    std::pair<nlohmann::json, std::string> Simulate(const std::string& network) {
        SimulateOptions options;
        options.network = network;
        options.outDir = dir.File("reports");
        options.title = "ring";
        options.jsonPath = dir.File("result.json");
        const Outcome o = test::RunSimulate(options);
        EXPECT_EQ(o.code, ExitOk) << o.err;
        return {nlohmann::json::parse(ReadFile(options.jsonPath)),
                ReadFile(dir.File("reports/ring/ring.txt"))};
    }
    test::TempDir dir;
};

const char* const RingNotes =
    "pandapower-ring.json: note: left out: line 'Spare cable' (7) is out of service\n"
    "pandapower-ring.json: note: switch 'NO tie' (5) is open: imported as a tie (recloser) that "
    "closes after the switching time once one side has lost its supply\n"
    "pandapower-ring.json: note: left out: 1 row of sgen (static generators), which Orvane does "
    "not model\n";

// The example imported as NDL text and as a drawing simulates to exactly the figures of its
// hand-written twin: the same elements in the same order with the same data.
TEST_F(ImportCommandTest, ExampleMatchesItsHandWrittenTwin) {
    const std::filesystem::path json = dir.File("pandapower-ring.json");
    std::filesystem::copy_file(RingJson, json);
    const Outcome ndl = Import(json.string(), RingCsv, dir.File("ring.ndl"));
    ASSERT_EQ(ndl.code, ExitOk) << ndl.err;
    EXPECT_EQ(ndl.out, "");
    // Messages name the file as it was given.
    std::string notes = RingNotes;
    for (size_t at = 0; (at = notes.find("pandapower-ring.json:", at)) != std::string::npos;
         at += json.string().size())
        notes.replace(at, std::string("pandapower-ring.json").size(), json.string());
    EXPECT_EQ(ndl.err, notes + json.string() +
                           ": imported 1 source, 7 lines, 2 transformers, 2 breakers, 1 fuse, 2 "
                           "isolators, 1 tie and 7 load points into " +
                           dir.File("ring.ndl") + "\n");
    const Outcome vlm = Import(json.string(), RingCsv, dir.File("ring.vlm"));
    ASSERT_EQ(vlm.code, ExitOk) << vlm.err;

    const auto twin = Simulate(Examples + "/pandapower-ring.ndl");
    const auto fromNdl = Simulate(dir.File("ring.ndl"));
    const auto fromVlm = Simulate(dir.File("ring.vlm"));
    EXPECT_EQ(fromNdl.first, twin.first);
    EXPECT_EQ(fromVlm.first, twin.first);
    EXPECT_EQ(fromNdl.second, twin.second) << "the text reports, byte for byte";
    EXPECT_EQ(fromVlm.second, twin.second);
    ASSERT_EQ(twin.first["loadPoints"].size(), 7u);
    EXPECT_EQ(twin.first["loadPoints"][6]["name"], "Hospital");
    EXPECT_EQ(twin.first["loadPoints"][6]["customers"], 1);
}

TEST_F(ImportCommandTest, NdlOnStandardOutput) {
    const Outcome o = Import(RingJson, RingCsv, "-");
    ASSERT_EQ(o.code, ExitOk) << o.err;
    EXPECT_EQ(
        o.out.rfind("# pandapower-ring, imported from pandapower-ring.json by orvane-cli.\n", 0),
        0u);
    EXPECT_NE(o.out.find("\nfuse: name = \"F Orchard\"; connect = 4, 7\n"), std::string::npos);
    EXPECT_NE(o.err.find("into standard output\n"), std::string::npos);
}

TEST_F(ImportCommandTest, MistakesExitWithTheirCodesAndNameTheFile) {
    WriteFile(dir.File("bad.json"), "{\"_class\": \"pandapowerNet\", \"_object\": 1}");
    WriteFile(dir.File("bad.csv"), "element,failure\nline,fast\n");
    WriteFile(dir.File("stray.csv"), "element,failure\nline,0.1\nline:Nowhere,0.2\n");
    struct Case {
        std::string network, reliability, output;
        int code;
        std::string err;
    };
    const std::string missing = dir.File("missing.json");
    const Case cases[] = {
        {RingJson, RingCsv, dir.File("ring.txt"), ExitUsage,
         "orvane-cli: name the output NAME.ndl for NDL text or NAME.vlm for a drawing, or - for "
         "NDL on standard output; '" +
             dir.File("ring.txt") + "' is neither.\n"},
        {missing, RingCsv, dir.File("a.ndl"), ExitUsage,
         "orvane-cli: cannot read the pandapower network '" + missing +
             "': No such file or directory\n"},
        {RingJson, dir.Path().string(), dir.File("a.ndl"), ExitUsage,
         "orvane-cli: '" + dir.Path().string() + "' is a directory, not the reliability data.\n"},
        {dir.File("bad.json"), RingCsv, dir.File("a.ndl"), ExitNetworkError,
         dir.File("bad.json") + ": error: the network's \"_object\" is not a JSON object\n"},
        {RingJson, dir.File("bad.csv"), dir.File("a.ndl"), ExitNetworkError,
         dir.File("bad.csv") + ":2: error: the failure 'fast' is not a number\n"},
        {RingJson, dir.File("stray.csv"), dir.File("a.ndl"), ExitNetworkError,
         dir.File("stray.csv") + ":3: error: the network has no line named 'Nowhere'\n"},
        {RingJson, RingCsv, dir.File("no/such/dir/a.ndl"), ExitUsage,
         "orvane-cli: cannot write '" + dir.File("no/such/dir/a.ndl") + "': "},
    };
    for (const Case& c : cases) {
        const Outcome o = Import(c.network, c.reliability, c.output);
        SCOPED_TRACE(c.err);
        EXPECT_EQ(o.code, c.code);
        if (c.code == ExitUsage && c.err.ends_with("': "))
            EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
        else
            EXPECT_EQ(o.err, c.err);
        EXPECT_EQ(o.out, "");
        EXPECT_FALSE(std::filesystem::exists(dir.File("a.ndl")));
    }
}

} // namespace
} // namespace orvane::cli
