#pragma once

#include <cstdint>
#include <string>

namespace orvane::test {

// A network drawn at random from a seed, as NDL text with its system definition: one to three
// feeders of lines, isolators, fused laterals with transformers and load points, sometimes
// recloser ties between feeders, capacities, load profiles, Weibull shapes other than 1 and any
// resolution from 4 to 1,440 quanta a day. The same seed always gives the same text.
struct RandomNetwork {
    std::string ndl;
    uint32_t quantsPerDay = 0;
    uint32_t years = 0; // short enough for the quantum-by-quantum walk to be quick
};

RandomNetwork MakeRandomNetwork(uint64_t seed);

} // namespace orvane::test
