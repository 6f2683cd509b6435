#include "editor/OrvaneView.h"
#include "editor/SimulationRun.h"
#include "model/LoadPoint.h"
#include "run/Simulator.h"
#include "shell/ChildFrm.h"
#include "shell/CoolDialogBar.h"
#include "shell/DocRecord.h"
#include "shell/HTMLView.h"
#include "shell/MainFrm.h"
#include "shell/NDLErrorsDlg.h"
#include "shell/Orvane.h"
#include "shell/RecentFileList.h"
#include "shell/ReportFigures.h"
#include "shell/SimulationProgressDlg.h"
#include "shell/SimulationProgressDlgThread.h"
#include "shell/SimulationResultDockableDlg.h"
#include "shell/Splash.h"
#include "shell/ToolbarIcons.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <thread>
#include <tuple>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::Settle;
using test::TempDir;
using test::Texts;
using test::WaitFor;

// Answers the shell's questions from a queue, then with No, and records them.
struct AnsweringPrompter : test::FakePrompter {
    AnsweringPrompter() { yesNoAnswer = QMessageBox::No; }
};

// Each menu of the bar as "title: item | item", without separators.
QStringList MenuLines(const QMainWindow& window) {
    QStringList lines;
    for (const QAction* menu : window.menuBar()->actions()) {
        emit menu->menu()->aboutToShow();
        QStringList items;
        for (const QAction* a : menu->menu()->actions())
            if (!a->isSeparator() && a->isVisible())
                items << a->text();
        lines << menu->text() + ": " + items.join(" | ");
    }
    return lines;
}

std::string Examples(const std::string& name) {
    return std::string(ORVANE_EXAMPLES_DIR) + "/" + name;
}
std::string Golden(const std::string& name) {
    return std::string(ORVANE_GOLDEN_DIR) + "/" + name;
}

// ---------------------------------------------------------------------------------------------
// The progress window

TEST(ProgressFormats, FieldTextsAndBarPosition) {
    EXPECT_EQ(CSimulationProgressDlg::SpeedText(0.004), "0.00");
    EXPECT_EQ(CSimulationProgressDlg::ElapsedText(75, 0), "75:00");
    EXPECT_EQ(CSimulationProgressDlg::RemainingText(0, 3.0), "0.0");
    EXPECT_EQ(CSimulationProgressDlg::YearText(4500), "4500");
    // A whole percent without overflow (4e9 * 100 does not fit 32 bits); -1 keeps the bar.
    const auto percent = &CSimulationProgressDlg::ProgressPercent;
    EXPECT_EQ(percent(5, 1000), 0);
    EXPECT_EQ(percent(10, 1000), 1);
    EXPECT_EQ(percent(999, 1000), 99);
    EXPECT_EQ(percent(1009, 1000), 100);
    EXPECT_EQ(percent(1010, 1000), -1);
    EXPECT_EQ(percent(1, 0), -1);
    EXPECT_EQ(percent(4000000000u, 4000000000u), 100);
    EXPECT_EQ(percent(2000000000u, 4000000000u), 50);
}

TEST(ProgressWindowTest, ShowsItsControlsAndEscapeAsksLikeCancel) {
    test::GuiApp();
    AnsweringPrompter prompter;
    prompter.answers = {QMessageBox::No};
    std::atomic<bool> stop{false};
    const auto sink = CSimulationProgressDlgThread::Create(&stop);
    QPointer<CSimulationProgressDlg> dlg = new CSimulationProgressDlg(sink, prompter);
    int closed = 0;
    QObject::connect(dlg, &CSimulationProgressDlg::closed, [&] { ++closed; });
    dlg->show();
    EXPECT_EQ(dlg->windowTitle(), "Simulating...");
    EXPECT_EQ(dlg->MessageText(), "Please wait while simulation on progress.");
    EXPECT_EQ(dlg->PauseButton()->text(), "&Pause");
    EXPECT_EQ(dlg->ResumeButton()->text(), "&Resume");
    EXPECT_EQ(dlg->CancelButton()->text(), "&Cancel");
    EXPECT_TRUE(dlg->PauseButton()->isEnabled());
    EXPECT_FALSE(dlg->ResumeButton()->isEnabled());
    for (const QLineEdit* edit : dlg->findChildren<QLineEdit*>())
        EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(dlg->findChild<QProgressBar*>()->maximum(), 100);
    // Figures from the simulation thread reach the fields.
    std::thread([&] {
        sink->ShowSpeed(12.3456);
        sink->ShowYear(10);
        sink->ShowElapsed(3, 7);
        sink->ShowRemaining(500, 12.5);
        sink->ShowProgress(10, 1000);
    }).join();
    ASSERT_TRUE(WaitFor([&] { return dlg->ProgressValue() == 1; }));
    EXPECT_EQ(dlg->SpeedField(), "12.35");
    EXPECT_EQ(dlg->YearField(), "10");
    EXPECT_EQ(dlg->TimeField(), "3:07");
    EXPECT_EQ(dlg->RemainingField(), "40.0");
    dlg->ShowProgress(1010, 1000); // past the last year the bar stays
    EXPECT_EQ(dlg->ProgressValue(), 1);

    // Escape asks like Cancel, and No leaves the run and the window.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dlg, &escape);
    ASSERT_EQ(Texts(prompter.asked), QStringList{"Are you sure terminate this simulation?"});
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Question);
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_FALSE(stop);
    EXPECT_TRUE(dlg->isVisible());
    // The close box stops without asking, and the closed window ignores the end of the run.
    dlg->close();
    EXPECT_TRUE(stop);
    EXPECT_EQ(closed, 1);
    dlg->ShowCompleted();
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_TRUE(WaitFor([&] { return dlg.isNull(); }));
}

// A clock the test sets; read on the simulation thread.
class SetClock : public Clock {
public:
    std::atomic<uint32_t> now{0};
    uint32_t TickCount() override { return now.load(); }
};

// A progress window and what of its sink's figures reach it, as the GUI thread sees them.
struct WatchedWindow {
    explicit WatchedWindow(std::shared_ptr<Clock> clock) {
        sink = CSimulationProgressDlgThread::Create(&stop, {}, std::move(clock));
        dlg = new CSimulationProgressDlg(sink, prompter);
        dlg->show();
        using Sink = CSimulationProgressDlgThread;
        const auto on = [this](auto signal, auto slot) {
            QObject::connect(sink.get(), signal, dlg, slot, Qt::QueuedConnection);
        };
        on(&Sink::yearShown, [this](uint y) { years << y, log << QString::number(y); });
        on(&Sink::noted, [this] { log << "note"; });
        on(&Sink::completed, [this] { log << "completed"; });
        on(&Sink::speedShown, [this](double speed) { speeds << speed; });
        on(&Sink::remainingShown, [this](int left, double) { yearsLeft << left; });
        on(&Sink::progressShown, [this](uint y, uint) { progressYears << y; });
        on(&Sink::pausedAtYear, [this](uint y) { pausedAt << y; });
    }
    ~WatchedWindow() {
        if (dlg)
            dlg->close();
        WaitFor([&] { return dlg.isNull(); });
    }

    // One simulated year as the engine reports it: every figure from that year.
    void Year(uint32_t year, uint32_t yearMax) {
        sink->ShowSpeed(year * 3.0);
        sink->ShowYear(year);
        sink->ShowElapsed(year / 60000, year / 1000 % 60);
        sink->ShowRemaining(static_cast<int32_t>(yearMax - year), year * 3.0);
        sink->ShowProgress(year, yearMax);
    }

    AnsweringPrompter prompter;
    std::atomic<bool> stop{false};
    std::shared_ptr<CSimulationProgressDlgThread> sink;
    QPointer<CSimulationProgressDlg> dlg;
    QList<uint> years, progressYears, pausedAt;
    QList<double> speeds;
    QList<int> yearsLeft;
    QStringList log; // years shown, "note" and "completed", in the order they came
};

TEST(ProgressWindowTest, AFastRunReachesTheWindowAFewTimesASecondAndPausesAtItsYear) {
    test::GuiApp();
    const auto clock = std::make_shared<SetClock>();
    // 100,000 years at 200 a millisecond, with a tick count that wraps on the way.
    {
        WatchedWindow w(clock);
        const uint32_t start = UINT32_MAX - 250;
        std::thread([&] {
            for (uint32_t year = 1; year <= 100000; ++year) {
                clock->now = start + (year + 100) / 200;
                w.Year(year, 100000);
            }
        }).join();
        // The first year, one every 100 ms, and the year limit as soon as it is reached; each
        // with its own year's figures.
        ASSERT_TRUE(WaitFor([&] { return w.dlg->YearField() == "100000"; }));
        Settle();
        const QList<uint> sent{1, 19900, 39900, 59900, 79900, 99900, 100000};
        EXPECT_EQ(w.years, sent);
        EXPECT_EQ(w.progressYears, sent);
        ASSERT_EQ(w.speeds.size(), sent.size());
        ASSERT_EQ(w.yearsLeft.size(), sent.size());
        for (qsizetype i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(w.speeds[i], sent[i] * 3.0);
            EXPECT_EQ(w.yearsLeft[i], static_cast<int>(100000 - sent[i]));
        }
        EXPECT_EQ(w.dlg->ProgressValue(), 100);
        EXPECT_EQ(w.dlg->SpeedField(), "300000.00");
        EXPECT_EQ(w.dlg->TimeField(), "1:40");
        EXPECT_EQ(w.dlg->RemainingField(), "0.0");
        std::thread([&] { w.sink->ShowCompleted(); }).join();
        ASSERT_TRUE(WaitFor([&] { return w.prompter.asked.size() == 1; }));
        EXPECT_EQ(w.years, sent);
    }
    // A run that stops short of its limit in no time still ends on its last year, before the
    // note and the closing question.
    for (const bool note : {false, true}) {
        WatchedWindow w(clock);
        clock->now = 5000;
        std::thread([&] {
            for (uint32_t year = 1; year <= 73456; ++year)
                w.Year(year, 1000000);
            if (note)
                w.sink->ShowNote("Not converged.");
            w.sink->ShowCompleted();
        }).join();
        ASSERT_TRUE(WaitFor([&] { return w.prompter.asked.size() == 1; }));
        EXPECT_EQ(w.log, note ? QStringList({"1", "73456", "note", "completed"})
                              : QStringList({"1", "73456", "completed"}));
        EXPECT_EQ(w.speeds, (QList<double>{3.0, 73456 * 3.0}));
        EXPECT_EQ(w.dlg->YearField(), "73456");
        EXPECT_EQ(w.dlg->ProgressValue(), 7);
        EXPECT_EQ(w.prompter.asked[0].text.startsWith("Not converged.\n\n"), note);
    }
    // Pausing acts at the year boundary whether or not that year was due to be sent: the run
    // waits at exactly the year asked, or at the one where Pause caught it, and the window
    // shows that year.
    {
        WatchedWindow w(clock);
        clock->now = 5000;
        std::atomic<uint32_t> reached{0};
        std::atomic<bool> ended{false};
        w.sink->PauseAtYear(54321);
        std::thread run([&] {
            for (uint32_t year = 1; !w.stop; ++year) {
                reached = year;
                w.Year(year, 4000000000u);
            }
            ended = true;
        });
        const auto join = qScopeGuard([&] {
            w.sink->Cancel();
            run.join();
        });
        ASSERT_TRUE(WaitFor([&] { return !w.pausedAt.empty(); }));
        EXPECT_EQ(w.pausedAt, QList<uint>{54321});
        Settle();
        EXPECT_EQ(reached, 54321u) << "the run waits at its year";
        EXPECT_EQ(w.years, (QList<uint>{1, 54321}));
        EXPECT_EQ(w.dlg->YearField(), "54321");
        EXPECT_EQ(w.dlg->TimeField(), "0:54");
        EXPECT_FALSE(w.dlg->PauseButton()->isEnabled());
        EXPECT_TRUE(w.dlg->ResumeButton()->isEnabled());

        w.dlg->ResumeButton()->click();
        ASSERT_TRUE(WaitFor([&] { return reached > 54321; }));
        w.dlg->PauseButton()->click();
        ASSERT_TRUE(WaitFor([&] { return w.pausedAt.size() == 2; }));
        Settle();
        const uint32_t held = reached;
        EXPECT_EQ(w.pausedAt.back(), held);
        EXPECT_EQ(w.years, (QList<uint>{1, 54321, held}));
        EXPECT_EQ(w.dlg->YearField(), QString::number(held));

        w.dlg->close(); // cancels, which wakes the run
        ASSERT_TRUE(WaitFor([&] { return ended.load(); }));
        EXPECT_EQ(reached, held);
    }
}

// ---------------------------------------------------------------------------------------------
// Reports: the figures for the result form and the result viewer

TEST(ReportFiguresTest, GoldenReportFillsTheResultForm) {
    test::GuiApp();
    TempDir dir;
    // A report as written: the classic report, then its closing section.
    const std::string classic = test::ReadFile(Golden("two-feeders.txt"));
    test::WriteFile(dir.File("two-feeders.txt"),
                    classic + test::ReadFile(Golden("two-feeders.more.txt")));
    CSimulationResultDockableDlg form;
    QStringList titles;
    for (const QGroupBox* g : form.findChildren<QGroupBox*>())
        titles << g->title();
    EXPECT_TRUE(titles.contains("System result values"));
    EXPECT_TRUE(titles.contains("Load Point Datasheet"));
    form.ShowReport(dir.File("two-feeders.htm")); // reads the text report beside it
    // Field, value, accuracy and interval; ASAI's accuracy is ASUI 0.00017039 at SAIDI's 0.7%,
    // relative to ASAI.
    const std::tuple<const char*, const char*, const char*, const char*> system[] = {
        {"SAIFI", "0.60677", "0.5%", "[0.60072, 0.61282]"},
        {"SAIDI", "1.49259", "0.7%", "[1.47239, 1.51279]"},
        {"CAIFI", "1.34306", nullptr, "[1.33606, 1.35007]"},
        {"CAIDI", "2.45962", nullptr, "[2.43648, 2.48276]"},
        {"ASUI", "0.00017039", nullptr, "[0.00016808, 0.00017269]"},
        {"ASAI", "0.99982961", "0.00012%", "[0.99982731, 0.99983192]"},
        {"ENS", "5.50957", "1.7%", "[5.32114, 5.69799]"},
        {"ANES", "0.01227", nullptr, "[0.01185, 0.01269]"},
        {"ACCI", "0.02716", nullptr, "[0.02627, 0.02806]"}};
    for (const auto& [field, value, accuracy, interval] : system) {
        EXPECT_EQ(form.Field(0, field), value) << field;
        EXPECT_EQ(form.Field(2, field), interval) << field;
        if (accuracy) {
            EXPECT_EQ(form.Field(1, field), accuracy) << field;
        }
    }
    // A quantum of an hour hides the momentary indices: the note stands for them.
    const char* note = "No momentary interruption can be seen at 24 quanta per day: a quantum "
                       "lasts longer than the 5-minute momentary limit. Use at least 288 quanta "
                       "per day.";
    EXPECT_EQ(form.MomentaryNote(), note);
    const QTreeWidget* further = form.FurtherSheet();
    ASSERT_EQ(further->topLevelItemCount(), 8); // CEMI-1..5, CELID-1h/3h/8h, no cost
    EXPECT_EQ(further->topLevelItem(0)->text(0), "CEMI-1");
    EXPECT_EQ(further->topLevelItem(0)->text(1), "0.12531");
    EXPECT_EQ(further->topLevelItem(0)->text(2), "[0.12279, 0.12783]");
    EXPECT_EQ(further->topLevelItem(7)->text(0), "CELID-8h");
    EXPECT_EQ(further->topLevelItem(7)->toolTip(0),
              "share of customers with an outage longer than 8 hours/year");
    EXPECT_EQ(form.WorstServed(), "Ridge, Works, Hospital, Elm St, Oak St");
    EXPECT_EQ(form.Status(), "30000 years simulated in 3:30 (142.56 years/sec)");
    ASSERT_EQ(form.Datasheet()->topLevelItemCount(), 5);
    const QTreeWidgetItem* elm = form.Datasheet()->topLevelItem(0);
    EXPECT_EQ(elm->text(0), "Elm St");
    EXPECT_EQ(elm->text(1), "0.52143  0.80%");
    EXPECT_EQ(elm->text(4), "0.33774  1.17%");
    EXPECT_EQ(form.Datasheet()->topLevelItem(4)->text(0), "Hospital");
    const ReportFigures f = ReadReportFigures(dir.File("two-feeders.htm"));
    ASSERT_EQ(f.loadPoints.size(), 5u);
    EXPECT_EQ(f.loadPoints[0].outageDuration.value, "2.31324");
    EXPECT_EQ(f.loadPoints[0].unavailability.value, "1.20620");
    EXPECT_EQ(f.loadPoints[4].energyNotSupplied.accuracy, "3.00%");
    EXPECT_EQ(f.momentaryNote, note);
    EXPECT_EQ(f.further.count("MAIFI"), 0u);
    EXPECT_EQ(f.further.at("CELID-3h").interval, "[0.11213, 0.11660]");

    // A report from before the closing section reads as it always did.
    const ReportFigures old = ParseTextReport(classic);
    EXPECT_TRUE(old.valid);
    EXPECT_EQ(old.loadPoints.size(), 5u);
    EXPECT_EQ(old.system.at("SAIFI").value, "0.60677");
    EXPECT_EQ(old.system.at("SAIFI").interval, "");
    EXPECT_TRUE(old.further.empty());
    EXPECT_EQ(old.momentaryNote, "");
    EXPECT_TRUE(old.worstServed.empty());

    form.ShowReport(dir.File("missing.htm"));
    EXPECT_EQ(form.Field(0, "SAIFI"), "");
    EXPECT_EQ(form.Field(2, "SAIFI"), "");
    EXPECT_EQ(form.Datasheet()->topLevelItemCount(), 0);
    EXPECT_EQ(form.FurtherSheet()->topLevelItemCount(), 0);
    EXPECT_EQ(form.MomentaryNote(), "");
    EXPECT_EQ(form.WorstServed(), "");
}

TEST(ReportFiguresTest, LongNamesErrorsAndPaths) {
    const ReportFigures f =
        ParseTextReport("simulation years: 10, time: 0:01, speed: 10.00 years/sec    \n\n"
                        "|Load Point   |  Failure Rate |\n"
                        "|Industrial pa|  1.00000  1.0%|\n\n"
                        "SAIFI =   1.00000      1.0%\n"
                        "==========\nLoad Point: Industrial park = east\n"
                        "----------\nFailure Rate = 1.00000 (1.00%)\n\n"
                        // The closing section, with momentary figures and costs.
                        "\nFurther indices\n==========\n95% confidence intervals: ...\n"
                        "----------\nClassic indices\nSAIFI    = 1.00000  [0.90000, 1.10000]\n"
                        "----------\nMomentary interruptions\n"
                        "Interruptions of at most 5 minutes.\n"
                        "MAIFI    = 0.25000  [0.20000, 0.30000]\n"
                        "----------\nInterruption cost\n"
                        "ECOST    = 150.00000  [140.00000, 160.00000]\n"
                        "----------\nWorst-served load points (by unavailability)\n"
                        "Industrial pa  2.00000 hours/year, 1.00000 interruptions/year\n"
                        "----------\nLoad Point: Industrial park = east\n"
                        "Failure Rate   = 2.00000  [1.90000, 2.10000]\n"
                        "ECOST          = 60.00000  [50.00000, 70.00000]\n==========\n");
    ASSERT_EQ(f.loadPoints.size(), 1u);
    EXPECT_EQ(f.loadPoints[0].name, "Industrial park = east");
    EXPECT_EQ(f.loadPoints[0].failureRate.value, "1.00000");
    EXPECT_EQ(f.system.count("Industrial park"), 0u);
    EXPECT_EQ(f.system.at("SAIFI").value, "1.00000");
    EXPECT_EQ(f.system.at("SAIFI").interval, "[0.90000, 1.10000]");
    ASSERT_EQ(f.further.size(), 2u);
    EXPECT_EQ(f.further.at("MAIFI").value, "0.25000");
    EXPECT_EQ(f.further.at("ECOST").interval, "[140.00000, 160.00000]");
    EXPECT_EQ(f.momentaryNote, "") << "the limit is no note";
    // The section cuts names at 13 characters; the full name is the load point's.
    EXPECT_EQ(f.worstServed, std::vector<std::string>{"Industrial park = east"});

    const ReportFigures error = ParseTextReport("error: (L3 C7) unknown attribute 'lenght'\n");
    EXPECT_FALSE(error.valid);
    EXPECT_EQ(error.error, "error: (L3 C7) unknown attribute 'lenght'");
    EXPECT_TRUE(error.system.empty());
    EXPECT_EQ(TextReportPath("/a/Net/Net.htm"), "/a/Net/Net.txt");
    EXPECT_EQ(TextReportPath("/a/v1.2/Net"), "/a/v1.2/Net.txt");
    EXPECT_FALSE(ReadReportFigures("/no/such/dir/Net.htm").valid);
    EXPECT_FALSE(ReadReportFigures("").valid);
}

// The box around the pixels of a picture that are not transparent.
QRect OpaqueBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Toolbar pictures are painted at the size asked for, not a small bitmap enlarged: the drawing
// grows with the pixmap and its lines stay as thin as at the design size, in proportion.
TEST(ToolbarIconsTest, PaintedAtTheSizeAskedFor) {
    test::GuiApp();
    for (const ToolbarIcon which : {ToolbarIcon::New, ToolbarIcon::Print, ToolbarIcon::Simulate,
                                    ToolbarIcon::LoadPoint, ToolbarIcon::ZoomIn}) {
        SCOPED_TRACE(static_cast<int>(which));
        const QIcon icon = MakeToolbarIcon(which);
        const QRect design = OpaqueBox(icon.pixmap(QSize(16, 15)).toImage());
        ASSERT_FALSE(design.isEmpty());
        for (const int side : {32, 64}) {
            SCOPED_TRACE(side);
            const QPixmap pixmap = icon.pixmap(QSize(side, side));
            EXPECT_EQ(pixmap.size(), QSize(side, side));
            EXPECT_EQ(pixmap.devicePixelRatio(), 1.0);
            const QRect box = OpaqueBox(pixmap.toImage());
            const int factor = side / 16;
            // A pen a pixel wide at the design size reaches at most one pixel further, scaled.
            EXPECT_NEAR(box.width(), design.width() * factor, factor + 1);
            EXPECT_NEAR(box.height(), design.height() * factor, factor + 1);
        }
        // On a screen of twice the density the toolbar's 16 x 15 asks for twice the pixels.
        const QPixmap sharp = icon.pixmap(QSize(16, 15), 2.0);
        EXPECT_EQ(sharp.size(), QSize(32, 30));
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    }
}

TEST(RecentFilesTest, KeepsSixMostRecentFirstInTheSettings) {
    test::GuiApp();
    TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("orvane.ini")), QSettings::IniFormat);
    CRecentFileList list(settings, 6);
    const auto file = [&](int i) { return dir.File("net" + std::to_string(i) + ".vlm"); };
    for (int i = 1; i <= 7; ++i)
        list.Add(QString::fromStdString(file(i)));
    ASSERT_EQ(list.Entries().size(), 6);
    EXPECT_EQ(list.Entries().front().toStdString(), file(7));
    EXPECT_EQ(list.Entries().back().toStdString(), file(2));
    // Opening a listed file again moves it to the front without duplicating it.
    list.Add(QString::fromStdString(file(4)));
    ASSERT_EQ(list.Entries().size(), 6);
    EXPECT_EQ(list.Entries()[0].toStdString(), file(4));
    EXPECT_EQ(list.Entries()[1].toStdString(), file(7));
    EXPECT_EQ(list.MenuText(0).toStdString(), "&1 " + file(4));
    EXPECT_EQ(list.MenuText(5).toStdString(), "&6 " + file(2));
    EXPECT_EQ(settings.value("Recent File List/File1").toString().toStdString(), file(4));
    EXPECT_EQ(settings.value("Recent File List/File6").toString().toStdString(), file(2));
    EXPECT_FALSE(settings.contains("Recent File List/File7"));

    CRecentFileList again(settings, 6);
    EXPECT_EQ(again.Entries(), list.Entries());
    again.Remove(QString::fromStdString(file(7)));
    EXPECT_EQ(CRecentFileList(settings, 6).Entries().size(), 5);
    again.Add(QString::fromStdString(dir.File("R&D.vlm"))); // menu texts keep ampersands
    EXPECT_EQ(again.MenuText(0).toStdString(), "&1 " + dir.File("R&&D.vlm"));
}

// ---------------------------------------------------------------------------------------------
// The application and its main window

class ShellTest : public ::testing::Test {
protected:
    ShellTest() {
        CSplashWnd::EnableSplashScreen(false);
        fs::create_directories(reports);
        app->SetReportBaseDirectory(reports.string());
        app->SetPrompter(&prompter);
        app->SetViewPrompter(&viewAnswers);
    }
    ~ShellTest() override {
        app.reset();
        Settle();
    }

    bool Start(const QString& file = {}) {
        COrvaneApp::CommandLine line;
        line.splash = false;
        line.file = file;
        return app->InitInstance(line);
    }
    // Copies an example network into the temporary directory and starts with it open.
    bool StartWithExample(const std::string& name) {
        fs::copy_file(Examples(name), dir.File(name));
        return Start(QString::fromStdString(dir.File(name)));
    }
    CMainFrame& Frame() { return *app->MainFrame(); }
    QAction* Act(const char* id) { return Frame().Action(QString::fromUtf8(id)); }

    // Simulates the active window's network with every run from now on held at year 100, and
    // returns its progress window once the run is held there.
    QPointer<CSimulationProgressDlg> HeldRun() {
        if (!holding)
            QObject::connect(&Frame(), &CMainFrame::progressWindowOpened,
                             [](CSimulationProgressDlg* dlg) { dlg->Sink()->PauseAtYear(100); });
        holding = true;
        Act("ID_BUILD_SIMULATE")->trigger();
        QPointer<CSimulationProgressDlg> progress = Frame().LastProgressWindow();
        EXPECT_TRUE(progress && WaitFor([&] { return progress->YearField() == "100"; }));
        return progress;
    }

    // Presses and releases the left button at a workspace point of a view.
    static void Click(COrvaneView* view, CPoint point) {
        const QPointF at = view->ViewportPoint(point);
        const QPointF global = view->viewport()->mapToGlobal(at);
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, global, Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &event);
        }
    }

    QApplication& qapp = test::GuiApp();
    TempDir dir;
    fs::path reports = dir.Path() / "reports";
    QSettings settings{QString::fromStdString(dir.File("orvane.ini")), QSettings::IniFormat};
    test::FakePrompter viewAnswers;
    AnsweringPrompter prompter;
    std::unique_ptr<COrvaneApp> app = std::make_unique<COrvaneApp>(&settings);
    bool holding = false;
};

// The multiple-document area names a maximised window in the main title itself; the name shows
// once whatever the windows do.
TEST_F(ShellTest, TheMainTitleNamesTheActiveWindowOnce) {
    ASSERT_TRUE(Start());
    const QString frame = QString::fromUtf8("Orvane Series® - Orvane Velmoor ");
    const std::pair<const char*, std::function<void()>> steps[] = {
        {" - [VLM1]", [] {}},
        {" - [VLM2]", [&] { app->OnFileNew(); }},
        {" - [VLM2]", [&] { Frame().ActiveChild()->showNormal(); }},
        {" - [VLM2]", [&] { Frame().ActiveChild()->showMaximized(); }},
        {" - [VLM1]", [&] { Frame().MdiArea()->setActiveSubWindow(Frame().Frames()[0]); }},
        {" - [VLM1:2]", [&] { Frame().OnResultViewer(); }},
        {" - [VLM2]", [&] { app->OnFileClose(); }},
        {"", [&] { app->OnFileClose(); }},
    };
    for (const auto& [title, step] : steps) {
        step();
        Settle();
        EXPECT_EQ(Frame().windowTitle(), frame + title);
    }
}

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

TEST_F(ShellTest, StartsWithANewNetworkAndMenusFollowTheKindOfTheActiveWindow) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(Frame().Frames().size(), 1);
    CChildFrame* child = Frame().ActiveChild();
    EXPECT_EQ(child->GetKind(), CChildFrame::Kind::Network);
    EXPECT_EQ(child->windowTitle(), "VLM1");
    EXPECT_TRUE(child->isMaximized());
    EXPECT_EQ(child->NetworkView()->Title(), "VLM1");
    EXPECT_EQ(Frame().CurrentMenuKind(), CMainFrame::MenuKind::Network);
    const QStringList network = {
        "&File: &New\tCtrl+N | &Open...\tCtrl+O | &Close | &Save\tCtrl+S | Save &As... | &Import "
        "| &Export | &Print...\tCtrl+P | Print Pre&view | P&rint Setup... | Recent File | E&xit",
        "&Edit: &Undo\tCtrl+Z | &Redo\tCtrl+Y | Cu&t\tCtrl+X | &Copy\tCtrl+C | &Paste\tCtrl+V",
        "W&idgets: F&eeder | &Circuit Breaker | &Fuse | &Recloser | &Isolator | &Bus Bar | &Load "
        "Point | &Gen Source | E&quipment",
        "Se&ttings: &Workspace settings | Simulation s&ettings",
        "&Build: &Debug\t\tF&8 | &Simulate\t\tF&7 | Generate NDL\t\tF&9 | Display NDL errors | "
        "&Result viewer",
        "&View: &Toolbar | &Status Bar | T&oggle | Zoom in\tAlt++ | Zoom out\tAlt+-",
        "&Window: &Cascade | &Arrange Icons | Horizontal &Tile | Vertical T&ile | &1 VLM1",
        "&Help: &About Orvane Velmoor"};
    EXPECT_EQ(MenuLines(Frame()), network);
    // No handlers, and nothing to undo, redo or take yet.
    for (const char* id : {"ID_FILE_IMPORT", "ID_FILE_EXPORT", "ID_EDIT_UNDO", "ID_EDIT_REDO",
                           "ID_EDIT_CUT", "ID_EDIT_COPY"})
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    for (const char* id : {"ID_BUILD_SIMULATE", "ID_BUILD_DEBUG", "ID_WIDGETS_FEEDER",
                           "ID_VIEW_ZOOM_IN", "ID_FILE_SAVE", "ID_FILE_PRINT"})
        EXPECT_TRUE(Act(id)->isEnabled()) << id;
    for (const char* id : {"ID_VIEW_TOGGLE", "ID_VIEW_TOOLBAR", "ID_VIEW_STATUS_BAR"})
        EXPECT_TRUE(Act(id)->isChecked()) << id;

    // A result viewer leaves out Widgets and zooming, and the view's commands.
    Frame().OnResultViewer();
    ASSERT_EQ(Frame().ActiveChild()->GetKind(), CChildFrame::Kind::Result);
    EXPECT_EQ(Frame().CurrentMenuKind(), CMainFrame::MenuKind::Result);
    const QStringList result = MenuLines(Frame());
    ASSERT_EQ(result.size(), 7);
    EXPECT_EQ(result[2], network[3]);
    EXPECT_EQ(result[4], "&View: &Toolbar | &Status Bar | T&oggle");
    EXPECT_FALSE(Act("ID_BUILD_SIMULATE")->isEnabled());
    EXPECT_FALSE(Act("ID_VIEW_TOGGLE")->isEnabled());
    EXPECT_TRUE(Act("ID_FILE_SAVE")->isEnabled());

    app->OnFileClose();
    Settle();
    ASSERT_EQ(Frame().Frames().size(), 0);
    EXPECT_EQ(Frame().CurrentMenuKind(), CMainFrame::MenuKind::None);
    EXPECT_EQ(MenuLines(Frame()),
              QStringList({"&File: &New\tCtrl+N | &Open...\tCtrl+O | P&rint "
                           "Setup... | Recent File | E&xit",
                           "&View: &Toolbar | &Status Bar", "&Help: &About Orvane Velmoor"}));
    for (const char* id : {"ID_BUILD_SIMULATE", "ID_WIDGETS_FEEDER", "ID_FILE_SAVE"})
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    app->OnFileNew();
    EXPECT_EQ(Frame().ActiveChild()->windowTitle(), "VLM2");
}

TEST_F(ShellTest, AcceleratorsStatusPromptsAndToolTips) {
    ASSERT_TRUE(Start());
    // clang-format off
    const std::pair<const char*, const char*> keys[] = {
        {"ID_FILE_NEW", "Ctrl+N"},             {"ID_FILE_OPEN", "Ctrl+O"},
        {"ID_FILE_SAVE", "Ctrl+S"},            {"ID_FILE_PRINT", "Ctrl+P"},
        {"ID_EDIT_UNDO", "Ctrl+Z, Alt+Backspace"}, {"ID_EDIT_REDO", "Ctrl+Y, Ctrl+Shift+Z"},
        {"ID_EDIT_CUT", "Ctrl+X, Shift+Del"},
        {"ID_EDIT_COPY", "Ctrl+C, Ctrl+Ins"},  {"ID_EDIT_PASTE", "Ctrl+V, Shift+Ins"},
        {"ID_NEXT_PANE", "F6"},                {"ID_PREV_PANE", "Shift+F6"},
        {"ID_BUILD_SIMULATE", "F7"},           {"ID_BUILD_DEBUG", "F8"},
        {"ID_BUILD_GENERATE_NDL", "F9"},       {"ID_VIEW_ZOOM_IN", "Alt++"},
        {"ID_VIEW_ZOOM_OUT", "Alt+-"},         {"ID_WIDGETS_FEEDER", ""}};
    // clang-format on
    for (const auto& [id, expected] : keys) {
        QStringList shortcuts;
        for (const QKeySequence& k : Act(id)->shortcuts())
            shortcuts << k.toString(QKeySequence::PortableText);
        EXPECT_EQ(shortcuts.join(", "), expected) << id;
    }
    // The tool tips repeat the status-bar prompts, except Simulate's.
    // clang-format off
    const std::pair<const char*, const char*> prompts[] = {
        {"ID_WIDGETS_CIRCUIT_BREAKER", "Circuit Breaker"}, {"ID_SELECT", "Select"},
        {"ID_SETTINGS_WORKSPACE", "Workspace settings"},
        {"ID_BUILD_SIMULATE", "Start the simulation F7"},
        {"ID_BUILD_DEBUG", "Debug Drawing/Settings F8"},
        {"ID_BUILD_GENERATE_NDL", "Generate Network Description Language F9"},
        {"ID_SIMULATION_RESULT_VIEWER", "Simulation result dockable dialog"}};
    // clang-format on
    for (const auto& [id, prompt] : prompts) {
        EXPECT_EQ(Act(id)->statusTip(), prompt) << id;
        EXPECT_EQ(Act(id)->toolTip(),
                  QString(prompt) == "Start the simulation F7" ? "Simulate F7" : prompt)
            << id;
    }
    EXPECT_EQ(Frame().MessagePane()->text(),
              "Select & right click to bring up component dialog box");
}

TEST_F(ShellTest, CommandsReachTheActiveView) {
    ASSERT_TRUE(Start());
    COrvaneView* view = Frame().ActiveNetworkView();
    for (const char* id : {"ID_VIEW_ZOOM_IN", "ID_VIEW_ZOOM_OUT", "ID_VIEW_ZOOM_OUT"})
        Act(id)->trigger();
    EXPECT_EQ(view->Zoom(), 103); // steps of 10 from 113; a tool's return to 113 is ViewTest's
    Act("ID_WIDGETS_FUSE")->trigger();
    EXPECT_TRUE(Act("ID_WIDGETS_FUSE")->isChecked());
    EXPECT_FALSE(Act("ID_WIDGETS_FEEDER")->isChecked());
    Act("ID_SELECT")->trigger();
    EXPECT_TRUE(Act("ID_SELECT")->isChecked());
    EXPECT_FALSE(Act("ID_WIDGETS_FUSE")->isChecked());
    Act("ID_VIEW_TOGGLE")->trigger();
    EXPECT_FALSE(Act("ID_VIEW_TOGGLE")->isChecked());
    EXPECT_EQ(view->GetDocument().m_toggle, 0);

    // The pointer position goes to the status bar, in panes as wide as the texts need in their
    // font, however large.
    QLabel* pane = Frame().XPane();
    for (const int points : {9, 30}) {
        QFont font = pane->font();
        font.setPointSize(points);
        pane->setFont(font);
        emit view->pointerMoved("x=500", "y=45");
        EXPECT_EQ(pane->text(), "x=500");
        EXPECT_EQ(Frame().YPane()->text(), "y=45");
        EXPECT_GE(pane->contentsRect().width(), pane->fontMetrics().horizontalAdvance("x=500"))
            << points;
    }
    const int wide = pane->width();
    emit view->pointerMoved("x=5", "y=4");
    EXPECT_EQ(pane->width(), wide) << "no narrower again";
}

TEST_F(ShellTest, EditMenuWorksOnTheActiveNetworksStepsAndPastesBetweenNetworks) {
    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(Start());
    CChildFrame* first = Frame().ActiveChild();
    COrvaneView* view = first->NetworkView();
    COrvaneDoc& doc = view->GetDocument();
    const auto state = [&] {
        QStringList items;
        for (const char* id :
             {"ID_EDIT_UNDO", "ID_EDIT_REDO", "ID_EDIT_CUT", "ID_EDIT_COPY", "ID_EDIT_PASTE"})
            items << Act(id)->text() + (Act(id)->isEnabled() ? "" : " (off)");
        return items.join(" | ");
    };
    EXPECT_EQ(state(), "&Undo\tCtrl+Z (off) | &Redo\tCtrl+Y (off) | Cu&t\tCtrl+X (off) | "
                       "&Copy\tCtrl+C (off) | &Paste\tCtrl+V (off)");
    Act("ID_WIDGETS_LOAD_POINT")->trigger();
    Click(view, CPoint{200, 150});
    // Shortcuts reach only the active window.
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    EXPECT_EQ(state(), "&Undo Add Load Point\tCtrl+Z | &Redo\tCtrl+Y (off) | Cu&t\tCtrl+X (off) | "
                       "&Copy\tCtrl+C (off) | &Paste\tCtrl+V (off)");
    EXPECT_TRUE(doc.IsModified());
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.GetLoadPoints().GetSize(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(state(), "&Undo\tCtrl+Z (off) | &Redo Add Load Point\tCtrl+Y | Cu&t\tCtrl+X (off) | "
                       "&Copy\tCtrl+C (off) | &Paste\tCtrl+V (off)");
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc.GetLoadPoints().GetSize(), 1);
    Act("ID_EDIT_UNDO")->trigger();
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc.GetLoadPoints().GetSize(), 1);

    // Saving is the state undo comes back to unmodified.
    prompter.saveFile = QString::fromStdString(dir.File("edited.vlm"));
    ASSERT_TRUE(app->OnFileSave());
    Act("ID_EDIT_UNDO")->trigger();
    EXPECT_TRUE(doc.IsModified());
    Act("ID_EDIT_REDO")->trigger();
    EXPECT_FALSE(doc.IsModified());

    Act("ID_SELECT")->trigger();
    Click(view, CPoint{200, 150});
    EXPECT_TRUE(Act("ID_EDIT_CUT")->isEnabled());
    Act("ID_EDIT_COPY")->trigger();
    EXPECT_TRUE(Act("ID_EDIT_PASTE")->isEnabled());

    // Another network has steps of its own, and takes the copied load point.
    CChildFrame* second = app->OnFileNew();
    EXPECT_FALSE(Act("ID_EDIT_UNDO")->isEnabled());
    Act("ID_EDIT_PASTE")->trigger();
    EXPECT_EQ(second->Document()->Doc().GetLoadPoints().GetSize(), 1);
    EXPECT_EQ(Act("ID_EDIT_UNDO")->text(), "&Undo Paste\tCtrl+Z");
    Frame().MdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(Act("ID_EDIT_UNDO")->text(), "&Undo Add Load Point\tCtrl+Z");
    Frame().OnResultViewer();
    EXPECT_FALSE(Act("ID_EDIT_UNDO")->isEnabled());
    EXPECT_FALSE(Act("ID_EDIT_PASTE")->isEnabled());
}

TEST_F(ShellTest, ToolbarsStatusBarAndAboutBox) {
    ASSERT_TRUE(Start());
    // Command names; "|" a separator, "-" a button without a command.
    const auto ids = [](const QToolBar* bar) {
        QStringList list;
        for (const QAction* a : bar->actions())
            list << (a->isSeparator() ? "|" : a->objectName().isEmpty() ? "-" : a->objectName());
        return list.join(" ");
    };
    EXPECT_EQ(ids(Frame().TopToolBar()),
              "ID_FILE_NEW ID_FILE_OPEN ID_FILE_SAVE | ID_EDIT_CUT ID_EDIT_COPY ID_EDIT_PASTE | "
              "ID_FILE_PRINT | ID_BUILD_DEBUG ID_BUILD_GENERATE_NDL ID_BUILD_SIMULATE | "
              "ID_SETTINGS_WORKSPACE ID_SETTINGS_SIMULATION | ID_VIEW_ZOOM_IN ID_VIEW_ZOOM_OUT | "
              "ID_APP_ABOUT");
    EXPECT_EQ(ids(Frame().LeftToolBar()),
              "ID_SELECT ID_WIDGETS_FEEDER | ID_WIDGETS_CIRCUIT_BREAKER ID_WIDGETS_FUSE "
              "ID_WIDGETS_RECLOSER ID_WIDGETS_ISOLATOR | ID_WIDGETS_BUS_BAR ID_WIDGETS_LOAD_POINT "
              "ID_WIDGETS_GEN_SOURCE ID_WIDGETS_EQUIPMENT - | ID_VIEW_TOGGLE ID_BUILD_NDL_ERRORS "
              "ID_BUILD_RESULT_VIEWER ID_SIMULATION_RESULT_VIEWER | - - - -");
    for (const QAction* a : Frame().LeftToolBar()->actions())
        if (!a->isSeparator() && a->objectName().isEmpty()) {
            EXPECT_FALSE(a->isEnabled()) << "a button without a command is disabled";
        }
    Act("ID_VIEW_TOOLBAR")->trigger();
    EXPECT_TRUE(Frame().TopToolBar()->isHidden());
    Act("ID_VIEW_TOOLBAR")->trigger();
    EXPECT_FALSE(Frame().TopToolBar()->isHidden());

    QStringList indicators;
    for (const QLabel* pane : Frame().IndicatorPanes())
        indicators << pane->text();
    EXPECT_EQ(indicators, QStringList({"CAP", "NUM", "SCRL"}));
    Act("ID_VIEW_STATUS_BAR")->trigger();
    EXPECT_TRUE(Frame().statusBar()->isHidden());

    QStringList texts;
    prompter.onExec = [&](QDialog& dialog) {
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            texts << label->text();
        for (const QPushButton* b : dialog.findChildren<QPushButton*>())
            texts << b->text().remove('&');
    };
    Act("ID_APP_ABOUT")->trigger();
    EXPECT_EQ(prompter.dialogs, std::vector<QString>{"About Orvane"});
    // The version of project() in the top CMakeLists.txt.
    EXPECT_TRUE(texts.contains("Orvane Version " ORVANE_PROJECT_VERSION))
        << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("OK"));
}

TEST_F(ShellTest, SplashGoesAtAKeyOrMouseButtonOrAfterItsTimeAndThereIsOnlyOne) {
    CSplashWnd::EnableSplashScreen(true);
    QWidget redraw;
    CSplashWnd::ShowSplashScreen(&redraw);
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    CSplashWnd::ShowSplashScreen(&redraw);
    EXPECT_EQ(CSplashWnd::Current(), splash);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier);
    QApplication::sendEvent(&redraw, &key);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    CSplashWnd::ShowSplashScreen(nullptr);
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&redraw, &press);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    CSplashWnd::ShowSplashScreen(nullptr);
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    EXPECT_FALSE(WaitFor([] { return CSplashWnd::Current() == nullptr; }, 2000));
    EXPECT_TRUE(WaitFor([] { return CSplashWnd::Current() == nullptr; }, 2000));
    CSplashWnd::EnableSplashScreen(false);
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

TEST_F(ShellTest, SaveAsOpenAndTheRecentFileList) {
    ASSERT_TRUE(Start());
    CChildFrame* child = Frame().ActiveChild();
    child->Document()->Doc().SetModified();
    prompter.saveFile = QString::fromStdString(dir.File("feeder2"));
    ASSERT_TRUE(app->OnFileSaveAs());
    EXPECT_EQ(prompter.suggestions.at(0), "VLM1.vlm");
    EXPECT_EQ(prompter.filters.at(0), "Velmoor Files (*.vlm)");
    const std::string saved = dir.File("feeder2.vlm");
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_EQ(child->windowTitle(), "feeder2");
    EXPECT_EQ(child->NetworkView()->Title(), "feeder2");
    EXPECT_FALSE(child->Document()->Doc().IsModified());
    EXPECT_EQ(app->RecentFiles().Entries().value(0).toStdString(), saved);
    EXPECT_EQ(MenuLines(Frame())[0].count(QString::fromStdString("| &1 " + saved + " |")), 1);
    EXPECT_FALSE(MenuLines(Frame())[0].contains("Recent File"));

    // Save writes to the same file without asking.
    child->Document()->Doc().SetModified();
    prompter.saveFile.clear();
    ASSERT_TRUE(app->OnFileSave());
    EXPECT_EQ(prompter.suggestions.size(), 1u);

    // The saved file opens again, and opening it twice brings its window forward.
    app->OnFileClose();
    Settle();
    prompter.openFile = QString::fromStdString(saved);
    Act("ID_FILE_OPEN")->trigger();
    ASSERT_EQ(prompter.filters.size(), 2u);
    EXPECT_TRUE(prompter.filters[1].startsWith("Velmoor Files (*.vlm)"));
    ASSERT_EQ(Frame().Frames().size(), 1);
    CChildFrame* reopened = Frame().ActiveChild();
    EXPECT_EQ(reopened->windowTitle(), "feeder2");
    EXPECT_EQ(app->OpenDocumentFile(QString::fromStdString(saved)), reopened);
    EXPECT_EQ(Frame().Frames().size(), 1);

    // A recent file that has gone leaves the list.
    app->OnFileClose();
    Settle();
    fs::remove(saved);
    app->OnOpenRecentFile(0);
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_TRUE(app->RecentFiles().Entries().isEmpty());
}

TEST_F(ShellTest, OpensAnNdlFileAsReadOnlyTextThatIsNeverSaved) {
    ASSERT_TRUE(Start());
    const std::string ndl = dir.File("radial.ndl");
    fs::copy_file(Examples("radial-feeder.ndl"), ndl);
    prompter.openFile = QString::fromStdString(ndl);
    app->OnFileOpen();
    EXPECT_EQ(prompter.filters.at(0), "Velmoor Files (*.vlm);;NDL Files (*.ndl);;All Files (*)");
    CChildFrame* child = Frame().ActiveChild();
    ASSERT_EQ(child->GetKind(), CChildFrame::Kind::Text);
    EXPECT_EQ(child->windowTitle(), "radial.ndl");
    ASSERT_NE(child->TextView(), nullptr);
    EXPECT_TRUE(child->TextView()->isReadOnly());
    EXPECT_EQ(child->TextView()->toPlainText().toStdString(), test::ReadFile(ndl));
    EXPECT_EQ(child->NdlText(), test::ReadFile(ndl));
    EXPECT_EQ(Frame().CurrentMenuKind(), CMainFrame::MenuKind::Text);
    const QStringList menus = MenuLines(Frame());
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[1], "&Build: &Debug\t\tF&8 | &Simulate\t\tF&7 | Generate NDL\t\tF&9 | "
                        "Display NDL errors | &Result viewer");
    for (const char* id : {"ID_BUILD_DEBUG", "ID_BUILD_SIMULATE"})
        EXPECT_TRUE(Act(id)->isEnabled()) << id;
    for (const char* id :
         {"ID_BUILD_GENERATE_NDL", "ID_FILE_SAVE", "ID_FILE_SAVE_AS", "ID_WIDGETS_FEEDER"})
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    EXPECT_EQ(app->RecentFiles().Entries().value(0), QDir::cleanPath(QString::fromStdString(ndl)));

    // Save never writes a drawing over the text; opening it again brings its window forward.
    EXPECT_FALSE(app->OnFileSave());
    EXPECT_EQ(test::ReadFile(ndl), test::ReadFile(Examples("radial-feeder.ndl")));
    Frame().MdiArea()->setActiveSubWindow(Frame().Frames()[0]);
    EXPECT_EQ(app->OpenDocumentFile(QString::fromStdString(ndl)), child);
    EXPECT_EQ(Frame().Frames().size(), 2);
    child->close();
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_TRUE(WaitFor([&] { return Frame().Frames().size() == 1; }));
}

TEST_F(ShellTest, DebugChecksAnNdlWindowWithoutSimulating) {
    struct Case {
        const char* file;
        std::string text;
        QMessageBox::Icon icon;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"two.ndl", test::ReadFile(Examples("two-feeders.ndl")), QMessageBox::Information,
         "Checking completed : No error found!"},
        {"bad.ndl", "system: quantsPerDay = 24\nline: connect = 1\n", QMessageBox::Warning,
         "bad.ndl:3:1: error: the \"connect\" attribute must be a pair of numbers"},
        {"empty.ndl", "# nothing\n", QMessageBox::Warning,
         "empty.ndl: error: the text has no system definition; start it with one, for example "
         "'system: quantsPerDay = 24'."},
        {"noload.ndl", "system: quantsPerDay = 24\nsource: connect = 1\n", QMessageBox::Warning,
         "noload.ndl: error: the network has no load points; add at least one load definition "
         "to simulate it"},
    };
    ASSERT_TRUE(Start());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        test::WriteFile(dir.File(c.file), c.text);
        ASSERT_NE(app->OpenDocumentFile(QString::fromStdString(dir.File(c.file))), nullptr);
        prompter.asked.clear();
        Act("ID_BUILD_DEBUG")->trigger();
        ASSERT_EQ(Texts(prompter.asked), QStringList{c.message});
        EXPECT_EQ(prompter.asked[0].icon, c.icon);
        EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Ok);
    }
    // Nothing was simulated: no report directory, no progress window.
    EXPECT_TRUE(fs::is_empty(reports));
    EXPECT_EQ(Frame().LastProgressWindow(), nullptr);
}

// An NDL file's window runs its text as a drawing's window runs its network, with the reports
// where orvane-cli puts them for that file: a run ends in the viewer, an error in the text is
// reported and listed, and closing the window during a run asks first (and nothing else: the
// file has nothing to save).
TEST_F(ShellTest, SimulatesAnNdlFileWithItsErrorsAndTheQuestionOnClosing) {
    ASSERT_TRUE(Start());
    test::WriteFile(dir.File("feeder.ndl"),
                    "system: quantsPerDay = 4; yearMin = 100; yearMax = 200\n"
                    "source: connect = 1\n"
                    "line: connect = 1, 2; failure = 2; repair = 10\n"
                    "load: name = \"Farm\"; connect = 2; customers = 10\n");
    test::WriteFile(dir.File("bad.ndl"), "system: quantsPerDay = 24\nline: connect = 1\n");
    QPointer<CChildFrame> child =
        app->OpenDocumentFile(QString::fromStdString(dir.File("feeder.ndl")));
    ASSERT_TRUE(child);
    // The viewer is open before the run: it shows the report the run writes.
    Act("ID_BUILD_RESULT_VIEWER")->trigger();
    QPointer<CChildFrame> viewer = Frame().ResultViewerFrame();
    ASSERT_TRUE(viewer);
    Frame().MdiArea()->setActiveSubWindow(child);
    prompter.answers = {QMessageBox::Yes};
    Act("ID_BUILD_SIMULATE")->trigger();
    QPointer<CSimulationProgressDlg> progress = Frame().LastProgressWindow();
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->windowTitle(), "Simulating... - feeder.ndl");
    ASSERT_TRUE(WaitFor([&] { return progress.isNull(); }, 60000));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_TRUE(prompter.asked[0].text.endsWith(CSimulationProgressDlg::CompletedQuestion));
    EXPECT_TRUE(fs::exists(reports / "feeder" / "feeder.txt"));
    EXPECT_TRUE(fs::exists(reports / "Bar.bmp"));
    ASSERT_TRUE(WaitFor(
        [&] { return viewer->ResultView()->toPlainText().contains("Network name :feeder"); }));
    EXPECT_EQ(viewer->ResultView()->Address().toStdString(),
              (reports / "feeder" / "feeder.htm").string());
    viewer->close();

    ASSERT_NE(app->OpenDocumentFile(QString::fromStdString(dir.File("bad.ndl"))), nullptr);
    prompter.asked.clear();
    Act("ID_BUILD_SIMULATE")->trigger();
    progress = Frame().LastProgressWindow();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitFor([&] { return !prompter.asked.empty(); }));
    EXPECT_EQ(Texts(prompter.asked),
              QStringList{"The network has an error: the \"connect\" attribute must be a pair of "
                          "numbers (line 3, column 1 of bad.ndl).\n\nDo you want to close this "
                          "dialog box?"});
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(progress->MessageText(), "Simulation stopped: the network has an error.");
    ASSERT_TRUE(WaitFor([&] { return Frame().NdlErrorsDlg() != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return Frame().NdlErrorsDlg()->Count() == 1; }));
    EXPECT_EQ(Frame().NdlErrorsDlg()->LineAt(0),
              "bad.ndl:3:1: error: the \"connect\" attribute must be a pair of numbers");
    EXPECT_TRUE(Frame().NdlErrorsBar()->isVisible());
    progress->CancelButton()->click();
    ASSERT_TRUE(WaitFor([&] { return progress.isNull(); }));

    Frame().MdiArea()->setActiveSubWindow(child);
    progress = HeldRun();
    ASSERT_TRUE(progress);
    prompter.asked.clear();
    prompter.answers = {QMessageBox::Yes};
    child->close();
    EXPECT_EQ(Texts(prompter.asked),
              QStringList{"The simulation of feeder.ndl is running.\nStop it and close?"});
    ASSERT_TRUE(WaitFor([&] { return child.isNull() && progress.isNull(); }));
}

TEST_F(ShellTest, ClosingAModifiedNetworkAsksToSave) {
    ASSERT_TRUE(Start());
    CChildFrame* child = Frame().ActiveChild();
    child->Document()->Doc().SetModified();
    QPointer<CChildFrame> guard(child);
    prompter.answers = {QMessageBox::Cancel};
    child->close();
    ASSERT_EQ(Texts(prompter.asked), QStringList{"Save changes to VLM1?"});
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
    EXPECT_EQ(Texts(prompter.asked),
              QStringList({"Save changes to VLM1?", "Save changes to VLM2?"}));
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
    ASSERT_GT(fs::file_size(dir.File("net.pdf")), 1000u);
    EXPECT_EQ(test::ReadFile(dir.File("net.pdf")).substr(0, 5), "%PDF-");
    // Print asks through the print dialog; cancelling prints nothing.
    for (const char* id : {"ID_FILE_PRINT", "ID_FILE_PRINT_PREVIEW", "ID_FILE_PRINT_SETUP"})
        Act(id)->trigger();
    EXPECT_EQ(prompter.dialogs.size(), 3u);
}

// The rows of an image that hold a dark pixel at or below row from: first and last, or -1.
std::pair<int, int> DarkRows(const QImage& image, int from) {
    int first = -1, last = -1;
    for (int y = std::max(0, from); y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
    return {first, last};
}

// A load point's name is as tall beside its symbol on paper of any resolution as on the screen,
// and whole on the page.
TEST_F(ShellTest, PrintedNamesScaleWithTheDrawing) {
    ASSERT_TRUE(Start());
    COrvaneView* view = Frame().ActiveNetworkView();
    COrvaneDoc& doc = view->GetDocument();
    doc.m_workspaceWidth = 200;
    doc.m_workspaceHeight = 160;
    CLoadPoint* load = doc.GetLoadPoints().Add(CPoint{100, 60}, 1u, 0u);
    load->m_name = "Mill";
    doc.m_typeOrder.push_back("Load Point");
    for (const int dpi : {96, 300, 600, 1200}) {
        SCOPED_TRACE(dpi);
        const double scale = dpi / 96.0;
        QImage page(qRound(200 * scale), qRound(160 * scale), QImage::Format_RGB32);
        page.setDotsPerMeterX(qRound(dpi / 0.0254));
        page.setDotsPerMeterY(qRound(dpi / 0.0254));
        page.fill(Qt::white);
        QPainter painter(&page);
        CMainFrame::PaintPage(painter, *view, QRectF(page.rect()), dpi);
        painter.end();
        // Below the symbol's bar (22 units wide at y = 60) only the name is drawn.
        const auto [top, bottom] = DarkRows(page, qRound(62 * scale));
        ASSERT_GE(top, 0);
        EXPECT_LT(bottom, page.height() - 1);
        const double ratio = (bottom - top + 1) / (22 * scale);
        EXPECT_GT(ratio, 0.2);
        EXPECT_LT(ratio, 0.8);
    }
}

// ---------------------------------------------------------------------------------------------
// Whole runs through the real windows

TEST_F(ShellTest, ExampleChecksSimulatesAndShowsALoadPointInTheViewer) {
    ASSERT_TRUE(StartWithExample("two-feeders.vlm"));
    ASSERT_EQ(Frame().Frames().size(), 1);
    EXPECT_EQ(Frame().ActiveChild()->windowTitle(), "two-feeders");
    EXPECT_TRUE(Frame().ActiveChild()->isMaximized());
    EXPECT_EQ(app->RecentFiles().Entries().value(0).toStdString(), dir.File("two-feeders.vlm"));
    COrvaneView* view = Frame().ActiveNetworkView();
    ASSERT_NE(view, nullptr);

    Act("ID_BUILD_DEBUG")->trigger();
    EXPECT_EQ(Texts(viewAnswers.asked), QStringList{"Checking completed : No error found!"});
    ASSERT_NE(Frame().NdlErrorsDlg(), nullptr);
    EXPECT_EQ(Frame().NdlErrorsDlg()->Count(), 0);

    Act("ID_SIMULATION_RESULT_VIEWER")->trigger();
    EXPECT_EQ(Frame().ResultBar()->windowTitle(), "Simulation result viewer");
    EXPECT_EQ(Frame().dockWidgetArea(Frame().ResultBar()), Qt::RightDockWidgetArea);
    EXPECT_EQ(Frame().ResultDlg()->Field(0, "SAIFI"), "");
    // The end-of-run question is answered No: the window stays with the final figures.
    prompter.answers = {QMessageBox::No};
    Act("ID_BUILD_SIMULATE")->trigger();
    EXPECT_TRUE(view->IsSimulationRunning());
    QPointer<CSimulationProgressDlg> progress = Frame().LastProgressWindow();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitFor([&] { return progress && progress->IsCompleted(); }, 60000));
    ASSERT_EQ(prompter.asked.size(), 1u);
    // The example stops at its year limit of 30000 before reaching 3%, and is told so.
    EXPECT_EQ(prompter.asked[0].text,
              "Not converged: the year limit (30000 years) came before every index reached the "
              "accuracy of 3%; raise yearMax for figures that accurate.\n\nSimulation "
              "completed! You can view the result\nfrom Result Viewer.\n\nDo you want to close "
              "this dialog box?");
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Warning);
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(progress->ProgressValue(), 100);
    EXPECT_EQ(progress->YearField(), "30000");
    EXPECT_EQ(progress->MessageText(), "Simulation completed.");
    EXPECT_FALSE(progress->PauseButton()->isEnabled() || progress->ResumeButton()->isEnabled());
    EXPECT_TRUE(view->IsSimulationRunning()) << "the window is still open";
    // One run per view: Simulate is ignored while the window is open.
    Act("ID_BUILD_SIMULATE")->trigger();
    EXPECT_EQ(Frame().LastProgressWindow(), progress.data());
    EXPECT_EQ(prompter.asked.size(), 1u);

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
    const QUrl bars = QUrl::fromLocalFile(QString::fromStdString((reports / "Bar.bmp").string()));
    EXPECT_TRUE(html_view->document()->resource(QTextDocument::ImageResource, bars).isValid());

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
    const int elmAt = html_view->verticalScrollBar()->value();
    EXPECT_GT(elmAt, 0);
    view->GetDocument().NotifyViews(nullptr, ""); // an empty hint changes nothing
    EXPECT_EQ(html_view->CurrentAnchor(), "Elm_20St");
    // A plain load point name finds its encoded anchor too; a missing report says so.
    html_view->Navigate(QString::fromStdString(html.string() + "#Hospital"));
    EXPECT_GT(html_view->verticalScrollBar()->value(), elmAt);
    html_view->Navigate(QString::fromStdString(html.string() + "#Elm St"));
    EXPECT_EQ(html_view->CurrentAnchor(), "Elm_20St");
    EXPECT_EQ(html_view->verticalScrollBar()->value(), elmAt);
    html_view->Navigate("/no/such/dir/Net.htm#LP3");
    EXPECT_TRUE(html_view->toPlainText().contains("The page cannot be displayed"));
    EXPECT_TRUE(html_view->toPlainText().contains("/no/such/dir/Net.htm"));
    EXPECT_EQ(html_view->CurrentAnchor(), "");
}

TEST_F(ShellTest, DebugListsUnconnectedComponentsAndADoubleClickSelectsOne) {
    ASSERT_TRUE(Start());
    COrvaneView* view = Frame().ActiveNetworkView();
    COrvaneDoc& doc = view->GetDocument();
    CLoadPoint* lonely = doc.GetLoadPoints().Add(CPoint{300, 80}, 1u, 0u);
    doc.m_typeOrder.push_back("Load Point");
    EXPECT_EQ(Frame().NdlErrorsBar(), nullptr);
    Act("ID_BUILD_NDL_ERRORS")->trigger(); // empty before any check
    ASSERT_NE(Frame().NdlErrorsBar(), nullptr);
    EXPECT_EQ(Frame().NdlErrorsDlg()->Count(), 0);

    Act("ID_BUILD_DEBUG")->trigger();
    EXPECT_EQ(Texts(viewAnswers.asked),
              QStringList{"Checking completed : Errors found in VLM1.vlm"});
    CNDLErrorsDlg* list = Frame().NdlErrorsDlg();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->LineAt(0), "Load Point at  (300, 80)  not connected");
    EXPECT_EQ(list->WidgetAt(0), lonely);
    CCoolDialogBar* bar = Frame().NdlErrorsBar();
    EXPECT_EQ(bar->windowTitle(), "NDL Errors");
    EXPECT_EQ(Frame().dockWidgetArea(bar), Qt::BottomDockWidgetArea);
    EXPECT_TRUE(bar->isVisible());
    // Closing hides it; the command shows the same bar again.
    bar->close();
    Act("ID_BUILD_NDL_ERRORS")->trigger();
    EXPECT_EQ(Frame().NdlErrorsBar(), bar);
    EXPECT_TRUE(bar->isVisible());

    EXPECT_TRUE(view->Selection().empty());
    emit list->List()->itemDoubleClicked(list->List()->item(0));
    EXPECT_EQ(view->Selection(), std::vector<CWidget*>{lonely});
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
    EXPECT_TRUE(progress->PauseButton()->isEnabled());
    EXPECT_FALSE(progress->ResumeButton()->isEnabled());
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
    EXPECT_FALSE(ReadReportFigures((reports / "two-feeders" / "two-feeders.htm").string()).valid)
        << "a cancelled run leaves no final report";
    ASSERT_TRUE(WaitFor([&] { return progress.isNull(); }));
}

// A setting the NDL reader refuses ends the run at once: the window says the network has an
// error, where in the generated text and what, and the "NDL Errors" bar lists it. (The wording of
// every kind of failure is ViewTest's; an NDL file's error is SimulatesAnNdlFile...'s.)
TEST_F(ShellTest, ARunRefusedForABadSettingSaysTheNetworkHasAnError) {
    ASSERT_TRUE(StartWithExample("two-feeders.vlm"));
    COrvaneDoc& doc = Frame().ActiveNetworkView()->GetDocument();
    CSimulationSettings settings = doc.GetSettings();
    settings.yearMin = 5;
    doc.SetSettings(settings);
    Act("ID_BUILD_SIMULATE")->trigger();
    QPointer<CSimulationProgressDlg> progress = Frame().LastProgressWindow();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitFor([&] { return !prompter.asked.empty(); }));
    const QString error = "the \"yearmin\" attribute must be an integer in the range "
                          "[100,1000000000]";
    EXPECT_EQ(Texts(prompter.asked),
              QStringList{"The network has an error: " + error +
                          " (line 4, column 14 of its NDL, in the simulation settings).\nCorrect "
                          "it in Settings > Simulation settings.\n\nDo you want to close this "
                          "dialog box?"});
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Critical);
    EXPECT_EQ(progress->MessageText(), "Simulation stopped: the network has an error.");
    ASSERT_TRUE(WaitFor([&] { return Frame().NdlErrorsDlg() != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return Frame().NdlErrorsDlg()->Count() == 1; }));
    EXPECT_EQ(Frame().NdlErrorsDlg()->LineAt(0), "NDL line 4, column 14: " + error);
    EXPECT_EQ(Frame().NdlErrorsDlg()->WidgetAt(0), nullptr);
    EXPECT_TRUE(Frame().NdlErrorsBar()->isVisible());
    progress->CancelButton()->click();
    ASSERT_TRUE(WaitFor([&] { return progress.isNull(); }));
}

// Closing a network window while its run goes on asks first; Yes (and the save question) ends
// the run, which leaves no report, and closes its progress window.
TEST_F(ShellTest, ClosingANetworkDuringItsRunAsksThenStopsTheRunAndItsWindow) {
    ASSERT_TRUE(StartWithExample("two-feeders.vlm"));
    QPointer<CChildFrame> child = Frame().ActiveChild();
    COrvaneView* view = child->NetworkView();
    QPointer<CSimulationProgressDlg> progress = HeldRun();
    ASSERT_TRUE(progress);
    const std::shared_ptr<CSimulationParams> run = view->LastRunParams();
    EXPECT_TRUE(view->HasRunInProgress());

    // No keeps everything going: the window, File Close and Exit alike.
    const QString question = "The simulation of two-feeders is running.\nStop it and close?";
    prompter.answers = {QMessageBox::No, QMessageBox::No, QMessageBox::No};
    child->close();
    app->OnFileClose();
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(Texts(prompter.asked), QStringList({question, question, question}));
    EXPECT_EQ(prompter.asked[0].icon, QMessageBox::Question);
    EXPECT_EQ(prompter.asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    Settle();
    EXPECT_TRUE(child);
    EXPECT_TRUE(progress);
    EXPECT_FALSE(run->m_stop);

    // Yes, then the save question (the run set the report path): the run stops, its window
    // closes with the network's.
    prompter.answers = {QMessageBox::Yes, QMessageBox::No};
    child->close();
    EXPECT_EQ(Texts(prompter.asked).mid(3),
              QStringList({question, QString::fromStdString("Save changes to " +
                                                            dir.File("two-feeders.vlm") + "?")}));
    ASSERT_TRUE(WaitFor([&] { return child.isNull() && progress.isNull(); }));
    EXPECT_TRUE(run->m_stop);
    EXPECT_FALSE(fs::exists(reports / "two-feeders" / "two-feeders.htm"))
        << "a stopped run leaves no report";
}

// Each run has a window named for its network, placed where it does not hide the other's; while
// one run is held another network is drawn on, and the viewer shows the latest report.
TEST_F(ShellTest, TwoRunsHaveTwoWindowsWhileAThirdNetworkIsEditedAndTheViewerShowsTheLatest) {
    fs::copy_file(Examples("radial-feeder.vlm"), dir.File("radial-feeder.vlm"));
    ASSERT_TRUE(StartWithExample("two-feeders.vlm"));
    CChildFrame* running = Frame().ActiveChild();
    QPointer<CSimulationProgressDlg> first = HeldRun();
    ASSERT_TRUE(first);

    COrvaneView* view = app->OnFileNew()->NetworkView();
    EXPECT_EQ(Frame().ActiveNetworkView(), view);
    Act("ID_WIDGETS_LOAD_POINT")->trigger();
    Click(view, CPoint{200, 150});
    Click(view, CPoint{400, 150});
    EXPECT_EQ(view->GetDocument().GetLoadPoints().GetSize(), 2);
    EXPECT_TRUE(view->GetDocument().IsModified());
    EXPECT_FALSE(view->IsSimulationRunning());
    EXPECT_EQ(running->Document()->Doc().GetLoadPoints().GetSize(), 5);

    CChildFrame* radial =
        app->OpenDocumentFile(QString::fromStdString(dir.File("radial-feeder.vlm")));
    ASSERT_NE(radial, nullptr);
    // The result viewer is open before the run: it shows the report the run writes.
    Act("ID_BUILD_RESULT_VIEWER")->trigger();
    CHTMLView* viewer = Frame().ResultViewerFrame()->ResultView();
    EXPECT_FALSE(viewer->toPlainText().contains("Network name"));
    Frame().MdiArea()->setActiveSubWindow(radial);
    QPointer<CSimulationProgressDlg> second = HeldRun();
    ASSERT_TRUE(first && second);
    ASSERT_NE(first, second);
    EXPECT_EQ(first->windowTitle(), "Simulating... - two-feeders");
    EXPECT_EQ(second->windowTitle(), "Simulating... - radial-feeder");
    EXPECT_TRUE(first->isVisible() && second->isVisible());
    EXPECT_EQ(second->pos(), first->pos() + QPoint(30, 30)) << "not hidden under the first";
    EXPECT_TRUE(viewer->toPlainText().contains("The page cannot be displayed"));

    prompter.answers = {QMessageBox::Yes};
    second->OnResume();
    ASSERT_TRUE(WaitFor([&] { return second.isNull(); }, 60000));
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_TRUE(fs::exists(reports / "radial-feeder" / "radial-feeder.txt"));
    ASSERT_TRUE(
        WaitFor([&] { return viewer->toPlainText().contains("Network name :radial-feeder"); }));
    first->close();
    ASSERT_TRUE(WaitFor([&] { return first.isNull(); }));
}

} // namespace
} // namespace orvane
