#include "import/GridDrawing.h"

#include "import/GridLayout.h"
#include "model/OrvaneDoc.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr uint32_t Grey = 0x808080;

// Offsets for the one-point components that share a node, each within the 11-pixel reach of
// the node's point; the first stands on it, so that a lone line end there counts as joined.
constexpr CPoint Beside[] = {{0, 0},  {10, 10}, {-10, 10}, {10, -10}, {-10, -10},
                             {0, 10}, {0, -10}, {10, 0},   {-10, 0}};

class Drawer {
public:
    explicit Drawer(COrvaneDoc& doc) : doc_(doc) {}

    // Draws the component, then gives it its attributes as its property dialog would.
    template <class T, class F, class... Points> void Add(F&& attributes, Points... points) {
        T* widget = doc_.Add<T>(points..., 1u, Grey);
        if (widget == nullptr)
            return;
        T values = *widget;
        attributes(values);
        doc_.SetAttributes(*widget, values);
    }

private:
    COrvaneDoc& doc_;
};

template <class T> void Branch(T& b, const GridElement& e) {
    b.m_notes = e.name;
    b.m_length = e.length;
    b.m_failure1 = e.failure;
    b.m_isolation1 = e.isolation;
    b.m_repair1 = e.repair;
}

} // namespace

std::unique_ptr<COrvaneDoc> GridDrawing::Make(const Grid& grid, std::vector<std::string>& notes) {
    auto doc = std::make_unique<COrvaneDoc>();
    doc->OnNewDocument();
    const std::vector<CPoint> points = GridLayout::Place(grid);

    CSimulationSettings settings = doc->GetSettings();
    settings.quantsPerDay = grid.system.quantsPerDay;
    settings.yearMin = grid.system.yearMin;
    settings.yearMax = grid.system.yearMax;
    settings.yearStep = grid.system.yearStep;
    settings.accuracy = grid.system.accuracy;
    doc->SetSettings(settings);

    int32_t right = 0;
    int32_t bottom = 0;
    for (const CPoint& p : points) {
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    CWorkspaceSettings workspace = doc->GetWorkspaceSettings();
    const int32_t width = right + GridLayout::Margin;
    const int32_t height = bottom + GridLayout::Margin;
    if (width > MaxSide || height > MaxSide)
        notes.push_back("the drawing is " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels, more than the editor's workspace of " + std::to_string(MaxSide) +
                        " pixels a side shows");
    workspace.width = static_cast<uint32_t>(std::clamp(width, 1024, MaxSide));
    workspace.height = static_cast<uint32_t>(std::clamp(height, 786, MaxSide));
    doc->SetWorkspaceSettings(workspace);

    Drawer d(*doc);
    std::vector<size_t> onePoint(points.size(), 0);
    for (const GridElement& e : grid.elements) {
        const CPoint a = points[static_cast<size_t>(e.a)];
        if (e.IsOnePoint()) {
            size_t& k = onePoint[static_cast<size_t>(e.a)];
            const CPoint offset = Beside[std::min(k++, std::size(Beside) - 1)];
            const CPoint at{a.x + offset.x, a.y + offset.y};
            if (e.kind == GridElement::Source)
                d.Add<CGenSource>([&](CGenSource& s) { s.m_notes = e.name; }, at);
            else
                d.Add<CLoadPoint>(
                    [&](CLoadPoint& l) {
                        l.m_name = e.name;
                        l.m_customers = e.customers;
                        l.m_average = e.average;
                    },
                    at);
            continue;
        }
        const CPoint b = points[static_cast<size_t>(e.b)];
        switch (e.kind) {
        case GridElement::Line:
            d.Add<CLine>([&](CLine& l) { Branch(l, e); }, a, b);
            break;
        case GridElement::Equipment:
            d.Add<CEquipment>([&](CEquipment& q) { Branch(q, e); }, a, b);
            break;
        case GridElement::Breaker:
            d.Add<CCircuitBreaker>([&](CCircuitBreaker& c) { c.m_notes = e.name; }, a, b);
            break;
        case GridElement::Fuse:
            d.Add<CFuse>([&](CFuse& f) { f.m_notes = e.name; }, a, b);
            break;
        case GridElement::Isolator:
            d.Add<CIsolator>([&](CIsolator& i) { i.m_notes = e.name; }, a, b);
            break;
        default:
            d.Add<CRecloser>(
                [&](CRecloser& r) {
                    r.m_notes = e.name;
                    r.m_reclose1 = e.reclose;
                },
                a, b);
            break;
        }
    }
    doc->SetModified(false);
    return doc;
}

} // namespace orvane
