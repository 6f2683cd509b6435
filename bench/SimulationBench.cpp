// Simulated years per second on the bundled examples, at 24 and at 1,440 quanta per day, and
// the peak resident memory of the process.
#include "base/Clock.h"
#include "base/Output.h"
#include "engine/Simulation.h"
#include "ndl/ParserDistrib.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/resource.h>

namespace {

class FixedClock : public orvane::Clock {
public:
    uint32_t TickCount() override { return tick_ += 1; }

private:
    uint32_t tick_ = 1000;
};

std::string Example(const std::string& name, unsigned quantsPerDay, unsigned years) {
    std::ifstream in(std::string(ORVANE_EXAMPLES_DIR) + "/" + name + ".ndl");
    std::ostringstream text;
    text << in.rdbuf();
    std::string ndl = text.str();
    // Every example's system definition is on one line; run a fixed number of years.
    const std::string system = "system: quantsPerDay = " + std::to_string(quantsPerDay) +
                               "; yearMin = " + std::to_string(years) +
                               "; yearMax = " + std::to_string(years) +
                               "; yearStep = " + std::to_string(years) + "; accuracy = 1e-9";
    return std::regex_replace(ndl, std::regex("system:[^\n]*"), system,
                              std::regex_constants::format_first_only);
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void Simulate(benchmark::State& state, const std::string& name) {
    const auto quantsPerDay = static_cast<unsigned>(state.range(0));
    const unsigned years = quantsPerDay >= 1440 ? 100 : 2000;
    const std::string ndl = Example(name, quantsPerDay, years);
    for (auto _ : state) {
        orvane::Output output; // no files: reports are dropped
        FixedClock clock;
        orvane::Simulation simulation(output);
        orvane::ParserDistrib parser(output);
        simulation.Init(nullptr, clock);
        if (!parser.Open(ndl) || !parser.Parse(simulation)) {
            state.SkipWithError("the example does not parse");
            return;
        }
        parser.Close();
        simulation.Execute(nullptr, "report.htm");
        benchmark::DoNotOptimize(simulation.System().saifi.Mean());
        simulation.Release();
    }
    state.counters["years/s"] = benchmark::Counter(static_cast<double>(years) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["peak MB"] = PeakMegabytes();
}

} // namespace

BENCHMARK_CAPTURE(Simulate, radial_feeder, std::string("radial-feeder"))
    ->Arg(24)
    ->Arg(1440)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Simulate, two_feeders, std::string("two-feeders"))
    ->Arg(24)
    ->Arg(1440)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Simulate, seasonal_loads, std::string("seasonal-loads"))
    ->Arg(24)
    ->Arg(1440)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
