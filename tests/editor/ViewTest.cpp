#include "editor/ComponentClipboard.h"
#include "editor/OrvaneView.h"
#include "editor/ViewLogic.h"
#include "model/CheckTexts.h"
#include "model/TypeOrder.h"
#include "run/Simulator.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Dark pixels of a picture inside a rectangle of its pixels, edges included.
int DarkIn(const QImage& image, QRect r) {
    int dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            dark += image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 200;
    return dark;
}

// ---- the pure parts

TEST(ViewLogicTest, ZoomedExtentAndCoordinateRounding) {
    // 1024 * 1.23 = 1259.52 and 786 * 1.23 = 966.78; 10 * 0.23 = 2.3; 1209.6 pixels.
    EXPECT_EQ(ZoomedExtent(CSize{1024, 786}, 123), (CSize{1260, 967}));
    EXPECT_EQ(ZoomedExtent(CSize{1000, 10}, 23), (CSize{230, 2}));
    EXPECT_EQ(HundredthsToPixels(1260, 96.0), 1210);
    EXPECT_DOUBLE_EQ(ZoomScale(200, 100.0), 2.0);
    // Zoomed, the scale is divided out rounding towards minus infinity.
    EXPECT_EQ(WindowToWorkspace(9, 9, 0, 0, true, 2.0), (CPoint{4, 4}));
    EXPECT_EQ(WindowToWorkspace(0, 0, 20, 40, true, 2.0), (CPoint{10, 20}));
    EXPECT_EQ(WindowToWorkspace(-1, -3, 0, 0, true, 2.0), (CPoint{-1, -2}));
    EXPECT_EQ(WindowToWorkspace(10, 20, 100, 50, false, 5.0), (CPoint{110, 70}));
    // The window rectangle covers the workspace one: 4.5 rounds down, 10.5 up.
    EXPECT_EQ(WorkspaceToWindow(CRect{30, 40, 10, 20}, 5, 5, false, 1.0), (CRect{5, 15, 25, 35}));
    EXPECT_EQ(WorkspaceToWindow(CRect{3, 3, 7, 7}, 0, 0, true, 1.5), (CRect{4, 4, 11, 11}));
}

TEST(ViewLogicTest, ReportPlacementAndStatusLine) {
    // The program's directory when it can be written, else the user's, else the program's.
    EXPECT_EQ(ChooseReportBase("/opt/orvane", true, "/home/u/.local"), "/opt/orvane");
    EXPECT_EQ(ChooseReportBase("/opt/orvane", false, "/home/u/.local"), "/home/u/.local");
    EXPECT_EQ(ChooseReportBase("/opt/orvane", false, ""), "/opt/orvane");
    EXPECT_EQ(LoadPointAddress("/r/Net.htm", "LP3"), "/r/Net.htm#LP3");
    EXPECT_EQ(LoadPointAddress("/r/Net.htm", "Elm St"), "/r/Net.htm#Elm_20St");
    EXPECT_EQ(ProgressStatusText(10, 1000, 12.3456),
              "Simulating: year 10 of 1000 (1%), 12.35 yrs/sec");
    EXPECT_EQ(ProgressStatusText(4000000000u, 4000000000u, 1.0),
              "Simulating: year 4000000000 of 4000000000 (100%), 1.00 yrs/sec");
}

// The undo and redo menu texts are ShellTest's, the steps' names the undo test's below.
TEST(ViewLogicTest, PasteOffsets) {
    // Whole grid steps of at least 20 units; 20 without a grid.
    const std::tuple<int, int, int> offsets[] = {{10, 1, 20}, {10, 3, 60}, {15, 1, 30}, {25, 1, 25},
                                                 {0, 2, 40},  {-5, 1, 20}, {7, 1, 21}};
    for (const auto& [pitch, count, offset] : offsets)
        EXPECT_EQ(PasteOffset(pitch, count), offset) << pitch << " " << count;
}

TEST(ViewLogicTest, ARunThatEndsOnTheNetworksErrorSaysWhereItIs) {
    const std::string ndl = "system: quantsPerDay = 0.;\\\nyearMin = 5.;\\\n\n"
                            "line: connect = 0., 1.;\\\nlength = x;\\\n\n";
    const auto failed = [](RunStatus status, const char* error, uint32_t line, uint32_t column) {
        RunResult result;
        result.status = status;
        result.error = error;
        result.errorLine = line;
        result.errorColumn = column;
        return result;
    };
    const std::tuple<RunResult, const char*, const char*> cases[] = {
        {failed(RunStatus::ParseFailed, "yearMin is out of range", 2, 11),
         "The network has an error: yearMin is out of range (line 2, column 11 of its NDL, in "
         "the simulation settings).\nCorrect it in Settings > Simulation settings.",
         "NDL line 2, column 11: yearMin is out of range"},
        {failed(RunStatus::ParseFailed, "length is no number", 5, 10),
         "The network has an error: length is no number (line 5, column 10 of its NDL).\n"
         "Generate NDL (F9) shows the text.",
         "NDL line 5, column 10: length is no number"},
        {failed(RunStatus::ParseFailed, "no temporary file", 0, 0),
         "The simulation could not start: no temporary file.", ""},
        {failed(RunStatus::NoLoadPoints, "", 0, 0),
         "The network has an error: it has no load points; draw at least one to simulate it.",
         "The network has no load points"},
        {failed(RunStatus::NoSystem, "", 0, 0),
         "The network has an error: its NDL has no system definition.",
         "The NDL has no system definition"},
        {failed(RunStatus::Completed, "", 0, 0), "", ""},
        {failed(RunStatus::Cancelled, "", 0, 0), "", ""},
        {failed(RunStatus::WriteFailed, "disk full", 0, 0), "", ""},
    };
    for (const auto& [result, message, line] : cases) {
        const RunFailure failure = DescribeRunFailure(result, ndl);
        EXPECT_EQ(failure.message, message) << static_cast<int>(result.status);
        EXPECT_EQ(failure.errorsLine, line) << static_cast<int>(result.status);
    }
}

// ---- the widget

class HintRecorder : public CDocObserver {
public:
    std::vector<std::string> hints;
    void OnDocumentUpdate(CDocObserver*, const std::string* hint) override {
        if (hint)
            hints.push_back(*hint);
    }
};

class ViewTest : public ::testing::Test {
protected:
    ViewTest() {
        test::GuiApp();
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

    template <class T> T* AddTwo(CPoint a, CPoint b) { return doc.Add<T>(a, b, 1u, 0x808080u); }
    template <class T> T* AddOne(CPoint c) { return doc.Add<T>(c, 1u, 0x808080u); }
    CLine* LooseLine() { return AddTwo<CLine>({400, 100}, {500, 100}); }

    QPoint At(CPoint p) const { return view->ViewportPoint(p); }
    void Press(CPoint p) { QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, At(p)); }
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
    void RightClick(CPoint p) { QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, At(p)); }
    void Drag(CPoint from, CPoint to) {
        Press(from);
        Move(CPoint{(from.x + to.x) / 2, (from.y + to.y) / 2});
        Move(to);
        Release(to);
    }
    // Dark pixels of the viewport's picture inside a workspace rectangle, in the editing state.
    int DarkPixels(const QImage& image, CRect r) const {
        const auto at = [this](int64_t x, int64_t y) {
            return At(CPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)});
        };
        return DarkIn(image, QRect(at(r.left, r.top), at(r.right - 1, r.bottom - 1)));
    }
    QImage Screen() const { return vp->grab().toImage(); }
    bool WaitForRunsToEnd() {
        return test::WaitFor([this] { return view->LiveRunCount() == 0; }, 60000);
    }

    // Source, line, load point: the smallest network that passes the check and simulates.
    void DrawFeeder() {
        doc.SetSettings({.quantsPerDay = 4, .yearMin = 100, .yearMax = 200});
        AddOne<CGenSource>({100, 100});
        CLine* line = AddTwo<CLine>({100, 100}, {300, 100});
        line->m_failure1 = 2;
        line->m_repair1 = 10;
        CLoadPoint* load = AddOne<CLoadPoint>({300, 100});
        load->m_name = "Farm";
        load->m_customers = 10;
    }

    test::TempDir dir;
    COrvaneDoc doc;
    test::FakePrompter prompter;
    std::unique_ptr<COrvaneView> view;
    QWidget* vp = nullptr;
};

TEST_F(ViewTest, EveryToolPlacesItsComponentOnTheGridAndEachIsPainted) {
    EXPECT_FALSE(view->IsToolActive());
    EXPECT_FALSE(view->IsSelectMode());
    EXPECT_EQ(view->ModeCount(), 0);
    std::vector<QPoint> middles;
    int32_t y = 40;
    for (int t = 0; t < kWidgetTypeCount; ++t, y += 60) {
        const auto type = static_cast<WidgetType>(t);
        const bool onePoint = type == WidgetType::LoadPoint || type == WidgetType::GenSource;
        view->ChooseTool(type);
        EXPECT_TRUE(view->IsToolChecked(type));
        EXPECT_TRUE(view->IsToolActive());
        if (t > 0) {
            EXPECT_FALSE(view->IsToolChecked(static_cast<WidgetType>(t - 1)));
        }
        // Off the grid on purpose: every point snaps to the pitch of 10.
        if (onePoint)
            Click(CPoint{303, y + 3});
        else
            Drag(CPoint{101, y + 2}, CPoint{238, y + 4});
        ASSERT_EQ(CollectionSize(doc, type), 1) << TypeName(type);
        const CWidget* w = CollectionAt(doc, type, 0);
        EXPECT_EQ(std::pair(w->GetPoint1(), w->GetPoint2()),
                  std::pair(CPoint{onePoint ? 300 : 100, y}, CPoint{onePoint ? 300 : 240, y}))
            << TypeName(type);
        EXPECT_EQ(view->ModeCount(), 1); // the tool stays active for the next one
        middles.emplace_back(onePoint ? 300 : 170, y);
    }
    view->OnSelect();
    for (int t = 0; t < kWidgetTypeCount; ++t)
        EXPECT_FALSE(view->IsToolChecked(static_cast<WidgetType>(t)));
    EXPECT_TRUE(view->IsSelectMode());
    EXPECT_FALSE(view->IsToolActive());
    EXPECT_EQ(view->ModeCount(), 0);

    // Around each component's middle something is drawn; far away nothing is.
    const QImage image = view->RenderWorkspace();
    EXPECT_EQ(image.size(), QSize(1024, 786));
    for (QPoint m : middles)
        EXPECT_GT(DarkIn(image, QRect(m - QPoint(12, 12), QSize(25, 25))), 3) << m.y();
    EXPECT_EQ(DarkIn(image, QRect(600, 500, 100, 100)), 0);
    // The on-screen picture goes through the same painting.
    EXPECT_GT(DarkPixels(Screen(), CRect{160, 30, 180, 50}), 0);
}

TEST_F(ViewTest, ScrolledPointerAndClicksUseWorkspaceUnits) {
    QSignalSpy spy(view.get(), &COrvaneView::pointerMoved);
    view->horizontalScrollBar()->setValue(200);
    view->verticalScrollBar()->setValue(100);
    QMouseEvent event(QEvent::MouseMove, QPointF(10, 20), QPointF(vp->mapToGlobal(QPoint(10, 20))),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &event);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QString("x=210"));
    EXPECT_EQ(spy.at(0).at(1).toString(), QString("y=120"));
    view->OnToolLoadPoint();
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(50, 60));
    ASSERT_EQ(doc.GetLoadPoints().GetSize(), 1);
    EXPECT_EQ(doc.GetLoadPoints().GetAt(0)->GetPoint1(), (CPoint{250, 160}));
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

TEST_F(ViewTest, ClicksSelectOneAndCtrlClicksAddUntilAClickOnEmptyWorkspace) {
    CLine* a = AddTwo<CLine>({100, 100}, {200, 100});
    CLoadPoint* lp = AddOne<CLoadPoint>({400, 300});
    CFuse* b = AddTwo<CFuse>({100, 200}, {200, 200});
    doc.SetModified(false); // as saved
    view->OnSelect();
    Click(CPoint{150, 100});
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{a}));
    Click(CPoint{150, 200});
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{b}));
    EXPECT_FALSE(doc.IsModified()); // a click that does not move changes nothing
    Click(CPoint{600, 500});
    EXPECT_TRUE(view->Selection().empty());

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

TEST_F(ViewTest, RubberBandSelectsThoseWithAnEndInsideWhichMoveTogetherAndDelete) {
    CLine* a = AddTwo<CLine>({100, 100}, {300, 100});
    CLine* keep = AddTwo<CLine>({400, 400}, {500, 400});
    CLoadPoint* lp = AddOne<CLoadPoint>({120, 150});
    CBusBar* bar = AddTwo<CBusBar>({60, 60}, {60, 300});
    doc.SetModified(false); // as saved
    view->OnSelect();
    QTest::keyClick(view.get(), Qt::Key_Delete); // nothing selected: nothing happens
    EXPECT_FALSE(doc.IsModified());
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

    // A plain press on one of them keeps all selected and drags them together.
    Press(CPoint{170, 100});
    EXPECT_EQ(view->Selection().size(), 3u);
    EXPECT_TRUE(view->IsMoving());
    Move(CPoint{200, 100});
    Move(CPoint{232, 118});
    Release(CPoint{232, 118});
    EXPECT_EQ(a->GetPoint1(), (CPoint{160, 120}));
    EXPECT_EQ(a->GetPoint2(), (CPoint{360, 120}));
    EXPECT_EQ(lp->GetPoint1(), (CPoint{180, 170}));
    EXPECT_EQ(bar->GetPoint2(), (CPoint{120, 320}));
    EXPECT_EQ(keep->GetPoint1(), (CPoint{400, 400}));
    EXPECT_TRUE(doc.IsModified());

    QTest::keyClick(view.get(), Qt::Key_Delete);
    ASSERT_EQ(doc.GetLines().GetSize(), 1);
    EXPECT_EQ(doc.GetLines().GetAt(0), keep);
    EXPECT_EQ(doc.GetLoadPoints().GetSize(), 0);
    EXPECT_EQ(doc.GetBusBars().GetSize(), 0);
    EXPECT_TRUE(view->Selection().empty());
    EXPECT_EQ(doc.m_typeOrder.size(), 4u); // the walks pass over the surplus entries
}

// Moves and stretches themselves are the modes' (ModeTest) and go through the view in the undo
// test below; here the cursor shows, before any press, what a drag would do.
TEST_F(ViewTest, HoverCursorShowsWhatADragWouldDo) {
    AddTwo<CCircuitBreaker>({100, 100}, {200, 100});
    view->OnSelect();
    Click(CPoint{150, 100});
    const std::pair<CPoint, Qt::CursorShape> cases[] = {
        {{150, 101}, Qt::SizeAllCursor},
        {{199, 99}, Qt::SizeFDiagCursor},
        {{400, 400}, Qt::ArrowCursor},
    };
    for (const auto& [at, shape] : cases) {
        Move(at, Qt::NoButton);
        EXPECT_EQ(vp->cursor().shape(), shape) << at.x;
    }
}

TEST_F(ViewTest, ZoomIsForViewingOnlyAndAToolRestoresEditing) {
    AddTwo<CLine>({100, 100}, {300, 100});
    const std::string before = doc.StoreBytes();
    view->OnToolFeeder();
    // Steps of 10 from 113 (ShellTest), between 23 and 203.
    const auto zoomAfter = [this](void (COrvaneView::*step)(), int times) {
        for (int i = 0; i < times; ++i)
            (view.get()->*step)();
        return view->Zoom();
    };
    EXPECT_EQ(zoomAfter(&COrvaneView::OnZoomIn, 9), 203);
    EXPECT_EQ(zoomAfter(&COrvaneView::OnZoomIn, 1), 203);
    EXPECT_TRUE(view->IsZoomed());
    EXPECT_FALSE(view->IsToolActive());
    EXPECT_FALSE(view->IsToolChecked(WidgetType::Line));
    EXPECT_EQ(view->ModeCount(), 0);
    const double dpi = view->logicalDpiX();
    EXPECT_EQ(view->ScrollExtent().width(),
              HundredthsToPixels(ZoomedExtent({1024, 786}, 203).cx, dpi));
    // The picture is scaled, and the pointer position maps back to workspace units.
    const double scale = ZoomScale(203, dpi);
    const QImage image = Screen();
    const auto darkNear = [&](double x, double y) {
        return DarkIn(image, QRect(static_cast<int>(x) - 3, static_cast<int>(y) - 3, 7, 7));
    };
    EXPECT_GT(darkNear(250 * scale, 100 * scale), 0);
    EXPECT_EQ(darkNear(250, 100), 0); // not where the editing state draws it
    Move(CPoint{250, 100}, Qt::NoButton);
    EXPECT_EQ(view->StatusXText(), QString("x=250"));

    EXPECT_EQ(zoomAfter(&COrvaneView::OnZoomOut, 18), 23);
    EXPECT_EQ(zoomAfter(&COrvaneView::OnZoomOut, 1), 23);
    EXPECT_EQ(zoomAfter(&COrvaneView::OnZoomIn, 9), 113);
    EXPECT_TRUE(view->IsZoomed()); // back at 113 is still the viewing state
    EXPECT_EQ(doc.StoreBytes(), before);

    view->OnToolLoadPoint();
    EXPECT_FALSE(view->IsZoomed());
    EXPECT_EQ(view->Zoom(), 113);
    EXPECT_EQ(view->ScrollExtent(), QSize(1024, 786));
    EXPECT_EQ(doc.GetLines().GetAt(0)->GetPoint1(), (CPoint{100, 100}));
}

TEST_F(ViewTest, RightOrDoubleClickOnTheSelectedOpensItsDialogExceptForBusBars) {
    CRecloser* r = AddTwo<CRecloser>({100, 100}, {200, 100});
    CLoadPoint* lp = AddOne<CLoadPoint>({300, 300});
    AddTwo<CBusBar>({100, 200}, {200, 200});
    view->OnSelect();
    Click(CPoint{150, 100});
    RightClick(CPoint{160, 100});
    EXPECT_EQ(prompter.edited, (std::vector<const CWidget*>{r}));
    EXPECT_FALSE(view->ContextMenu()->isVisible());
    EXPECT_TRUE(doc.IsModified());
    // What a double click delivers: press, release, double click, release.
    Click(CPoint{300, 300});
    QTest::mouseDClick(vp, Qt::LeftButton, Qt::NoModifier, At(CPoint{300, 300}));
    Release(CPoint{300, 300});
    EXPECT_EQ(prompter.edited, (std::vector<const CWidget*>{r, lp}));
    Click(CPoint{150, 200});
    RightClick(CPoint{150, 200});
    EXPECT_EQ(prompter.edited.size(), 2u);
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

TEST_F(ViewTest, DebugListsUnconnectedComponentsAndSelectsFromTheList) {
    AddOne<CGenSource>({100, 100});
    CLine* loose = LooseLine();
    std::vector<CheckReport> reports;
    QObject::connect(view.get(), &COrvaneView::debugFinished,
                     [&](COrvaneView* from, const CheckReport& report) {
                         EXPECT_EQ(from, view.get());
                         reports.push_back(report);
                     });
    view->OnDebug();
    ASSERT_EQ(test::Texts(prompter.asked),
              QStringList{"Checking completed : Errors found in Net.vlm"});
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Information);
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Ok);
    ASSERT_EQ(reports.size(), 1u);
    const CheckReport& report = reports[0];
    ASSERT_EQ(report.lines.size(), 2u);
    EXPECT_EQ(report.lines[1], "Line at  (400, 100)  (500, 100)  not connected");
    // Generate NDL shows the generator's error instead of a network description.
    view->OnGenerateNdl();
    ASSERT_EQ(prompter.ndlTexts.size(), 1u);
    EXPECT_EQ(prompter.ndlTexts[0].toStdString(), GeneratorErrorText());

    doc.SetModified(false);
    view->OnToggle(); // end markers off, so that only selection marks are near the ends
    EXPECT_FALSE(doc.IsModified());
    view->OnToolFuse();
    const CRect markTop{397, 97, 404, 98}; // the top side of the mark around (400, 100)
    EXPECT_EQ(DarkPixels(Screen(), markTop), 0);
    view->SelectWidget(report.widgets.GetAt(1));
    EXPECT_TRUE(view->IsSelectMode());
    EXPECT_EQ(view->Selection(), (std::vector<CWidget*>{loose}));
    EXPECT_GT(DarkPixels(Screen(), markTop), 4);
    // Once deleted, the listed component can no longer be selected.
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(doc.GetLines().GetSize(), 0);
    view->SelectWidget(loose);
    EXPECT_TRUE(view->Selection().empty());
}

TEST_F(ViewTest, DebugPassesAndGenerateNdlOpensOneWindowUntilItCloses) {
    DrawFeeder();
    view->OnDebug();
    EXPECT_EQ(test::Texts(prompter.asked), QStringList{CheckPassedMessage});
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

TEST_F(ViewTest, SimulateWarnsAndDoesNotRunWhenItCannot) {
    const auto refused = [&](const char* text, QMessageBox::StandardButtons buttons) {
        prompter.asked.clear();
        view->OnSimulate();
        ASSERT_EQ(test::Texts(prompter.asked), QStringList{text});
        EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Warning);
        EXPECT_EQ(prompter.asked[0].buttons, buttons);
        EXPECT_FALSE(view->IsSimulationRunning());
        EXPECT_EQ(view->LiveRunCount(), 0);
    };
    DrawFeeder();
    doc.SetSettings({.quantsPerDay = 0, .yearMin = 100, .yearMax = 200});
    prompter.yesNoAnswer = QMessageBox::No;
    refused("Warning : Please assign a value for the attributes\nQuants per day in Simulation "
            "Setting Dialog box.\n\nDo you want to continue?\n",
            QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(doc.GetResultPath().empty());
    prompter.yesNoAnswer = QMessageBox::Yes; // the user may go on without
    view->OnSimulate();
    EXPECT_TRUE(view->IsSimulationRunning());
    ASSERT_TRUE(WaitForRunsToEnd());

    doc.SetSettings({.quantsPerDay = 4, .yearMin = 100, .yearMax = 200});
    view->SetTitle("");
    refused("Error : Invalid output-file's name\nPlease contact the developer for more "
            "information",
            QMessageBox::Ok);
    LooseLine();
    refused("Error : Please debug the network!", QMessageBox::Ok);
}

TEST_F(ViewTest, SimulateWritesTheReportsAndALoadPointClickShowsItsSection) {
    DrawFeeder();
    fs::create_directories(dir.Path() / "Net"); // an existing directory is fine
    QSignalSpy ended(view.get(), &COrvaneView::simulationEnded);
    QSignalSpy status(view.get(), &COrvaneView::statusMessage);
    QElapsedTimer timer;
    timer.start();
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
    // Without a progress window the status bar follows the run: its first year, then no more
    // than ten lines a second for the rest (a line a year would flood the GUI thread), then
    // its end.
    ASSERT_GE(status.count(), 2);
    EXPECT_TRUE(status.first().at(0).toString().startsWith("Simulating: year 1 of 200 "));
    EXPECT_TRUE(status.last().at(0).toString().startsWith("Simulation completed."));
    EXPECT_LE(status.count(), 3 + timer.elapsed() / 100);
    EXPECT_TRUE(fs::exists(dir.Path() / "Net" / "Net.txt"));
    EXPECT_TRUE(fs::exists(dir.Path() / "Bar.bmp"));
    const std::string report = test::ReadFile(html.string());
    EXPECT_EQ(report.rfind("<b><font size=\"4\">Network name :Net</font></b><br><br>", 0), 0u);
    EXPECT_NE(report.find("Farm"), std::string::npos);

    // Only with the result viewer open does a click on the load point send its address.
    HintRecorder viewer;
    doc.AttachObserver(&viewer);
    bool open = false;
    view->SetResultViewerOpenQuery([&open] { return open; });
    view->OnSelect();
    Click(CPoint{300, 100});
    EXPECT_TRUE(viewer.hints.empty());
    open = true;
    Click(CPoint{300, 100});
    EXPECT_EQ(viewer.hints, (std::vector<std::string>{html.string() + "#Farm"}));
    EXPECT_EQ(doc.GetResultPath(), html.string()); // an address is not stored
    doc.DetachObserver(&viewer);
}

TEST_F(ViewTest, EachRunHasItsOwnStopAndClosingTheViewStopsItsRun) {
    DrawFeeder();
    // Far too long to end by itself.
    doc.SetSettings({.quantsPerDay = 1440, .yearMin = 1000000, .yearMax = 1000000});
    view->OnSimulate();
    const std::shared_ptr<CSimulationParams> first = view->LastRunParams();
    ASSERT_NE(first, nullptr);
    view->CancelSimulation();
    EXPECT_FALSE(view->IsSimulationRunning());
    // A new run while the cancelled one is still ending never resets the old stop.
    view->OnSimulate();
    const std::shared_ptr<CSimulationParams> second = view->LastRunParams();
    ASSERT_NE(second, first);
    EXPECT_TRUE(first->m_stop);
    EXPECT_FALSE(second->m_stop);
    view.reset(); // joins the workers
    EXPECT_TRUE(first->m_stop);
    EXPECT_TRUE(second->m_stop);
}

// ---- undo, redo and the clipboard

// Every change made in the view is one step named for it. Undo leaves the file as it was before
// the step and redo as the step left it; undoing them all comes back to the saved drawing,
// unmodified.
TEST_F(ViewTest, EveryChangeIsOneNamedStepThatUndoRestoresByteForByte) {
    CCircuitBreaker* cb = AddTwo<CCircuitBreaker>({100, 100}, {200, 100});
    AddOne<CLoadPoint>({400, 300});
    AddTwo<CLine>({100, 200}, {200, 200});
    doc.SetModified(false);
    const std::string saved = doc.StoreBytes();
    QUndoStack* stack = view->UndoStack();
    prompter.properties = [](CWidget& w) { static_cast<CCircuitBreaker&>(w).m_capacity = 7; };
    prompter.simulation = [](CSimulationSettings& s) {
        s.quantsPerDay = 24;
        return true;
    };
    prompter.workspace = [](CWorkspaceSettings& s) {
        s.width = 1600;
        return true;
    };
    struct Case {
        const char* step;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"Add Feeder",
         [&] {
             view->OnToolFeeder();
             Drag({100, 400}, {300, 400});
         }},
        {"Add Load Point",
         [&] {
             view->OnToolLoadPoint();
             Click({500, 500});
         }},
        {"Move",
         [&] {
             view->OnSelect();
             Press({150, 100});
             Move({170, 100});
             Move({190, 120});
             Release({190, 120});
         }},
        {"Stretch",
         [&] {
             Press({240, 120});
             Move({250, 140});
             Move({260, 160});
             Release({260, 160});
         }},
        {"Properties",
         [&] {
             RightClick({200, 140});
         }},
        {"Simulation Settings", [&] { view->OnSimulationSettings(); }},
        {"Workspace Settings", [&] { view->OnWorkspaceSettings(); }},
        {"Delete", // both lines: put back in the wrong order they would swap places
         [&] {
             Drag({50, 180}, {120, 420});
             ASSERT_EQ(view->Selection().size(), 2u);
             QTest::keyClick(view.get(), Qt::Key_Delete);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        const std::string before = doc.StoreBytes();
        const int steps = stack->count();
        c.change();
        ASSERT_EQ(stack->count(), steps + 1);
        EXPECT_EQ(stack->undoText(), c.step);
        const std::string after = doc.StoreBytes();
        EXPECT_NE(after, before);
        EXPECT_TRUE(doc.IsModified());
        view->OnUndo();
        EXPECT_EQ(doc.StoreBytes(), before);
        EXPECT_EQ(stack->redoText(), c.step);
        view->OnRedo();
        EXPECT_EQ(doc.StoreBytes(), after);
    }
    EXPECT_EQ(cb->GetPoint1(), (CPoint{140, 120}));
    EXPECT_EQ(cb->GetPoint2(), (CPoint{260, 160}));
    EXPECT_EQ(cb->m_capacity, 7);
    EXPECT_EQ(view->ScrollExtent(), QSize(1600, 786));
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 1600 - vp->width());
    const std::string last = doc.StoreBytes();
    while (stack->canUndo())
        view->OnUndo();
    EXPECT_EQ(doc.StoreBytes(), saved);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view->ScrollExtent(), QSize(1024, 786));
    for (CWidget* selected : view->Selection())
        EXPECT_GE(doc.IndexOf(*selected), 0) << "only what is in the drawing stays selected";
    while (stack->canRedo())
        view->OnRedo();
    EXPECT_EQ(doc.StoreBytes(), last);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewTest, ADragIsOneStepAndDialogsOkedUnchangedAreNone) {
    CCircuitBreaker* cb = AddTwo<CCircuitBreaker>({100, 100}, {200, 100});
    doc.SetModified(false);
    QUndoStack* stack = view->UndoStack();
    view->OnSelect();
    // Away and back again: no step, and nothing to save.
    Press({150, 100});
    Move({170, 100});
    Move({150, 100});
    Release({150, 100});
    EXPECT_EQ(stack->count(), 0);
    EXPECT_FALSE(doc.IsModified());
    // Undo is refused while a drag is under way.
    Press({150, 100});
    for (int x = 155; x <= 200; x += 5)
        Move({x, 100});
    EXPECT_EQ(cb->GetPoint1(), (CPoint{150, 100}));
    view->OnUndo();
    EXPECT_EQ(cb->GetPoint1(), (CPoint{150, 100}));
    Release({200, 100});
    EXPECT_EQ(stack->count(), 1);
    EXPECT_EQ(stack->undoText(), "Move");
    view->OnUndo();
    EXPECT_EQ(cb->GetPoint1(), (CPoint{100, 100}));
    EXPECT_FALSE(doc.IsModified());

    // The property and settings dialogs' OK with nothing changed.
    prompter.simulation = [](CSimulationSettings&) { return true; };
    prompter.workspace = [](CWorkspaceSettings&) { return true; };
    RightClick({150, 100});
    view->OnSimulationSettings();
    view->OnWorkspaceSettings();
    EXPECT_EQ(prompter.edited.size(), 1u);
    EXPECT_EQ(stack->count(), 1);
    EXPECT_EQ(stack->index(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewTest, SavingMarksTheStateUndoReturnsToUnmodified) {
    view->OnToolLoadPoint();
    Click({100, 100});
    Click({200, 100});
    std::string error;
    ASSERT_TRUE(doc.Save(dir.File("Net.vlm"), error)) << error;
    view->DocumentSaved();
    EXPECT_FALSE(doc.IsModified());
    // A new step after an undo drops the saved state from the stack: nothing reaches it again.
    // (Undo and redo to and from the saved state are ShellTest's.)
    view->OnUndo();
    Click({300, 100});
    view->OnUndo();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetLoadPoints().GetSize(), 1);
}

// Pasting into another network, whose steps are its own, is ShellTest's.
TEST_F(ViewTest, CopyAndPasteWithinADrawingCutIsOneStep) {
    DrawFeeder();
    doc.SetModified(false);
    QUndoStack* stack = view->UndoStack();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    EXPECT_FALSE(view->CanPaste());
    view->OnSelect();
    Drag({200, 50}, {350, 150}); // the line's far end and the load point
    ASSERT_EQ(view->Selection().size(), 2u);
    CWidget* line = view->Selection()[0];
    view->OnCopy();
    ASSERT_TRUE(view->CanPaste());
    const QMimeData* data = clipboard->mimeData();
    EXPECT_EQ(data->text().toStdString(),
              std::string("line: connect = 0., 1.;\\\nfailure = 2.;\\\nrepair = 10.;\\\n\n"
                          "load: connect = 1.;\\\ncustomers = 10.;\\\nname = \"Farm\";\\\n\n"));
    EXPECT_EQ(stack->count(), 0);
    EXPECT_FALSE(doc.IsModified());

    view->OnPaste();
    ASSERT_EQ(doc.GetLines().GetSize(), 2);
    ASSERT_EQ(doc.GetLoadPoints().GetSize(), 2);
    const CLine* pastedLine = doc.GetLines().GetAt(1);
    const CLoadPoint* pastedLoad = doc.GetLoadPoints().GetAt(1);
    EXPECT_EQ(pastedLine->GetPoint1(), (CPoint{120, 120}));
    EXPECT_EQ(pastedLine->GetPoint2(), (CPoint{320, 120}));
    EXPECT_EQ(pastedLine->m_repair1, 10);
    EXPECT_EQ(pastedLoad->GetPoint1(), (CPoint{320, 120}));
    EXPECT_EQ(pastedLoad->m_name, "Farm");
    EXPECT_EQ(view->Selection(),
              (std::vector<CWidget*>{doc.GetLines().GetAt(1), doc.GetLoadPoints().GetAt(1)}));
    EXPECT_EQ(stack->count(), 1);
    EXPECT_EQ(stack->undoText(), "Paste");
    EXPECT_TRUE(doc.IsModified());
    view->OnPaste(); // the same again goes one step further
    EXPECT_EQ(doc.GetLines().GetAt(2)->GetPoint1(), (CPoint{140, 140}));
    view->OnUndo();
    view->OnUndo();
    EXPECT_EQ(doc.GetLines().GetSize(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(view->Selection().empty());

    // Cut takes the selection out in one step and leaves it on the clipboard.
    view->OnSelect();
    Click({200, 100});
    ASSERT_EQ(view->Selection(), std::vector<CWidget*>{line});
    const std::string before = doc.StoreBytes();
    view->OnCut();
    EXPECT_EQ(doc.GetLines().GetSize(), 0);
    EXPECT_EQ(stack->undoText(), "Cut");
    EXPECT_FALSE(stack->canRedo());
    view->OnPaste();
    ASSERT_EQ(doc.GetLines().GetSize(), 1);
    EXPECT_EQ(doc.GetLines().GetAt(0)->GetPoint1(), (CPoint{120, 120}));
    view->OnUndo();
    view->OnUndo();
    EXPECT_EQ(doc.StoreBytes(), before);

    // Only the private format pastes, and only when it loads.
    clipboard->setText("line: connect = 0., 1.;");
    EXPECT_FALSE(view->CanPaste());
    view->OnPaste();
    auto damaged = std::make_unique<QMimeData>();
    damaged->setData(ComponentsMimeType, "not a network");
    clipboard->setMimeData(damaged.release());
    view->OnPaste();
    EXPECT_EQ(doc.StoreBytes(), before);
    EXPECT_EQ(stack->index(), 0);
}

} // namespace
} // namespace orvane
