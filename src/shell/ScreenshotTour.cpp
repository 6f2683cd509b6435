#include "shell/ScreenshotTour.h"

#include "editor/OrvaneView.h"
#include "editor/Prompter.h"
#include "editor/ViewLogic.h"
#include "shell/ChildFrm.h"
#include "shell/DocRecord.h"
#include "shell/MainFrm.h"
#include "shell/Orvane.h"
#include "shell/SimulationProgressDlg.h"
#include "shell/SimulationProgressDlgThread.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace orvane {

namespace {

// Answers every question so that the tour never blocks, and never saves: the network it shows
// is one of the bundled examples.
class TourPrompter : public CDialogPrompter {
public:
    QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) override {
        if (text.startsWith(QLatin1String("Save changes")))
            return QMessageBox::No;
        return buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok;
    }
    QString ChooseOpenFile(QWidget*, const QString&) override { return {}; }
    QString ChooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    int Exec(QDialog&) override { return QDialog::Rejected; }
};

class Tour : public QObject {
public:
    Tour(COrvaneApp& app, const QString& directory) : QObject(&app), m_app(app), m_dir(directory) {
        QDir().mkpath(m_dir);
        app.SetPrompter(&m_prompter);
        connect(app.MainFrame(), &CMainFrame::progressWindowOpened, this,
                [this](CSimulationProgressDlg* dialog) { OnProgressWindow(dialog); });
        After(1500, [this] { Start(); });
    }

private:
    void After(int ms, std::function<void()> step) {
        QTimer::singleShot(ms, this, std::move(step));
    }

    void Save(const QString& name) {
        QPixmap picture;
        if (QScreen* screen = QGuiApplication::primaryScreen())
            picture = screen->grabWindow(0);
        if (picture.isNull())
            picture = m_app.MainFrame()->grab();
        picture.save(QDir(m_dir).filePath(name));
    }

    void Start() {
        CMainFrame* frame = m_app.MainFrame();
        // Without a window manager "maximised" means nothing; take the whole screen.
        if (QScreen* screen = QGuiApplication::primaryScreen())
            frame->setGeometry(screen->availableGeometry());
        if (COrvaneView* view = frame->ActiveNetworkView())
            view->OnSelect();
        frame->UpdateCommandUI();
        After(800, [this, frame] {
            Save(QStringLiteral("main-window.png"));
            frame->Action(QStringLiteral("ID_BUILD_SIMULATE"))->trigger();
        });
        After(30000, [] { QApplication::quit(); }); // whatever happens
    }

    void OnProgressWindow(CSimulationProgressDlg* dialog) {
        CSimulationProgressDlgThread* sink = dialog->Sink();
        sink->PauseAtYear(9000);
        connect(sink, &CSimulationProgressDlgThread::pausedAtYear, this, [this, dialog] {
            After(500, [this, dialog] {
                dialog->move(m_app.MainFrame()->geometry().center() - dialog->rect().center());
                After(300, [this, dialog] {
                    Save(QStringLiteral("progress-window.png"));
                    dialog->OnResume();
                });
            });
        });
        connect(
            sink, &CSimulationProgressDlgThread::completed, this,
            [this] { After(800, [this] { ShowResults(); }); }, Qt::QueuedConnection);
    }

    void ShowResults() {
        CMainFrame* frame = m_app.MainFrame();
        CChildFrame* network = frame->ActiveChild();
        if (!network)
            return QApplication::quit();
        frame->OnSimulationResultViewer();
        frame->OnResultViewer();
        COrvaneDoc& doc = network->Document()->Doc();
        const CLoadPointCollection& loads = doc.GetLoadPoints();
        if (loads.GetSize() > 0) {
            const std::string name = loads.GetAt(loads.GetSize() - 1)->m_name;
            doc.NotifyViews(nullptr, LoadPointAddress(doc.GetResultPath(), name));
        }
        After(1000, [this] {
            Save(QStringLiteral("result-viewer.png"));
            QApplication::quit();
        });
    }

    COrvaneApp& m_app;
    QString m_dir;
    TourPrompter m_prompter;
};

} // namespace

void StartScreenshotTour(COrvaneApp& app, const QString& directory) {
    new Tour(app, directory);
}

} // namespace orvane
