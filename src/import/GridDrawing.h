#pragma once

#include "import/Grid.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class COrvaneDoc;

// The drawing of an imported network, made through the document's change operations as a
// planner would draw it in the editor: each element added in the grid's order between the
// points GridLayout gives its nodes, then given its attributes. A source or load point sits on
// its node's point; further ones at the same node sit beside it, still within reach. Names of
// components other than load points go to their notes, as NDL has no place for them in a
// drawing. The grid's system definition becomes the simulation settings and the workspace is
// sized to the drawing. The generated NDL then lists the same elements in the same order, and
// simulates as the grid's own NDL text does.
class GridDrawing {
public:
    // The editor's largest workspace side.
    static constexpr int32_t MaxSide = 30000;

    // notes receives what the drawing could not do as asked (a workspace too small).
    static std::unique_ptr<COrvaneDoc> Make(const Grid& grid, std::vector<std::string>& notes);
};

} // namespace orvane
