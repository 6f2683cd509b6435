#include "model/ComponentCollection.h"
#include "model/OrvaneDoc.h" // every component type and its collection
#include "model/TypeOrder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <new>
#include <utility>
#include <vector>

namespace orvane {
namespace {

TEST(TwoPointWidgetTest, BodyHitTest) {
    struct Case {
        CPoint p1, p2;
        uint32_t width;
        std::vector<CPoint> hits, misses;
    };
    const Case cases[] = {
        // Horizontal segment: only the vertically inflated box has height, and it is half-open.
        {{0, 0}, {100, 0}, 1, {{50, -4}, {50, 3}}, {{50, 4}, {50, -5}}},
        {{0, 0}, {100, 0}, 1, {{0, 0}, {99, 0}}, {{100, 0}, {-1, 0}}},
        // The pen width widens the tolerance.
        {{0, 0}, {100, 0}, 5, {{50, -8}, {50, 7}}, {{50, -9}}},
        // Vertical segment, mirror image.
        {{0, 0}, {0, 100}, 1, {{-4, 50}, {3, 50}}, {{4, 50}}},
        // Diagonal: inside the inflated box but beyond P2 along the segment, then on it.
        {{0, 0}, {100, 100}, 1, {{99, 97}, {50, 47}}, {{103, 99}, {50, 40}}},
        // Drawn backwards: the box is normalised first.
        {{100, 0}, {0, 0}, 1, {{50, -4}}, {}},
        {{100, 100}, {0, 0}, 1, {{99, 97}}, {}},
        // Zero length: never hit on the body, not even at its own point.
        {{10, 10}, {10, 10}, 1, {}, {{10, 10}, {11, 10}}},
    };
    for (const Case& c : cases) {
        const CLine line(c.p1, c.p2, c.width, 0x808080);
        for (const bool hit : {true, false})
            for (const CPoint q : hit ? c.hits : c.misses)
                EXPECT_EQ(line.HitTest(q), hit)
                    << "(" << c.p1.x << "," << c.p1.y << ")-(" << c.p2.x << "," << c.p2.y << ") w"
                    << c.width << " at (" << q.x << "," << q.y << ")";
    }
}

TEST(TwoPointWidgetTest, EndHandlesAreTenPixelBoxes) {
    const CPoint end{100, 100};
    const std::pair<CPoint, bool> cases[] = {
        {{95, 95}, true},    {{104, 104}, true}, {{100, 100}, true}, {{105, 100}, false},
        {{100, 105}, false}, {{94, 100}, false}, {{100, 94}, false}};
    const CFuse atEnd1(end, {300, 300}, 1, 0);
    const CFuse atEnd2({300, 300}, end, 1, 0);
    for (const auto& [q, inside] : cases) {
        EXPECT_EQ(atEnd1.HitTestEnd1(q), inside) << q.x << "," << q.y;
        EXPECT_EQ(atEnd2.HitTestEnd2(q), inside) << q.x << "," << q.y;
        EXPECT_FALSE(atEnd1.HitTestEnd2(q));
        EXPECT_FALSE(atEnd2.HitTestEnd1(q));
    }
    // A zero-length widget is still reached through its handles.
    const CLine dot({10, 10}, {10, 10}, 1, 0);
    EXPECT_TRUE(dot.HitTestEnd1({10, 10}));
    EXPECT_TRUE(dot.HitTestEnd2({14, 14}));
}

TEST(OnePointWidgetTest, BodyAndHandleBoxes) {
    struct Case {
        CPoint q;
        bool body, end1, end2;
    };
    const Case cases[] = {{{100, 100}, true, false, false}, {{89, 89}, true, true, false},
                          {{110, 110}, true, false, true},  {{111, 100}, false, false, false},
                          {{88, 100}, false, false, false}, {{86, 86}, false, true, false},
                          {{95, 95}, true, true, false},    {{96, 90}, true, false, false},
                          {{85, 90}, false, false, false},  {{108, 108}, true, false, true},
                          {{117, 117}, false, false, true}, {{118, 110}, false, false, false},
                          {{107, 110}, true, false, false}};
    const CLoadPoint load({100, 100}, 2, 0x0000FF);
    const CGenSource source({100, 100}, 2, 0x0000FF);
    for (const Case& c : cases) {
        for (const CWidget* w : std::initializer_list<const CWidget*>{&load, &source}) {
            EXPECT_EQ(w->HitTest(c.q), c.body) << w->ClassName() << " " << c.q.x << "," << c.q.y;
            EXPECT_EQ(w->HitTestEnd1(c.q), c.end1) << w->ClassName() << " " << c.q.x;
            EXPECT_EQ(w->HitTestEnd2(c.q), c.end2) << w->ClassName() << " " << c.q.x;
        }
    }
}

// Sets the nodes of a component.
template <class W> W Nodes(W widget, int32_t node1, int32_t node2 = -1) {
    widget.m_node1 = node1;
    widget.m_node2 = node2;
    return widget;
}

TEST(ComponentTest, DefinitionTexts) {
    const CLine bare = Nodes(CLine({0, 0}, {10, 0}, 1, 0), 0, 1);
    CLine full = bare;
    full.m_length = 2.5;
    full.m_capacity = 100;
    full.m_failure1 = 0.2;
    full.m_failure2 = 1.5;
    full.m_isolation1 = 1;
    full.m_repair2 = 4;
    full.m_notes = "never written";

    CEquipment equipment = Nodes(CEquipment({0, 0}, {10, 0}, 1, 0), 3, 4);
    equipment.m_failure2 = 1.5;
    CCircuitBreaker breaker = Nodes(CCircuitBreaker(), 2, 3);
    breaker.m_capacity = 1234567;
    const CFuse fuse = Nodes(CFuse(), 0, 5);
    CIsolator isolator = Nodes(CIsolator(), 7, 8);
    isolator.m_capacity = 0.05;
    CRecloser recloser = Nodes(CRecloser(), 1, 2);
    recloser.m_reclose1 = 0.5;
    CGenSource source = Nodes(CGenSource(), 0, 99); // the second node is never written
    source.m_capacity = 50;
    const CLoadPoint newLoad = Nodes(CLoadPoint(), 1); // its name, "LP", is the only one given
    CLoadPoint unnamed = Nodes(CLoadPoint(), 2);
    unnamed.m_name.clear();
    CLoadPoint load = Nodes(CLoadPoint(), 4);
    load.m_customers = 120;
    load.m_average = 1.5;
    load.m_peak = 3;
    load.m_name = "North \"A\"";
    load.m_profile = {CUDouble(1), CUDouble(0.5), CUDouble(2)};
    load.m_cost = {{0, 0.5}, {1, 5.5}, {1234567, 1e-7}};

    const CBusBar bar({0, 0}, {100, 0}, 3, 0);

    const std::pair<const CWidget*, const char*> cases[] = {
        {&bare, "line: connect = 0., 1.;\\\n\n"},
        {&full, "line: connect = 0., 1.;\\\nlength = 2.5;\\\ncapacity = 100.;\\\n"
                "failure = 0.2, 1.5;\\\nisolation = 1.;\\\nrepair = 4.;\\\n\n"},
        {&equipment, "equipment: connect = 3., 4.;\\\nfailure = 1.5;\\\n\n"},
        {&breaker, "breaker: connect = 2., 3.;\\\ncapacity = 1.23457e+006;\\\n\n"},
        {&fuse, "fuse: connect = 0., 5.;\\\n\n"},
        {&isolator, "isolator: connect = 7., 8.;\\\ncapacity = 5.e-002;\\\n\n"},
        {&recloser, "recloser: connect = 1., 2.;\\\nreclose = 0.5;\\\n\n"},
        {&source, "source: connect = 0.;\\\ncapacity = 50.;\\\n\n"},
        {&newLoad, "load: connect = 1.;\\\nname = \"LP\";\\\n\n"},
        {&load, "load: connect = 4.;\\\ncustomers = 120.;\\\naverage = 1.5;\\\npeak = 3.;\\\n"
                "name = \"North \"A\"\";\\\nprofile = 1. ,0.5 ,2.;\\\n"
                "cost = 0., 0.5, 1., 5.5, 1.23457e+006, 1.e-007;\\\n\n"},
        {&unnamed, "load: connect = 2.;\\\n\n"},
        {&bar, ""},
    };
    for (const auto& [widget, text] : cases)
        EXPECT_EQ(widget->GetNDL(), text) << widget->ClassName();
}

// Throws from its constructor on request, to stand for running out of memory.
class FailingLine : public CLine {
public:
    explicit FailingLine(bool fail) {
        if (fail)
            throw std::bad_alloc();
    }
};

// Adding, removing and finding through the document's collections are ChangeTest's.
TEST(CollectionTest, OutOfMemoryLeavesTheCollectionUnchanged) {
    CComponentCollection<FailingLine> lines;
    ASSERT_NE(lines.Add(false), nullptr);
    EXPECT_EQ(lines.Add(true), nullptr);
    EXPECT_EQ(lines.GetSize(), 1);
}

TEST(TypeOrderTest, NamesBothWays) {
    using enum WidgetType;
    const WidgetType types[] = {Line,   CircuitBreaker, Fuse,      Recloser, Isolator,
                                BusBar, LoadPoint,      GenSource, Equipment};
    const char* names[] = {"Line",    "CircuitBreaker", "Fuse",      "Recloser", "Isolator",
                           "Bus Bar", "Load Point",     "GenSource", "Equipment"};
    for (size_t i = 0; i < std::size(types); ++i) {
        EXPECT_STREQ(TypeName(types[i]), names[i]);
        EXPECT_EQ(TypeFromName(names[i]), types[i]) << names[i];
    }
    for (const char* other : {"BusBar", "LoadPoint", "line", "", "Line "})
        EXPECT_FALSE(TypeFromName(other).has_value()) << other;
}

// One visit of the walk: which widget, at which list position.
using Visit = std::pair<const CWidget*, int>;

std::vector<Visit> Walk(const COrvaneDoc& doc) {
    std::vector<Visit> visits;
    ForEachWidget(doc, [&](CWidget& w, int position) { visits.emplace_back(&w, position); });
    return visits;
}

TEST(TypeOrderTest, WalksInCreationOrderPastRemovalsAndSurplus) {
    COrvaneDoc doc;
    CLine* l0 = doc.GetLines().Add(CPoint{0, 0}, CPoint{1, 0}, 1u, 0u);
    CFuse* f0 = doc.GetFuses().Add(CPoint{0, 0}, CPoint{1, 0}, 1u, 0u);
    CLine* l1 = doc.GetLines().Add(CPoint{0, 0}, CPoint{1, 0}, 1u, 0u);
    CLoadPoint* p0 = doc.GetLoadPoints().Add(CPoint{5, 5}, 1u, 0u);
    CLine* l2 = doc.GetLines().Add(CPoint{0, 0}, CPoint{1, 0}, 1u, 0u);
    CBusBar* b0 = doc.GetBusBars().Add(CPoint{0, 0}, CPoint{1, 0}, 1u, 0u);
    doc.m_typeOrder = {"Line", "Fuse", "Line", "Load Point", "Line", "Bus Bar"};

    EXPECT_EQ(Walk(doc),
              (std::vector<Visit>{{l0, 0}, {f0, 1}, {l1, 2}, {p0, 3}, {l2, 4}, {b0, 5}}));
    std::vector<int> seen; // a walker that returns false ends the walk
    ForEachWidget(doc, [&](CWidget&, int position) {
        seen.push_back(position);
        return position < 1;
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));

    // Removing the middle line moves the later one to its entry; the last line entry is left
    // without a component and passed over.
    auto removed = doc.GetLines().RemoveAt(1);
    EXPECT_EQ(Walk(doc), (std::vector<Visit>{{l0, 0}, {f0, 1}, {l2, 2}, {p0, 3}, {b0, 5}}));

    // Entries from a file that match nothing: surplus types and names of no type.
    doc.m_typeOrder = {"Fuse",       "Fuse",       "Nonsense", "Line",
                       "Load Point", "Load Point", "Line",     "Line"};
    EXPECT_EQ(Walk(doc), (std::vector<Visit>{{f0, 0}, {l0, 3}, {p0, 4}, {l2, 6}}));

    // A component without an entry is never reached.
    doc.m_typeOrder = {"Line"};
    EXPECT_EQ(Walk(doc), (std::vector<Visit>{{l0, 0}}));
}

} // namespace
} // namespace orvane
