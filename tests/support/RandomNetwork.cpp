#include "support/RandomNetwork.h"

#include <cstdio>
#include <string>
#include <vector>

namespace orvane::test {

namespace {

// SplitMix64: small, and independent of the generator under test.
class Dice {
public:
    explicit Dice(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
    bool Chance(double p) { return Uniform() < p; }
    double Uniform() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
    double Between(double low, double high) { return low + (high - low) * Uniform(); }

private:
    uint64_t state_;
};

std::string Number(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", x);
    return text;
}

// A duration, with a Weibull shape other than 1 now and then.
std::string Duration(Dice& dice, double low, double high) {
    std::string text = Number(dice.Between(low, high));
    if (dice.Chance(0.25))
        text += ", " + Number(dice.Between(0.5, 4.0));
    return text;
}

} // namespace

RandomNetwork MakeRandomNetwork(uint64_t seed) {
    Dice dice(seed);
    RandomNetwork net;
    static const uint32_t resolutions[] = {4, 12, 24, 24, 96, 288, 1440};
    net.quantsPerDay = resolutions[dice.Below(std::size(resolutions))];
    net.years = net.quantsPerDay >= 288 ? 2 + dice.Below(3) : 10 + dice.Below(30);
    const bool maxFlow = dice.Chance(0.4);

    std::string& t = net.ndl;
    t = "system: quantsPerDay = " + std::to_string(net.quantsPerDay) +
        "; yearMin = 100; yearMax = 100; yearStep = 100; accuracy = 0.001";
    t += "; fuses = " + std::to_string(dice.Chance(0.8));
    t += "; isolators = " + std::to_string(dice.Chance(0.8));
    t += "; reclosers = " + std::to_string(dice.Chance(0.85));
    t += "; maxFlow = " + std::to_string(maxFlow) + "\n";

    const auto capacity = [&](double low, double high) {
        return maxFlow && dice.Chance(0.5) ? "; capacity = " + Number(dice.Between(low, high))
                                           : std::string();
    };
    const auto line = [&](int a, int b) {
        t += "line: connect = " + std::to_string(a) + ", " + std::to_string(b) +
             "; length = " + Number(dice.Between(0.3, 2.0)) +
             "; failure = " + Duration(dice, 0.5, 4.0) +
             "; isolation = " + Duration(dice, 0.2, 3.0) + "; repair = " + Duration(dice, 1, 12) +
             capacity(1.0, 6.0) + "\n";
    };
    int loads = 0;
    const auto load = [&](int at) {
        t += "load: name = \"L" + std::to_string(++loads) + "\"; connect = " + std::to_string(at) +
             "; customers = " + std::to_string(1 + dice.Below(200));
        if (dice.Chance(0.3)) {
            t += "; profile = ";
            const uint32_t values = 2 + dice.Below(10);
            for (uint32_t v = 0; v < values; ++v)
                t += (v ? ", " : "") + Number(dice.Between(0.1, 2.0));
        }
        if (dice.Chance(0.5))
            t += "; average = " + Number(dice.Between(0.2, 1.5));
        if (dice.Chance(0.3))
            t += "; peak = " + Number(dice.Between(1.5, 3.0));
        t += "\n";
    };

    const uint32_t feeders = 1 + dice.Below(3);
    std::vector<int> ends;
    int node = 1;
    for (uint32_t f = 0; f < feeders; ++f) {
        const int bus = node++;
        t += "source: connect = " + std::to_string(bus) + capacity(3.0, 12.0) + "\n";
        int at = bus;
        // Now and then no breaker of its own: the feeder hangs on the source's breaker.
        if (dice.Chance(0.85)) {
            at = node++;
            t += "breaker: connect = " + std::to_string(bus) + ", " + std::to_string(at) +
                 capacity(3.0, 10.0) + "\n";
        }
        const uint32_t sections = 1 + dice.Below(4);
        for (uint32_t s = 0; s < sections; ++s) {
            const int next = node++;
            line(at, next);
            at = next;
            if (dice.Chance(0.6))
                load(at);
            if (dice.Chance(0.5)) {
                const int fused = node++;
                const int end = node++;
                t += "fuse: connect = " + std::to_string(at) + ", " + std::to_string(fused) + "\n";
                line(fused, end);
                if (dice.Chance(0.5)) {
                    const int low = node++;
                    t += "equipment: connect = " + std::to_string(end) + ", " +
                         std::to_string(low) + "; failure = " + Duration(dice, 0.05, 1.0) +
                         "; isolation = " + Duration(dice, 0.5, 2.0) +
                         "; repair = " + Duration(dice, 5, 60) + "\n";
                    load(low);
                } else {
                    load(end);
                }
            }
            if (s + 1 < sections && dice.Chance(0.6)) {
                const int beyond = node++;
                t += "isolator: connect = " + std::to_string(at) + ", " + std::to_string(beyond) +
                     "\n";
                at = beyond;
            }
        }
        load(at);
        ends.push_back(at);
    }
    for (size_t f = 1; f < ends.size(); ++f)
        if (dice.Chance(0.7))
            t += "recloser: connect = " + std::to_string(ends[f - 1]) + ", " +
                 std::to_string(ends[f]) + "; reclose = " + Duration(dice, 0.1, 2.0) +
                 capacity(0.5, 3.0) + "\n";
    return net;
}

} // namespace orvane::test
