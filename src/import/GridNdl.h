#pragma once

#include "import/Grid.h"

#include <string>

namespace orvane {

// The NDL text of an imported network: a comment naming where it came from, the system
// definition, then one definition per element in the grid's order, node numbers as the grid
// has them and numbers written in full (the shortest form that reads back exactly).
std::string GridNdl(const Grid& grid, const std::string& origin);

} // namespace orvane
