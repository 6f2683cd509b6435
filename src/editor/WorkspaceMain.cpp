// orvane-workspace: one network in one window, with the editor's tools and Build commands.

#include "editor/OrvaneView.h"
#include "editor/ViewLogic.h"
#include "model/OrvaneDoc.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QUndoStack>
#include <QUrl>

#include <algorithm>
#include <array>
#include <memory>

namespace orvane {
namespace {

class CWorkspaceWindow : public QMainWindow {
public:
    CWorkspaceWindow() {
        BuildMenus();
        m_x = new QLabel(this);
        m_y = new QLabel(this);
        statusBar()->addPermanentWidget(m_x);
        statusBar()->addPermanentWidget(m_y);
        m_errors = new QListWidget(this);
        auto* dock = new QDockWidget(QStringLiteral("NDL Errors"), this);
        dock->setObjectName(QStringLiteral("NDLErrors"));
        dock->setWidget(m_errors);
        addDockWidget(Qt::BottomDockWidgetArea, dock);
        dock->hide();
        m_errorsDock = dock;
        connect(m_errors, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            const int row = m_errors->row(item);
            if (m_view && row >= 0 && row < m_report.widgets.GetSize())
                m_view->SelectWidget(m_report.widgets.GetAt(row));
        });
        resize(1000, 760);
    }

    bool NewDocument() {
        if (!MaySave())
            return false;
        auto doc = std::make_unique<COrvaneDoc>();
        doc->OnNewDocument();
        Install(std::move(doc), QString(), QStringLiteral("Orvane%1").arg(++m_untitled));
        return true;
    }

    bool OpenDocument(const QString& path) {
        std::string error;
        std::unique_ptr<COrvaneDoc> doc = COrvaneDoc::Load(path.toStdString(), error);
        if (!doc) {
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(error));
            return false;
        }
        Install(std::move(doc), path, QFileInfo(path).completeBaseName());
        return true;
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (MaySave())
            event->accept();
        else
            event->ignore();
    }

private:
    void Install(std::unique_ptr<COrvaneDoc> doc, const QString& path, const QString& title) {
        auto* view = new COrvaneView(*doc, this);
        view->SetTitle(title.toStdString());
        connect(view, &COrvaneView::pointerMoved, this, [this](const QString& x, const QString& y) {
            ShowPane(m_x, x);
            ShowPane(m_y, y);
        });
        connect(view, &COrvaneView::statusMessage, this,
                [this](const QString& text) { statusBar()->showMessage(text); });
        connect(view, &COrvaneView::commandStateChanged, this, [this] { RefreshChecks(); });
        connect(view, &COrvaneView::debugFinished, this,
                [this](COrvaneView*, const CheckReport& report) { ShowErrors(report); });
        // The old view goes before the document it shows.
        delete takeCentralWidget();
        setCentralWidget(view);
        m_view = view;
        m_doc = std::move(doc);
        m_path = path;
        m_title = title;
        m_report = CheckReport{};
        m_errors->clear();
        setWindowTitle(title + QStringLiteral(" - Orvane"));
        view->OnSelect();
        view->setFocus();
    }

    // A pane as wide as its text needs in its font, and never narrower again, so that it does
    // not jump about as the pointer moves.
    static void ShowPane(QLabel* pane, const QString& text) {
        pane->setText(text);
        pane->setFixedWidth(
            std::max(pane->fontMetrics().horizontalAdvance(text) + 8, pane->minimumWidth()));
    }

    void ShowErrors(const CheckReport& report) {
        m_report = report;
        m_errors->clear();
        for (const std::string& line : report.lines)
            m_errors->addItem(QString::fromStdString(line));
        m_errorsDock->show();
    }

    bool Save(bool askPath) {
        QString path = m_path;
        if (askPath || path.isEmpty()) {
            path = QFileDialog::getSaveFileName(this, QStringLiteral("Save network"),
                                                m_title + QStringLiteral(".vlm"),
                                                QStringLiteral("Networks (*.vlm)"));
            if (path.isEmpty())
                return false;
        }
        std::string error;
        if (!m_doc->Save(path.toStdString(), error)) {
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(error));
            return false;
        }
        m_view->DocumentSaved();
        m_path = path;
        m_title = QFileInfo(path).completeBaseName();
        m_view->SetTitle(m_title.toStdString());
        setWindowTitle(m_title + QStringLiteral(" - Orvane"));
        return true;
    }

    // False when the user keeps the window as it is.
    bool MaySave() {
        if (!m_doc || !m_doc->IsModified())
            return true;
        const auto answer = QMessageBox::question(
            this, windowTitle(), QStringLiteral("Save changes to %1?").arg(m_title),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return false;
        return answer == QMessageBox::No || Save(false);
    }

    template <class F> QAction* Add(QMenu* menu, const char* text, F&& f) {
        // Menu texts carry their shortcut after a tab; the action's own shortcut shows there.
        const QString label = QString::fromUtf8(text).section(QLatin1Char('\t'), 0, 0);
        return menu->addAction(label, this, std::forward<F>(f));
    }

    void BuildMenus() {
        QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
        file->addAction(QStringLiteral("&New"), QKeySequence::New, this, [this] { NewDocument(); });
        file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, [this] {
            if (!MaySave())
                return;
            const QString path =
                QFileDialog::getOpenFileName(this, QStringLiteral("Open network"), QString(),
                                             QStringLiteral("Networks (*.vlm)"));
            if (!path.isEmpty())
                OpenDocument(path);
        });
        file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] { Save(false); });
        file->addAction(QStringLiteral("Save &As..."), this, [this] { Save(true); });
        file->addSeparator();
        file->addAction(QStringLiteral("&Result viewer"), this, [this] {
            if (!m_doc->GetResultPath().empty())
                QDesktopServices::openUrl(
                    QUrl::fromLocalFile(QString::fromStdString(m_doc->GetResultPath())));
        });
        file->addSeparator();
        file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

        // Always enabled, so that the shortcuts work; each does nothing when it has nothing to do.
        QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
        QAction* undo =
            edit->addAction(QString(), QKeySequence::Undo, this, [this] { m_view->OnUndo(); });
        QAction* redo =
            edit->addAction(QString(), QKeySequence::Redo, this, [this] { m_view->OnRedo(); });
        edit->addSeparator();
        edit->addAction(QStringLiteral("Cu&t"), QKeySequence::Cut, this,
                        [this] { m_view->OnCut(); });
        edit->addAction(QStringLiteral("&Copy"), QKeySequence::Copy, this,
                        [this] { m_view->OnCopy(); });
        edit->addAction(QStringLiteral("&Paste"), QKeySequence::Paste, this,
                        [this] { m_view->OnPaste(); });
        const auto name = [](const std::string& text) {
            return QString::fromStdString(text).section(QLatin1Char('\t'), 0, 0);
        };
        const auto nameSteps = [this, undo, redo, name] {
            const QUndoStack* stack = m_view ? m_view->UndoStack() : nullptr;
            undo->setText(name(UndoMenuText(stack ? stack->undoText().toStdString() : "")));
            redo->setText(name(RedoMenuText(stack ? stack->redoText().toStdString() : "")));
        };
        connect(edit, &QMenu::aboutToShow, this, nameSteps);
        nameSteps();

        QMenu* widgets = menuBar()->addMenu(QStringLiteral("W&idgets"));
        m_select = Add(widgets, SelectMenuText, [this] { m_view->OnSelect(); });
        m_select->setCheckable(true);
        widgets->addSeparator();
        for (int t = 0; t < kWidgetTypeCount; ++t) {
            const auto type = static_cast<WidgetType>(t);
            QAction* tool =
                Add(widgets, ToolMenuText(type), [this, type] { m_view->ChooseTool(type); });
            tool->setCheckable(true);
            m_tools[static_cast<size_t>(t)] = tool;
        }
        widgets->addSeparator();
        m_toggle = Add(widgets, ToggleMenuText, [this] { m_view->OnToggle(); });
        m_toggle->setCheckable(true);

        QMenu* build = menuBar()->addMenu(QStringLiteral("&Build"));
        Add(build, DebugMenuText, [this] { m_view->OnDebug(); })->setShortcut(Qt::Key_F8);
        Add(build, SimulateMenuText, [this] { m_view->OnSimulate(); })->setShortcut(Qt::Key_F7);
        Add(build, GenerateNdlMenuText, [this] {
            m_view->OnGenerateNdl();
        })->setShortcut(Qt::Key_F9);
        Add(build, "&Cancel simulation", [this] { m_view->CancelSimulation(); });

        QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
        Add(view, ZoomInMenuText, [this] {
            m_view->OnZoomIn();
        })->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Plus));
        Add(view, ZoomOutMenuText, [this] {
            m_view->OnZoomOut();
        })->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Minus));

        QMenu* settings = menuBar()->addMenu(QStringLiteral("Se&ttings"));
        Add(settings, WorkspaceSettingsMenuText, [this] { m_view->OnWorkspaceSettings(); });
        Add(settings, SimulationSettingsMenuText, [this] { m_view->OnSimulationSettings(); });
    }

    void RefreshChecks() {
        m_select->setChecked(m_view->IsSelectMode());
        for (int t = 0; t < kWidgetTypeCount; ++t)
            m_tools[static_cast<size_t>(t)]->setChecked(
                m_view->IsToolChecked(static_cast<WidgetType>(t)));
        m_toggle->setChecked(m_view->IsToggleChecked());
    }

    std::unique_ptr<COrvaneDoc> m_doc;
    COrvaneView* m_view = nullptr;
    QString m_path;
    QString m_title;
    int m_untitled = 0;
    QLabel* m_x;
    QLabel* m_y;
    QListWidget* m_errors;
    QDockWidget* m_errorsDock;
    CheckReport m_report;
    QAction* m_select = nullptr;
    std::array<QAction*, kWidgetTypeCount> m_tools{};
    QAction* m_toggle = nullptr;
};

} // namespace
} // namespace orvane

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane"));
    orvane::CWorkspaceWindow window;
    const QStringList args = QApplication::arguments();
    if (args.size() < 2 || !window.OpenDocument(args.at(1)))
        window.NewDocument();
    window.show();
    return QApplication::exec();
}
