#include "editor/Mode.h"
#include "editor/SymbolGeometry.h"
#include "model/OrvaneDoc.h"
#include "model/TypeOrder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// Lets a test make the next allocation fail, as when memory runs out inside a collection's Add.
namespace {
bool g_failNextAllocation = false;
} // namespace

void* operator new(std::size_t size) {
    if (g_failNextAllocation) {
        g_failNextAllocation = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace orvane {

// Readable failure output for points.
void PrintTo(const CPoint& p, std::ostream* os) {
    *os << '(' << p.x << ", " << p.y << ')';
}

namespace {

class FakeHost : public CModeHost {
public:
    CPoint anchor;
    CPoint lastPoint;
    std::vector<CRect> invalidated;
    int invalidateAll = 0;
    std::vector<CursorShape> cursors;
    std::vector<CWidget*> dialogs;

    CPoint GetAnchor() const override { return anchor; }
    CPoint GetLastPoint() const override { return lastPoint; }
    void InvalidateRect(const CRect& rect) override { invalidated.push_back(rect); }
    void InvalidateAll() override { ++invalidateAll; }
    void SetCursorShape(CursorShape shape) override { cursors.push_back(shape); }
    void ShowPropertyDialog(CWidget& widget) override { dialogs.push_back(&widget); }
};

class FakeSurface : public CDrawingSurface {
public:
    std::vector<std::pair<const CWidget*, bool>> drawn;
    std::vector<const CWidget*> selected;

    void XorSegment(CPoint, CPoint) override {}
    void DrawWidget(const CWidget& widget, bool markers) override {
        drawn.emplace_back(&widget, markers);
    }
    void DrawSelection(const CWidget& widget) override { selected.push_back(&widget); }
};

using Ends = std::pair<CPoint, CPoint>;

Ends EndsOf(const CWidget* widget) {
    return {widget->GetPoint1(), widget->GetPoint2()};
}

class ModeTest : public ::testing::Test {
protected:
    COrvaneDoc doc;
    FakeHost host;
    FakeSurface surface;

    // Drags a component of the given type out with its tool, as the view does.
    CWidget* Create(WidgetType type, CPoint from, CPoint to) {
        auto tool = MakeMode(type, &doc, &host);
        host.anchor = host.lastPoint = from;
        tool->OnLButtonUp(FlagNone, to, surface);
        return tool->GetWidget();
    }

    std::unique_ptr<CMode> Probe(WidgetType type, CPoint point) {
        auto probe = MakeMode(type, &doc, &host);
        probe->OnLButtonDown(FlagNone, point, surface);
        return probe;
    }
};

// ---- Pure geometry ----

TEST(SymbolGeometryTest, SnapRoundsHalvesUp) {
    struct Case {
        int32_t v, pitch, expected;
    };
    const Case cases[] = {
        {14, 10, 10},   {15, 10, 20},
        {25, 10, 30},   {24, 10, 20},
        {0, 10, 0},     {-14, 10, -10},
        {-15, 10, -10}, {-16, 10, -20},
        {10, 7, 7},     {11, 7, 14},
        {123, 0, 123},  {-7, 0, -7},
        {123, -5, 123}, {2147483647, 10, 2147483647},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnapCoordinate(c.v, c.pitch), c.expected) << c.v << " on " << c.pitch;
    }
    EXPECT_EQ(SnapPoint({14, 15}, 10), (CPoint{10, 20}));
}

// The symbols turn with the segment: A = trunc(r cos alpha), B = trunc(r sin alpha).
TEST(SymbolGeometryTest, SymbolsTurnWithTheSegment) {
    using Square = std::array<CPoint, 4>;
    // Axis-parallel: m +- r; 0-2 and 1-3 are the sides crossing the segment.
    EXPECT_EQ(TurnedSquare({0, 0}, {0, 100}, 7), (Square{{{-7, 43}, {7, 57}, {7, 43}, {-7, 57}}}));
    // atan(1/2): A = 6, B = 3, the same whichever way the segment is drawn.
    EXPECT_EQ(TurnedSquare({100, 50}, {0, 0}, 7),
              (Square{{{41, 28}, {59, 22}, {47, 16}, {53, 34}}}));
    // Signs differ: dx < 0, dy > 0.
    EXPECT_EQ(TurnedSquare({100, 0}, {0, 50}, 7),
              (Square{{{53, 16}, {47, 34}, {59, 28}, {41, 22}}}));

    // The isolator's gap and blade, with r = 12.
    const std::tuple<CPoint, CPoint, CPoint, CPoint, CPoint> blades[] = {
        {{100, 0}, {0, 0}, {51, 0}, {62, 0}, {62, 12}},
        {{0, 0}, {100, 50}, {50, 25}, {60, 30}, {65, 20}},  // A = 10, B = 5
        {{0, 100}, {100, 0}, {50, 50}, {42, 58}, {50, 66}}, // A = B = 8
    };
    for (const auto& [from, to, gapFrom, gapTo, bladeTo] : blades) {
        const IsolatorBlade blade = IsolatorGeometry(from, to);
        EXPECT_EQ(Ends(blade.gapFrom, blade.gapTo), Ends(gapFrom, gapTo));
        EXPECT_EQ(Ends(blade.bladeFrom, blade.bladeTo), Ends(Midpoint(from, to), bladeTo));
    }

    // The equipment's rings, 3 before and after the midpoint (truncated toward zero).
    using Rings = std::array<CPoint, 2>;
    EXPECT_EQ(EquipmentRingCentres({100, 0}, {0, 0}), (Rings{{{53, 0}, {47, 0}}}));
    EXPECT_EQ(EquipmentRingCentres({0, 100}, {100, 0}), (Rings{{{48, 52}, {52, 48}}}));
    EXPECT_EQ(Midpoint({-5, 3}, {0, 0}), (CPoint{-2, 1}));
}

TEST_F(ModeTest, AdaptiveDrawingLinesUpTheMovingEndBeforeSnapping) {
    const std::pair<CPoint, CPoint> cases[] = {
        {{160, 130}, {160, 100}}, // flat: horizontal
        {{130, 160}, {100, 160}}, // steep: vertical
        {{150, 150}, {150, 100}}, // exactly 45 degrees: horizontal
        {{50, 50}, {50, 100}},    // 45 degrees backwards too
        {{100, 160}, {100, 160}}, // already vertical
        {{100, 100}, {100, 100}},
    };
    for (const auto& [b, expected] : cases) {
        EXPECT_EQ(AdaptEnd({100, 100}, b), expected) << b.x << "," << b.y;
    }
    // A new line: snapping first would turn (147, 153) into (150, 150), which goes horizontal.
    doc.m_adaptiveDrawing = 1;
    EXPECT_EQ(EndsOf(Create(WidgetType::Line, {100, 100}, {147, 153})),
              Ends({100, 100}, {100, 150}));
    doc.m_snapPixel = 0;
    EXPECT_EQ(EndsOf(Create(WidgetType::Line, {100, 100}, {160, 130})),
              Ends({100, 100}, {160, 100}));
}

// ---- Creation ----

TEST_F(ModeTest, CreatesEachTypeWithItsTypeNameAndDialog) {
    const std::pair<WidgetType, const char*> cases[] = {
        {WidgetType::Line, "Line"},
        {WidgetType::CircuitBreaker, "CircuitBreaker"},
        {WidgetType::Fuse, "Fuse"},
        {WidgetType::Recloser, "Recloser"},
        {WidgetType::Isolator, "Isolator"},
        {WidgetType::BusBar, "Bus Bar"},
        {WidgetType::LoadPoint, "Load Point"},
        {WidgetType::GenSource, "GenSource"},
        {WidgetType::Equipment, "Equipment"},
    };
    for (const auto& [type, name] : cases) {
        SCOPED_TRACE(name);
        COrvaneDoc fresh;
        FakeHost freshHost;
        FakeSurface drawing;
        auto tool = MakeMode(type, &fresh, &freshHost);
        ASSERT_EQ(tool->Type(), type);
        freshHost.anchor = {98, 103};
        tool->OnLButtonUp(FlagNone, {203, 96}, drawing);

        ASSERT_EQ(CollectionSize(fresh, type), 1);
        CWidget* created = CollectionAt(fresh, type, 0);
        EXPECT_EQ(tool->GetWidget(), created);
        EXPECT_EQ(fresh.m_typeOrder, std::vector<std::string>{name});
        EXPECT_TRUE(fresh.IsModified());
        // Snapped; a one-point component goes where the button came up.
        const CPoint end1 = created->IsOnePoint() ? CPoint{200, 100} : CPoint{100, 100};
        EXPECT_EQ(EndsOf(created), Ends(end1, {200, 100}));
        EXPECT_EQ(drawing.drawn, (std::vector<std::pair<const CWidget*, bool>>{{created, true}}));
        EXPECT_EQ(freshHost.invalidateAll, 1) << "no regional redraw: the whole view";
        tool->ShowDialog();
        EXPECT_EQ(freshHost.dialogs.size(), type == WidgetType::BusBar ? 0u : 1u);
    }
    doc.m_toggle = 0;
    Create(WidgetType::Fuse, {0, 0}, {100, 0});
    EXPECT_FALSE(surface.drawn.back().second) << "no end markers while toggled off";
}

TEST_F(ModeTest, FailedAddLeavesTheDocumentAlone) {
    for (WidgetType type : {WidgetType::Recloser, WidgetType::GenSource}) {
        auto tool = MakeMode(type, &doc, &host);
        g_failNextAllocation = true;
        tool->OnLButtonUp(FlagNone, {50, 50}, surface);
        g_failNextAllocation = false;
        EXPECT_EQ(CollectionSize(doc, type), 0);
        EXPECT_EQ(tool->GetWidget(), nullptr);
    }
    EXPECT_TRUE(doc.m_typeOrder.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(surface.drawn.empty());
    EXPECT_EQ(host.invalidateAll, 2); // the repaint still happens
}

// ---- Probing and dragging ----

TEST_F(ModeTest, ProbeTakesTheFirstHitAndAnEndHandleWinsOverTheBody) {
    CWidget* line = Create(WidgetType::Line, {100, 100}, {200, 100});
    CWidget* other = Create(WidgetType::Line, {150, 100}, {400, 100});
    surface = FakeSurface{};
    EXPECT_EQ(Probe(WidgetType::Line, {170, 101})->GetWidget(), line);
    EXPECT_EQ(surface.selected, std::vector<const CWidget*>{line});
    EXPECT_EQ(Probe(WidgetType::Line, {300, 101})->GetWidget(), other);
    EXPECT_FALSE(Probe(WidgetType::Line, {170, 150})->IsHit());
    EXPECT_FALSE(Probe(WidgetType::Fuse, {170, 101})->IsHit()) << "only its own type";

    // (103, 100) lies on the body and in end 1's handle: an end drag.
    Probe(WidgetType::Line, {103, 100})->OnMouseMove(FlagNone, {121, 139}, surface);
    EXPECT_EQ(EndsOf(line), Ends({120, 140}, {200, 100}));
    EXPECT_EQ(host.cursors.back(), CursorShape::SizeDiagonal);
    Probe(WidgetType::Line, {198, 101})->OnMouseMove(FlagNone, {250, 50}, surface);
    EXPECT_EQ(EndsOf(line), Ends({120, 140}, {250, 50}));

    // On the body away from the ends: a move of the whole line.
    auto body = Probe(WidgetType::Line, {185, 95});
    ASSERT_EQ(body->GetWidget(), line);
    body->OnMouseMove(FlagNone, {185, 105}, surface);
    EXPECT_EQ(EndsOf(line), Ends({120, 150}, {250, 60}));
    EXPECT_EQ(host.cursors.back(), CursorShape::Move);

    // Where both end handles hit, end 2 moves.
    doc.m_snapPixel = 0;
    CWidget* fuse = Create(WidgetType::Fuse, {100, 300}, {104, 300});
    Probe(WidgetType::Fuse, {102, 300})->OnMouseMove(FlagNone, {150, 300}, surface);
    EXPECT_EQ(EndsOf(fuse), Ends({100, 300}, {150, 300}));
}

TEST_F(ModeTest, MovesWithAndWithoutSnapping) {
    struct Case {
        int32_t pitch;
        std::vector<CPoint> path; // pointer positions after the button went down at (150, 100)
        Ends ends;
    };
    const Case cases[] = {
        {0, {{153, 104}, {140, 90}}, {{90, 90}, {190, 90}}},
        // Less than half a pitch: nothing moves.
        {10, {{154, 104}}, {{100, 100}, {200, 100}}},
        {10, {{146, 96}}, {{100, 100}, {200, 100}}},
        // More: whole pitches, still on the grid.
        {10, {{157, 113}, {181, 96}}, {{130, 100}, {230, 100}}},
        {10, {{126, 74}}, {{80, 70}, {180, 70}}},
    };
    for (const Case& c : cases) {
        COrvaneDoc fresh;
        fresh.m_snapPixel = c.pitch;
        CLine* line = fresh.GetLines().Add(CPoint{100, 100}, CPoint{200, 100}, 1u, 0x808080u);
        auto mode = MakeMode(WidgetType::Line, &fresh, &host);
        mode->SetWidget(line);
        mode->BeginMove({150, 100});
        for (CPoint p : c.path) {
            mode->OnMouseMove(FlagNone, p, surface);
        }
        EXPECT_EQ(EndsOf(line), c.ends) << "pitch " << c.pitch;
        EXPECT_TRUE(fresh.IsModified());
    }

    // A one-point component moves once, not once per end.
    CWidget* load = Create(WidgetType::LoadPoint, {0, 0}, {100, 100});
    auto mode = MakeMode(WidgetType::LoadPoint, &doc, &host);
    mode->SetWidget(load);
    mode->BeginMove({102, 98});
    mode->OnMouseMove(FlagNone, {126, 98}, surface);
    EXPECT_EQ(load->GetPoint1(), (CPoint{130, 100}));
    // It has no ends to drag: (141, 113) is in its lower-right handle, and nothing moves.
    auto probe = Probe(WidgetType::LoadPoint, {141, 113});
    ASSERT_TRUE(probe->IsHit());
    probe->OnMouseMove(FlagNone, {200, 200}, surface);
    EXPECT_EQ(load->GetPoint1(), (CPoint{130, 100}));
}

TEST_F(ModeTest, EndDragSnapsThenLinesUpAgainstTheOtherEnd) {
    doc.m_adaptiveDrawing = 1;
    CWidget* line = Create(WidgetType::Equipment, {100, 100}, {200, 100});
    // Snapped to (160, 130), then made horizontal against end 1.
    Probe(WidgetType::Equipment, {200, 100})->OnMouseMove(FlagNone, {163, 128}, surface);
    EXPECT_EQ(line->GetPoint2(), (CPoint{160, 100}));
    // End 1 against end 2.
    Probe(WidgetType::Equipment, {100, 100})->OnMouseMove(FlagNone, {158, 31}, surface);
    EXPECT_EQ(line->GetPoint1(), (CPoint{160, 30}));
}

// ---- Repainting ----

TEST_F(ModeTest, RegionalRepaintRectangles) {
    doc.m_regionalRedraw = true;
    doc.m_snapPixel = 10;
    struct Case {
        std::vector<WidgetType> types;
        CRect afterCreate, afterDrag;
    };
    // Created from (100, 100) to (200, 150), then dragged by (10, 0).
    const Case cases[] = {
        {{WidgetType::Line, WidgetType::BusBar}, {90, 90, 210, 160}, {90, 80, 230, 170}},
        {{WidgetType::CircuitBreaker, WidgetType::Fuse, WidgetType::Recloser, WidgetType::Isolator,
          WidgetType::Equipment},
         {87, 87, 213, 163},
         {87, 77, 233, 173}},
        // One point, at (200, 150): from 9 above-left to 13 below-right, grown by pitch + 13.
        {{WidgetType::LoadPoint, WidgetType::GenSource},
         {168, 118, 236, 186},
         {178, 118, 246, 186}},
    };
    for (const Case& c : cases)
        for (WidgetType type : c.types) {
            FakeHost fresh;
            auto tool = MakeMode(type, &doc, &fresh);
            fresh.anchor = {100, 100};
            tool->OnLButtonUp(FlagNone, {200, 150}, surface);
            auto mode = MakeMode(type, &doc, &fresh);
            mode->SetWidget(tool->GetWidget());
            mode->BeginMove({150, 125});
            mode->OnMouseMove(FlagNone, {160, 125}, surface);
            EXPECT_EQ(fresh.invalidated, (std::vector<CRect>{c.afterCreate, c.afterDrag}))
                << TypeName(type);
            EXPECT_EQ(fresh.invalidateAll, 0);
        }
}

// ---- Selecting and deleting ----

TEST_F(ModeTest, SelectInRectTakesComponentsWithAnEndInside) {
    CWidget* a = Create(WidgetType::Line, {100, 100}, {200, 100});
    CWidget* b = Create(WidgetType::Line, {300, 300}, {400, 300});
    Create(WidgetType::Line, {500, 500}, {600, 500});
    struct Case {
        std::array<int32_t, 4> rect;
        std::vector<CWidget*> expected;
    };
    const Case cases[] = {
        {{50, 50, 150, 150}, {a}},   // only end 1 of a inside
        {{150, 150, 50, 50}, {a}},   // corners in any order
        {{200, 100, 250, 150}, {a}}, // left and top edges count
        {{150, 50, 200, 100}, {}},   // right and bottom edges do not
        {{0, 0, 350, 350}, {a, b}},  // collection order
    };
    for (const Case& c : cases) {
        auto probe = MakeMode(WidgetType::Line, &doc, &host);
        std::vector<CWidget*> widgets;
        for (const auto& mode : probe->SelectInRect(c.rect[0], c.rect[1], c.rect[2], c.rect[3])) {
            EXPECT_EQ(mode->Type(), WidgetType::Line);
            widgets.push_back(mode->GetWidget());
        }
        EXPECT_EQ(widgets, c.expected)
            << c.rect[0] << "," << c.rect[1] << "," << c.rect[2] << "," << c.rect[3];
    }
}

TEST_F(ModeTest, DeleteThenAddKeepsTheOthers) {
    CWidget* first = Create(WidgetType::Line, {0, 0}, {100, 0});
    CWidget* second = Create(WidgetType::Line, {0, 50}, {100, 50});
    CWidget* third = Create(WidgetType::Line, {0, 100}, {100, 100});
    Create(WidgetType::Fuse, {200, 0}, {300, 0});

    auto mode = MakeMode(WidgetType::Line, &doc, &host);
    mode->SetWidget(second);
    mode->Delete();
    mode->Delete(); // a second time finds nothing to remove
    EXPECT_EQ(doc.GetLines().GetSize(), 2);
    // The removed line outlives the mode: the document keeps it for whoever still points at it.
    mode.reset();
    EXPECT_EQ(second->GetPoint1(), (CPoint{0, 50}));

    CWidget* fourth = Create(WidgetType::Line, {0, 150}, {100, 150});
    std::vector<CWidget*> walked;
    ForEachWidget(doc, [&](CWidget& w, int) { walked.push_back(&w); });
    // Every remaining component is still walked (and so drawn); the new line takes the entry
    // its predecessor held, the surplus last entry is passed over.
    EXPECT_EQ(walked, (std::vector<CWidget*>{first, third, fourth, doc.GetFuses().GetAt(0)}));
    EXPECT_EQ(doc.m_typeOrder.size(), 5u);
}

} // namespace
} // namespace orvane
