#include "import/GridLayout.h"

#include <cstddef>
#include <utility>

namespace orvane {

namespace {

struct Edge {
    int32_t to;
    int32_t length;
};

} // namespace

std::vector<CPoint> GridLayout::Place(const Grid& grid) {
    const auto count = static_cast<size_t>(grid.nodes) + 1;
    std::vector<std::vector<Edge>> next(count);
    std::vector<bool> used(count, false);
    std::vector<int32_t> roots;
    for (const GridElement& e : grid.elements) {
        used[static_cast<size_t>(e.a)] = true;
        if (e.kind == GridElement::Source)
            roots.push_back(e.a);
        if (e.IsOnePoint())
            continue;
        used[static_cast<size_t>(e.b)] = true;
        if (e.kind == GridElement::Recloser)
            continue;
        const int32_t length = e.kind == GridElement::Line || e.kind == GridElement::Equipment
                                   ? LineLength
                                   : SwitchLength;
        next[static_cast<size_t>(e.a)].push_back({e.b, length});
        next[static_cast<size_t>(e.b)].push_back({e.a, length});
    }

    // Breadth first from every source at once, then from each node still unreached.
    std::vector<bool> reached(count, false);
    std::vector<std::vector<int32_t>> children(count);
    std::vector<int32_t> x(count, Margin);
    std::vector<int32_t> treeRoots;
    const auto grow = [&](const std::vector<int32_t>& starts) {
        std::vector<int32_t> queue;
        for (int32_t s : starts) {
            if (reached[static_cast<size_t>(s)])
                continue;
            reached[static_cast<size_t>(s)] = true;
            queue.push_back(s);
            treeRoots.push_back(s);
        }
        for (size_t head = 0; head < queue.size(); ++head) {
            const int32_t n = queue[head];
            for (const Edge& edge : next[static_cast<size_t>(n)]) {
                const auto to = static_cast<size_t>(edge.to);
                if (reached[to])
                    continue;
                reached[to] = true;
                x[to] = x[static_cast<size_t>(n)] + edge.length;
                children[static_cast<size_t>(n)].push_back(edge.to);
                queue.push_back(edge.to);
            }
        }
    };
    grow(roots);
    for (int32_t n = 1; n < static_cast<int32_t>(count); ++n)
        if (used[static_cast<size_t>(n)])
            grow({n});

    // Depth first: a leaf takes the next row, a node the row of its first child.
    std::vector<int32_t> row(count, -1);
    int32_t rows = 0;
    for (int32_t root : treeRoots) {
        std::vector<std::pair<int32_t, size_t>> stack{{root, 0}};
        while (!stack.empty()) {
            auto& [n, k] = stack.back();
            const auto& kids = children[static_cast<size_t>(n)];
            if (k < kids.size()) {
                stack.emplace_back(kids[k++], 0);
                continue;
            }
            row[static_cast<size_t>(n)] =
                kids.empty() ? rows++ : row[static_cast<size_t>(kids.front())];
            stack.pop_back();
        }
    }

    std::vector<CPoint> points(count, CPoint{-1, -1});
    for (size_t n = 1; n < count; ++n)
        if (used[n])
            points[n] = CPoint{x[n], Margin + row[n] * RowPitch};
    return points;
}

} // namespace orvane
