// A generated meshed network for the benchmark: large, but within what a simulation can hold.
#pragma once

#include <cstdint>
#include <string>

namespace orvane::bench {

// The NDL text of a meshed network of at most `elements` simulation elements (a source counts
// as 2, a recloser as 3, every other component as 1), drawn from `seed`. Several sources feed
// one feeder each through a breaker; each feeder is a row of line sections parted by isolators,
// with fused laterals (line, transformer, load point) hung off its nodes at random; normally
// open recloser ties join neighbouring feeders halfway along and at their far ends, so that
// the feeders form a grid. The same size and seed always give the same text. Throws
// std::invalid_argument when `elements` is too small for two feeders or larger than a
// simulation holds.
std::string MeshedFeeder(uint32_t elements, uint64_t seed);

} // namespace orvane::bench
