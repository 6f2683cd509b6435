#include "model/NDLGenerator.h"
#include "model/NetworkDrawing.h"
#include "model/WidgetVisit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvane {
namespace {

using test::NetworkDrawing;

// A feeder as saved: source, line and load point, with the modified mark cleared.
struct Saved : NetworkDrawing {
    CGenSource* source = Source({0, 0});
    CLine* line = Line({0, 0}, {100, 0});
    CLoadPoint* load = Load({100, 0});
    Saved() { doc.SetModified(false); }
};

TEST(DocumentChangeTest, EachChangeDoesItsWorkAndMarksTheDocument) {
    struct Case {
        const char* what;
        std::function<void(Saved&)> change;
        std::function<void(Saved&)> check;
    };
    const Case cases[] = {
        {"add",
         [](Saved& d) {
             ASSERT_NE(d.Fuse({0, 10}, {0, 20}), nullptr);
         },
         [](Saved& d) {
             EXPECT_EQ(d.doc.GetFuses().GetSize(), 1);
             EXPECT_EQ(d.doc.m_typeOrder.back(), "Fuse");
         }},
        {"remove", [](Saved& d) { EXPECT_TRUE(d.doc.Remove(*d.line)); },
         [](Saved& d) {
             EXPECT_EQ(d.doc.GetLines().GetSize(), 0);
             // The entry stays for the walks to pass over, and the component stays alive.
             EXPECT_EQ(d.doc.m_typeOrder.size(), 3u);
             EXPECT_EQ(d.line->GetPoint2(), (CPoint{100, 0}));
         }},
        {"move two ends",
         [](Saved& d) {
             d.doc.Move(*d.line, {5, 6}, {7, 8});
         },
         [](Saved& d) {
             EXPECT_EQ(d.line->GetPoint1(), (CPoint{5, 6}));
             EXPECT_EQ(d.line->GetPoint2(), (CPoint{7, 8}));
         }},
        {"move a one-point component to its second point",
         [](Saved& d) {
             d.doc.Move(*d.load, {1, 1}, {9, 9});
         },
         [](Saved& d) {
             EXPECT_EQ(d.load->GetPoint1(), (CPoint{9, 9}));
         }},
        {"attributes",
         [](Saved& d) {
             CLine values = *d.line;
             values.m_failure1 = 0.1;
             EXPECT_TRUE(d.doc.SetAttributes(*d.line, values));
         },
         [](Saved& d) { EXPECT_EQ(d.line->m_failure1, 0.1); }},
        {"simulation settings",
         [](Saved& d) { EXPECT_TRUE(d.doc.SetSettings({.quantsPerDay = 24})); },
         [](Saved& d) { EXPECT_EQ(d.doc.GetSettings().quantsPerDay, 24); }},
        {"workspace settings",
         [](Saved& d) {
             d.doc.SetWorkspaceSettings({.width = 1600, .height = 1200, .snapPixel = 0});
         },
         [](Saved& d) {
             EXPECT_EQ(d.doc.GetWorkspaceSettings(),
                       (CWorkspaceSettings{.width = 1600, .height = 1200, .snapPixel = 0}));
             EXPECT_EQ(d.doc.m_totalSize, (CSize{1600, 1200})) << "the scroll extent follows";
         }},
        {"result path", [](Saved& d) { d.doc.SetResultPath(nullptr, "T/T.htm"); },
         [](Saved& d) { EXPECT_EQ(d.doc.GetResultPath(), "T/T.htm"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Saved d;
        c.change(d);
        c.check(d);
        EXPECT_TRUE(d.doc.IsModified());
    }
}

TEST(DocumentChangeTest, ChangesThatChangeNothingLeaveTheMarkAlone) {
    Saved d;
    EXPECT_FALSE(d.doc.SetSettings(d.doc.GetSettings())) << "OK on an unchanged dialog";
    const std::unique_ptr<CWidget> stranger = CopyWidget(*d.line);
    EXPECT_FALSE(d.doc.Remove(*stranger)) << "not in the drawing";
    CFuse fuse;
    fuse.m_capacity = 3;
    EXPECT_FALSE(d.doc.SetAttributes(*d.line, fuse)) << "another type";
    EXPECT_EQ(d.line->m_capacity, -1.0);
    EXPECT_EQ(d.doc.GetLines().GetSize(), 1);
    EXPECT_FALSE(d.doc.IsModified());
}

TEST(DocumentChangeTest, AttributesReplaceAllButGeometryPenAndNodes) {
    Saved d;
    d.load->m_node1 = 7;
    CLoadPoint values = *d.load;
    values.m_name = "Works";
    values.m_customers = 3;
    values.m_profile = {CUDouble(1), CUDouble(0.5)};
    values.m_cost = {{1, 5}};
    values.m_point1 = {500, 500};
    values.m_width = 4;
    values.m_color = 0xFF;
    values.m_node1 = -1;
    ASSERT_TRUE(d.doc.SetAttributes(*d.load, values));
    EXPECT_EQ(d.load->m_name, "Works");
    EXPECT_EQ(d.load->m_customers, 3);
    ASSERT_EQ(d.load->m_profile.size(), 2u);
    EXPECT_EQ(d.load->m_profile[1].GetValue(), 0.5);
    EXPECT_EQ(d.load->m_cost, (CCostCurve{{1, 5}}));
    EXPECT_EQ(d.load->m_point1, (CPoint{100, 0}));
    EXPECT_EQ(d.load->m_width, 1u);
    EXPECT_EQ(d.load->m_color, 0u);
    EXPECT_EQ(d.load->m_node1, 7);
}

// A property dialog edits a copy; for every type the copy is the component, class and all.
TEST(DocumentChangeTest, CopiesKeepClassAttributesAndGeometry) {
    NetworkDrawing d;
    CLine* line = d.Line({0, 0}, {10, 0});
    line->m_length = 2.5;
    d.Breaker({0, 0}, {5, 0})->m_capacity = 9;
    d.Fuse({0, 0}, {0, 5});
    d.Recloser({0, 0}, {5, 5})->m_reclose1 = 0.5;
    d.Isolator({1, 0}, {2, 0});
    d.BusBar({3, 0}, {3, 9});
    CLoadPoint* load = d.Load({10, 0});
    load->m_profile = {CUDouble(2)};
    load->m_cost = {{1, 5}}; // kept apart from the load point's record
    d.Source({0, 0})->m_capacity = 10;
    d.Equipment({10, 0}, {20, 0})->m_failure1 = 0.02;
    int visited = 0;
    ForEachWidget(d.doc, [&](CWidget& w, int) {
        ++visited;
        const std::unique_ptr<CWidget> copy = CopyWidget(w);
        EXPECT_EQ(copy->ClassName(), std::string(w.ClassName()));
        EXPECT_EQ(copy->GetNDL(), w.GetNDL()) << w.ClassName();
        EXPECT_EQ(copy->GetPoint2(), w.GetPoint2()) << w.ClassName();
    });
    EXPECT_EQ(visited, kWidgetTypeCount);
}

TEST(DocumentInverseTest, InversesOfChangesThatDidNotHappenChangeNothing) {
    Saved d;
    CLine* second = d.Line({100, 0}, {200, 0});
    const std::unique_ptr<CWidget> stranger = CopyWidget(*d.load);
    ASSERT_TRUE(d.doc.Remove(*d.load));
    d.doc.SetModified(false);
    const std::string bytes = d.doc.StoreBytes();
    EXPECT_EQ(d.doc.IndexOf(*second), 1);
    EXPECT_EQ(d.doc.IndexOf(*d.load), -1);
    EXPECT_EQ(d.doc.IndexOf(*stranger), -1);
    EXPECT_FALSE(d.doc.Withdraw(*d.line)) << "not the last of its collection";
    EXPECT_FALSE(d.doc.Withdraw(*stranger)) << "not in the drawing";
    EXPECT_FALSE(d.doc.Withdraw(*d.load)) << "removed already";
    EXPECT_FALSE(d.doc.Reinsert(*d.line, 0)) << "still in the drawing";
    EXPECT_FALSE(d.doc.Reinsert(*stranger, 0)) << "never in the drawing";
    EXPECT_FALSE(d.doc.Reinsert(*d.load, 1)) << "past the end";
    EXPECT_FALSE(d.doc.Reinsert(*d.load, -1));
    EXPECT_FALSE(d.doc.AddAgain(*second)) << "still in the drawing";
    EXPECT_FALSE(d.doc.AddAgain(*stranger));
    EXPECT_EQ(d.doc.StoreBytes(), bytes);
    EXPECT_FALSE(d.doc.IsModified());
    // A removed component cannot be withdrawn, but it can come back where it was.
    EXPECT_TRUE(d.doc.Reinsert(*d.load, 0));
    EXPECT_EQ(d.doc.IndexOf(*d.load), 0);
}

} // namespace
} // namespace orvane
