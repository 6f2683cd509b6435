#include "editor/OrvaneView.h"
#include "editor/ViewLogic.h"
#include "editor/ViewPrompter.h"
#include "model/CheckTexts.h"
#include "model/TypeOrder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_editor_view";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// ---- the pure parts

TEST(ViewLogicTest, ZoomInStepsFrom113To203ThenStays) {
    int zoom = kEditZoom;
    std::vector<int> seen;
    for (int i = 0; i < 10; ++i)
        seen.push_back(zoom = ZoomedIn(zoom));
    EXPECT_EQ(seen, (std::vector<int>{123, 133, 143, 153, 163, 173, 183, 193, 203, 203}));
}

TEST(ViewLogicTest, ZoomOutStepsFrom113To23ThenStays) {
    int zoom = kEditZoom;
    std::vector<int> seen;
    for (int i = 0; i < 10; ++i)
        seen.push_back(zoom = ZoomedOut(zoom));
    EXPECT_EQ(seen, (std::vector<int>{103, 93, 83, 73, 63, 53, 43, 33, 23, 23}));
}

TEST(ViewLogicTest, ZoomedExtentRoundsEachSideToNearest) {
    // 1024 * 1.23 = 1259.52 and 786 * 1.23 = 966.78.
    EXPECT_EQ(ZoomedExtent(CSize{1024, 786}, 123), (CSize{1260, 967}));
    // 1000 * 0.23 = 230 and 10 * 0.23 = 2.3.
    EXPECT_EQ(ZoomedExtent(CSize{1000, 10}, 23), (CSize{230, 2}));
    EXPECT_EQ(HundredthsToPixels(1260, 96.0), 1210); // 1209.6
}

TEST(ViewLogicTest, EditingStateAddsTheScrollOffsetOnly) {
    EXPECT_EQ(WindowToWorkspace(10, 20, 100, 50, false, 5.0), (CPoint{110, 70}));
    EXPECT_EQ(WindowToWorkspace(0, 0, 0, 0, false, 1.0), (CPoint{0, 0}));
}

TEST(ViewLogicTest, ZoomedStateDividesTheScaleOutRoundingDown) {
    const double scale = ZoomScale(200, 100.0); // 2 pixels per unit
    EXPECT_DOUBLE_EQ(scale, 2.0);
    EXPECT_EQ(WindowToWorkspace(9, 9, 0, 0, true, scale), (CPoint{4, 4}));
    EXPECT_EQ(WindowToWorkspace(10, 11, 0, 0, true, scale), (CPoint{5, 5}));
    EXPECT_EQ(WindowToWorkspace(0, 0, 20, 40, true, scale), (CPoint{10, 20}));
    EXPECT_EQ(WindowToWorkspace(-1, -3, 0, 0, true, scale), (CPoint{-1, -2}));
}

TEST(ViewLogicTest, WorkspaceRectangleMapsToTheWindowAndCoversIt) {
    EXPECT_EQ(WorkspaceToWindow(CRect{30, 40, 10, 20}, 5, 5, false, 1.0), (CRect{5, 15, 25, 35}));
    const CRect zoomed = WorkspaceToWindow(CRect{3, 3, 7, 7}, 0, 0, true, 1.5);
    EXPECT_EQ(zoomed, (CRect{4, 4, 11, 11})); // 4.5 down, 10.5 up
}

TEST(ViewLogicTest, StatusPanesShowTheCoordinatesSevenPixelsPerCharacter) {
    EXPECT_EQ(StatusXText(120), "x=120");
    EXPECT_EQ(StatusYText(-7), "y=-7");
    EXPECT_EQ(StatusPaneWidth("x=120"), 35);
}

TEST(ViewLogicTest, ToolMenuTexts) {
    const std::vector<std::string> expected = {"F&eeder",     "&Circuit Breaker", "&Fuse",
                                               "&Recloser",   "&Isolator",        "&Bus Bar",
                                               "&Load Point", "&Gen Source",      "E&quipment"};
    for (int t = 0; t < kWidgetTypeCount; ++t)
        EXPECT_EQ(ToolMenuText(static_cast<WidgetType>(t)), expected[static_cast<size_t>(t)]);
    EXPECT_STREQ(DebugMenuText, "&Debug\t\tF&8");
    EXPECT_STREQ(SimulateMenuText, "&Simulate\t\tF&7");
    EXPECT_STREQ(GenerateNdlMenuText, "Generate NDL\t\tF&9");
}

TEST(ViewLogicTest, SimulateMessagesAreVerbatim) {
    EXPECT_STREQ(QuantsPerDayWarning,
                 "Warning : Please assign a value for the attributes\nQuants per day in "
                 "Simulation Setting Dialog box.\n\nDo you want to continue?\n");
    EXPECT_STREQ(InvalidOutputNameMessage, "Error : Invalid output-file's name\nPlease contact "
                                           "the developer for more information");
}

TEST(ViewLogicTest, ReportsGoInADirectoryNamedAfterTheTitle) {
    const ReportPaths p = MakeReportPaths("/apps", "Feeder2");
    EXPECT_EQ(p.directory, "/apps/Feeder2");
    EXPECT_EQ(p.text, "/apps/Feeder2/Feeder2.txt");
    EXPECT_EQ(p.html, "/apps/Feeder2/Feeder2.htm");
    EXPECT_EQ(p.barImage, "/apps/Bar.bmp");
}

TEST(ViewLogicTest, ReportBaseIsTheProgramDirectoryWhenWritable) {
    EXPECT_EQ(ChooseReportBase("/opt/orvane", true, "/home/u/.local"), "/opt/orvane");
    EXPECT_EQ(ChooseReportBase("/opt/orvane", false, "/home/u/.local"), "/home/u/.local");
    EXPECT_EQ(ChooseReportBase("/opt/orvane", false, ""), "/opt/orvane");
}

TEST(ViewLogicTest, TitlesThatCannotNameADirectory) {
    EXPECT_TRUE(TitleNamesDirectory("Net"));
    EXPECT_TRUE(TitleNamesDirectory("Feeder 2"));
    EXPECT_FALSE(TitleNamesDirectory(""));
    EXPECT_FALSE(TitleNamesDirectory("."));
    EXPECT_FALSE(TitleNamesDirectory(".."));
    EXPECT_FALSE(TitleNamesDirectory("a/b"));
    EXPECT_FALSE(TitleNamesDirectory(std::string("a\0b", 3)));
}

TEST(ViewLogicTest, LoadPointAddressUsesTheReportAnchor) {
    EXPECT_EQ(LoadPointAddress("/r/Net.htm", "LP3"), "/r/Net.htm#LP3");
    EXPECT_EQ(LoadPointAddress("/r/Net.htm", "Elm St"), "/r/Net.htm#Elm_20St");
}

TEST(ViewLogicTest, ProgressLineForTheStatusBar) {
    EXPECT_EQ(ProgressStatusText(10, 1000, 12.3456),
              "Simulating: year 10 of 1000 (1%), 12.35 yrs/sec");
    EXPECT_EQ(ProgressStatusText(4000000000u, 4000000000u, 1.0),
              "Simulating: year 4000000000 of 4000000000 (100%), 1.00 yrs/sec");
}

// ---- the widget

struct Asked {
    QMessageBox::Icon icon;
    QString text;
    QMessageBox::StandardButtons buttons;
};

class FakePrompter : public CViewPrompter {
public:
    std::vector<Asked> asked;
    QMessageBox::StandardButton yesNoAnswer = QMessageBox::Yes;
    std::vector<CWidget*> edited;
    std::function<bool(COrvaneDoc&)> workspace = [](COrvaneDoc&) { return false; };
    std::function<bool(CSimulationSettings&)> simulation = [](CSimulationSettings&) {
        return false;
    };
    std::vector<QString> ndlTexts;
    std::vector<std::function<std::string()>> ndlSources;
    std::vector<QPointer<QDialog>> ndlWindows;

    QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) override {
        asked.push_back({icon, text, buttons});
        return buttons.testFlag(QMessageBox::Yes) ? yesNoAnswer : QMessageBox::Ok;
    }
    bool EditProperties(QWidget*, CWidget& widget) override {
        edited.push_back(&widget);
        return true;
    }
    bool EditWorkspaceSettings(QWidget*, COrvaneDoc& doc) override { return workspace(doc); }
    bool EditSimulationSettings(QWidget*, CSimulationSettings& settings) override {
        return simulation(settings);
    }
    QDialog* OpenNdlWindow(QWidget* parent, const QString& text,
                           std::function<std::string()> source) override {
        auto* window = new QDialog(parent);
        ndlTexts.push_back(text);
        ndlSources.push_back(std::move(source));
        ndlWindows.emplace_back(window);
        return window;
    }
};

class HintRecorder : public CDocObserver {
public:
    std::vector<std::string> hints;
    void OnDocumentUpdate(CDocObserver*, const std::string* hint) override {
        if (hint)
            hints.push_back(*hint);
    }
};

template <class C>
auto* AddTwo(COrvaneDoc& doc, C& collection, WidgetType type, CPoint a, CPoint b) {
    doc.m_typeOrder.emplace_back(TypeName(type));
    return collection.Add(a, b, 1u, 0x808080u);
}
template <class C> auto* AddOne(COrvaneDoc& doc, C& collection, WidgetType type, CPoint c) {
    doc.m_typeOrder.emplace_back(TypeName(type));
    return collection.Add(c, 1u, 0x808080u);
}

class ViewTest : public ::testing::Test {
protected:
    ViewTest() {
        App();
        doc.OnNewDocument();
        view = std::make_unique<COrvaneView>(doc);
        view->SetPrompter(&prompter);
        view->SetTitle("Net");
        view->SetReportBaseDirectory(dir.Path().string());
        view->resize(800, 600);
        view->show();
        vp = view->viewport();
    }
    ~ViewTest() override {
        view.reset();
        QCoreApplication::processEvents();
    }

    QPoint At(CPoint p) const { return view->ViewportPoint(p); }
    void Press(CPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::mousePress(vp, Qt::LeftButton, mods, At(p));
    }
    void Release(CPoint p) { QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, At(p)); }
    void Move(CPoint p, Qt::MouseButtons buttons = Qt::LeftButton) {
        const QPoint pos = At(p);
        QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(vp->mapToGlobal(pos)),
                          Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(vp, &event);
    }
    void Click(CPoint p) {
        Press(p);
        Release(p);
    }
    void Drag(CPoint from, CPoint to) {
        Press(from);
        Move(CPoint{(from.x + to.x) / 2, (from.y + to.y) / 2});
        Move(to);
        Release(to);
    }
    // Dark pixels of the viewport's picture inside a workspace rectangle.
    int DarkPixels(const QImage& image, CRect r) const {
        int dark = 0;
        for (int64_t y = r.top; y < r.bottom; ++y)
            for (int64_t x = r.left; x < r.right; ++x) {
                const QPoint p = At(CPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)});
                if (image.rect().contains(p) && qGray(image.pixel(p)) < 200)
                    ++dark;
            }
        return dark;
    }
    QImage Screen() const { return vp->grab().toImage(); }
    bool WaitForRunsToEnd(int timeoutMs = 60000) {
        return QTest::qWaitFor([this] { return view->LiveRunCount() == 0; }, timeoutMs);
    }

    // Source, line, load point: the smallest network that passes the check and simulates.
    void DrawFeeder() {
        doc.GetSettings().quantsPerDay = 4;
        doc.GetSettings().yearMin = 100;
        doc.GetSettings().yearMax = 200;
        AddOne(doc, doc.GetGenSources(), WidgetType::GenSource, {100, 100});
        CLine* line = AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {300, 100});
        line->m_failure1 = 2;
        line->m_repair1 = 10;
        CLoadPoint* load = AddOne(doc, doc.GetLoadPoints(), WidgetType::LoadPoint, {300, 100});
        load->m_name = "Farm";
        load->m_customers = 10;
    }

    test::TempDir dir;
    COrvaneDoc doc;
    FakePrompter prompter;
    std::unique_ptr<COrvaneView> view;
    QWidget* vp = nullptr;
};

TEST_F(ViewTest, StartsWithNoToolAtZoom113) {
    EXPECT_FALSE(view->IsToolActive());
    EXPECT_FALSE(view->IsSelectMode());
    EXPECT_FALSE(view->IsZoomed());
    EXPECT_EQ(view->Zoom(), 113);
    EXPECT_EQ(view->ModeCount(), 0);
    EXPECT_EQ(view->ScrollExtent(), QSize(1024, 786));
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 1024 - vp->width());
}

TEST_F(ViewTest, EachTwoPointToolPlacesItsComponentByDrag) {
    const WidgetType types[] = {WidgetType::Line,     WidgetType::CircuitBreaker,
                                WidgetType::Fuse,     WidgetType::Recloser,
                                WidgetType::Isolator, WidgetType::BusBar,
                                WidgetType::Equipment};
    int32_t y = 40;
    for (WidgetType type : types) {
        view->ChooseTool(type);
        EXPECT_TRUE(view->IsToolChecked(type));
        EXPECT_TRUE(view->IsToolActive());
        // Off the grid on purpose: both ends snap to the pitch of 10.
        Drag(CPoint{101, y + 2}, CPoint{238, y + 4});
        ASSERT_EQ(CollectionSize(doc, type), 1) << TypeName(type);
        const CWidget* w = CollectionAt(doc, type, 0);
        EXPECT_EQ(w->GetPoint1(), (CPoint{100, y})) << TypeName(type);
        EXPECT_EQ(w->GetPoint2(), (CPoint{240, y})) << TypeName(type);
        EXPECT_EQ(doc.m_typeOrder.back(), TypeName(type));
        EXPECT_EQ(view->ModeCount(), 1); // the tool stays active for the next one
        y += 60;
    }
    EXPECT_EQ(doc.m_typeOrder.size(), 7u);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewTest, LoadPointsAndSourcesArePlacedByClick) {
    view->OnToolLoadPoint();
    Click(CPoint{303, 207});
    view->OnToolGenSource();
    Click(CPoint{96, 44});
    ASSERT_EQ(doc.GetLoadPoints().GetSize(), 1);
    ASSERT_EQ(doc.GetGenSources().GetSize(), 1);
    EXPECT_EQ(doc.GetLoadPoints().GetAt(0)->GetPoint1(), (CPoint{300, 210}));
    EXPECT_EQ(doc.GetGenSources().GetAt(0)->GetPoint1(), (CPoint{100, 40}));
    EXPECT_EQ(doc.m_typeOrder, (std::vector<std::string>{"Load Point", "GenSource"}));
}

TEST_F(ViewTest, ChoosingAToolClearsTheOthers) {
    view->OnToolFuse();
    view->OnToolIsolator();
    EXPECT_FALSE(view->IsToolChecked(WidgetType::Fuse));
    EXPECT_TRUE(view->IsToolChecked(WidgetType::Isolator));
    view->OnSelect();
    for (int t = 0; t < kWidgetTypeCount; ++t)
        EXPECT_FALSE(view->IsToolChecked(static_cast<WidgetType>(t)));
    EXPECT_TRUE(view->IsSelectMode());
    EXPECT_FALSE(view->IsToolActive());
    EXPECT_EQ(view->ModeCount(), 0);
}

TEST_F(ViewTest, RubberBandOfANewComponentIsErasedByDrawingItAgain) {
    view->OnToolFeeder();
    const CRect horizontal{150, 296, 250, 305};
    const CRect vertical{96, 350, 105, 450};
    Press(CPoint{100, 300});
    Move(CPoint{300, 300});
    EXPECT_GT(DarkPixels(Screen(), horizontal), 20);
    Move(CPoint{100, 500});
    const QImage moved = Screen();
    EXPECT_EQ(DarkPixels(moved, horizontal), 0);
    EXPECT_GT(DarkPixels(moved, vertical), 20);
    Release(CPoint{100, 500});
    ASSERT_EQ(doc.GetLines().GetSize(), 1);
    EXPECT_EQ(doc.GetLines().GetAt(0)->GetPoint2(), (CPoint{100, 500}));
    EXPECT_EQ(DarkPixels(Screen(), horizontal), 0);
}

TEST_F(ViewTest, ClickSelectsAndAPlainClickReplacesASingleSelection) {
    CLine* a = AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {200, 100});
    CFuse* b = AddTwo(doc, doc.GetFuses(), WidgetType::Fuse, {100, 200}, {200, 200});
    view->OnSelect();
    Click(CPoint{150, 100});
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{a}));
    Click(CPoint{150, 200});
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{b}));
    EXPECT_FALSE(doc.IsModified()); // a click that does not move changes nothing
}

TEST_F(ViewTest, CtrlClicksAddAndAClickOnEmptyWorkspaceEndsThem) {
    CLine* a = AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {200, 100});
    CLoadPoint* lp = AddOne(doc, doc.GetLoadPoints(), WidgetType::LoadPoint, {400, 300});
    CFuse* b = AddTwo(doc, doc.GetFuses(), WidgetType::Fuse, {100, 200}, {200, 200});
    view->OnSelect();
    QTest::keyPress(view.get(), Qt::Key_Control);
    EXPECT_TRUE(view->IsMultiSelect());
    Click(CPoint{150, 100});
    Click(CPoint{150, 200});
    Click(CPoint{400, 300});
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{a, b, lp}));
    // Clicking a selected component moves it to the end; it stays selected.
    Click(CPoint{150, 100});
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{b, lp, a}));
    Click(CPoint{600, 500});
    EXPECT_FALSE(view->IsMultiSelect());
    EXPECT_TRUE(view->Selection().empty());
}

TEST_F(ViewTest, RubberBandSelectsComponentsWithAnEndInside) {
    CLine* a = AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {300, 100});
    AddTwo(doc, doc.GetLines(), WidgetType::Line, {400, 400}, {500, 400});
    CLoadPoint* lp = AddOne(doc, doc.GetLoadPoints(), WidgetType::LoadPoint, {120, 150});
    CBusBar* bar = AddTwo(doc, doc.GetBusBars(), WidgetType::BusBar, {60, 60}, {60, 300});
    view->OnSelect();
    Press(CPoint{50, 50});
    EXPECT_TRUE(view->IsRubberBand());
    Move(CPoint{100, 100});
    Move(CPoint{170, 190});
    EXPECT_GT(DarkPixels(Screen(), CRect{140, 188, 170, 193}), 5); // the rectangle is shown
    Release(CPoint{170, 190});
    EXPECT_FALSE(view->IsRubberBand());
    // In type order: lines, then bus bars, then load points.
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{a, bar, lp}));
    EXPECT_EQ(DarkPixels(Screen(), CRect{140, 188, 170, 193}), 0); // and gone again
}

TEST_F(ViewTest, PlainClickOnOneOfTwoSelectedKeepsBothAndDragsThemTogether) {
    CLine* a = AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {200, 100});
    CLoadPoint* lp = AddOne(doc, doc.GetLoadPoints(), WidgetType::LoadPoint, {150, 140});
    view->OnSelect();
    Drag(CPoint{80, 80}, CPoint{250, 250});
    ASSERT_EQ(view->Selection().size(), 2u);
    Press(CPoint{170, 100});
    EXPECT_EQ(view->Selection().size(), 2u);
    EXPECT_TRUE(view->IsMoving());
    Move(CPoint{200, 100});
    Move(CPoint{232, 118});
    Release(CPoint{232, 118});
    EXPECT_EQ(a->GetPoint1(), (CPoint{160, 120}));
    EXPECT_EQ(a->GetPoint2(), (CPoint{260, 120}));
    EXPECT_EQ(lp->GetPoint1(), (CPoint{210, 160}));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewTest, MoveWithSnappingGoesInWholePitches) {
    CLine* a = AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {200, 100});
    view->OnSelect();
    Press(CPoint{150, 100});
    Move(CPoint{154, 103}); // less than half a pitch
    EXPECT_EQ(a->GetPoint1(), (CPoint{100, 100}));
    Move(CPoint{167, 100}); // snaps to 170
    Release(CPoint{167, 100});
    EXPECT_EQ(a->GetPoint1(), (CPoint{120, 100}));
    EXPECT_EQ(a->GetPoint2(), (CPoint{220, 100}));
    EXPECT_FALSE(view->IsMoving());
}

TEST_F(ViewTest, MoveWithoutSnappingFollowsThePointer) {
    doc.m_snapPixel = 0;
    CLine* a = AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {200, 100});
    view->OnSelect();
    Press(CPoint{150, 100});
    Move(CPoint{154, 103});
    Move(CPoint{157, 104});
    Release(CPoint{157, 104});
    EXPECT_EQ(a->GetPoint1(), (CPoint{107, 104}));
    EXPECT_EQ(a->GetPoint2(), (CPoint{207, 104}));
}

TEST_F(ViewTest, DraggingAnEndStretchesTheComponent) {
    CCircuitBreaker* cb =
        AddTwo(doc, doc.GetCircuitBreakers(), WidgetType::CircuitBreaker, {100, 100}, {200, 100});
    view->OnSelect();
    Press(CPoint{200, 100}); // the end handle lies on the body too; the end wins
    Move(CPoint{230, 120});
    Move(CPoint{251, 143});
    Release(CPoint{251, 143});
    EXPECT_EQ(cb->GetPoint1(), (CPoint{100, 100}));
    EXPECT_EQ(cb->GetPoint2(), (CPoint{250, 140}));
}

TEST_F(ViewTest, CursorShowsWhatADragWouldDo) {
    AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {200, 100});
    view->OnSelect();
    Click(CPoint{150, 100});
    Move(CPoint{150, 101}, Qt::NoButton);
    EXPECT_EQ(vp->cursor().shape(), Qt::SizeAllCursor);
    Move(CPoint{199, 99}, Qt::NoButton);
    EXPECT_EQ(vp->cursor().shape(), Qt::SizeFDiagCursor);
    Move(CPoint{400, 400}, Qt::NoButton);
    EXPECT_EQ(vp->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewTest, DeleteRemovesEverySelectedComponent) {
    AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {200, 100});
    CLine* keep = AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 400}, {200, 400});
    AddOne(doc, doc.GetLoadPoints(), WidgetType::LoadPoint, {150, 140});
    view->OnSelect();
    QTest::keyClick(view.get(), Qt::Key_Delete); // nothing selected: nothing happens
    EXPECT_FALSE(doc.IsModified());
    Drag(CPoint{80, 80}, CPoint{250, 250});
    ASSERT_EQ(view->Selection().size(), 2u);
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(doc.GetLines().GetSize(), 1);
    EXPECT_EQ(doc.GetLines().GetAt(0), keep);
    EXPECT_EQ(doc.GetLoadPoints().GetSize(), 0);
    EXPECT_TRUE(view->Selection().empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_typeOrder.size(), 3u); // the walks pass over the surplus entries
}

TEST_F(ViewTest, ZoomRunsThroughItsSequenceAndAToolRestoresEditing) {
    AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {200, 100});
    const std::string before = doc.StoreBytes();
    view->OnToolFeeder();
    std::vector<int> seen;
    for (int i = 0; i < 10; ++i) {
        view->OnZoomIn();
        seen.push_back(view->Zoom());
    }
    EXPECT_EQ(seen, (std::vector<int>{123, 133, 143, 153, 163, 173, 183, 193, 203, 203}));
    EXPECT_TRUE(view->IsZoomed());
    EXPECT_FALSE(view->IsToolActive());
    EXPECT_FALSE(view->IsToolChecked(WidgetType::Line));
    EXPECT_EQ(view->ModeCount(), 0);
    const double dpi = view->logicalDpiX();
    EXPECT_EQ(view->ScrollExtent().width(),
              HundredthsToPixels(ZoomedExtent({1024, 786}, 203).cx, dpi));
    EXPECT_EQ(doc.StoreBytes(), before); // viewing only

    seen.clear();
    for (int i = 0; i < 19; ++i) {
        view->OnZoomOut();
        seen.push_back(view->Zoom());
    }
    EXPECT_EQ(seen.front(), 193);
    EXPECT_EQ(seen[8], 113);
    EXPECT_EQ(seen[17], 23);
    EXPECT_EQ(seen[18], 23);

    view->OnToolLoadPoint();
    EXPECT_FALSE(view->IsZoomed());
    EXPECT_EQ(view->Zoom(), 113);
    EXPECT_EQ(view->ScrollExtent(), QSize(1024, 786));
    EXPECT_EQ(doc.GetLines().GetAt(0)->GetPoint1(), (CPoint{100, 100}));
}

TEST_F(ViewTest, BackAt113AfterZoomingIsStillTheViewingState) {
    view->OnZoomIn();
    view->OnZoomOut();
    EXPECT_EQ(view->Zoom(), 113);
    EXPECT_TRUE(view->IsZoomed());
    view->OnSelect();
    EXPECT_FALSE(view->IsZoomed());
    EXPECT_EQ(view->ScrollExtent(), QSize(1024, 786));
}

TEST_F(ViewTest, ZoomedPictureIsScaled) {
    AddTwo(doc, doc.GetLines(), WidgetType::Line, {100, 100}, {300, 100});
    for (int i = 0; i < 9; ++i)
        view->OnZoomIn();
    const double scale = ZoomScale(203, view->logicalDpiX());
    const QImage image = Screen();
    const auto darkNear = [&](double x, double y) {
        int dark = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const QPoint p(static_cast<int>(x) + dx, static_cast<int>(y) + dy);
                if (image.rect().contains(p) && qGray(image.pixel(p)) < 200)
                    ++dark;
            }
        return dark;
    };
    EXPECT_GT(darkNear(250 * scale, 100 * scale), 0);
    EXPECT_EQ(darkNear(250, 100), 0); // not where the editing state draws it
    // The pointer position maps back to workspace units.
    Move(CPoint{250, 100}, Qt::NoButton);
    EXPECT_EQ(view->StatusXText(), QString("x=250"));
}

TEST_F(ViewTest, StatusBarShowsWorkspaceCoordinatesAlsoWhileScrolled) {
    QSignalSpy spy(view.get(), &COrvaneView::pointerMoved);
    view->horizontalScrollBar()->setValue(100);
    view->verticalScrollBar()->setValue(50);
    QMouseEvent event(QEvent::MouseMove, QPointF(10, 20), QPointF(vp->mapToGlobal(QPoint(10, 20))),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &event);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QString("x=110"));
    EXPECT_EQ(spy.at(0).at(1).toString(), QString("y=70"));
}

TEST_F(ViewTest, ScrolledClicksPlaceComponentsInWorkspaceUnits) {
    view->horizontalScrollBar()->setValue(200);
    view->verticalScrollBar()->setValue(100);
    view->OnToolLoadPoint();
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(50, 60));
    ASSERT_EQ(doc.GetLoadPoints().GetSize(), 1);
    EXPECT_EQ(doc.GetLoadPoints().GetAt(0)->GetPoint1(), (CPoint{250, 160}));
}

TEST_F(ViewTest, ToggleFlipsTheEndMarkers) {
    QSignalSpy spy(view.get(), &COrvaneView::commandStateChanged);
    EXPECT_TRUE(view->IsToggleChecked());
    view->OnToggle();
    EXPECT_EQ(doc.m_toggle, 0);
    doc.m_toggle = 5;
    view->OnToggle();
    EXPECT_EQ(doc.m_toggle, 1);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewTest, RightClickOnTheLastSelectedOpensItsDialog) {
    CRecloser* r = AddTwo(doc, doc.GetReclosers(), WidgetType::Recloser, {100, 100}, {200, 100});
    view->OnSelect();
    Click(CPoint{150, 100});
    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, At(CPoint{160, 100}));
    EXPECT_EQ(prompter.edited, (std::vector<CWidget*>{r}));
    EXPECT_FALSE(view->ContextMenu()->isVisible());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewTest, DoubleClickOpensTheDialogToo) {
    CLoadPoint* lp = AddOne(doc, doc.GetLoadPoints(), WidgetType::LoadPoint, {300, 300});
    view->OnSelect();
    // What a double click delivers: press, release, double click, release.
    Click(CPoint{300, 300});
    QTest::mouseDClick(vp, Qt::LeftButton, Qt::NoModifier, At(CPoint{300, 300}));
    Release(CPoint{300, 300});
    EXPECT_EQ(prompter.edited, (std::vector<CWidget*>{lp}));
}

TEST_F(ViewTest, RightClickOnABusBarOpensNothing) {
    AddTwo(doc, doc.GetBusBars(), WidgetType::BusBar, {100, 100}, {200, 100});
    view->OnSelect();
    Click(CPoint{150, 100});
    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, At(CPoint{150, 100}));
    EXPECT_TRUE(prompter.edited.empty());
    EXPECT_FALSE(view->ContextMenu()->isVisible());
}

TEST_F(ViewTest, RightClickElsewhereShowsTheContextMenu) {
    view->OnToolFuse();
    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, QPoint(300, 300));
    QMenu* menu = view->ContextMenu();
    EXPECT_TRUE(menu->isVisible());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{"&Select", "F&eeder", "&Circuit Breaker", "&Fuse", "&Recloser",
                                  "&Isolator", "&Bus Bar", "&Load Point", "&Gen Source",
                                  "E&quipment", "Se&ttings"}));
    EXPECT_TRUE(menu->actions()[3]->isChecked()); // the active tool
    QMenu* settings = menu->actions().last()->menu();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->actions()[0]->text(), QString("&Workspace Settings"));
    EXPECT_EQ(settings->actions()[1]->text(), QString("S&imulation Settings"));
    menu->actions()[0]->trigger();
    EXPECT_TRUE(view->IsSelectMode());
    menu->hide();
}

TEST_F(ViewTest, WorkspaceSettingsResizeTheWorkspaceOnOk) {
    view->OnWorkspaceSettings(); // cancelled
    EXPECT_FALSE(doc.IsModified());
    prompter.workspace = [](COrvaneDoc& d) {
        d.m_workspaceWidth = 1600;
        d.m_workspaceHeight = 1200;
        d.m_snapPixel = 5;
        return true;
    };
    view->OnWorkspaceSettings();
    EXPECT_EQ(view->TotalSize(), (CSize{1600, 1200}));
    EXPECT_EQ(view->ScrollExtent(), QSize(1600, 1200));
    EXPECT_EQ(doc.m_totalSize, (CSize{1600, 1200}));
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 1600 - vp->width());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewTest, SimulationSettingsChangedOnOkMarkTheDocumentModified) {
    prompter.simulation = [](CSimulationSettings&) { return true; }; // OK, nothing changed
    view->OnSimulationSettings();
    EXPECT_FALSE(doc.IsModified());
    prompter.simulation = [](CSimulationSettings&) { return false; }; // Cancel
    view->OnSimulationSettings();
    EXPECT_FALSE(doc.IsModified());
    prompter.simulation = [](CSimulationSettings& s) {
        s.quantsPerDay = 24;
        return true;
    };
    view->OnSimulationSettings();
    EXPECT_EQ(doc.GetSettings().quantsPerDay, 24);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewTest, DebugReportsUnconnectedComponentsAndSelectsFromTheList) {
    AddOne(doc, doc.GetGenSources(), WidgetType::GenSource, {100, 100});
    CLine* loose = AddTwo(doc, doc.GetLines(), WidgetType::Line, {400, 100}, {500, 100});
    std::vector<CheckReport> reports;
    QObject::connect(view.get(), &COrvaneView::debugFinished,
                     [&](COrvaneView* from, const CheckReport& report) {
                         EXPECT_EQ(from, view.get());
                         reports.push_back(report);
                     });
    view->OnDebug();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, QString("Checking completed : Errors found in Net.vlm"));
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Information);
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Ok);
    ASSERT_EQ(reports.size(), 1u);
    const CheckReport& report = reports[0];
    ASSERT_EQ(report.lines.size(), 2u);
    EXPECT_EQ(report.lines[1], "Line at  (400, 100)  (500, 100)  not connected");

    doc.m_toggle = 0; // no end markers, so that only selection marks are near the ends
    view->OnToolFuse();
    const CRect markTop{397, 97, 404, 98}; // the top side of the mark around (400, 100)
    EXPECT_EQ(DarkPixels(Screen(), markTop), 0);
    view->SelectWidget(report.widgets.GetAt(1));
    EXPECT_TRUE(view->IsSelectMode());
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{loose}));
    EXPECT_GT(DarkPixels(Screen(), markTop), 4);
}

TEST_F(ViewTest, DebugOnAConnectedNetworkFindsNoError) {
    DrawFeeder();
    view->OnDebug();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, QString(CheckPassedMessage));
}

TEST_F(ViewTest, SelectingADeletedComponentFromTheListDoesNothing) {
    CLine* loose = AddTwo(doc, doc.GetLines(), WidgetType::Line, {400, 100}, {500, 100});
    view->OnSelect();
    Click(CPoint{450, 100});
    QTest::keyClick(view.get(), Qt::Key_Delete);
    view->SelectWidget(loose);
    EXPECT_TRUE(view->Selection().empty());
}

TEST_F(ViewTest, GenerateNdlOpensOneWindowUntilItCloses) {
    DrawFeeder();
    view->OnGenerateNdl();
    ASSERT_EQ(prompter.ndlTexts.size(), 1u);
    EXPECT_TRUE(prompter.ndlTexts[0].startsWith("system"));
    EXPECT_TRUE(prompter.ndlTexts[0].contains("Farm"));
    EXPECT_TRUE(view->IsNdlWindowOpen());
    view->OnGenerateNdl();
    EXPECT_EQ(prompter.ndlTexts.size(), 1u);
    // The window's update source makes the text afresh.
    EXPECT_EQ(QString::fromStdString(prompter.ndlSources[0]()), prompter.ndlTexts[0]);
    prompter.ndlWindows[0]->reject();
    EXPECT_FALSE(view->IsNdlWindowOpen());
    view->OnGenerateNdl();
    EXPECT_EQ(prompter.ndlTexts.size(), 2u);
    EXPECT_TRUE(prompter.ndlWindows[0].isNull()); // the old window is discarded
}

TEST_F(ViewTest, GenerateNdlShowsTheGeneratorErrorWhenTheCheckFails) {
    AddTwo(doc, doc.GetLines(), WidgetType::Line, {400, 100}, {500, 100});
    view->OnGenerateNdl();
    ASSERT_EQ(prompter.ndlTexts.size(), 1u);
    EXPECT_EQ(prompter.ndlTexts[0].toStdString(), GeneratorErrorText());
}

TEST_F(ViewTest, SimulateRefusesAnUncheckedNetwork) {
    AddTwo(doc, doc.GetLines(), WidgetType::Line, {400, 100}, {500, 100});
    view->OnSimulate();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, QString("Error : Please debug the network!"));
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Ok);
    EXPECT_FALSE(view->IsSimulationRunning());
    EXPECT_EQ(view->LiveRunCount(), 0);
}

TEST_F(ViewTest, SimulateAsksAboutMissingQuantaPerDay) {
    DrawFeeder();
    doc.GetSettings().quantsPerDay = 0;
    prompter.yesNoAnswer = QMessageBox::No;
    view->OnSimulate();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, QString(QuantsPerDayWarning));
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Warning);
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_FALSE(view->IsSimulationRunning());
    EXPECT_TRUE(doc.GetResultPath().empty());

    prompter.yesNoAnswer = QMessageBox::Yes;
    view->OnSimulate();
    EXPECT_TRUE(view->IsSimulationRunning());
    EXPECT_TRUE(WaitForRunsToEnd());
}

TEST_F(ViewTest, SimulateNeedsATitle) {
    DrawFeeder();
    view->SetTitle("");
    view->OnSimulate();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, QString(InvalidOutputNameMessage));
    EXPECT_FALSE(view->IsSimulationRunning());
}

TEST_F(ViewTest, SimulateWritesTheReportsBesideTheBarPicture) {
    DrawFeeder();
    fs::create_directories(dir.Path() / "Net"); // an existing directory is fine
    QSignalSpy ended(view.get(), &COrvaneView::simulationEnded);
    view->OnSimulate();
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_TRUE(view->IsSimulationRunning());
    const fs::path html = dir.Path() / "Net" / "Net.htm";
    EXPECT_EQ(doc.GetResultPath(), html.string());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(WaitForRunsToEnd());
    EXPECT_FALSE(view->IsSimulationRunning());
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), static_cast<int>(RunStatus::Completed));
    EXPECT_TRUE(fs::exists(dir.Path() / "Net" / "Net.txt"));
    EXPECT_TRUE(fs::exists(dir.Path() / "Bar.bmp"));
    const std::string report = test::ReadFile(html.string());
    EXPECT_EQ(report.rfind("<b><font size=\"4\">Network name :Net</font></b><br><br>", 0), 0u);
    EXPECT_NE(report.find("Farm"), std::string::npos);
}

TEST_F(ViewTest, ClickingALoadPointSendsItsAddressToTheOpenResultViewer) {
    DrawFeeder();
    doc.SetResultPath(nullptr, "/r/Net.htm");
    HintRecorder viewer;
    doc.AttachObserver(&viewer);
    bool open = false;
    view->SetResultViewerOpenQuery([&open] { return open; });
    view->OnSelect();
    Click(CPoint{300, 100});
    EXPECT_TRUE(viewer.hints.empty());
    open = true;
    Click(CPoint{300, 100});
    EXPECT_EQ(viewer.hints, (std::vector<std::string>{"/r/Net.htm#Farm"}));
    EXPECT_EQ(doc.GetResultPath(), "/r/Net.htm"); // an address is not stored
    doc.DetachObserver(&viewer);
}

// A progress window as the shell makes it: records what the run reports.
struct RecordingSink : ProgressSink {
    std::atomic<int> years{0};
    std::atomic<bool> completed{false};
    void ShowSpeed(double) override {}
    void ShowYear(uint32_t) override { ++years; }
    void ShowElapsed(uint32_t, uint32_t) override {}
    void ShowRemaining(int32_t, double) override {}
    void ShowProgress(uint32_t, uint32_t) override {}
    void ShowCompleted() override { completed = true; }
};

TEST_F(ViewTest, TheShellsProgressWindowGetsTheRunAndEndsIt) {
    DrawFeeder();
    std::vector<std::shared_ptr<RecordingSink>> sinks;
    std::vector<std::atomic<bool>*> stops;
    view->SetProgressWindowFactory(
        [&](COrvaneView& v, std::atomic<bool>* stop, std::shared_ptr<void> owner) {
            EXPECT_EQ(&v, view.get());
            EXPECT_NE(owner, nullptr);
            stops.push_back(stop);
            sinks.push_back(std::make_shared<RecordingSink>());
            return CProgressHookup{sinks.back(), {}};
        });
    view->OnSimulate();
    ASSERT_EQ(sinks.size(), 1u);
    EXPECT_EQ(stops[0], &view->LastRunParams()->m_stop);
    view->OnSimulate(); // one run per view: ignored while the window is open
    EXPECT_EQ(sinks.size(), 1u);
    ASSERT_TRUE(WaitForRunsToEnd());
    EXPECT_TRUE(sinks[0]->completed);
    EXPECT_GE(sinks[0]->years, 100);
    EXPECT_TRUE(view->IsSimulationRunning()); // until the window closes
    view->ClearSimulationRunning();
    view->OnSimulate();
    EXPECT_EQ(sinks.size(), 2u);
    ASSERT_TRUE(WaitForRunsToEnd());
}

TEST_F(ViewTest, ANewRunNeverResetsTheStopOfOneStillEnding) {
    DrawFeeder();
    doc.GetSettings().quantsPerDay = 1440;
    doc.GetSettings().yearMin = 1000000;
    doc.GetSettings().yearMax = 1000000;
    view->OnSimulate();
    const std::shared_ptr<CSimulationParams> first = view->LastRunParams();
    ASSERT_NE(first, nullptr);
    view->CancelSimulation();
    EXPECT_FALSE(view->IsSimulationRunning());
    view->OnSimulate();
    const std::shared_ptr<CSimulationParams> second = view->LastRunParams();
    ASSERT_NE(second, first);
    EXPECT_TRUE(first->m_stop);
    EXPECT_FALSE(second->m_stop);
    view->CancelSimulation();
    ASSERT_TRUE(WaitForRunsToEnd());
    EXPECT_TRUE(first->m_stop);
}

TEST_F(ViewTest, ClosingTheViewStopsItsRun) {
    DrawFeeder();
    doc.GetSettings().quantsPerDay = 1440;
    doc.GetSettings().yearMin = 1000000;
    doc.GetSettings().yearMax = 1000000;
    view->OnSimulate();
    const std::shared_ptr<CSimulationParams> run = view->LastRunParams();
    view.reset(); // joins the worker
    EXPECT_TRUE(run->m_stop);
}

TEST_F(ViewTest, EveryComponentTypeIsPainted) {
    AddTwo(doc, doc.GetLines(), WidgetType::Line, {40, 40}, {140, 40});
    AddTwo(doc, doc.GetCircuitBreakers(), WidgetType::CircuitBreaker, {140, 40}, {240, 40});
    AddTwo(doc, doc.GetFuses(), WidgetType::Fuse, {240, 40}, {340, 40});
    AddTwo(doc, doc.GetReclosers(), WidgetType::Recloser, {340, 40}, {440, 40});
    AddTwo(doc, doc.GetIsolators(), WidgetType::Isolator, {40, 140}, {140, 140});
    AddTwo(doc, doc.GetBusBars(), WidgetType::BusBar, {140, 140}, {240, 140});
    AddTwo(doc, doc.GetEquipment(), WidgetType::Equipment, {240, 140}, {340, 140});
    AddOne(doc, doc.GetLoadPoints(), WidgetType::LoadPoint, {400, 240});
    AddOne(doc, doc.GetGenSources(), WidgetType::GenSource, {100, 240});
    const QImage image = view->RenderWorkspace();
    EXPECT_EQ(image.size(), QSize(1024, 786));
    const auto darkIn = [&](QRect r) {
        int dark = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 200;
        return dark;
    };
    // Around each component's middle something is drawn; far away nothing is.
    for (QPoint m :
         {QPoint(90, 40), QPoint(190, 40), QPoint(290, 40), QPoint(390, 40), QPoint(90, 140),
          QPoint(190, 140), QPoint(290, 140), QPoint(400, 240), QPoint(100, 240)})
        EXPECT_GT(darkIn(QRect(m - QPoint(12, 12), QSize(25, 25))), 3) << m.x() << "," << m.y();
    EXPECT_EQ(darkIn(QRect(600, 500, 100, 100)), 0);
    // The on-screen picture goes through the same painting.
    EXPECT_GT(DarkPixels(Screen(), CRect{80, 30, 100, 50}), 0);
}

} // namespace
} // namespace orvane
