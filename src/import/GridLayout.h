#pragma once

#include "import/Grid.h"
#include "model/Geometry.h"

#include <vector>

namespace orvane {

// Where each node of an imported network is drawn, on the editor's 10-pixel snap grid. Feeders
// run left to right from their sources, breadth first: a node's first continuation stays on
// its row and the others start rows below, one row per branch, as in the example drawings.
// Lines and equipment are 160 pixels long, switches 60; rows are 80 apart. Open ties
// (reclosers) never shape the tree; a part that no source reaches is laid out after the
// rest. No two nodes share a point, and every node is at least 60 pixels from every other.
// Element-less nodes get no place: the result holds {-1, -1} for them and for the unused
// index 0.
class GridLayout {
public:
    static constexpr int32_t Margin = 80;
    static constexpr int32_t LineLength = 160;
    static constexpr int32_t SwitchLength = 60;
    static constexpr int32_t RowPitch = 80;

    static std::vector<CPoint> Place(const Grid& grid);
};

} // namespace orvane
