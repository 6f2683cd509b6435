#include "MeshedFeeder.h"

#include "engine/Random.h"
#include "engine/Simulation.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace orvane::bench {

namespace {

// SplitMix64: the same sequence on every machine and library, which the standard
// distributions do not promise.
class Prng {
public:
    explicit Prng(uint64_t seed) : state_(seed) {}

    uint64_t Next() { return SplitMix64(state_); }

    // Uniform in [low, high).
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1.0p-53;
    }

    // Uniform in [0, n); the modulo bias is far below anything a benchmark network notices.
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

private:
    uint64_t state_;
};

// Fixed-point text that does not depend on the locale.
std::string Fixed(double x, int digits) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, digits);
    return std::string(text, end.ptr);
}

// Elements the parser makes of each component.
constexpr uint32_t SourceElements = 2;  // supply and its breaker
constexpr uint32_t TieElements = 3;     // breaker, recloser, breaker
constexpr uint32_t LateralElements = 4; // fuse, line, transformer, load

struct Layout {
    uint32_t feeders = 0;
    uint32_t sections = 0;             // line sections per feeder
    std::vector<uint32_t> tieSections; // sections whose far ends are tied to the next feeder
    uint32_t laterals = 0;
};

// Node numbers in NDL stay below 1,000,000, which bounds the laterals.
constexpr uint32_t MostElements = 50000;

Layout Plan(uint32_t elements) {
    if (elements > MostElements)
        throw std::invalid_argument("a meshed feeder of more elements than its numbering holds");
    Layout layout;
    layout.feeders = std::max(2u, elements / 120);
    layout.sections = std::clamp(elements / (8 * layout.feeders), 3u, 12u);
    if (layout.sections >= 4)
        layout.tieSections.push_back(layout.sections / 2 - 1);
    layout.tieSections.push_back(layout.sections - 1);

    // Per feeder: source, breaker, the sections and the isolators between them.
    const uint32_t perFeeder = SourceElements + 1 + 2 * layout.sections - 1;
    const auto ties = static_cast<uint32_t>((layout.feeders - 1) * layout.tieSections.size());
    const uint32_t fixed = layout.feeders * perFeeder + ties * TieElements;
    if (fixed + layout.feeders * LateralElements > elements)
        throw std::invalid_argument("too few elements for a meshed feeder");
    layout.laterals = (elements - fixed) / LateralElements;

    // Nodes: the two the simulation keeps for itself, per feeder the source's own and its bus
    // and two per section, two inside every tie and three along every lateral.
    const uint32_t fixedNodes = 2 + layout.feeders * (2 + 2 * layout.sections) + 2 * ties;
    layout.laterals = std::min(layout.laterals, (Simulation::MaxNodes - fixedNodes) / 3);
    return layout;
}

} // namespace

std::string MeshedFeeder(uint32_t elements, uint64_t seed) {
    const Layout layout = Plan(elements);
    Prng prng(seed);

    // Which section's far end each lateral hangs off.
    std::vector<std::vector<uint32_t>> lateralsAt(layout.feeders,
                                                  std::vector<uint32_t>(layout.sections, 0));
    for (uint32_t i = 0; i < layout.laterals; ++i) {
        const uint32_t at = prng.Below(layout.feeders * layout.sections);
        ++lateralsAt[at / layout.sections][at % layout.sections];
    }

    // Feeder f's source bus is node 1000 f; section s runs from 1000 f + 2 s + 1 to
    // 1000 f + 2 s + 2. Load point n's lateral runs through 100000 + 10 n + 1, 2 and 3.
    auto sectionStart = [](uint32_t f, uint32_t s) { return 1000 * (f + 1) + 2 * s + 1; };
    auto sectionEnd = [](uint32_t f, uint32_t s) { return 1000 * (f + 1) + 2 * s + 2; };

    const auto ties = static_cast<uint32_t>((layout.feeders - 1) * layout.tieSections.size());
    const uint32_t total = layout.feeders * (SourceElements + 2 * layout.sections) +
                           ties * TieElements + layout.laterals * LateralElements;

    std::string ndl;
    ndl += "# Meshed network (seed " + std::to_string(seed) +
           "): " + std::to_string(layout.feeders) + " feeders of " +
           std::to_string(layout.sections) +
           " sections, fused laterals: " + std::to_string(layout.laterals) +
           ", normally open ties: " + std::to_string(ties) +
           ", simulation elements: " + std::to_string(total) + "\n";
    ndl += "system: quantsPerDay = 24; yearMin = 1000; yearMax = 20000; yearStep = 500; "
           "accuracy = 0.05\n";

    uint32_t load = 0;
    for (uint32_t f = 0; f < layout.feeders; ++f) {
        const std::string feeder = "F" + std::to_string(f + 1);
        const std::string bus = std::to_string(1000 * (f + 1));
        ndl += "\nsource: name = \"" + feeder + "\"; connect = " + bus + "\n";
        ndl += "breaker: name = \"" + feeder + "-CB\"; connect = " + bus + ", " +
               std::to_string(sectionStart(f, 0)) + "\n";
        for (uint32_t s = 0; s < layout.sections; ++s) {
            const std::string section = feeder + "-" + std::to_string(s + 1);
            if (s > 0)
                ndl += "isolator: name = \"" + section +
                       "-D\"; connect = " + std::to_string(sectionEnd(f, s - 1)) + ", " +
                       std::to_string(sectionStart(f, s)) + "\n";
            ndl += "line: name = \"" + section +
                   "\"; connect = " + std::to_string(sectionStart(f, s)) + ", " +
                   std::to_string(sectionEnd(f, s)) +
                   "; length = " + Fixed(prng.Uniform(0.3, 1.5), 2) +
                   "; failure = " + Fixed(prng.Uniform(0.04, 0.09), 3) +
                   "; isolation = " + Fixed(prng.Uniform(0.5, 1.5), 2) +
                   "; repair = " + Fixed(prng.Uniform(3.0, 8.0), 1) + "\n";
            for (uint32_t k = 0; k < lateralsAt[f][s]; ++k) {
                ++load;
                const std::string name = "LP" + std::to_string(load);
                const uint32_t node = 100000 + 10 * load;
                ndl += "fuse: name = \"" + name +
                       "-FU\"; connect = " + std::to_string(sectionEnd(f, s)) + ", " +
                       std::to_string(node + 1) + "\n";
                ndl += "line: name = \"" + name + "-L\"; connect = " + std::to_string(node + 1) +
                       ", " + std::to_string(node + 2) +
                       "; length = " + Fixed(prng.Uniform(0.2, 1.0), 2) +
                       "; failure = " + Fixed(prng.Uniform(0.08, 0.15), 3) +
                       "; isolation = " + Fixed(prng.Uniform(0.5, 1.0), 2) +
                       "; repair = " + Fixed(prng.Uniform(2.0, 5.0), 1) + "\n";
                ndl += "equipment: name = \"" + name +
                       "-T\"; connect = " + std::to_string(node + 2) + ", " +
                       std::to_string(node + 3) +
                       "; failure = " + Fixed(prng.Uniform(0.01, 0.03), 3) +
                       "; isolation = 1; repair = " + Fixed(prng.Uniform(10.0, 100.0), 0) + "\n";
                // Mostly households, some shops and offices, now and then a single large user.
                const double kind = prng.Uniform(0.0, 1.0);
                uint32_t customers = 1;
                double average = 0.0;
                if (kind < 0.7) {
                    customers = 50 + prng.Below(251);
                    average = customers * prng.Uniform(0.0015, 0.003);
                } else if (kind < 0.95) {
                    customers = 5 + prng.Below(26);
                    average = customers * prng.Uniform(0.01, 0.04);
                } else {
                    average = prng.Uniform(0.5, 2.0);
                }
                ndl += "load: name = \"" + name + "\"; connect = " + std::to_string(node + 3) +
                       "; customers = " + std::to_string(customers) +
                       "; average = " + Fixed(average, 3) + "\n";
            }
        }
    }

    ndl += "\n";
    for (uint32_t f = 0; f + 1 < layout.feeders; ++f)
        for (uint32_t s : layout.tieSections)
            ndl += "recloser: name = \"F" + std::to_string(f + 1) + "-F" + std::to_string(f + 2) +
                   "-" + std::to_string(s + 1) +
                   "\"; connect = " + std::to_string(sectionEnd(f, s)) + ", " +
                   std::to_string(sectionEnd(f + 1, s)) +
                   "; reclose = " + Fixed(prng.Uniform(0.25, 1.0), 2) + "\n";
    return ndl;
}

} // namespace orvane::bench
