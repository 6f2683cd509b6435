#include "ndl/ParserDistrib.h"

#include "engine/Simulation.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <tuple>

namespace orvane {
namespace {

// One text parsed into a fresh network, with the text report read back.
struct Parsed {
    explicit Parsed(std::string_view text, uint64_t memoryBudget = 0) {
        output.OpenTextOutput(dir.File("report.txt"));
        sim.Init(nullptr, clock);
        if (memoryBudget != 0)
            sim.SetMemoryBudget(memoryBudget);
        ParserDistrib parser(output);
        ok = parser.Open(text) && parser.Parse(sim);
        parser.Close();
        output.CloseTextOutput();
        report = test::ReadFile(dir.File("report.txt"));
    }

    // Every element as "Kind a>b rating", in creation order.
    std::string Elements() const {
        static const char* const kinds[] = {"Supply",    "Load", "Breaker", "Isolator",
                                            "Equipment", "Line", "Recloser"};
        std::string all;
        for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
            const SimElement& e = sim.Element(i);
            char line[96];
            std::snprintf(line, sizeof line, "%s%s %u>%u %g", i ? " | " : "",
                          kinds[static_cast<uint32_t>(e.kind)], e.a, e.b, e.rating);
            all += line;
        }
        return all;
    }

    test::TempDir dir;
    Output output;
    test::FixedClock clock;
    Simulation sim{output};
    bool ok = false;
    std::string report;
};

const std::string Sys = "system: quantsperday=24\n";

struct ErrorCase {
    std::string text;
    std::string report;
};

TEST(ParserDistribTest, RefusesValuesWithTheFirstFailingCheck) {
    const ErrorCase cases[] = {
        // Integer in a range: validity, type, count, then the range.
        {Sys + "line: customers=5",
         "(L2 C18) the \"customers\" attribute is not valid in this definition"},
        {"system: quantsperday=\"24\"",
         "(L1 C26) the \"quantsperday\" attribute must be of numeric type"},
        {"system: quantsperday=24,25",
         "(L1 C27) the \"quantsperday\" attribute must be a single number"},
        {"system: quantsperday=0",
         "(L1 C23) the \"quantsperday\" attribute must be an integer in the range [1,1440]"},
        {"system: quantsperday=96.5",
         "(L1 C26) the \"quantsperday\" attribute must be an integer in the range [1,1440]"},
        {"system: quantsperday=1441",
         "(L1 C26) the \"quantsperday\" attribute must be an integer in the range [1,1440]"},
        {"system: quantsperday=1e999",
         "(L1 C27) the \"quantsperday\" attribute must be an integer in the range [1,1440]"},
        {"system: yearmin=99",
         "(L1 C19) the \"yearmin\" attribute must be an integer in the range [100,1000000000]"},
        {"system: yearmax=1000000001",
         "(L1 C27) the \"yearmax\" attribute must be an integer in the range [100,1000000000]"},
        {"system: yearstep=0",
         "(L1 C19) the \"yearstep\" attribute must be an integer in the range [1,1000000]"},
        {Sys + "load: customers=1000000",
         "(L2 C24) the \"customers\" attribute must be an integer in the range [1,999999]"},
        // Positive number.
        {Sys + "load: capacity=5",
         "(L2 C17) the \"capacity\" attribute is not valid in this definition"},
        {"system: accuracy=\"x\"", "(L1 C21) the \"accuracy\" attribute must be of numeric type"},
        {"system: accuracy=-1,2", "(L1 C22) the \"accuracy\" attribute must be a single number"},
        {"system: accuracy=0", "(L1 C19) the \"accuracy\" attribute must be a positive number"},
        {Sys + "line: length=-1e999",
         "(L2 C20) the \"length\" attribute must be a positive number"},
        {Sys + "breaker: capacity=1e999",
         "(L2 C24) the \"capacity\" attribute must hold finite numbers"},
        // Beyond 1e100 the yearly sums and squares of a load could overflow.
        {Sys + "load: average=1e308",
         "(L2 C20) the \"average\" attribute must hold numbers no larger than 1e100"},
        {Sys + "breaker: capacity=1.1e100",
         "(L2 C26) the \"capacity\" attribute must hold numbers no larger than 1e100"},
        {Sys + "line: failure=1,1e101",
         "(L2 C22) the \"failure\" attribute must hold numbers no larger than 1e100"},
        {Sys + "load: peak=-2", "(L2 C14) the \"peak\" attribute must be a positive number"},
        // Boolean.
        {Sys + "line: fuses=1", "(L2 C14) the \"fuses\" attribute is not valid in this definition"},
        {"system: fuses=0.5", "(L1 C18) the \"fuses\" attribute must be either the number 0 or 1"},
        {"system: maxflow=0,1",
         "(L1 C20) the \"maxflow\" attribute must be either the number 0 or 1"},
        {"system: isolators=\"1\"",
         "(L1 C22) the \"isolators\" attribute must be either the number 0 or 1"},
        // One or two numbers.
        {Sys + "load: failure=1",
         "(L2 C16) the \"failure\" attribute is not valid in this definition"},
        {Sys + "line: reclose=1",
         "(L2 C16) the \"reclose\" attribute is not valid in this definition"},
        {Sys + "line: repair=\"1\"", "(L2 C17) the \"repair\" attribute must be of numeric type"},
        {Sys + "line: failure=-1,2,3",
         "(L2 C21) the \"failure\" attribute must be one or two numbers"},
        {Sys + "line: isolation=-1,0",
         "(L2 C21) the \"isolation\" attribute first number must be non-negative"},
        {Sys + "line: failure=0.1,0",
         "(L2 C20) the \"failure\" attribute second number must be positive"},
        {Sys + "recloser: reclose=1e999,0",
         "(L2 C26) the \"reclose\" attribute second number must be positive"},
        {Sys + "equipment: failure=1e999",
         "(L2 C25) the \"failure\" attribute must hold finite numbers"},
        // Name, connect, profile.
        {"system: name=\"s\"", "(L1 C17) the \"name\" attribute is not valid in this definition"},
        {Sys + "fuse: name=5", "(L2 C13) the \"name\" attribute must be of string type"},
        {"system: connect=1", "(L1 C18) the \"connect\" attribute is not valid in this definition"},
        {Sys + "line: connect=\"1\"", "(L2 C18) the \"connect\" attribute must be of numeric type"},
        {Sys + "line: connect=1", "(L2 C16) the \"connect\" attribute must be a pair of numbers"},
        {Sys + "load: connect=1,2", "(L2 C18) the \"connect\" attribute must be a single number"},
        {Sys + "source: connect=1,2,3",
         "(L2 C22) the \"connect\" attribute must be a single number"},
        {Sys + "breaker: connect=1,1000000",
         "(L2 C27) the \"connect\" attribute must be an integer in the range [0,999999]"},
        {Sys + "breaker: connect=-1,2",
         "(L2 C22) the \"connect\" attribute must be an integer in the range [0,999999]"},
        {Sys + "line: profile=1",
         "(L2 C16) the \"profile\" attribute is not valid in this definition"},
        {Sys + "load: profile=\"1\"", "(L2 C18) the \"profile\" attribute must be of numeric type"},
        {Sys + "load: profile=1e999,-1",
         "(L2 C23) the \"profile\" attribute requires non-negative numbers"},
        {Sys + "load: profile=0,1e999",
         "(L2 C22) the \"profile\" attribute must hold finite numbers"},
        {Sys + "load: profile=1,2e200",
         "(L2 C22) the \"profile\" attribute must hold numbers no larger than 1e100"},
        {Sys + "load: profile=0,0,0",
         "(L2 C20) the \"profile\" attribute requires at least one positive number"},
        // Momentary limit and cost curve.
        {Sys + "load: momentary=5",
         "(L2 C18) the \"momentary\" attribute is not valid in this definition"},
        {"system: quantsperday=24; momentary=-1",
         "(L1 C38) the \"momentary\" attribute must be a number in the range [0,1440]"},
        {"system: quantsperday=24; momentary=1440.5",
         "(L1 C42) the \"momentary\" attribute must be a number in the range [0,1440]"},
        {Sys + "line: cost=1,2", "(L2 C15) the \"cost\" attribute is not valid in this definition"},
        {Sys + "load: cost=1",
         "(L2 C13) the \"cost\" attribute must be pairs of numbers (hours, cost)"},
        {Sys + "load: cost=1,2,3",
         "(L2 C17) the \"cost\" attribute must be pairs of numbers (hours, cost)"},
        {Sys + "load: cost=-1,2", "(L2 C16) the \"cost\" attribute requires non-negative hours"},
        {Sys + "load: cost=1,2,1,3",
         "(L2 C19) the \"cost\" attribute requires strictly increasing hours"},
        {Sys + "load: cost=0,2,1,-3",
         "(L2 C20) the \"cost\" attribute requires non-negative costs"},
        {Sys + "load: cost=1,1e999", "(L2 C19) the \"cost\" attribute must hold finite numbers"},
        // Keywords and definition order; the hooks run before the syntax is checked further.
        {"transformer connect=1", "(L1 C13) unknown type keyword \"transformer\""},
        {Sys + "bus: connect=1", "(L2 C5) unknown type keyword \"bus\""},
        {Sys + "equipment: length=2",
         "(L2 C20) the \"length\" attribute is not valid in this definition"},
        {Sys + "line: colour=1", "(L2 C15) unknown attribute keyword \"colour\""},
        // Keywords are quoted up to 64 bytes.
        {std::string(100, 'x') + ": connect=1",
         "(L1 C102) unknown type keyword \"" + std::string(64, 'x') + "...\""},
        {std::string(64, 'x') + ": connect=1",
         "(L1 C66) unknown type keyword \"" + std::string(64, 'x') + "\""},
        {Sys + "line: " + std::string(65, 'y') + "=1",
         "(L2 C74) unknown attribute keyword \"" + std::string(64, 'y') + "...\""},
        {"system: quantsperday=0 yearmin=100",
         "(L1 C25) the \"quantsperday\" attribute must be an integer in the range [1,1440]"},
        {Sys + "System: quantsperday=1", "(L2 C8) duplicate system definition"},
        {"line: connect=1,2\n" + Sys,
         "(L1 C6) a system definition must occur before any component definition"},
        {"system: yearmin=200\n", "(L2 C1) the \"quantsperday\" attribute is required"},
        {Sys + "breaker: name=\"b\"; capacity=2", "(L2 C30) the \"connect\" attribute is required"},
    };
    for (const auto& c : cases) {
        Parsed run(c.text);
        EXPECT_FALSE(run.ok) << c.text;
        EXPECT_EQ(run.report, "error: " + c.report + "\n") << c.text;
    }
}

TEST(ParserDistribTest, TextWithoutSystemFailsSilently) {
    Parsed run("# nothing but a comment\n\n");
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.report, "");
}

TEST(ParserDistribTest, StoresSystemSettings) {
    auto settings = [](const Parsed& run) {
        const Simulation& sim = run.sim;
        return std::tuple(run.ok, sim.QuantsPerDay(), sim.YearMin(), sim.YearMax(), sim.YearStep(),
                          sim.Accuracy(), sim.MomentaryMinutes());
    };
    EXPECT_EQ(settings(Parsed("system: quantsperday=96.0000000001")),
              std::tuple(true, 96u, 100u, 1000000u, 100u, 0.05, 5.0));
    EXPECT_EQ(settings(Parsed("system: quantsperday=1440; yearmin=1e9; yearmax=100; "
                              "yearstep=1000000; accuracy=0.5; accuracy=0.01; fuses=0; fuses=1; "
                              "momentary=1.5")),
              std::tuple(true, 1440u, 1000000000u, 100u, 1000000u, 0.01, 1.5));
}

struct BuildCase {
    std::string text;
    std::string elements;
    uint32_t nodes;
};

TEST(ParserDistribTest, BuildsElementsBetweenNumberedNodes) {
    const std::string noSwitches = "system: quantsperday=24; reclosers=0; fuses=0; isolators=0\n";
    const BuildCase cases[] = {
        {Sys + "breaker: connect=7,3\nload: connect=7\nisolator: connect=3,7",
         "Breaker 2>3 -1 | Load 2>1 1 | Isolator 3>2 -1", 4},
        {Sys + "source: connect=5\nbreaker: connect=5,4",
         "Supply 0>3 -1 | Breaker 3>2 -1 | Breaker 2>4 -1", 5},
        // Fresh nodes of sources are never shared.
        {Sys + "source: connect=0\nsource: connect=0",
         "Supply 0>3 -1 | Breaker 3>2 -1 | Supply 0>4 -1 | Breaker 4>2 -1", 5},
        {Sys + "recloser: connect=1,2", "Breaker 2>4 -1 | Recloser 4>5 -1 | Breaker 5>3 -1", 6},
        {noSwitches + "recloser: connect=1,2", "Breaker 2>4 -1 | Breaker 5>3 -1", 6},
        {Sys + "fuse: connect=1,2\nisolator: connect=2,1", "Breaker 2>3 -1 | Isolator 3>2 -1", 4},
        {noSwitches + "fuse: connect=1,2\nisolator: connect=2,1",
         "Equipment 2>3 -1 | Equipment 3>2 -1", 4},
        {Sys + "source: connect=1; capacity=4\nrecloser: connect=1,2; capacity=3\n"
               "line: connect=2,3; capacity=2\nload: connect=3; peak=1.5",
         "Supply 0>3 4 | Breaker 3>2 4 | Breaker 2>5 3 | Recloser 5>6 3 | Breaker 6>4 3 | "
         "Line 4>7 2 | Load 7>1 1.5",
         8},
        {"system: quantsperday=24; maxflow=0\nsource: connect=1; capacity=4\n"
         "breaker: connect=1,2; capacity=3; name=\"ignored\"\nequipment: connect=2,3; capacity=2",
         "Supply 0>3 -1 | Breaker 3>2 -1 | Breaker 2>4 -1 | Equipment 4>5 -1", 6},
    };
    for (const auto& c : cases) {
        Parsed run(c.text);
        ASSERT_TRUE(run.ok) << c.text << "\n" << run.report;
        EXPECT_EQ(run.Elements(), c.elements) << c.text;
        EXPECT_EQ(run.sim.NodeCount(), c.nodes) << c.text;
        EXPECT_EQ(run.sim.Element(0).name, "") << c.text;
    }
}

void ExpectWeibull(const DistributionWeibull& d, double scale, double shape) {
    EXPECT_DOUBLE_EQ(d.Scale(), scale);
    EXPECT_DOUBLE_EQ(d.Shape(), shape);
}

TEST(ParserDistribTest, PassesDurationsConstantsAndNames) {
    Parsed run("system: quantsperday=24; fuses=0\n"
               "line: connect=1,2; length=2.5; failure=0.2,1.5; isolation=3; repair=6,2; "
               "name=\"L1\"\n"
               "equipment: connect=1,2; failure=0,2\n"
               "recloser: connect=1,2; reclose=2,3; name=\"R\"\n"
               "fuse: connect=1,2; name=\"F\"\n"
               "equipment: connect=1,2");
    ASSERT_TRUE(run.ok) << run.report;
    // Every element a component makes carries its name, so that variants can be matched.
    std::string names;
    for (uint32_t i = 0; i < run.sim.ElementCount(); ++i)
        names += run.sim.Element(i).name + "|";
    EXPECT_EQ(names, "L1||R|R|R|F||");
    const SimElement& line = run.sim.Element(0);
    ExpectWeibull(line.failure, 365 * 24 / 0.5 - 0.5, 1.5);
    ExpectWeibull(line.isolation, 2.5, 1.0);
    ExpectWeibull(line.repair, 5.5, 2.0);
    ExpectWeibull(run.sim.Element(1).failure, INFINITY, 2.0);
    ExpectWeibull(run.sim.Element(3).reclose, 1.5, 3.0);
    // A disabled fuse never fails; an equipment without data fails at the default rate.
    const SimElement& fuse = run.sim.Element(5);
    ExpectWeibull(fuse.failure, INFINITY, 1e10);
    ExpectWeibull(fuse.isolation, 0.0, 1e10);
    ExpectWeibull(fuse.repair, 0.0, 1e10);
    ExpectWeibull(run.sim.Element(6).failure, 365 * 24 / 1e-10 - 0.5, 1.0);
    ExpectWeibull(run.sim.Element(6).repair, 0.0, 1.0);
}

TEST(ParserDistribTest, LoadDefaultsAndScaling) {
    Parsed run(Sys + "load: connect=1; name=\"P1\"; customers=12; profile=1,2; "
                     "cost=0,0.5,1,5.5,4,12; cost=0,0.5,1,5.5,4,12.5\n"
                     "load: connect=1; profile=1,2; peak=5\n"
                     "load: connect=2; profile=0,3; peak=6");
    ASSERT_TRUE(run.ok) << run.report;
    EXPECT_EQ(run.report, "");
    auto ends = [&](uint32_t i) {
        const SimElement& e = run.sim.Element(i);
        return std::tuple(e.name, e.customers, e.rating, e.profile.At(0),
                          e.profile.At(365 * 24 - 1));
    };
    // No average and no peak: flat at 1.0 whatever the profile.
    EXPECT_EQ(ends(0), std::tuple("P1", 12u, 1.0, 1.0, 1.0));
    // Only a peak: the shape is kept, not pulled towards an average, above the floor of 1e-9.
    EXPECT_EQ(ends(1), std::tuple("", 1u, 5.0, 2.5, 5.0));
    EXPECT_EQ(ends(2), std::tuple("", 1u, 6.0, 1e-9, 6.0));
    // The later cost wins; a load point without one has none.
    std::vector<std::pair<double, double>> cost;
    for (const CostCurve::Point& p : run.sim.Element(0).damage.Points())
        cost.emplace_back(p.hours, p.cost);
    EXPECT_EQ(cost, (std::vector<std::pair<double, double>>{{0, 0.5}, {1, 5.5}, {4, 12.5}}));
    EXPECT_TRUE(run.sim.Element(1).damage.Empty());
}

// Networks grow as far as memory allows, here just enough for a feeder of 202 elements with one
// load point. Node numbers are refused only past what an index can hold.
TEST(ParserDistribTest, RefusesNetworksBeyondTheMemory) {
    const uint64_t budget = Simulation::BytesFor(202, 1);
    std::string feeder = Sys + "source: connect=1\n";
    for (int i = 1; i < 200; ++i)
        feeder += "line: connect=" + std::to_string(i) + "," + std::to_string(i + 1) + "\n";
    char refusal[256];
    std::snprintf(refusal, sizeof refusal,
                  "error: (L203 C16) the network needs about %.1f MB to simulate, more than the "
                  "%.1f MB this machine can give it; simulate a part of it, or on a machine with "
                  "more memory\n",
                  static_cast<double>(Simulation::BytesFor(203, 2)) / (1 << 20),
                  static_cast<double>(budget) / (1 << 20));
    const std::tuple<std::string, std::string> cases[] = {
        {"load: connect=200", ""},
        {"load: connect=200\nload: connect=3", refusal},
    };
    for (const auto& [last, report] : cases) {
        Parsed run(feeder + last, budget);
        EXPECT_EQ(run.ok, report.empty()) << last;
        EXPECT_EQ(run.report, report) << last;
    }
    // Far beyond the old limit of 1000, with the machine's own budget.
    std::string large = Sys + "source: connect=1\n";
    for (int i = 1; i < 5000; ++i)
        large += "line: connect=" + std::to_string(i) + "," + std::to_string(i + 1) +
                 "\nload: connect=" + std::to_string(i + 1) + "\n";
    Parsed run(large);
    EXPECT_TRUE(run.ok) << run.report;
    EXPECT_EQ(run.sim.ElementCount(), 2u + 2 * 4999);
    EXPECT_EQ(run.sim.NodeCount(), 2u + 5000 + 1);
}

TEST(ParserDistribTest, EachTextStartsAfresh) {
    Output output;
    test::FixedClock clock;
    ParserDistrib parser(output);
    for (int text = 0; text < 2; ++text) {
        Simulation sim(output);
        sim.Init(nullptr, clock);
        ASSERT_TRUE(parser.Open(Sys + "breaker: connect=" + std::to_string(text) + ",9"));
        EXPECT_TRUE(parser.Parse(sim)) << parser.LastError();
        parser.Close();
        EXPECT_EQ(sim.Element(0).a, 2u);
        EXPECT_EQ(sim.Element(0).b, 3u);
    }
}

// Random texts made of valid definitions, mangled with stray characters, either parse or leave
// exactly one error line, and never reach beyond the network's arrays.
TEST(ParserDistribTest, SurvivesMangledTexts) {
    const std::string systems[] = {"system: quantsperday=4",
                                   "system: quantsperday=1; reclosers=0; fuses=0; maxflow=0; "
                                   "momentary=1"};
    const std::string definitions[] = {
        "source: connect=1; capacity=3",
        "load: connect=2; profile=1,0,4; average=2; peak=5; cost=0,1,2,5",
        "load: name=\"P\"; connect=3; customers=7; peak=1e-300",
        "breaker: connect=1,2",
        "line: connect=2,3; length=0.5; failure=0.1,2; isolation=1; repair=4,1.5",
        "recloser: connect=3,4; reclose=0.1",
        "fuse: connect=4,5; name=\"f\"",
        "isolator: connect=5,6",
        "equipment: connect=6,1; failure=0",
        "$m=7\nbreaker: connect=$m,1",
    };
    const char specials[] = "\n\\;,=:\"#$ -+.e9\t\r\x01\xff"
                            "0x";
    std::mt19937 random(20240611);
    auto pick = [&](auto& list) -> const auto& {
        return list[random() % std::size(list)];
    };
    // One report for all texts, to spare a file per text: each failed parse must add exactly
    // its own error line, in order.
    test::TempDir dir;
    Output output;
    output.OpenTextOutput(dir.File("report.txt"));
    std::string expected;
    for (int round = 0; round < 4000; ++round) {
        std::string text = pick(systems) + "\n";
        for (int i = static_cast<int>(random() % 8); i > 0; --i)
            text += pick(definitions) + "\n";
        // Replace, insert or erase a character, or leave the text alone.
        for (int i = static_cast<int>(random() % 4); i > 0; --i) {
            const size_t at = random() % text.size();
            const std::string c(1, specials[random() % (sizeof specials - 1)]);
            const size_t cut = random() % 2;
            text.replace(at, cut, random() % 3 ? c : "");
        }
        test::FixedClock clock;
        Simulation sim(output);
        sim.Init(nullptr, clock);
        ParserDistrib parser(output);
        const bool ok = parser.Open(text) && parser.Parse(sim);
        parser.Close();
        if (!parser.LastError().empty()) {
            EXPECT_FALSE(ok) << text;
            expected += "error: (L" + std::to_string(parser.ErrorLine()) + " C" +
                        std::to_string(parser.ErrorColumn()) + ") " + parser.LastError() + "\n";
        }
        EXPECT_LE(sim.NodeCount(), Simulation::MaxNodes);
    }
    output.CloseTextOutput();
    std::string errors;
    std::istringstream report(test::ReadFile(dir.File("report.txt")));
    for (std::string line; std::getline(report, line);)
        if (!line.starts_with("warning: "))
            errors += line + "\n";
    EXPECT_EQ(errors, expected);
}

} // namespace
} // namespace orvane
