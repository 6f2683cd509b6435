// Simulated years per second, at 24 and at 1,440 quanta per day, of the bundled examples, the
// RBTS Bus 4 test system and a generated meshed network near the engine's size limit, each with
// the default engine and with the reference loop that walks every quantum; and the peak resident
// memory of the process.
//
//   orvane-bench                                  every network, engine and resolution
//   orvane-bench --benchmark_filter='rbts|meshed' only the networks whose names match
//   orvane-bench --benchmark_filter=/reference/   only the reference loop
//   orvane-bench --benchmark_list_tests           the names to filter on
//   orvane-bench --benchmark_filter=compare       the paired runs of orvane-cli compare
//   orvane-bench --meshed-ndl=FILE                writes the meshed network's NDL and stops
#include "MeshedFeeder.h"
#include "base/Clock.h"
#include "base/Output.h"
#include "engine/Simulation.h"
#include "ndl/ParserDistrib.h"
#include "run/Simulator.h"
#include "run/VariantComparison.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string_view>
#include <sys/resource.h>
#include <vector>

namespace {

class FixedClock : public orvane::Clock {
public:
    uint32_t TickCount() override { return tick_ += 1; }

private:
    uint32_t tick_ = 1000;
};

enum class Engine { Default, Reference };

constexpr const char* EngineName(Engine engine) {
    return engine == Engine::Default ? "default" : "reference";
}

// The one place that tells the simulation which engine to use.
void UseEngine(orvane::Simulation& simulation, Engine engine) {
    simulation.SetEventStepping(engine == Engine::Default);
}

constexpr uint32_t MeshedElements = 980;
constexpr uint64_t MeshedSeed = 1;

std::string ExampleText(const std::string& name) {
    std::ifstream in(std::string(ORVANE_EXAMPLES_DIR) + "/" + name + ".ndl");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Network {
    std::string name;
    std::string text; // NDL; each run sets its resolution and year limits
    // Years per run at 24 and at 1,440 quanta per day, for the default engine and for the
    // reference loop: about a second a run on the development machine, so that the first
    // year's searches and the closing report weigh little.
    uint32_t years24[2];
    uint32_t years1440[2];

    uint32_t Years(uint32_t quantsPerDay, Engine engine) const {
        const uint32_t* years = quantsPerDay >= 1440 ? years1440 : years24;
        return years[engine == Engine::Default ? 0 : 1];
    }
};

std::vector<Network> Networks() {
    return {
        {"radial-feeder", ExampleText("radial-feeder"), {1000000, 8000}, {700000, 100}},
        {"two-feeders", ExampleText("two-feeders"), {400000, 4000}, {300000, 70}},
        {"seasonal-loads", ExampleText("seasonal-loads"), {400000, 1500}, {350000, 25}},
        {"rbts-bus4", ExampleText("rbts-bus4"), {20000, 400}, {12000, 6}},
        {"meshed-1000",
         orvane::bench::MeshedFeeder(MeshedElements, MeshedSeed),
         {300, 40},
         {60, 1}},
    };
}

// Sets the resolution on the system definition (on one line in every network), keeping its
// other settings such as maxFlow. The year limits are set after reading: the reader wants at
// least 100 years, and the slowest runs are shorter.
std::string WithResolution(const std::string& ndl, uint32_t quantsPerDay) {
    static const std::regex setting("system:[^\n]*quantsPerDay *= *([0-9]+)");
    std::smatch found;
    if (!std::regex_search(ndl, found, setting))
        return {};
    return found.prefix().str() + found.str().substr(0, found.length(0) - found.length(1)) +
           std::to_string(quantsPerDay) + found.suffix().str();
}

// Replaces the system definition with one that runs exactly `years` years at 24 quanta per day.
std::string WithFixedYears(const std::string& ndl, uint32_t years) {
    static const std::regex system("system:[^\n]*");
    return std::regex_replace(ndl, system,
                              "system: quantsPerDay = 24; yearMin = " + std::to_string(years) +
                                  "; yearMax = " + std::to_string(years) +
                                  "; yearStep = " + std::to_string(years) + "; accuracy = 1e-9",
                              std::regex_constants::format_first_only);
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void Simulate(benchmark::State& state, const Network& network, Engine engine) {
    const auto quantsPerDay = static_cast<uint32_t>(state.range(0));
    const uint32_t years = network.Years(quantsPerDay, engine);
    const std::string ndl = WithResolution(network.text, quantsPerDay);
    if (ndl.empty()) {
        state.SkipWithError("the network is missing or has no quantsPerDay setting");
        return;
    }
    uint32_t elements = 0;
    for (auto _ : state) {
        // Reading the network is not timed: at 1,440 quanta per day it alone takes half a second
        // on the meshed network.
        state.PauseTiming();
        orvane::Output output; // no files: reports are dropped
        FixedClock clock;
        orvane::Simulation simulation(output);
        orvane::ParserDistrib parser(output);
        simulation.Init(nullptr, clock);
        UseEngine(simulation, engine);
        if (!parser.Open(ndl) || !parser.Parse(simulation)) {
            state.SkipWithError("the network does not parse");
            return;
        }
        parser.Close();
        // A fixed number of years: an accuracy no run reaches.
        simulation.SetSystem(quantsPerDay, years, years, years, 1e-9);
        state.ResumeTiming();
        simulation.Execute(nullptr, "report.htm");
        benchmark::DoNotOptimize(simulation.System().saifi.Mean());
        elements = simulation.ElementCount();
        simulation.Release();
    }
    state.counters["years/s"] = benchmark::Counter(static_cast<double>(years) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["years"] = years;
    state.counters["elements"] = elements;
    state.counters["peak MB"] = PeakMegabytes();
}

// Seeded replicas of a network on 1 or 2 threads (state.range(0)): the speed-up of a second core
// on one study. Four replicas share `years` merged years; the reports go to a scratch folder.
void Replicas(benchmark::State& state, const Network& network, uint32_t years) {
    const auto jobs = static_cast<uint32_t>(state.range(0));
    const std::string ndl = WithFixedYears(network.text, years);
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / "orvane-bench-replicas";
    std::filesystem::create_directories(scratch);
    for (auto _ : state) {
        FixedClock clock;
        orvane::RunRequest request;
        request.ndlText = ndl;
        request.networkName = network.name;
        request.textPath = (scratch / "r.txt").string();
        request.htmlPath = (scratch / "r.htm").string();
        request.seeded = true;
        request.replication = orvane::Replication{1, 4, jobs, {}};
        const orvane::RunResult result = orvane::Simulator(clock).Run(request);
        if (result.status != orvane::RunStatus::Completed) {
            state.SkipWithError("the run did not complete");
            return;
        }
        benchmark::DoNotOptimize(result.saifi.mean);
    }
    std::filesystem::remove_all(scratch);
    state.counters["years/s"] = benchmark::Counter(static_cast<double>(years) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["peak MB"] = PeakMegabytes();
}

// Two variants on common random numbers, `years` years each at 24 quanta per day, as orvane-cli
// compare runs them: the speed of the pair, and how many times narrower the paired interval of
// the SAIDI difference is than two independent runs of as many years would give. The squared
// ratio is how many times more years two independent runs would need for the same interval.
void Compare(benchmark::State& state, const std::string& a, const std::string& b, uint32_t years) {
    orvane::ComparisonRequest request;
    request.ndlA = WithFixedYears(ExampleText(a), years);
    request.ndlB = WithFixedYears(ExampleText(b), years);
    double narrower = 0.0;
    for (auto _ : state) {
        FixedClock clock;
        const orvane::ComparisonResult result = orvane::VariantComparison(clock).Run(request);
        if (result.status != orvane::ComparisonStatus::Completed) {
            state.SkipWithError(("the comparison did not complete: " + result.error).c_str());
            return;
        }
        for (const orvane::ComparisonRow& row : result.rows)
            if (row.index == orvane::SystemIndex::Saidi)
                narrower = row.independentHalfWidth / row.halfWidth;
    }
    state.counters["years/s"] = benchmark::Counter(static_cast<double>(years) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    // Identical variants differ by exactly nothing: no ratio to show.
    if (std::isfinite(narrower))
        state.counters["SAIDI interval narrower"] = narrower;
}

// Writes the meshed network's NDL, to look at or to run with orvane-cli.
int WriteMeshed(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << orvane::bench::MeshedFeeder(MeshedElements, MeshedSeed);
    out.close();
    if (!out) {
        std::fprintf(stderr, "orvane-bench: cannot write %s\n", path.c_str());
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    constexpr std::string_view meshedOption = "--meshed-ndl=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with(meshedOption))
            return WriteMeshed(std::string(arg.substr(meshedOption.size())));
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The benchmarks refer to the networks until the end of the run.
    const std::vector<Network> networks = Networks();
    for (const Network& network : networks)
        for (Engine engine : {Engine::Default, Engine::Reference})
            benchmark::RegisterBenchmark(
                (network.name + "/" + EngineName(engine)).c_str(),
                [&network, engine](benchmark::State& state) { Simulate(state, network, engine); })
                ->ArgName("quanta")
                ->Arg(24)
                ->Arg(1440)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
    // A network ten times the old limit of 1,000 elements, at 24 quanta per day only: about a
    // minute and a half a year, the supply flow of its 1,837 load points searched anew at every
    // event.
    static const Network large{
        "meshed-10000", orvane::bench::MeshedFeeder(10000, MeshedSeed), {1, 1}, {1, 1}};
    benchmark::RegisterBenchmark(
        "meshed-10000/default",
        [](benchmark::State& state) { Simulate(state, large, Engine::Default); })
        ->ArgName("quanta")
        ->Arg(24)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    // Real time: the work is on other threads.
    for (const auto& [index, years] : {std::pair{1, 400000u}, std::pair{3, 20000u}})
        benchmark::RegisterBenchmark(
            ("replicas/" + networks[static_cast<size_t>(index)].name).c_str(),
            [&networks, index, years](benchmark::State& state) {
                Replicas(state, networks[static_cast<size_t>(index)], years);
            })
            ->ArgName("jobs")
            ->Arg(1)
            ->Arg(2)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(0.5);
    benchmark::RegisterBenchmark("compare/radial-feeder-isolator",
                                 [](benchmark::State& state) {
                                     Compare(state, "radial-feeder", "radial-feeder-isolator",
                                             200000);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.5);
    benchmark::RegisterBenchmark(
        "compare/rbts-bus4",
        [](benchmark::State& state) { Compare(state, "rbts-bus4", "rbts-bus4", 5000); })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.5);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
