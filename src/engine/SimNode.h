#pragma once

#include <cstdint>
#include <vector>

namespace orvane {

// One end of an element as seen from a node: towardsB is true in the entry kept at the element's
// terminal A, so the far node is terminal B.
struct AdjacencyEntry {
    uint32_t element = 0;
    bool towardsB = false;
};

struct SimNode {
    std::vector<AdjacencyEntry> adjacency;
    bool isRoot = false;
    bool isSink = false;
    bool mark = false;
    uint32_t labelState = 0; // 0 unlabelled, 1 labelled, 2 scanned
    AdjacencyEntry predecessor;
    double label = 0.0;
};

} // namespace orvane
