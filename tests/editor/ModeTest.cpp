#include "editor/Mode.h"
#include "editor/SymbolGeometry.h"
#include "model/OrvaneDoc.h"
#include "model/TypeOrder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
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
    std::vector<std::pair<CPoint, CPoint>> xors;
    std::vector<std::pair<const CWidget*, bool>> drawn;
    std::vector<const CWidget*> selected;

    void XorSegment(CPoint from, CPoint to) override { xors.emplace_back(from, to); }
    void DrawWidget(const CWidget& widget, bool markers) override {
        drawn.emplace_back(&widget, markers);
    }
    void DrawSelection(const CWidget& widget) override { selected.push_back(&widget); }
};

constexpr std::array<WidgetType, kWidgetTypeCount> kAllTypes = {
    WidgetType::Line,      WidgetType::CircuitBreaker, WidgetType::Fuse,
    WidgetType::Recloser,  WidgetType::Isolator,       WidgetType::BusBar,
    WidgetType::LoadPoint, WidgetType::GenSource,      WidgetType::Equipment};

bool IsOnePointType(WidgetType type) {
    return type == WidgetType::LoadPoint || type == WidgetType::GenSource;
}

// Width and colour of either kind of component.
std::pair<uint32_t, uint32_t> PenOf(const CWidget& widget) {
    if (widget.IsOnePoint()) {
        const auto& w = static_cast<const COnePointWidget&>(widget);
        return {w.GetWidth(), w.GetColor()};
    }
    const auto& w = static_cast<const CTwoPointWidget&>(widget);
    return {w.GetWidth(), w.GetColor()};
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

TEST(SymbolGeometryTest, AdaptiveDrawingLinesUpTheMovingEnd) {
    struct Case {
        CPoint b, expected;
    };
    const CPoint a{100, 100};
    const Case cases[] = {
        {{160, 130}, {160, 100}}, // flat: horizontal
        {{130, 160}, {100, 160}}, // steep: vertical
        {{150, 150}, {150, 100}}, // exactly 45 degrees: horizontal
        {{50, 50}, {50, 100}},    // 45 degrees backwards too
        {{100, 160}, {100, 160}}, // already vertical
        {{100, 100}, {100, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AdaptEnd(a, c.b), c.expected) << c.b.x << "," << c.b.y;
    }
}

TEST(SymbolGeometryTest, MidpointTruncatesTowardZero) {
    EXPECT_EQ(Midpoint({-5, 3}, {0, 0}), (CPoint{-2, 1}));
    EXPECT_EQ(Midpoint({2147483647, 0}, {2147483647, 0}), (CPoint{2147483647, 0}));
}

TEST(SymbolGeometryTest, TurnedSquareCorners) {
    struct Case {
        CPoint from, to;
        int32_t r;
        std::array<CPoint, 4> corners;
    };
    const Case cases[] = {
        // Axis-parallel: m +- r; 0-2 and 1-3 are the sides crossing the segment.
        {{0, 0}, {100, 0}, 7, {{{43, 7}, {57, -7}, {43, -7}, {57, 7}}}},
        {{0, 0}, {0, 100}, 7, {{{-7, 43}, {7, 57}, {7, 43}, {-7, 57}}}},
        // 45 degrees: A = B = trunc(7 cos 45) = 4.
        {{0, 0}, {100, 100}, 7, {{{42, 50}, {58, 50}, {50, 42}, {50, 58}}}},
        {{0, 100}, {100, 0}, 7, {{{50, 42}, {50, 58}, {58, 50}, {42, 50}}}},
        // atan(1/2): A = trunc(6.26) = 6, B = trunc(3.13) = 3.
        {{0, 0}, {100, 50}, 7, {{{41, 28}, {59, 22}, {47, 16}, {53, 34}}}},
        // The same segment drawn backwards gives the same square.
        {{100, 50}, {0, 0}, 7, {{{41, 28}, {59, 22}, {47, 16}, {53, 34}}}},
        // Signs differ: dx < 0, dy > 0.
        {{100, 0}, {0, 50}, 7, {{{53, 16}, {47, 34}, {59, 28}, {41, 22}}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TurnedSquare(c.from, c.to, c.r), c.corners)
            << c.from.x << "," << c.from.y << " - " << c.to.x << "," << c.to.y;
    }
}

TEST(SymbolGeometryTest, IsolatorBlade) {
    struct Case {
        CPoint from, to;
        CPoint gapFrom, gapTo;
        bool penWidth;
        CPoint bladeTo;
    };
    const Case cases[] = {
        {{0, 0}, {100, 0}, {51, 0}, {62, 0}, true, {62, 12}},
        {{100, 0}, {0, 0}, {51, 0}, {62, 0}, true, {62, 12}},
        {{0, 0}, {0, 100}, {0, 51}, {0, 62}, true, {12, 62}},
        // A = B = trunc(12 cos 45) = 8.
        {{0, 0}, {100, 100}, {50, 50}, {58, 58}, false, {66, 50}},
        {{0, 100}, {100, 0}, {50, 50}, {42, 58}, false, {50, 66}},
    };
    for (const Case& c : cases) {
        const IsolatorBlade blade = IsolatorGeometry(c.from, c.to);
        EXPECT_EQ(blade.gapFrom, c.gapFrom);
        EXPECT_EQ(blade.gapTo, c.gapTo);
        EXPECT_EQ(blade.gapInPenWidth, c.penWidth);
        EXPECT_EQ(blade.bladeFrom, Midpoint(c.from, c.to));
        EXPECT_EQ(blade.bladeTo, c.bladeTo);
    }
}

TEST(SymbolGeometryTest, EquipmentRingsSitBeforeAndAfterTheMidpoint) {
    using Rings = std::array<CPoint, 2>;
    EXPECT_EQ(EquipmentRingCentres({0, 0}, {100, 0}), (Rings{{{47, 0}, {53, 0}}}));
    EXPECT_EQ(EquipmentRingCentres({100, 0}, {0, 0}), (Rings{{{53, 0}, {47, 0}}}));
    EXPECT_EQ(EquipmentRingCentres({0, 100}, {0, 0}), (Rings{{{0, 53}, {0, 47}}}));
    // trunc(3 cos 45) = 2.
    EXPECT_EQ(EquipmentRingCentres({0, 100}, {100, 0}), (Rings{{{48, 52}, {52, 48}}}));
}

// ---- Creation ----

TEST_F(ModeTest, CreatesEachTypeWithItsPenAndTypeName) {
    struct Case {
        WidgetType type;
        const char* name;
        uint32_t width;
    };
    const Case cases[] = {
        {WidgetType::Line, "Line", 1},
        {WidgetType::CircuitBreaker, "CircuitBreaker", 1},
        {WidgetType::Fuse, "Fuse", 1},
        {WidgetType::Recloser, "Recloser", 1},
        {WidgetType::Isolator, "Isolator", 1},
        {WidgetType::BusBar, "Bus Bar", 2},
        {WidgetType::LoadPoint, "Load Point", 1},
        {WidgetType::GenSource, "GenSource", 1},
        {WidgetType::Equipment, "Equipment", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COrvaneDoc fresh;
        FakeSurface drawing;
        auto tool = MakeMode(c.type, &fresh, &host);
        ASSERT_EQ(tool->Type(), c.type);
        host.anchor = {98, 103};
        tool->OnLButtonUp(FlagNone, {203, 96}, drawing);

        ASSERT_EQ(CollectionSize(fresh, c.type), 1);
        CWidget* created = CollectionAt(fresh, c.type, 0);
        EXPECT_EQ(tool->GetWidget(), created);
        EXPECT_EQ(fresh.m_typeOrder, std::vector<std::string>{c.name});
        EXPECT_TRUE(fresh.IsModified());
        EXPECT_EQ(PenOf(*created), std::make_pair(c.width, 0x808080u));
        if (IsOnePointType(c.type)) {
            // Placed where the button came up, snapped.
            EXPECT_EQ(created->GetPoint1(), (CPoint{200, 100}));
        } else {
            EXPECT_EQ(created->GetPoint1(), (CPoint{100, 100}));
            EXPECT_EQ(created->GetPoint2(), (CPoint{200, 100}));
        }
        ASSERT_EQ(drawing.drawn.size(), 1u);
        EXPECT_EQ(drawing.drawn[0].first, created);
        EXPECT_TRUE(drawing.drawn[0].second);
    }
    doc.m_toggle = 0;
    Create(WidgetType::Fuse, {0, 0}, {100, 0});
    EXPECT_FALSE(surface.drawn.back().second) << "no end markers while toggled off";
}

TEST_F(ModeTest, FailedAddLeavesTheDocumentAlone) {
    for (WidgetType type : {WidgetType::Recloser, WidgetType::GenSource}) {
        COrvaneDoc fresh;
        FakeHost freshHost;
        FakeSurface drawing;
        auto tool = MakeMode(type, &fresh, &freshHost);
        g_failNextAllocation = true;
        tool->OnLButtonUp(FlagNone, {50, 50}, drawing);
        g_failNextAllocation = false;
        EXPECT_EQ(CollectionSize(fresh, type), 0);
        EXPECT_TRUE(fresh.m_typeOrder.empty());
        EXPECT_FALSE(fresh.IsModified());
        EXPECT_TRUE(drawing.drawn.empty());
        EXPECT_EQ(tool->GetWidget(), nullptr);
        EXPECT_EQ(freshHost.invalidateAll, 1); // the repaint still happens
    }
}

TEST_F(ModeTest, AdaptiveCreationLinesUpBeforeSnapping) {
    doc.m_adaptiveDrawing = 1;
    struct Case {
        int32_t pitch;
        CPoint up, end2;
    };
    const Case cases[] = {
        {0, {160, 130}, {160, 100}},
        {0, {130, 160}, {100, 160}},
        {0, {150, 150}, {150, 100}},
        // Snapping first would turn (147, 153) into (150, 150), which goes horizontal.
        {10, {147, 153}, {100, 150}},
    };
    for (const Case& c : cases) {
        doc.m_snapPixel = c.pitch;
        CWidget* line = Create(WidgetType::Line, {100, 100}, c.up);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->GetPoint1(), (CPoint{100, 100}));
        EXPECT_EQ(line->GetPoint2(), c.end2) << c.up.x << "," << c.up.y;
    }
}

// ---- Rubber band ----

TEST_F(ModeTest, RubberBandErasesTheOldSegmentAndDrawsTheNew) {
    host.anchor = {10, 10};
    host.lastPoint = {50, 20};
    auto line = MakeMode(WidgetType::Recloser, &doc, &host);
    line->OnRubberBand(FlagNone, {60, 30}, surface);
    using Segment = std::pair<CPoint, CPoint>;
    EXPECT_EQ(surface.xors, (std::vector<Segment>{{{10, 10}, {50, 20}}, {{10, 10}, {60, 30}}}));

    surface.xors.clear();
    MakeMode(WidgetType::LoadPoint, &doc, &host)->OnRubberBand(FlagNone, {60, 30}, surface);
    MakeMode(WidgetType::GenSource, &doc, &host)->OnRubberBand(FlagNone, {60, 30}, surface);
    EXPECT_TRUE(surface.xors.empty());
}

// ---- Probing ----

TEST_F(ModeTest, ProbeFindsTheFirstComponentUnderThePoint) {
    CWidget* first = Create(WidgetType::Line, {100, 100}, {300, 100});
    Create(WidgetType::Line, {200, 100}, {400, 100});
    surface = FakeSurface{};

    auto probe = Probe(WidgetType::Line, {250, 101});
    EXPECT_TRUE(probe->IsHit());
    EXPECT_EQ(probe->GetWidget(), first);
    EXPECT_EQ(surface.selected, std::vector<const CWidget*>{first});

    auto miss = Probe(WidgetType::Line, {250, 150});
    EXPECT_FALSE(miss->IsHit());
    EXPECT_EQ(miss->GetWidget(), nullptr);
    EXPECT_EQ(surface.selected.size(), 1u);

    // Other types' probes search only their own collection.
    EXPECT_FALSE(Probe(WidgetType::Fuse, {250, 101})->IsHit());
}

TEST_F(ModeTest, EndHandleWinsOverTheBody) {
    CWidget* line = Create(WidgetType::Line, {100, 100}, {200, 100});
    // (103, 100) lies on the body and in end 1's handle: an end drag.
    auto probe = Probe(WidgetType::Line, {103, 100});
    ASSERT_TRUE(probe->IsHit());
    probe->OnMouseMove(FlagNone, {121, 139}, surface);
    EXPECT_EQ(line->GetPoint1(), (CPoint{120, 140}));
    EXPECT_EQ(line->GetPoint2(), (CPoint{200, 100}));
    EXPECT_EQ(host.cursors.back(), CursorShape::SizeDiagonal);

    // End 2 likewise.
    auto probe2 = Probe(WidgetType::Line, {198, 101});
    probe2->OnMouseMove(FlagNone, {250, 100}, surface);
    EXPECT_EQ(line->GetPoint1(), (CPoint{120, 140}));
    EXPECT_EQ(line->GetPoint2(), (CPoint{250, 100}));

    // On the body away from the ends: a move of the whole line.
    auto body = Probe(WidgetType::Line, {185, 121});
    ASSERT_TRUE(body->IsHit());
    body->OnMouseMove(FlagNone, {185, 131}, surface);
    EXPECT_EQ(line->GetPoint1(), (CPoint{120, 150}));
    EXPECT_EQ(line->GetPoint2(), (CPoint{250, 110}));
    EXPECT_EQ(host.cursors.back(), CursorShape::Move);
}

TEST_F(ModeTest, WhenBothEndHandlesHitEndTwoMoves) {
    doc.m_snapPixel = 0;
    CWidget* line = Create(WidgetType::Fuse, {100, 100}, {104, 100});
    auto probe = Probe(WidgetType::Fuse, {102, 100});
    probe->OnMouseMove(FlagNone, {150, 100}, surface);
    EXPECT_EQ(line->GetPoint1(), (CPoint{100, 100}));
    EXPECT_EQ(line->GetPoint2(), (CPoint{150, 100}));
}

// ---- Moving ----

TEST_F(ModeTest, MovesWithAndWithoutSnapping) {
    struct Case {
        int32_t pitch;
        std::vector<CPoint> path; // pointer positions after the button went down at (150, 100)
        CPoint end1, end2;
    };
    const Case cases[] = {
        {0, {{153, 104}}, {103, 104}, {203, 104}},
        {0, {{153, 104}, {140, 90}}, {90, 90}, {190, 90}},
        // Less than half a pitch: nothing moves.
        {10, {{154, 104}}, {100, 100}, {200, 100}},
        {10, {{146, 96}}, {100, 100}, {200, 100}},
        // More: whole pitches, still on the grid.
        {10, {{155, 100}}, {110, 100}, {210, 100}},
        {10, {{157, 113}}, {110, 110}, {210, 110}},
        {10, {{157, 113}, {181, 96}}, {130, 100}, {230, 100}},
        {10, {{126, 74}}, {80, 70}, {180, 70}},
    };
    for (const Case& c : cases) {
        COrvaneDoc fresh;
        fresh.m_snapPixel = c.pitch;
        CLine* line = fresh.GetLines().Add(CPoint{100, 100}, CPoint{200, 100}, 1u, 0x808080u);
        fresh.m_typeOrder.emplace_back("Line");
        auto mode = MakeMode(WidgetType::Line, &fresh, &host);
        mode->SetWidget(line);
        mode->BeginMove({150, 100});
        for (CPoint p : c.path) {
            mode->OnMouseMove(FlagNone, p, surface);
        }
        EXPECT_EQ(line->GetPoint1(), c.end1) << "pitch " << c.pitch;
        EXPECT_EQ(line->GetPoint2(), c.end2) << "pitch " << c.pitch;
        EXPECT_TRUE(fresh.IsModified());
    }
}

TEST_F(ModeTest, OnePointComponentsMoveButHaveNoEndsToDrag) {
    CWidget* load = Create(WidgetType::LoadPoint, {0, 0}, {100, 100});
    auto mode = MakeMode(WidgetType::LoadPoint, &doc, &host);
    mode->SetWidget(load);
    mode->BeginMove({102, 98});
    mode->OnMouseMove(FlagNone, {126, 98}, surface);
    EXPECT_EQ(load->GetPoint1(), (CPoint{130, 100}));

    // (141, 113) is in the lower-right handle: an end drag, which moves nothing.
    auto probe = Probe(WidgetType::LoadPoint, {141, 113});
    ASSERT_TRUE(probe->IsHit());
    doc.SetModified(false);
    probe->OnMouseMove(FlagNone, {200, 200}, surface);
    EXPECT_EQ(load->GetPoint1(), (CPoint{130, 100}));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ModeTest, EndDragSnapsThenLinesUpAgainstTheOtherEnd) {
    doc.m_adaptiveDrawing = 1;
    CWidget* line = Create(WidgetType::Equipment, {100, 100}, {200, 100});
    auto probe = Probe(WidgetType::Equipment, {200, 100});
    // Snapped to (160, 130), then made horizontal against end 1.
    probe->OnMouseMove(FlagNone, {163, 128}, surface);
    EXPECT_EQ(line->GetPoint2(), (CPoint{160, 100}));
    // End 1 against end 2.
    auto probe1 = Probe(WidgetType::Equipment, {100, 100});
    probe1->OnMouseMove(FlagNone, {158, 31}, surface);
    EXPECT_EQ(line->GetPoint1(), (CPoint{160, 30}));
}

// ---- Repainting ----

TEST_F(ModeTest, RegionalRepaintRectangles) {
    doc.m_regionalRedraw = true;
    doc.m_snapPixel = 10;
    struct Case {
        WidgetType type;
        CRect afterCreate, afterDrag;
    };
    // Created from (100, 100) to (200, 150), then dragged by (10, 0).
    const Case cases[] = {
        {WidgetType::Line, {90, 90, 210, 160}, {90, 80, 230, 170}},
        {WidgetType::BusBar, {90, 90, 210, 160}, {90, 80, 230, 170}},
        {WidgetType::CircuitBreaker, {87, 87, 213, 163}, {87, 77, 233, 173}},
        {WidgetType::Equipment, {87, 87, 213, 163}, {87, 77, 233, 173}},
        // One point, at (200, 150): from 9 above-left to 13 below-right, grown by pitch + 13.
        {WidgetType::LoadPoint, {168, 118, 236, 186}, {178, 118, 246, 186}},
        {WidgetType::GenSource, {168, 118, 236, 186}, {178, 118, 246, 186}},
    };
    for (const Case& c : cases) {
        FakeHost fresh;
        auto tool = MakeMode(c.type, &doc, &fresh);
        fresh.anchor = {100, 100};
        tool->OnLButtonUp(FlagNone, {200, 150}, surface);
        ASSERT_EQ(fresh.invalidated.size(), 1u);
        EXPECT_EQ(fresh.invalidated[0], c.afterCreate) << TypeName(c.type);

        auto mode = MakeMode(c.type, &doc, &fresh);
        mode->SetWidget(tool->GetWidget());
        mode->BeginMove({150, 125});
        mode->OnMouseMove(FlagNone, {160, 125}, surface);
        ASSERT_EQ(fresh.invalidated.size(), 2u);
        EXPECT_EQ(fresh.invalidated[1], c.afterDrag) << TypeName(c.type);
        EXPECT_EQ(fresh.invalidateAll, 0);
    }
}

TEST_F(ModeTest, FullRepaintWithoutRegionalRedraw) {
    auto tool = MakeMode(WidgetType::Line, &doc, &host);
    tool->OnLButtonUp(FlagNone, {50, 50}, surface);
    tool->BeginMove({25, 25});
    tool->OnMouseMove(FlagNone, {45, 25}, surface);
    // After a creation the tool's action is none: pointer moves change nothing.
    EXPECT_EQ(host.invalidateAll, 1);
    EXPECT_TRUE(host.invalidated.empty());
    auto mode = MakeMode(WidgetType::Line, &doc, &host);
    mode->SetWidget(tool->GetWidget());
    mode->BeginMove({25, 25});
    mode->OnMouseMove(FlagNone, {45, 25}, surface);
    EXPECT_EQ(host.invalidateAll, 2);
}

// ---- Selecting, binding, deleting, dialogs ----

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
        {{700, 700, 800, 800}, {}},
    };
    for (const Case& c : cases) {
        auto probe = MakeMode(WidgetType::Line, &doc, &host);
        auto found = probe->SelectInRect(c.rect[0], c.rect[1], c.rect[2], c.rect[3]);
        std::vector<CWidget*> widgets;
        for (const auto& mode : found) {
            EXPECT_EQ(mode->Type(), WidgetType::Line);
            EXPECT_TRUE(mode->IsHit());
            EXPECT_EQ(mode->Document(), &doc);
            widgets.push_back(mode->GetWidget());
        }
        EXPECT_EQ(widgets, c.expected)
            << c.rect[0] << "," << c.rect[1] << "," << c.rect[2] << "," << c.rect[3];
    }
    // A selected mode drags its component.
    auto found = MakeMode(WidgetType::Line, &doc, &host)->SelectInRect(290, 290, 310, 310);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0]->HitBody({350, 302}));
    EXPECT_TRUE(found[0]->HitEnd({398, 300}));
    EXPECT_FALSE(found[0]->HitEnd({350, 300}));
    found[0]->BeginMove({350, 300});
    found[0]->OnMouseMove(FlagNone, {350, 320}, surface);
    EXPECT_EQ(b->GetPoint1(), (CPoint{300, 320}));
}

TEST_F(ModeTest, SetWidgetTakesTheLastIndexWithTheSameEnds) {
    CLineCollection& lines = doc.GetLines();
    CLine* thin = lines.Add(CPoint{0, 0}, CPoint{100, 0}, 1u, 0x808080u);
    lines.Add(CPoint{0, 0}, CPoint{100, 0}, 8u, 0x808080u);
    auto mode = MakeMode(WidgetType::Line, &doc, &host);
    mode->SetWidget(thin);
    EXPECT_EQ(mode->GetWidget(), thin);
    EXPECT_TRUE(mode->IsHit());
    // HitBody asks the component at the recorded index: the wide one, 11 pixels of tolerance.
    EXPECT_TRUE(mode->HitBody({50, 10}));
    EXPECT_FALSE(thin->HitTest({50, 10}));
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

TEST_F(ModeTest, ShowDialogForEveryTypeButTheBusBar) {
    for (WidgetType type : kAllTypes) {
        FakeHost fresh;
        auto tool = MakeMode(type, &doc, &fresh);
        fresh.anchor = {0, 0};
        tool->OnLButtonUp(FlagNone, {100, 100}, surface);
        auto mode = MakeMode(type, &doc, &fresh);
        mode->SetWidget(tool->GetWidget());
        mode->ShowDialog();
        const std::vector<CWidget*> expected = type == WidgetType::BusBar
                                                   ? std::vector<CWidget*>{}
                                                   : std::vector<CWidget*>{tool->GetWidget()};
        EXPECT_EQ(fresh.dialogs, expected) << TypeName(type);
    }
    // Unbound: nothing to open.
    FakeHost fresh;
    MakeMode(WidgetType::Line, &doc, &fresh)->ShowDialog();
    EXPECT_TRUE(fresh.dialogs.empty());
}

} // namespace
} // namespace orvane
