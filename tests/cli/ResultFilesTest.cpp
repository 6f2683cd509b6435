// The machine-readable results of simulate: JSON (to a file or standard output) and CSV.
#include "cli/CsvResult.h"
#include "cli/JsonResult.h"
#include "cli/SimulateCommand.h"

#include "base/Version.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

namespace orvane::cli {
namespace {

using test::Outcome;
using test::ReadFile;
using test::WriteFile;

// Every switch away from its default, so that the settings cannot pass by accident.
const char* const Feeder =
    "system: quantsPerDay = 4; yearMin = 200; yearMax = 400; yearStep = 50; accuracy = 0.2; "
    "fuses = 0; isolators = 0; reclosers = 0; maxFlow = 0\n"
    "source: connect = 1\n"
    "line: connect = 1, 2; failure = 2; repair = 10\n"
    "load: name = \"Farm, North\"; connect = 2; customers = 10; average = 0.5\n"
    "load: name = \"Mill\"; connect = 2; customers = 1; average = 2\n";

class ResultFilesTest : public ::testing::Test {
protected:
    SimulateOptions Options() {
        WriteFile(dir.File("feeder.ndl"), Feeder);
        SimulateOptions options;
        options.network = dir.File("feeder.ndl");
        options.outDir = dir.File("out");
        return options;
    }
    test::TempDir dir;
};

TEST_F(ResultFilesTest, JsonNamesItsFormatProgramSettingsIndicesAndUnits) {
    SimulateOptions options = Options();
    options.jsonPath = dir.File("result.json");
    ASSERT_EQ(test::RunSimulate(options).code, ExitOk);
    const auto json = nlohmann::json::parse(ReadFile(options.jsonPath));
    EXPECT_EQ(json["formatVersion"], 1);
    EXPECT_EQ(json["program"], std::string("orvane-cli ") + Version);
    EXPECT_EQ(json["network"], "feeder");
    EXPECT_EQ(json["years"], 200); // accurate enough by yearMin
    EXPECT_EQ(json["converged"], true);
    EXPECT_EQ(json["stopReason"], "accuracy");
    EXPECT_EQ(json["settings"], nlohmann::json::parse(R"({"quantsPerDay": 4, "yearMin": 200,
        "yearMax": 400, "yearStep": 50, "accuracy": 0.2, "fuses": false, "isolators": false,
        "reclosers": false, "maxFlow": false})"));

    const std::pair<const char*, const char*> system[] = {
        {"SAIFI", "interruptions/customer/year"},
        {"SAIDI", "hours/customer/year"},
        {"CAIFI", "interruptions/affected customer/year"},
        {"CAIDI", "hours/interruption"},
        {"ASUI", "fraction of the time"},
        {"ASAI", "fraction of the time"},
        {"ENS", "demand unit x hours/year"},
        {"AENS", "demand unit x hours/customer/year"},
        {"ACCI", "demand unit x hours/affected customer/year"},
    };
    EXPECT_EQ(json["system"].size(), std::size(system));
    for (const auto& [index, unit] : system) {
        EXPECT_EQ(json["system"][index]["unit"], unit) << index;
        EXPECT_TRUE(json["system"][index]["value"].is_number()) << index;
    }
    for (const char* watched : {"SAIFI", "SAIDI", "CAIDI", "ENS"})
        EXPECT_TRUE(json["system"][watched]["relativeAccuracy"].is_number()) << watched;
    const std::pair<const char*, const char*> loadPoint[] = {
        {"failureRate", "interruptions/year"},
        {"averageOutageDuration", "hours/interruption"},
        {"unavailability", "hours/year"},
        {"energyNotSupplied", "demand unit x hours/year"},
    };
    ASSERT_EQ(json["loadPoints"].size(), 2u);
    for (const auto& lp : json["loadPoints"]) {
        for (const auto& [index, unit] : loadPoint)
            EXPECT_EQ(lp[index]["unit"], unit) << index;
        // Both behind the one line: each fails as often as the system's customer on average.
        EXPECT_DOUBLE_EQ(lp["failureRate"]["value"].get<double>(),
                         json["system"]["SAIFI"]["value"].get<double>());
    }
    EXPECT_EQ(json["loadPoints"][0]["name"], "Farm, North");
    EXPECT_EQ(json["loadPoints"][0]["customers"], 10);
}

TEST(JsonResultTest, SettingsOfTheDefaultSystemLine) {
    const RunResult defaults;
    const auto json = nlohmann::json::parse(JsonResult(defaults, "n"));
    for (const char* on : {"fuses", "isolators", "reclosers", "maxFlow"})
        EXPECT_EQ(json["settings"][on], true) << on;
}

// "--json -": the JSON alone on standard output, the same bytes as in a file.
TEST_F(ResultFilesTest, JsonOnStandardOutputReplacesTheSummary) {
    SimulateOptions options = Options();
    options.jsonPath = dir.File("result.json");
    ASSERT_EQ(test::RunSimulate(options).code, ExitOk);
    options.jsonPath = StandardStream;
    const Outcome o = test::RunSimulate(options);
    EXPECT_EQ(o.code, ExitOk) << o.err;
    EXPECT_EQ(o.out, ReadFile(dir.File("result.json")));
    EXPECT_EQ(o.err, "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("-")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/feeder/feeder.txt")));
}

std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            rows.back().back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            rows.back().emplace_back();
        } else if (!quoted && c == '\n') {
            rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    EXPECT_EQ(rows.back(), std::vector<std::string>(1)) << "the last line ends with a line feed";
    rows.pop_back();
    return rows;
}

double Read(const std::string& field) {
    return field.empty() ? std::numeric_limits<double>::quiet_NaN() : std::stod(field);
}

// Both tables read back to exactly the figures of the JSON result, a name with a comma included.
TEST_F(ResultFilesTest, CsvTablesHoldTheFiguresOfTheJson) {
    SimulateOptions options = Options();
    options.jsonPath = dir.File("result.json");
    options.csvDir = dir.File("tables/new");
    const Outcome o = test::RunSimulate(options);
    ASSERT_EQ(o.code, ExitOk) << o.err;
    const auto json = nlohmann::json::parse(ReadFile(options.jsonPath));

    const auto system = ParseCsv(ReadFile(dir.File("tables/new/system.csv")));
    ASSERT_EQ(system.size(), 18u); // nine classic indices, CEMI-1..5, CELID-1h, 3h, 8h
    EXPECT_EQ(system[0], (std::vector<std::string>{"index", "value", "relativeAccuracy", "unit",
                                                   "low95", "high95"}));
    for (size_t i = 1; i < system.size(); ++i) {
        const auto& row = system[i];
        ASSERT_EQ(row.size(), 6u);
        const bool classic = json["system"].contains(row[0]);
        const auto& index = classic ? json["system"][row[0]] : json["further"][row[0]];
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(Read(row[1]), index["value"].get<double>());
        if (index.contains("relativeAccuracy")) {
            EXPECT_EQ(Read(row[2]), index["relativeAccuracy"].get<double>());
        } else {
            EXPECT_EQ(row[2], "");
        }
        EXPECT_EQ(row[3], index["unit"]);
        EXPECT_EQ(Read(row[4]), index["interval95"][0].get<double>());
        EXPECT_EQ(Read(row[5]), index["interval95"][1].get<double>());
    }

    const auto loads = ParseCsv(ReadFile(dir.File("tables/new/loadpoints.csv")));
    ASSERT_EQ(loads.size(), 3u);
    ASSERT_EQ(loads[0].size(), 14u);
    EXPECT_EQ(loads[0][0], "name");
    EXPECT_EQ(loads[0][1], "customers");
    for (size_t i = 1; i < loads.size(); ++i) {
        const auto& row = loads[i];
        const auto& lp = json["loadPoints"][i - 1];
        ASSERT_EQ(row.size(), 14u);
        EXPECT_EQ(row[0], lp["name"]);
        EXPECT_EQ(std::stoul(row[1]), lp["customers"].get<unsigned>());
        for (size_t k = 0; k < 4; ++k) {
            const auto& index = lp[loads[0][2 + 2 * k]];
            EXPECT_EQ(loads[0][3 + 2 * k], loads[0][2 + 2 * k] + "Accuracy");
            EXPECT_EQ(Read(row[2 + 2 * k]), index["value"].get<double>());
            EXPECT_EQ(Read(row[3 + 2 * k]), index["relativeAccuracy"].get<double>());
        }
        EXPECT_EQ(Read(row[10]), lp["sustained"]["value"].get<double>());
        EXPECT_EQ(row[11] + row[12] + row[13], ""); // hourly steps, no cost curves
    }
    EXPECT_EQ(loads[1][0], "Farm, North");
}

TEST_F(ResultFilesTest, CsvDirectoryThatCannotBeMadeFailsBeforeTheRun) {
    SimulateOptions options = Options();
    WriteFile(dir.File("taken"), "a file, not a directory");
    options.csvDir = dir.File("taken");
    Outcome o = test::RunSimulate(options);
    EXPECT_EQ(o.code, ExitUsage);
    EXPECT_EQ(o.err, "orvane-cli: cannot create the CSV directory '" + options.csvDir +
                         "': Not a directory\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/feeder/feeder.txt")));

    options.csvDir = dir.File("tables");
    std::filesystem::create_directories(dir.File("tables/system.csv/in-the-way"));
    o = test::RunSimulate(options);
    EXPECT_EQ(o.code, ExitUsage);
    EXPECT_EQ(o.err.rfind("orvane-cli: cannot write '" + dir.File("tables/system.csv") + "': ", 0),
              0u)
        << o.err;
    EXPECT_EQ(o.out, "");
}

TEST(CsvResultTest, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const std::pair<std::string, std::string> cases[] = {
        {"Elm St", "Elm St"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {" padded", "\" padded\""},
        {"padded ", "\"padded \""},
        {"Zürich", "Zürich"},
    };
    for (const auto& [text, field] : cases)
        EXPECT_EQ(CsvField(text), field) << text;
}

} // namespace
} // namespace orvane::cli
