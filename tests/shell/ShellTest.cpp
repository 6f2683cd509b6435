#include "editor/OrvaneView.h"
#include "editor/SimulationRun.h"
#include "editor/ViewLogic.h"
#include "editor/ViewPrompter.h"
#include "engine/BarImage.h"
#include "engine/Clock.h"
#include "engine/Simulator.h"
#include "model/LoadPoint.h"
#include "shell/ChildFrm.h"
#include "shell/CoolDialogBar.h"
#include "shell/DocRecord.h"
#include "shell/HTMLView.h"
#include "shell/MainFrm.h"
#include "shell/NDLErrorsDlg.h"
#include "shell/Orvane.h"
#include "shell/Prompter.h"
#include "shell/RecentFileList.h"
#include "shell/ReportFigures.h"
#include "shell/SimulationProgressDlg.h"
#include "shell/SimulationProgressDlgThread.h"
#include "shell/SimulationResultDockableDlg.h"
#include "shell/Splash.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <thread>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_shell";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Runs the event loop, deferred deletions included, until pred holds or the time is up.
template <class Pred> bool WaitFor(Pred pred, int timeoutMs = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return true;
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// One question as it was asked.
struct Question {
    QMessageBox::Icon icon;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Answers the shell's questions from a queue (then with the default) and records them.
class AnsweringPrompter : public CPrompter {
public:
    AnsweringPrompter() { CPrompter::Install(this); }
    ~AnsweringPrompter() override { CPrompter::Install(nullptr); }

    QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) override {
        asked.push_back({icon, text, buttons});
        if (!answers.empty()) {
            const auto answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        }
        return fallback;
    }
    QString ChooseOpenFile(QWidget*, const QString& filter) override {
        filters.push_back(filter);
        return openFile;
    }
    QString ChooseSaveFile(QWidget*, const QString& suggested, const QString& filter) override {
        suggestions.push_back(suggested);
        filters.push_back(filter);
        return saveFile;
    }
    int Exec(QDialog& dialog) override {
        dialogs.push_back(dialog.windowTitle());
        if (onExec)
            onExec(dialog);
        return execResult;
    }

    std::vector<QMessageBox::StandardButton> answers;
    QMessageBox::StandardButton fallback = QMessageBox::No;
    std::vector<Question> asked;
    QString openFile;
    QString saveFile;
    std::vector<QString> suggestions;
    std::vector<QString> filters;
    std::vector<QString> dialogs;
    std::function<void(QDialog&)> onExec;
    int execResult = QDialog::Rejected;
};

// Answers the workspace view's message boxes with OK or Yes and opens no dialogs.
class ViewAnswers : public CViewPrompter {
public:
    QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) override {
        asked.push_back(text);
        return buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok;
    }
    bool EditProperties(QWidget*, CWidget&) override { return false; }
    bool EditWorkspaceSettings(QWidget*, COrvaneDoc&) override { return false; }
    bool EditSimulationSettings(QWidget*, CSimulationSettings&) override { return false; }
    QDialog* OpenNdlWindow(QWidget*, const QString&, std::function<std::string()>) override {
        return nullptr;
    }
    std::vector<QString> asked;
};

QStringList Items(const QMenu* menu) {
    QStringList items;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator() && a->isVisible())
            items << a->text();
    return items;
}

QStringList MenuTitles(const QMainWindow& window) {
    QStringList titles;
    for (const QAction* a : window.menuBar()->actions())
        titles << a->text();
    return titles;
}

QMenu* Menu(const QMainWindow& window, const QString& title) {
    for (QAction* a : window.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

std::string Examples(const std::string& name) {
    return std::string(ORVANE_EXAMPLES_DIR) + "/" + name;
}

std::string Golden(const std::string& name) {
    return std::string(ORVANE_GOLDEN_DIR) + "/" + name;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// ---------------------------------------------------------------------------------------------
// The progress window

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override { App(); }

    std::atomic<bool> stop{false};
    std::shared_ptr<CSimulationProgressDlgThread> sink =
        CSimulationProgressDlgThread::Create(&stop);
};

TEST(ProgressFormats, FieldTextsFollowTheEngineFigures) {
    EXPECT_EQ(CSimulationProgressDlg::SpeedText(12.3456), "12.35");
    EXPECT_EQ(CSimulationProgressDlg::SpeedText(0.004), "0.00");
    EXPECT_EQ(CSimulationProgressDlg::ElapsedText(187 / 60, 187 % 60), "3:07");
    EXPECT_EQ(CSimulationProgressDlg::ElapsedText(75, 0), "75:00");
    EXPECT_EQ(CSimulationProgressDlg::RemainingText(500, 12.5), "40.0");
    EXPECT_EQ(CSimulationProgressDlg::RemainingText(0, 3.0), "0.0");
    EXPECT_EQ(CSimulationProgressDlg::YearText(4500), "4500");
}

TEST(ProgressFormats, BarPositionIsAWholePercentWithoutOverflow) {
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(5, 1000), 0);
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(10, 1000), 1);
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(999, 1000), 99);
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(1000, 1000), 100);
    // 4e9 * 100 does not fit 32 bits.
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(4000000000u, 4000000000u), 100);
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(2000000000u, 4000000000u), 50);
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(1009, 1000), 100);
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(1010, 1000), -1);
    EXPECT_EQ(CSimulationProgressDlg::ProgressPercent(1, 0), -1);
}

TEST_F(ProgressTest, WindowShowsItsControlsWithTheirTexts) {
    CSimulationProgressDlg dlg(sink);
    EXPECT_EQ(dlg.windowTitle(), "Simulating...");
    const auto groups = dlg.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups[0]->title(), "Simulation satistics");
    QStringList labels;
    for (const QLabel* label : dlg.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            labels << label->text();
    EXPECT_EQ(labels, QStringList({"Speed (yrs/sec)", "Remaining time", "Time", "Year",
                                   "Please wait while simulation on progress."}));
    EXPECT_EQ(dlg.PauseButton()->text(), "&Pause");
    EXPECT_EQ(dlg.ResumeButton()->text(), "&Resume");
    EXPECT_EQ(dlg.CancelButton()->text(), "&Cancel");
    EXPECT_TRUE(dlg.PauseButton()->isEnabled());
    EXPECT_FALSE(dlg.ResumeButton()->isEnabled());
    const auto* bar = dlg.findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(dlg.IsCompleted());
    for (const QLineEdit* edit : dlg.findChildren<QLineEdit*>())
        EXPECT_TRUE(edit->isReadOnly());
}

TEST_F(ProgressTest, FiguresFromTheSimulationThreadReachTheFields) {
    CSimulationProgressDlg dlg(sink);
    std::thread engine([this] {
        sink->ShowSpeed(12.3456);
        sink->ShowYear(10);
        sink->ShowElapsed(3, 7);
        sink->ShowRemaining(500, 12.5);
        sink->ShowProgress(10, 1000);
    });
    engine.join();
    ASSERT_TRUE(WaitFor([&] { return dlg.ProgressValue() == 1; }));
    EXPECT_EQ(dlg.SpeedField(), "12.35");
    EXPECT_EQ(dlg.YearField(), "10");
    EXPECT_EQ(dlg.TimeField(), "3:07");
    EXPECT_EQ(dlg.RemainingField(), "40.0");

    // Past the last year the bar stays where it was, once the share passes 100.
    dlg.ShowProgress(1010, 1000);
    EXPECT_EQ(dlg.ProgressValue(), 1);
    dlg.ShowProgress(1009, 1000);
    EXPECT_EQ(dlg.ProgressValue(), 100);
    dlg.ShowProgress(5, 1000);
    EXPECT_EQ(dlg.ProgressValue(), 0);
}

TEST_F(ProgressTest, PauseAndResumeSwapTheButtonsAndHoldTheRun) {
    CSimulationProgressDlg dlg(sink);
    dlg.PauseButton()->click();
    EXPECT_TRUE(sink->IsPaused());
    EXPECT_FALSE(dlg.PauseButton()->isEnabled());
    EXPECT_TRUE(dlg.ResumeButton()->isEnabled());

    std::atomic<bool> returned{false};
    std::thread engine([&] {
        sink->ShowProgress(3, 100);
        returned = true;
    });
    QThread::msleep(100);
    EXPECT_FALSE(returned) << "a paused run waits in its yearly report";

    dlg.ResumeButton()->click();
    engine.join();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(sink->IsPaused());
    EXPECT_TRUE(dlg.PauseButton()->isEnabled());
    EXPECT_FALSE(dlg.ResumeButton()->isEnabled());
    EXPECT_FALSE(stop);
}

TEST_F(ProgressTest, CancelAnsweredNoLeavesTheRunAndTheWindow) {
    AnsweringPrompter prompter;
    prompter.answers = {QMessageBox::No};
    auto* dlg = new CSimulationProgressDlg(sink);
    QPointer<CSimulationProgressDlg> guard(dlg);
    int closed = 0;
    QObject::connect(dlg, &CSimulationProgressDlg::closed, [&] { ++closed; });
    dlg->show();
    dlg->CancelButton()->click();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Are you sure terminate this simulation?");
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Question);
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    Settle();
    EXPECT_FALSE(stop);
    EXPECT_EQ(closed, 0);
    ASSERT_TRUE(guard);
    EXPECT_TRUE(dlg->isVisible());
    delete dlg;
}

TEST_F(ProgressTest, CancelAnsweredYesStopsAPausedRunAndCloses) {
    AnsweringPrompter prompter;
    prompter.answers = {QMessageBox::Yes};
    auto* dlg = new CSimulationProgressDlg(sink);
    QPointer<CSimulationProgressDlg> guard(dlg);
    int closed = 0;
    QObject::connect(dlg, &CSimulationProgressDlg::closed, [&] { ++closed; });
    dlg->show();
    dlg->PauseButton()->click();
    std::thread engine([&] { sink->ShowProgress(7, 100); });
    QThread::msleep(50);
    dlg->CancelButton()->click();
    engine.join(); // woken by the cancel
    EXPECT_TRUE(stop);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(WaitFor([&] { return guard.isNull(); }));
}

TEST_F(ProgressTest, EscapeAsksLikeCancel) {
    AnsweringPrompter prompter;
    prompter.answers = {QMessageBox::No};
    CSimulationProgressDlg dlg(sink);
    dlg.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &escape);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Are you sure terminate this simulation?");
    EXPECT_FALSE(stop);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(ProgressTest, CloseBoxStopsWithoutAsking) {
    AnsweringPrompter prompter;
    auto* dlg = new CSimulationProgressDlg(sink);
    QPointer<CSimulationProgressDlg> guard(dlg);
    int closed = 0;
    QObject::connect(dlg, &CSimulationProgressDlg::closed, [&] { ++closed; });
    dlg->show();
    dlg->close();
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_TRUE(stop);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(WaitFor([&] { return guard.isNull(); }));
}

TEST_F(ProgressTest, EndOfRunQuestionAnsweredNoKeepsTheWindowAndCancelThenCloses) {
    AnsweringPrompter prompter;
    prompter.answers = {QMessageBox::No};
    auto* dlg = new CSimulationProgressDlg(sink);
    QPointer<CSimulationProgressDlg> guard(dlg);
    int closed = 0;
    QObject::connect(dlg, &CSimulationProgressDlg::closed, [&] { ++closed; });
    dlg->show();
    std::thread engine([this] { sink->ShowCompleted(); });
    engine.join();
    ASSERT_TRUE(WaitFor([&] { return dlg->IsCompleted(); }));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Simulation completed! You can view the result\nfrom Result "
                                      "Viewer.\n\nDo you want to close this dialog box?");
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Question);
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(closed, 0);

    dlg->CancelButton()->click();
    EXPECT_EQ(prompter.asked.size(), 1u) << "no second question after the run has ended";
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(stop);
    EXPECT_TRUE(WaitFor([&] { return guard.isNull(); }));
}

TEST_F(ProgressTest, EndOfRunQuestionAnsweredYesCloses) {
    AnsweringPrompter prompter;
    prompter.answers = {QMessageBox::Yes};
    auto* dlg = new CSimulationProgressDlg(sink);
    QPointer<CSimulationProgressDlg> guard(dlg);
    int closed = 0;
    QObject::connect(dlg, &CSimulationProgressDlg::closed, [&] { ++closed; });
    dlg->show();
    dlg->ShowCompleted();
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(stop);
    EXPECT_TRUE(WaitFor([&] { return guard.isNull(); }));
}

TEST_F(ProgressTest, ClosedWindowIgnoresTheEndOfTheRun) {
    AnsweringPrompter prompter;
    CSimulationProgressDlg dlg(sink);
    dlg.setAttribute(Qt::WA_DeleteOnClose, false);
    dlg.show();
    dlg.close();
    dlg.ShowCompleted();
    dlg.close();
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(ProgressTest, SinkPausesByItselfAtAYear) {
    sink->PauseAtYear(3);
    std::vector<uint32_t> seen;
    std::atomic<bool> done{false};
    std::thread engine([&] {
        for (uint32_t year = 1; year <= 5; ++year) {
            sink->ShowProgress(year, 5);
            seen.push_back(year);
        }
        done = true;
    });
    ASSERT_TRUE(WaitFor([&] { return sink->IsPaused(); }));
    QThread::msleep(50);
    EXPECT_FALSE(done);
    sink->Resume();
    engine.join();
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2, 3, 4, 5}));
}

// A real run of the engine through the sink: pausing holds it within one simulated year, and
// cancelling a paused run ends it without a final report.
TEST_F(ProgressTest, PausedEngineRunStopsWithinAYearOnCancel) {
    const std::string ndl = ReadAll(Examples("two-feeders.ndl"));
    ASSERT_FALSE(ndl.empty());
    TempDir dir;
    CSimulationProgressDlg dlg(sink);
    dlg.PauseButton()->click();
    std::atomic<uint32_t> pausedAt{0};
    QObject::connect(sink.get(), &CSimulationProgressDlgThread::pausedAtYear, &dlg,
                     [&](uint year) { pausedAt = year; });
    RunResult result;
    std::thread engine([&] {
        SteadyClock clock;
        RunRequest request;
        request.ndlText = ndl;
        request.networkName = "two-feeders";
        request.textPath = dir.File("two-feeders.txt");
        request.htmlPath = dir.File("two-feeders.htm");
        request.cancel = &stop;
        request.progress = sink.get();
        result = Simulator(clock).Run(request);
    });
    ASSERT_TRUE(WaitFor([&] { return pausedAt != 0u; }));
    EXPECT_EQ(pausedAt, 1u);
    ASSERT_TRUE(WaitFor([&] { return dlg.YearField() == "1"; }));
    sink->Cancel();
    engine.join();
    EXPECT_EQ(result.status, RunStatus::Cancelled);
    EXPECT_EQ(result.years, 0u);
}

TEST_F(ProgressTest, EachRunHasItsOwnStopFlag) {
    auto first = std::make_shared<CSimulationParams>();
    auto second = std::make_shared<CSimulationParams>();
    auto sink1 = CSimulationProgressDlgThread::Create(&first->m_stop, first);
    auto sink2 = CSimulationProgressDlgThread::Create(&second->m_stop, second);
    sink1->Cancel();
    EXPECT_TRUE(first->m_stop);
    EXPECT_FALSE(second->m_stop);
    EXPECT_TRUE(sink1->IsStopRequested());
    EXPECT_FALSE(sink2->IsStopRequested());
}

// ---------------------------------------------------------------------------------------------
// Reports: the figures for the result form and the result viewer

TEST(ReportFiguresTest, ReadsTheSystemIndicesAndLoadPointsOfATextReport) {
    const ReportFigures f = ParseTextReport(ReadAll(Golden("two-feeders.txt")));
    ASSERT_TRUE(f.valid);
    EXPECT_EQ(f.years, "30000");
    EXPECT_EQ(f.time, "3:30");
    EXPECT_EQ(f.speed, "142.56");
    EXPECT_EQ(f.system.at("SAIFI").value, "0.60677");
    EXPECT_EQ(f.system.at("SAIFI").accuracy, "0.5%");
    EXPECT_EQ(f.system.at("SAIDI").value, "1.49259");
    EXPECT_EQ(f.system.at("SAIDI").accuracy, "0.7%");
    EXPECT_EQ(f.system.at("CAIFI").value, "1.34306");
    EXPECT_EQ(f.system.at("CAIFI").accuracy, "");
    EXPECT_EQ(f.system.at("CAIDI").value, "2.45962");
    EXPECT_EQ(f.system.at("ASUI").value, "0.00017039");
    EXPECT_EQ(f.system.at("ASAI").value, "0.99982961");
    EXPECT_EQ(f.system.at("ENS").value, "5.50957");
    EXPECT_EQ(f.system.at("ENS").accuracy, "1.7%");
    EXPECT_EQ(f.system.at("AENS").value, "0.01227");
    EXPECT_EQ(f.system.at("ACCI").value, "0.02716");
    ASSERT_EQ(f.loadPoints.size(), 5u);
    EXPECT_EQ(f.loadPoints[0].name, "Elm St");
    EXPECT_EQ(f.loadPoints[0].failureRate.value, "0.52143");
    EXPECT_EQ(f.loadPoints[0].failureRate.accuracy, "0.80%");
    EXPECT_EQ(f.loadPoints[0].outageDuration.value, "2.31324");
    EXPECT_EQ(f.loadPoints[0].unavailability.value, "1.20620");
    EXPECT_EQ(f.loadPoints[0].energyNotSupplied.value, "0.33774");
    EXPECT_EQ(f.loadPoints[4].name, "Hospital");
    EXPECT_EQ(f.loadPoints[4].energyNotSupplied.accuracy, "3.00%");
}

TEST(ReportFiguresTest, KeepsLongLoadPointNamesWhole) {
    const std::string text = "simulation years: 10, time: 0:01, speed: 10.00 years/sec    \n\n"
                             "|Load Point   |  Failure Rate |\n"
                             "|Industrial pa|  1.00000  1.0%|\n\n"
                             "SAIFI =   1.00000      1.0%\n"
                             "==========\nLoad Point: Industrial park = east\n"
                             "----------\nFailure Rate = 1.00000 (1.00%)\n\n";
    const ReportFigures f = ParseTextReport(text);
    ASSERT_EQ(f.loadPoints.size(), 1u);
    EXPECT_EQ(f.loadPoints[0].name, "Industrial park = east");
    EXPECT_EQ(f.loadPoints[0].failureRate.value, "1.00000");
    EXPECT_EQ(f.system.count("Industrial park"), 0u);
}

TEST(ReportFiguresTest, ParseErrorLeavesNoFigures) {
    const ReportFigures f = ParseTextReport("error: (L3 C7) unknown attribute 'lenght'\n");
    EXPECT_FALSE(f.valid);
    EXPECT_EQ(f.error, "error: (L3 C7) unknown attribute 'lenght'");
    EXPECT_TRUE(f.system.empty());
}

TEST(ReportFiguresTest, TextReportLiesBesideTheHtmlReport) {
    EXPECT_EQ(TextReportPath("/a/Net/Net.htm"), "/a/Net/Net.txt");
    EXPECT_EQ(TextReportPath("/a/v1.2/Net"), "/a/v1.2/Net.txt");
    EXPECT_FALSE(ReadReportFigures("/no/such/dir/Net.htm").valid);
    EXPECT_FALSE(ReadReportFigures("").valid);
}

TEST(ResultFormTest, FillsTheFieldsFromTheReport) {
    App();
    TempDir dir;
    fs::copy_file(Golden("two-feeders.txt"), dir.File("two-feeders.txt"));
    CSimulationResultDockableDlg form;
    const auto groups = form.findChildren<QGroupBox*>();
    QStringList titles;
    for (const QGroupBox* g : groups)
        titles << g->title();
    EXPECT_TRUE(titles.contains("System result values"));
    EXPECT_TRUE(titles.contains("Load Point Datasheet"));
    EXPECT_EQ(form.Field(0, "SAIFI"), "");

    form.ShowReport(dir.File("two-feeders.htm"));
    EXPECT_EQ(form.Field(0, "SAIFI"), "0.60677");
    EXPECT_EQ(form.Field(0, "SAIDI"), "1.49259");
    EXPECT_EQ(form.Field(0, "CAIFI"), "1.34306");
    EXPECT_EQ(form.Field(0, "CAIDI"), "2.45962");
    EXPECT_EQ(form.Field(0, "ASUI"), "0.00017039");
    EXPECT_EQ(form.Field(0, "ASAI"), "0.99982961");
    EXPECT_EQ(form.Field(0, "ENS"), "5.50957");
    EXPECT_EQ(form.Field(0, "ANES"), "0.01227");
    EXPECT_EQ(form.Field(0, "ACCI"), "0.02716");
    EXPECT_EQ(form.Field(1, "SAIFI"), "0.5%");
    EXPECT_EQ(form.Field(1, "SAIDI"), "0.7%");
    EXPECT_EQ(form.Field(1, "ENS"), "1.7%");
    // ASUI 0.00017039 at SAIDI's 0.7%, relative to ASAI.
    EXPECT_EQ(form.Field(1, "ASAI"), "0.00012%");
    EXPECT_EQ(form.Status(), "30000 years simulated in 3:30 (142.56 years/sec)");
    ASSERT_EQ(form.Datasheet()->topLevelItemCount(), 5);
    const QTreeWidgetItem* elm = form.Datasheet()->topLevelItem(0);
    EXPECT_EQ(elm->text(0), "Elm St");
    EXPECT_EQ(elm->text(1), "0.52143  0.80%");
    EXPECT_EQ(elm->text(4), "0.33774  1.17%");

    form.ShowReport(dir.File("missing.htm"));
    EXPECT_EQ(form.Field(0, "SAIFI"), "");
    EXPECT_EQ(form.Datasheet()->topLevelItemCount(), 0);
}

// A report directory as the GUI writes it: base/Bar.bmp and base/T/T.htm, T.txt.
struct ReportTree {
    TempDir dir;
    std::string html;
    ReportTree() {
        fs::create_directories(dir.Path() / "two-feeders");
        html = (dir.Path() / "two-feeders" / "two-feeders.htm").string();
        fs::copy_file(Golden("two-feeders.htm"), html);
        fs::copy_file(Golden("two-feeders.txt"), dir.Path() / "two-feeders" / "two-feeders.txt");
        WriteBarImage((dir.Path() / "Bar.bmp").string());
    }
};

TEST(HTMLViewTest, ShowsTheReportWithItsBarsAndJumpsToAnchors) {
    App();
    ReportTree tree;
    COrvaneDoc doc;
    CHTMLView view(&doc);
    view.resize(600, 400);
    view.show();
    view.Navigate(QString::fromStdString(tree.html));
    EXPECT_TRUE(view.toPlainText().contains("Network name :two-feeders"));
    EXPECT_TRUE(view.HasAnchor("Hospital"));
    EXPECT_TRUE(view.HasAnchor("Elm_20St"));
    const QVariant bar = view.document()->resource(
        QTextDocument::ImageResource,
        QUrl::fromLocalFile(QString::fromStdString((tree.dir.Path() / "Bar.bmp").string())));
    EXPECT_TRUE(bar.isValid()) << "the histogram bars are loaded from ../Bar.bmp";
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);

    view.Navigate(QString::fromStdString(tree.html + "#Hospital"));
    EXPECT_EQ(view.CurrentAnchor(), "Hospital");
    const int hospital = view.verticalScrollBar()->value();
    EXPECT_GT(hospital, 0);

    // A plain load point name finds its encoded anchor.
    view.Navigate(QString::fromStdString(tree.html + "#Elm St"));
    EXPECT_EQ(view.CurrentAnchor(), "Elm_20St");
    EXPECT_GT(view.verticalScrollBar()->value(), 0);
    EXPECT_LT(view.verticalScrollBar()->value(), hospital);

    view.Navigate(QString::fromStdString(tree.html));
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

TEST(HTMLViewTest, FollowsTheDocumentsAddresses) {
    App();
    ReportTree tree;
    COrvaneDoc doc;
    doc.SetResultPath(nullptr, tree.html);
    CHTMLView view(&doc);
    view.show();
    view.OnInitialUpdate();
    EXPECT_EQ(view.Address().toStdString(), tree.html);
    EXPECT_TRUE(view.toPlainText().contains("Overall Result"));

    doc.NotifyViews(nullptr, tree.html + "#Works");
    EXPECT_EQ(view.CurrentAnchor(), "Works");
    doc.NotifyViews(nullptr, "");
    EXPECT_EQ(view.CurrentAnchor(), "Works") << "an empty hint changes nothing";
}

TEST(HTMLViewTest, MissingReportShowsAPageSayingSo) {
    App();
    COrvaneDoc doc;
    CHTMLView view(&doc);
    view.Navigate("/no/such/dir/Net.htm#LP3");
    EXPECT_TRUE(view.toPlainText().contains("The page cannot be displayed"));
    EXPECT_TRUE(view.toPlainText().contains("/no/such/dir/Net.htm"));
    EXPECT_EQ(view.CurrentAnchor(), "");
}

// ---------------------------------------------------------------------------------------------
// Recent files

TEST(RecentFilesTest, KeepsSixMostRecentFirstInTheSettings) {
    App();
    TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("orvane.ini")), QSettings::IniFormat);
    CRecentFileList list(settings, 6);
    EXPECT_TRUE(list.Entries().isEmpty());
    for (int i = 1; i <= 7; ++i)
        list.Add(QString::fromStdString(dir.File("net" + std::to_string(i) + ".vlm")));
    ASSERT_EQ(list.Entries().size(), 6);
    EXPECT_EQ(list.Entries().front().toStdString(), dir.File("net7.vlm"));
    EXPECT_EQ(list.Entries().back().toStdString(), dir.File("net2.vlm"));

    // Opening a listed file again moves it to the front without duplicating it.
    list.Add(QString::fromStdString(dir.File("net4.vlm")));
    ASSERT_EQ(list.Entries().size(), 6);
    EXPECT_EQ(list.Entries()[0].toStdString(), dir.File("net4.vlm"));
    EXPECT_EQ(list.Entries()[1].toStdString(), dir.File("net7.vlm"));
    EXPECT_EQ(list.MenuText(0).toStdString(), "&1 " + dir.File("net4.vlm"));
    EXPECT_EQ(list.MenuText(5).toStdString(), "&6 " + dir.File("net2.vlm"));

    EXPECT_EQ(settings.value("Recent File List/File1").toString().toStdString(),
              dir.File("net4.vlm"));
    EXPECT_EQ(settings.value("Recent File List/File6").toString().toStdString(),
              dir.File("net2.vlm"));
    EXPECT_FALSE(settings.contains("Recent File List/File7"));

    CRecentFileList again(settings, 6);
    EXPECT_EQ(again.Entries(), list.Entries());
    again.Remove(QString::fromStdString(dir.File("net7.vlm")));
    EXPECT_EQ(again.Entries().size(), 5);
    EXPECT_EQ(CRecentFileList(settings, 6).Entries().size(), 5);
}

TEST(RecentFilesTest, MenuTextKeepsAmpersands) {
    App();
    TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("orvane.ini")), QSettings::IniFormat);
    CRecentFileList list(settings);
    list.Add(QString::fromStdString(dir.File("R&D.vlm")));
    EXPECT_EQ(list.MenuText(0).toStdString(), "&1 " + dir.File("R&&D.vlm"));
}

// ---------------------------------------------------------------------------------------------
// The application and its main window

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        CSplashWnd::EnableSplashScreen(false);
        settings = std::make_unique<QSettings>(QString::fromStdString(dir.File("orvane.ini")),
                                               QSettings::IniFormat);
        app = std::make_unique<COrvaneApp>(settings.get());
        reports = dir.Path() / "reports";
        fs::create_directories(reports);
        app->SetReportBaseDirectory(reports.string());
        app->SetViewPrompter(&viewAnswers);
    }
    void TearDown() override {
        app.reset();
        Settle();
    }

    bool Start(const QString& file = {}) {
        COrvaneApp::CommandLine line;
        line.splash = false;
        line.file = file;
        return app->InitInstance(line);
    }
    CMainFrame& Frame() { return *app->MainFrame(); }
    QAction* Act(const char* id) { return Frame().Action(QString::fromUtf8(id)); }

    // Copies an example network into the temporary directory and starts with it open.
    bool StartWithExample(const std::string& name) {
        const std::string path = dir.File(name);
        fs::copy_file(Examples(name), path);
        return Start(QString::fromStdString(path));
    }

    // Presses and releases the left button at a workspace point of a view.
    static void Click(COrvaneView* view, CPoint point) {
        const QPointF at = view->ViewportPoint(point);
        const QPointF global = view->viewport()->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &release);
    }

    TempDir dir;
    fs::path reports;
    std::unique_ptr<QSettings> settings;
    ViewAnswers viewAnswers;
    AnsweringPrompter prompter;
    std::unique_ptr<COrvaneApp> app;
};

TEST_F(ShellTest, CommandLineNamesAFileAndHiddenOptions) {
    auto line = COrvaneApp::ParseCommandLine({"orvane", "net.vlm"});
    EXPECT_TRUE(line.ok);
    EXPECT_EQ(line.file, "net.vlm");
    EXPECT_TRUE(line.splash);
    line = COrvaneApp::ParseCommandLine({"orvane", "--screenshot", "shots", "--reports", "out"});
    EXPECT_TRUE(line.ok);
    EXPECT_EQ(line.file, "");
    EXPECT_EQ(line.screenshotDir, "shots");
    EXPECT_EQ(line.reportDir, "out");
    EXPECT_FALSE(line.splash);
    EXPECT_FALSE(COrvaneApp::ParseCommandLine({"orvane", "--bogus"}).ok);
    EXPECT_FALSE(COrvaneApp::ParseCommandLine({"orvane", "a.vlm", "b.vlm"}).ok);
    EXPECT_FALSE(COrvaneApp::ParseCommandLine({"orvane", "--reports"}).ok);
}

TEST_F(ShellTest, StartsWithANewNetworkInAMaximisedWindow) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(Frame().Frames().size(), 1);
    CChildFrame* child = Frame().ActiveChild();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetKind(), CChildFrame::Kind::Network);
    EXPECT_EQ(child->windowTitle(), "VLM1");
    EXPECT_TRUE(child->isMaximized());
    EXPECT_EQ(Frame().windowTitle(), QString::fromUtf8("Orvane Series® - Orvane Velmoor  - VLM1"));
    EXPECT_EQ(child->NetworkView()->Title(), "VLM1");
    app->OnFileNew();
    EXPECT_EQ(Frame().ActiveChild()->windowTitle(), "VLM2");
}

TEST_F(ShellTest, StartsWithTheNetworkNamedOnTheCommandLine) {
    fs::copy_file(Examples("radial-feeder.vlm"), dir.File("radial-feeder.vlm"));
    ASSERT_TRUE(Start(QString::fromStdString(dir.File("radial-feeder.vlm"))));
    ASSERT_EQ(Frame().Frames().size(), 1);
    CChildFrame* child = Frame().ActiveChild();
    EXPECT_EQ(child->windowTitle(), "radial-feeder");
    EXPECT_TRUE(child->isMaximized());
    EXPECT_GT(child->Document()->Doc().GetLoadPoints().GetSize(), 0);
    EXPECT_EQ(app->RecentFiles().Entries().value(0).toStdString(), dir.File("radial-feeder.vlm"));
}

TEST_F(ShellTest, StartFailsOnAFileThatCannotBeRead) {
    EXPECT_FALSE(Start(QString::fromStdString(dir.File("missing.vlm"))));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Warning);
}

TEST_F(ShellTest, MenusWithoutADocument) {
    ASSERT_TRUE(Start());
    app->OnFileClose();
    Settle();
    ASSERT_EQ(Frame().Frames().size(), 0);
    EXPECT_EQ(Frame().CurrentMenuKind(), CMainFrame::MenuKind::None);
    EXPECT_EQ(MenuTitles(Frame()), QStringList({"&File", "&View", "&Help"}));
    EXPECT_EQ(Items(Menu(Frame(), "&File")),
              QStringList(
                  {"&New\tCtrl+N", "&Open...\tCtrl+O", "P&rint Setup...", "Recent File", "E&xit"}));
    EXPECT_EQ(Items(Menu(Frame(), "&View")), QStringList({"&Toolbar", "&Status Bar"}));
    EXPECT_EQ(Items(Menu(Frame(), "&Help")), QStringList({"&About Orvane Velmoor"}));
    EXPECT_EQ(Frame().windowTitle(), QString::fromUtf8("Orvane Series® - Orvane Velmoor "));
    EXPECT_FALSE(Act("ID_BUILD_SIMULATE")->isEnabled());
    EXPECT_FALSE(Act("ID_WIDGETS_FEEDER")->isEnabled());
    EXPECT_FALSE(Act("ID_FILE_SAVE")->isEnabled());
}

TEST_F(ShellTest, MenusOfANetworkWindow) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().CurrentMenuKind(), CMainFrame::MenuKind::Network);
    EXPECT_EQ(MenuTitles(Frame()), QStringList({"&File", "&Edit", "W&idgets", "Se&ttings", "&Build",
                                                "&View", "&Window", "&Help"}));
    EXPECT_EQ(Items(Menu(Frame(), "&File")),
              QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S",
                           "Save &As...", "&Import", "&Export", "&Print...\tCtrl+P",
                           "Print Pre&view", "P&rint Setup...", "Recent File", "E&xit"}));
    EXPECT_EQ(Items(Menu(Frame(), "&Edit")),
              QStringList({"&Undo\tCtrl+Z", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V"}));
    EXPECT_EQ(Items(Menu(Frame(), "W&idgets")),
              QStringList({"F&eeder", "&Circuit Breaker", "&Fuse", "&Recloser", "&Isolator",
                           "&Bus Bar", "&Load Point", "&Gen Source", "E&quipment"}));
    EXPECT_EQ(Items(Menu(Frame(), "Se&ttings")),
              QStringList({"&Workspace settings", "Simulation s&ettings"}));
    EXPECT_EQ(Items(Menu(Frame(), "&Build")),
              QStringList({"&Debug\t\tF&8", "&Simulate\t\tF&7", "Generate NDL\t\tF&9",
                           "Display NDL errors", "&Result viewer"}));
    EXPECT_EQ(Items(Menu(Frame(), "&View")), QStringList({"&Toolbar", "&Status Bar", "T&oggle",
                                                          "Zoom in\tCtrl +", "Zoom out\tCtrl -"}));
    emit Menu(Frame(), "&Window")->aboutToShow();
    EXPECT_EQ(Items(Menu(Frame(), "&Window")),
              QStringList(
                  {"&Cascade", "&Arrange Icons", "Horizontal &Tile", "Vertical T&ile", "&1 VLM1"}));
    EXPECT_EQ(Items(Menu(Frame(), "&Help")), QStringList({"&About Orvane Velmoor"}));

    // No handlers: always disabled.
    for (const char* id : {"ID_FILE_IMPORT", "ID_FILE_EXPORT", "ID_EDIT_UNDO", "ID_EDIT_CUT",
                           "ID_EDIT_COPY", "ID_EDIT_PASTE"})
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    for (const char* id : {"ID_BUILD_SIMULATE", "ID_BUILD_DEBUG", "ID_WIDGETS_FEEDER",
                           "ID_VIEW_ZOOM_IN", "ID_FILE_SAVE", "ID_FILE_PRINT"})
        EXPECT_TRUE(Act(id)->isEnabled()) << id;
    EXPECT_TRUE(Act("ID_VIEW_TOGGLE")->isChecked());
    EXPECT_TRUE(Act("ID_VIEW_TOOLBAR")->isChecked());
    EXPECT_TRUE(Act("ID_VIEW_STATUS_BAR")->isChecked());
}

TEST_F(ShellTest, MenusOfAResultViewerLeaveOutWidgetsAndZoom) {
    ASSERT_TRUE(Start());
    Frame().OnResultViewer();
    ASSERT_EQ(Frame().ActiveChild()->GetKind(), CChildFrame::Kind::Result);
    EXPECT_EQ(Frame().CurrentMenuKind(), CMainFrame::MenuKind::Result);
    EXPECT_EQ(MenuTitles(Frame()),
              QStringList({"&File", "&Edit", "Se&ttings", "&Build", "&View", "&Window", "&Help"}));
    EXPECT_EQ(Items(Menu(Frame(), "&View")), QStringList({"&Toolbar", "&Status Bar", "T&oggle"}));
    // The view's commands have no handler in a result viewer.
    EXPECT_FALSE(Act("ID_BUILD_SIMULATE")->isEnabled());
    EXPECT_FALSE(Act("ID_VIEW_TOGGLE")->isEnabled());
    EXPECT_TRUE(Act("ID_FILE_SAVE")->isEnabled());
}

TEST_F(ShellTest, AcceleratorsOfTheCommands) {
    ASSERT_TRUE(Start());
    const auto keys = [&](const char* id) {
        QStringList list;
        for (const QKeySequence& k : Act(id)->shortcuts())
            list << k.toString(QKeySequence::PortableText);
        return list;
    };
    EXPECT_EQ(keys("ID_FILE_NEW"), QStringList({"Ctrl+N"}));
    EXPECT_EQ(keys("ID_FILE_OPEN"), QStringList({"Ctrl+O"}));
    EXPECT_EQ(keys("ID_FILE_SAVE"), QStringList({"Ctrl+S"}));
    EXPECT_EQ(keys("ID_FILE_PRINT"), QStringList({"Ctrl+P"}));
    EXPECT_EQ(keys("ID_EDIT_UNDO"), QStringList({"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_EQ(keys("ID_EDIT_CUT"), QStringList({"Ctrl+X", "Shift+Del"}));
    EXPECT_EQ(keys("ID_EDIT_COPY"), QStringList({"Ctrl+C", "Ctrl+Ins"}));
    EXPECT_EQ(keys("ID_EDIT_PASTE"), QStringList({"Ctrl+V", "Shift+Ins"}));
    EXPECT_EQ(keys("ID_NEXT_PANE"), QStringList({"F6"}));
    EXPECT_EQ(keys("ID_PREV_PANE"), QStringList({"Shift+F6"}));
    EXPECT_EQ(keys("ID_BUILD_SIMULATE"), QStringList({"F7"}));
    EXPECT_EQ(keys("ID_BUILD_DEBUG"), QStringList({"F8"}));
    EXPECT_EQ(keys("ID_BUILD_GENERATE_NDL"), QStringList({"F9"}));
    EXPECT_EQ(keys("ID_VIEW_ZOOM_IN"), QStringList({"Alt++"}));
    EXPECT_EQ(keys("ID_VIEW_ZOOM_OUT"), QStringList({"Alt+-"}));
}

TEST_F(ShellTest, ZoomAcceleratorReachesTheActiveView) {
    ASSERT_TRUE(Start());
    COrvaneView* view = Frame().ActiveNetworkView();
    Act("ID_VIEW_ZOOM_IN")->trigger();
    EXPECT_EQ(view->Zoom(), 123);
    Act("ID_VIEW_ZOOM_OUT")->trigger();
    Act("ID_VIEW_ZOOM_OUT")->trigger();
    EXPECT_EQ(view->Zoom(), 103);
    Act("ID_WIDGETS_FUSE")->trigger();
    EXPECT_EQ(view->Zoom(), 113);
    EXPECT_TRUE(Act("ID_WIDGETS_FUSE")->isChecked());
    EXPECT_FALSE(Act("ID_WIDGETS_FEEDER")->isChecked());
    Act("ID_SELECT")->trigger();
    EXPECT_TRUE(Act("ID_SELECT")->isChecked());
    EXPECT_FALSE(Act("ID_WIDGETS_FUSE")->isChecked());
    Act("ID_VIEW_TOGGLE")->trigger();
    EXPECT_FALSE(Act("ID_VIEW_TOGGLE")->isChecked());
    EXPECT_EQ(view->GetDocument().m_toggle, 0);
}

TEST_F(ShellTest, PromptsAndToolTipsOfTheProgramsCommands) {
    ASSERT_TRUE(Start());
    const std::vector<std::tuple<const char*, const char*, const char*>> expected = {
        {"ID_WIDGETS_FEEDER", "Feeder", "Feeder"},
        {"ID_WIDGETS_CIRCUIT_BREAKER", "Circuit Breaker", "Circuit Breaker"},
        {"ID_WIDGETS_FUSE", "Fuse", "Fuse"},
        {"ID_WIDGETS_RECLOSER", "Recloser", "Recloser"},
        {"ID_WIDGETS_ISOLATOR", "Isolator", "Isolator"},
        {"ID_WIDGETS_BUS_BAR", "Bus Bar", "Bus Bar"},
        {"ID_WIDGETS_LOAD_POINT", "Load Point", "Load Point"},
        {"ID_WIDGETS_GEN_SOURCE", "Gen Source", "Gen Source"},
        {"ID_WIDGETS_EQUIPMENT", "Equipment", "Equipment"},
        {"ID_VIEW_TOGGLE", "Toggle", "Toggle"},
        {"ID_SELECT", "Select", "Select"},
        {"ID_SETTINGS_WORKSPACE", "Workspace settings", "Workspace settings"},
        {"ID_VIEW_ZOOM_IN", "Zoom in", "Zoom in"},
        {"ID_VIEW_ZOOM_OUT", "Zoom out", "Zoom out"},
        {"ID_BUILD_NDL_ERRORS", "Display NDL errors", "Display NDL errors"},
        {"ID_BUILD_RESULT_VIEWER", "Result viewer", "Result viewer"},
        {"ID_SETTINGS_SIMULATION", "Simulation settings", "Simulation settings"},
        {"ID_BUILD_SIMULATE", "Start the simulation F7", "Simulate F7"},
        {"ID_BUILD_DEBUG", "Debug Drawing/Settings F8", "Debug Drawing/Settings F8"},
        {"ID_BUILD_GENERATE_NDL", "Generate Network Description Language F9",
         "Generate Network Description Language F9"},
        {"ID_SIMULATION_RESULT_VIEWER", "Simulation result dockable dialog",
         "Simulation result dockable dialog"},
    };
    for (const auto& [id, prompt, tip] : expected) {
        EXPECT_EQ(Act(id)->statusTip(), prompt) << id;
        EXPECT_EQ(Act(id)->toolTip(), tip) << id;
    }
}

TEST_F(ShellTest, ToolbarsHoldTheirButtonsInOrder) {
    ASSERT_TRUE(Start());
    const auto ids = [](const QToolBar* bar) {
        QStringList list;
        for (const QAction* a : bar->actions())
            list << (a->isSeparator() ? "|" : a->objectName().isEmpty() ? "-" : a->objectName());
        return list;
    };
    EXPECT_EQ(ids(Frame().TopToolBar()), QStringList({"ID_FILE_NEW",
                                                      "ID_FILE_OPEN",
                                                      "ID_FILE_SAVE",
                                                      "|",
                                                      "ID_EDIT_CUT",
                                                      "ID_EDIT_COPY",
                                                      "ID_EDIT_PASTE",
                                                      "|",
                                                      "ID_FILE_PRINT",
                                                      "|",
                                                      "ID_BUILD_DEBUG",
                                                      "ID_BUILD_GENERATE_NDL",
                                                      "ID_BUILD_SIMULATE",
                                                      "|",
                                                      "ID_SETTINGS_WORKSPACE",
                                                      "ID_SETTINGS_SIMULATION",
                                                      "|",
                                                      "ID_VIEW_ZOOM_IN",
                                                      "ID_VIEW_ZOOM_OUT",
                                                      "|",
                                                      "ID_APP_ABOUT"}));
    EXPECT_EQ(ids(Frame().LeftToolBar()), QStringList({"ID_SELECT",
                                                       "ID_WIDGETS_FEEDER",
                                                       "|",
                                                       "ID_WIDGETS_CIRCUIT_BREAKER",
                                                       "ID_WIDGETS_FUSE",
                                                       "ID_WIDGETS_RECLOSER",
                                                       "ID_WIDGETS_ISOLATOR",
                                                       "|",
                                                       "ID_WIDGETS_BUS_BAR",
                                                       "ID_WIDGETS_LOAD_POINT",
                                                       "ID_WIDGETS_GEN_SOURCE",
                                                       "ID_WIDGETS_EQUIPMENT",
                                                       "-",
                                                       "|",
                                                       "ID_VIEW_TOGGLE",
                                                       "ID_BUILD_NDL_ERRORS",
                                                       "ID_BUILD_RESULT_VIEWER",
                                                       "ID_SIMULATION_RESULT_VIEWER",
                                                       "|",
                                                       "-",
                                                       "-",
                                                       "-",
                                                       "-"}));
    for (const QAction* a : Frame().LeftToolBar()->actions()) {
        if (!a->isSeparator() && a->objectName().isEmpty()) {
            EXPECT_FALSE(a->isEnabled()) << "a button without a command is disabled";
        }
    }
    EXPECT_EQ(Frame().toolBarArea(Frame().TopToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(Frame().toolBarArea(Frame().LeftToolBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(Frame().TopToolBar()->iconSize(), QSize(16, 15));
    EXPECT_TRUE(Frame().LeftToolBar()->isFloatable());

    Act("ID_VIEW_TOOLBAR")->trigger();
    EXPECT_TRUE(Frame().TopToolBar()->isHidden());
    Act("ID_VIEW_TOOLBAR")->trigger();
    EXPECT_FALSE(Frame().TopToolBar()->isHidden());
}

TEST_F(ShellTest, StatusBarPanes) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().MessagePane()->text(),
              "Select & right click to bring up component dialog box");
    QStringList indicators;
    for (const QLabel* pane : Frame().IndicatorPanes())
        indicators << pane->text();
    EXPECT_EQ(indicators, QStringList({"CAP", "NUM", "SCRL"}));

    COrvaneView* view = Frame().ActiveNetworkView();
    emit view->pointerMoved("x=120", "y=45");
    EXPECT_EQ(Frame().XPane()->text(), "x=120");
    EXPECT_EQ(Frame().YPane()->text(), "y=45");
    EXPECT_EQ(Frame().XPane()->width(), 7 * 5);

    Act("ID_VIEW_STATUS_BAR")->trigger();
    EXPECT_TRUE(Frame().statusBar()->isHidden());
}

TEST_F(ShellTest, AboutBox) {
    ASSERT_TRUE(Start());
    QStringList texts;
    bool hasOk = false;
    prompter.onExec = [&](QDialog& dialog) {
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            texts << label->text();
        for (const QPushButton* b : dialog.findChildren<QPushButton*>())
            hasOk = hasOk || b->text().remove('&') == "OK";
    };
    Act("ID_APP_ABOUT")->trigger();
    ASSERT_EQ(prompter.dialogs.size(), 1u);
    EXPECT_EQ(prompter.dialogs[0], "About Orvane");
    EXPECT_TRUE(texts.contains("Orvane Version 1.0 beta"));
    EXPECT_TRUE(hasOk);
}

TEST_F(ShellTest, SplashGoesAtTheFirstKeyAndThereIsOnlyOne) {
    CSplashWnd::EnableSplashScreen(true);
    QWidget redraw;
    CSplashWnd::ShowSplashScreen(&redraw);
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(420, 260));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    CSplashWnd::ShowSplashScreen(&redraw);
    EXPECT_EQ(CSplashWnd::Current(), splash);

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier);
    QApplication::sendEvent(&redraw, &key);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    CSplashWnd::EnableSplashScreen(false);
}

TEST_F(ShellTest, SplashGoesAtAMouseButtonOrAfterItsTime) {
    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(nullptr);
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    QWidget target;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    CSplashWnd::ShowSplashScreen(nullptr);
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    EXPECT_FALSE(WaitFor([] { return CSplashWnd::Current() == nullptr; }, 2000));
    EXPECT_TRUE(WaitFor([] { return CSplashWnd::Current() == nullptr; }, 2000));
    CSplashWnd::EnableSplashScreen(false);
}

TEST_F(ShellTest, NdlErrorsBarBeforeAnyDebugIsEmptyAtTheBottom) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().NdlErrorsBar(), nullptr);
    Act("ID_BUILD_NDL_ERRORS")->trigger();
    ASSERT_NE(Frame().NdlErrorsBar(), nullptr);
    EXPECT_EQ(Frame().NdlErrorsBar()->windowTitle(), "NDL Errors");
    EXPECT_EQ(Frame().dockWidgetArea(Frame().NdlErrorsBar()), Qt::BottomDockWidgetArea);
    EXPECT_TRUE(Frame().NdlErrorsBar()->isVisible());
    EXPECT_EQ(Frame().NdlErrorsDlg()->Count(), 0);

    // Closing hides it; the command shows the same bar again.
    CCoolDialogBar* bar = Frame().NdlErrorsBar();
    bar->close();
    EXPECT_FALSE(bar->isVisible());
    Act("ID_BUILD_NDL_ERRORS")->trigger();
    EXPECT_EQ(Frame().NdlErrorsBar(), bar);
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(ShellTest, SimulationResultViewerBarIsDockedRight) {
    ASSERT_TRUE(Start());
    Act("ID_SIMULATION_RESULT_VIEWER")->trigger();
    ASSERT_NE(Frame().ResultBar(), nullptr);
    EXPECT_EQ(Frame().ResultBar()->windowTitle(), "Simulation result viewer");
    EXPECT_EQ(Frame().dockWidgetArea(Frame().ResultBar()), Qt::RightDockWidgetArea);
    EXPECT_EQ(Frame().ResultDlg()->Field(0, "SAIFI"), "");
}

TEST_F(ShellTest, ResultViewerOpensOnceAndAgainAfterClosing) {
    ASSERT_TRUE(Start());
    app->OnFileClose();
    Settle();
    Act("ID_BUILD_RESULT_VIEWER")->trigger();
    EXPECT_FALSE(Frame().IsResultViewerOpen()) << "no network window active";
    EXPECT_EQ(Frame().Frames().size(), 0);

    app->OnFileNew();
    CChildFrame* network = Frame().ActiveChild();
    Act("ID_BUILD_RESULT_VIEWER")->trigger();
    EXPECT_TRUE(Frame().IsResultViewerOpen());
    Frame().MdiArea()->setActiveSubWindow(network);
    Act("ID_BUILD_RESULT_VIEWER")->trigger();
    EXPECT_EQ(Frame().Frames().size(), 2);
    CChildFrame* viewer = Frame().ResultViewerFrame();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->Document(), network->Document());
    EXPECT_EQ(viewer->windowTitle(), "VLM2:2");
    EXPECT_EQ(network->windowTitle(), "VLM2:1");

    viewer->close();
    ASSERT_TRUE(WaitFor([&] { return !Frame().IsResultViewerOpen(); }));
    EXPECT_EQ(Frame().Frames().size(), 1);
    ASSERT_TRUE(WaitFor([&] { return network->windowTitle() == "VLM2"; }));
    Frame().MdiArea()->setActiveSubWindow(network);
    Act("ID_BUILD_RESULT_VIEWER")->trigger();
    EXPECT_TRUE(Frame().IsResultViewerOpen());
    EXPECT_EQ(Frame().Frames().size(), 2);
}

TEST_F(ShellTest, SaveAsWritesTheFileAndRetitles) {
    ASSERT_TRUE(Start());
    CChildFrame* child = Frame().ActiveChild();
    child->Document()->Doc().SetModified();
    prompter.saveFile = QString::fromStdString(dir.File("feeder2"));
    ASSERT_TRUE(app->OnFileSaveAs());
    EXPECT_EQ(prompter.suggestions.at(0), "VLM1.vlm");
    EXPECT_EQ(prompter.filters.at(0), "Velmoor Files (*.vlm)");
    EXPECT_TRUE(fs::exists(dir.File("feeder2.vlm")));
    EXPECT_EQ(child->windowTitle(), "feeder2");
    EXPECT_EQ(child->NetworkView()->Title(), "feeder2");
    EXPECT_FALSE(child->Document()->Doc().IsModified());
    EXPECT_EQ(app->RecentFiles().Entries().value(0).toStdString(), dir.File("feeder2.vlm"));
    emit Menu(Frame(), "&File")->aboutToShow();
    EXPECT_TRUE(Items(Menu(Frame(), "&File"))
                    .contains(QString::fromStdString("&1 " + dir.File("feeder2.vlm"))));
    EXPECT_FALSE(Items(Menu(Frame(), "&File")).contains("Recent File"));

    // Save writes to the same file without asking.
    child->Document()->Doc().SetModified();
    prompter.saveFile.clear();
    ASSERT_TRUE(app->OnFileSave());
    EXPECT_EQ(prompter.suggestions.size(), 1u);

    // The saved file opens again, and opening it twice brings its window forward.
    app->OnFileClose();
    Settle();
    CChildFrame* reopened = app->OpenDocumentFile(QString::fromStdString(dir.File("feeder2.vlm")));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(app->OpenDocumentFile(QString::fromStdString(dir.File("feeder2.vlm"))), reopened);
    EXPECT_EQ(Frame().Frames().size(), 1);
}

TEST_F(ShellTest, OpenAsksForAVelmoorFile) {
    ASSERT_TRUE(Start());
    fs::copy_file(Examples("two-feeders.vlm"), dir.File("two-feeders.vlm"));
    prompter.openFile = QString::fromStdString(dir.File("two-feeders.vlm"));
    Act("ID_FILE_OPEN")->trigger();
    ASSERT_EQ(prompter.filters.size(), 1u);
    EXPECT_TRUE(prompter.filters[0].startsWith("Velmoor Files (*.vlm)"));
    ASSERT_EQ(Frame().Frames().size(), 2);
    EXPECT_EQ(Frame().ActiveChild()->windowTitle(), "two-feeders");
}

TEST_F(ShellTest, RecentFileThatHasGoneLeavesTheList) {
    fs::copy_file(Examples("radial-feeder.vlm"), dir.File("a.vlm"));
    ASSERT_TRUE(Start(QString::fromStdString(dir.File("a.vlm"))));
    app->OnFileClose();
    Settle();
    fs::remove(dir.File("a.vlm"));
    app->OnOpenRecentFile(0);
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_TRUE(app->RecentFiles().Entries().isEmpty());
}

TEST_F(ShellTest, ClosingAModifiedNetworkAsksToSave) {
    ASSERT_TRUE(Start());
    CChildFrame* child = Frame().ActiveChild();
    child->Document()->Doc().SetModified();
    QPointer<CChildFrame> guard(child);

    prompter.answers = {QMessageBox::Cancel};
    child->close();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Save changes to VLM1?");
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    Settle();
    EXPECT_TRUE(guard);

    // With the result viewer open on the same network, closing one window does not ask.
    Frame().OnResultViewer();
    child->close();
    EXPECT_EQ(prompter.asked.size(), 1u);
    ASSERT_TRUE(WaitFor([&] { return guard.isNull(); }));
    ASSERT_EQ(Frame().Frames().size(), 1);

    // The last window asks; No closes without saving.
    prompter.answers = {QMessageBox::No};
    Frame().Frames()[0]->close();
    EXPECT_EQ(prompter.asked.size(), 2u);
    ASSERT_TRUE(WaitFor([&] { return Frame().Frames().isEmpty(); }));
    EXPECT_TRUE(WaitFor([&] { return app->Documents().empty(); }));
}

TEST_F(ShellTest, ExitAsksForEveryModifiedNetworkAndCancelKeepsRunning) {
    ASSERT_TRUE(Start());
    Frame().ActiveChild()->Document()->Doc().SetModified();
    app->OnFileNew();
    Frame().ActiveChild()->Document()->Doc().SetModified();
    prompter.answers = {QMessageBox::No, QMessageBox::Cancel};
    EXPECT_FALSE(Frame().close());
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].text, "Save changes to VLM1?");
    EXPECT_EQ(prompter.asked[1].text, "Save changes to VLM2?");
    EXPECT_EQ(Frame().Frames().size(), 2);

    prompter.answers = {QMessageBox::No, QMessageBox::No};
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(prompter.asked.size(), 4u) << "each document is asked about once";
}

TEST_F(ShellTest, PrintsTheWorkspaceToAPrinter) {
    ASSERT_TRUE(StartWithExample("two-feeders.vlm"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("net.pdf")));
    Frame().PrintTo(printer);
    ASSERT_TRUE(fs::exists(dir.File("net.pdf")));
    EXPECT_GT(fs::file_size(dir.File("net.pdf")), 1000u);
    EXPECT_EQ(ReadAll(dir.File("net.pdf")).substr(0, 5), "%PDF-");

    // Print asks through the print dialog; cancelling prints nothing.
    Act("ID_FILE_PRINT")->trigger();
    Act("ID_FILE_PRINT_PREVIEW")->trigger();
    Act("ID_FILE_PRINT_SETUP")->trigger();
    EXPECT_EQ(prompter.dialogs.size(), 3u);
}

// ---------------------------------------------------------------------------------------------
// Whole runs through the real windows

TEST_F(ShellTest, ExampleChecksSimulatesAndShowsALoadPointInTheViewer) {
    ASSERT_TRUE(StartWithExample("two-feeders.vlm"));
    COrvaneView* view = Frame().ActiveNetworkView();
    ASSERT_NE(view, nullptr);

    Act("ID_BUILD_DEBUG")->trigger();
    ASSERT_EQ(viewAnswers.asked.size(), 1u);
    EXPECT_EQ(viewAnswers.asked[0], "Checking completed : No error found!");
    ASSERT_NE(Frame().NdlErrorsDlg(), nullptr);
    EXPECT_EQ(Frame().NdlErrorsDlg()->Count(), 0);

    Act("ID_SIMULATION_RESULT_VIEWER")->trigger();
    // The end-of-run question is answered No: the window stays with the final figures.
    prompter.answers = {QMessageBox::No};
    Act("ID_BUILD_SIMULATE")->trigger();
    EXPECT_TRUE(view->IsSimulationRunning());
    QPointer<CSimulationProgressDlg> progress = Frame().LastProgressWindow();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitFor([&] { return progress && progress->IsCompleted(); }, 60000));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, CSimulationProgressDlg::CompletedQuestion);
    EXPECT_EQ(progress->ProgressValue(), 100);
    EXPECT_EQ(progress->YearField(), "30000");
    EXPECT_TRUE(view->IsSimulationRunning()) << "the window is still open";

    const fs::path html = reports / "two-feeders" / "two-feeders.htm";
    EXPECT_EQ(view->GetDocument().GetResultPath(), html.string());
    EXPECT_TRUE(fs::exists(html));
    EXPECT_TRUE(fs::exists(reports / "Bar.bmp"));
    // The result form follows the finished report.
    ASSERT_TRUE(WaitFor([&] { return Frame().ResultDlg()->Field(0, "SAIFI") == "0.60677"; }));

    // Cancel after the end closes without a second question.
    progress->CancelButton()->click();
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_FALSE(view->IsSimulationRunning());
    ASSERT_TRUE(WaitFor([&] { return progress.isNull(); }));

    Act("ID_BUILD_RESULT_VIEWER")->trigger();
    CChildFrame* viewer = Frame().ResultViewerFrame();
    ASSERT_NE(viewer, nullptr);
    CHTMLView* html_view = viewer->ResultView();
    EXPECT_EQ(html_view->Address().toStdString(), html.string());
    EXPECT_TRUE(html_view->toPlainText().contains("Network name :two-feeders"));

    // A click on the load point "Elm St" in the workspace jumps to its section.
    Frame().MdiArea()->setActiveSubWindow(Frame().Frames()[0]);
    view->OnSelect();
    const CLoadPointCollection& loads = view->GetDocument().GetLoadPoints();
    const CLoadPoint* elm = nullptr;
    for (int i = 0; i < loads.GetSize(); ++i)
        if (loads.GetAt(i)->m_name == "Elm St")
            elm = loads.GetAt(i);
    ASSERT_NE(elm, nullptr);
    Click(view, elm->GetPoint1());
    EXPECT_EQ(html_view->Address().toStdString(), html.string() + "#Elm_20St");
    EXPECT_EQ(html_view->CurrentAnchor(), "Elm_20St");
}

TEST_F(ShellTest, DebugListsUnconnectedComponentsAndADoubleClickSelectsOne) {
    ASSERT_TRUE(Start());
    COrvaneView* view = Frame().ActiveNetworkView();
    COrvaneDoc& doc = view->GetDocument();
    CLoadPoint* lonely = doc.GetLoadPoints().Add(CPoint{300, 80}, 1u, 0u);
    doc.m_typeOrder.push_back("Load Point");

    Act("ID_BUILD_DEBUG")->trigger();
    ASSERT_EQ(viewAnswers.asked.size(), 1u);
    EXPECT_EQ(viewAnswers.asked[0], "Checking completed : Errors found in VLM1.vlm");
    CNDLErrorsDlg* list = Frame().NdlErrorsDlg();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->LineAt(0), "Load Point at  (300, 80)  not connected");
    EXPECT_EQ(list->WidgetAt(0), lonely);
    EXPECT_TRUE(Frame().NdlErrorsBar()->isVisible());

    EXPECT_TRUE(view->Selection().empty());
    emit list->List()->itemDoubleClicked(list->List()->item(0));
    ASSERT_EQ(view->Selection().size(), 1u);
    EXPECT_EQ(view->Selection()[0], lonely);
    EXPECT_TRUE(view->IsSelectMode());
    EXPECT_TRUE(Act("ID_SELECT")->isChecked());
}

TEST_F(ShellTest, PauseResumeAndCancelALongRun) {
    ASSERT_TRUE(StartWithExample("two-feeders.vlm"));
    COrvaneView* view = Frame().ActiveNetworkView();
    // Paused before its first year, the run can be watched at leisure.
    QObject::connect(&Frame(), &CMainFrame::progressWindowOpened,
                     [](CSimulationProgressDlg* dlg) { dlg->PauseButton()->click(); });
    int ended = -1;
    QObject::connect(view, &COrvaneView::simulationEnded, [&](int status) { ended = status; });
    Act("ID_BUILD_SIMULATE")->trigger();
    QPointer<CSimulationProgressDlg> progress = Frame().LastProgressWindow();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitFor([&] { return progress->YearField() == "1"; }));
    QThread::msleep(100);
    Settle();
    EXPECT_EQ(progress->YearField(), "1") << "held at its first year";
    EXPECT_TRUE(progress->IsPaused());
    std::shared_ptr<CSimulationParams> first = view->LastRunParams();
    ASSERT_TRUE(first);

    // Resume, and pause again at a later year through the same sink.
    progress->Sink()->PauseAtYear(2500);
    progress->ResumeButton()->click();
    ASSERT_TRUE(WaitFor([&] { return progress->YearField() == "2500"; }));
    ASSERT_TRUE(WaitFor([&] { return !progress->PauseButton()->isEnabled(); }));
    EXPECT_TRUE(progress->ResumeButton()->isEnabled());
    EXPECT_EQ(progress->ProgressValue(), 2500 * 100 / 30000);

    // Cancel answered No changes nothing; Yes stops the paused run and closes the window.
    prompter.answers = {QMessageBox::No, QMessageBox::Yes};
    progress->CancelButton()->click();
    EXPECT_FALSE(first->m_stop);
    EXPECT_TRUE(progress);
    progress->CancelButton()->click();
    EXPECT_TRUE(first->m_stop);
    EXPECT_FALSE(view->IsSimulationRunning());
    ASSERT_TRUE(WaitFor([&] { return ended != -1; }));
    EXPECT_EQ(ended, static_cast<int>(RunStatus::Cancelled));
    ASSERT_TRUE(WaitFor([&] { return progress.isNull(); }));

    // A new run gets a block of its own: the old stop request stands.
    Act("ID_BUILD_SIMULATE")->trigger();
    std::shared_ptr<CSimulationParams> second = view->LastRunParams();
    ASSERT_NE(second, first);
    EXPECT_TRUE(first->m_stop);
    EXPECT_FALSE(second->m_stop);
    QPointer<CSimulationProgressDlg> again = Frame().LastProgressWindow();
    ASSERT_TRUE(again);
    again->close();
    EXPECT_TRUE(second->m_stop);
    EXPECT_FALSE(view->IsSimulationRunning());
}

TEST_F(ShellTest, TwoNetworksOneSimulatesWhileTheOtherIsEdited) {
    ASSERT_TRUE(StartWithExample("two-feeders.vlm"));
    CChildFrame* running = Frame().ActiveChild();
    QObject::connect(&Frame(), &CMainFrame::progressWindowOpened,
                     [](CSimulationProgressDlg* dlg) { dlg->Sink()->PauseAtYear(100); });
    Act("ID_BUILD_SIMULATE")->trigger();
    QPointer<CSimulationProgressDlg> progress = Frame().LastProgressWindow();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitFor([&] { return progress->YearField() == "100"; }));

    // The second network is drawn on while the first one's run is held.
    CChildFrame* edited = app->OnFileNew();
    COrvaneView* view = edited->NetworkView();
    EXPECT_EQ(Frame().ActiveNetworkView(), view);
    Act("ID_WIDGETS_LOAD_POINT")->trigger();
    Click(view, CPoint{200, 150});
    Click(view, CPoint{400, 150});
    EXPECT_EQ(view->GetDocument().GetLoadPoints().GetSize(), 2);
    EXPECT_TRUE(view->GetDocument().IsModified());
    EXPECT_FALSE(view->IsSimulationRunning());
    EXPECT_EQ(running->Document()->Doc().GetLoadPoints().GetSize(), 5);

    prompter.answers = {QMessageBox::Yes};
    progress->OnResume();
    ASSERT_TRUE(WaitFor([&] { return progress.isNull(); }, 60000));
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_FALSE(running->NetworkView()->IsSimulationRunning());
    EXPECT_TRUE(fs::exists(reports / "two-feeders" / "two-feeders.txt"));
    EXPECT_TRUE(ReadReportFigures((reports / "two-feeders" / "two-feeders.htm").string()).valid);
}

} // namespace
} // namespace orvane
