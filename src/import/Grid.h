#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// A network on its way from another program's file to Orvane: the elements NDL knows, between
// numbered nodes, with the attributes NDL gives them. Nodes are numbered from 1. A value below
// 0 is not given (the NDL default applies).
struct GridElement {
    enum Kind { Source, Line, Equipment, Breaker, Fuse, Isolator, Recloser, Load };

    Kind kind = Line;
    std::string name;
    int32_t a = 0; // the node of a one-point element (source, load)
    int32_t b = 0;
    double length = -1.0;
    double failure = -1.0;
    double isolation = -1.0;
    double repair = -1.0;
    double reclose = -1.0;
    double average = -1.0;
    int32_t customers = -1;

    bool IsOnePoint() const { return kind == Source || kind == Load; }
};

// The system definition an import starts with; the user tunes it afterwards in the NDL text or
// the editor's Simulation Settings.
struct GridSystem {
    int32_t quantsPerDay = 24;
    int32_t yearMin = 1000;
    int32_t yearMax = 100000;
    int32_t yearStep = 500;
    double accuracy = 0.05;
};

struct Grid {
    std::string title;
    GridSystem system;
    int32_t nodes = 0; // numbered 1 to nodes
    // In the order of the NDL text and of the drawing's creation.
    std::vector<GridElement> elements;
    // What was left out, or taken otherwise than the file says, one sentence each.
    std::vector<std::string> notes;
};

} // namespace orvane
