#include "shell/MainFrm.h"

#include "editor/NdlTextCheck.h"
#include "editor/NetworkRunner.h"
#include "editor/OrvaneView.h"
#include "editor/Prompter.h"
#include "editor/ViewLogic.h"
#include "model/CheckTexts.h"
#include "model/NetworkCheck.h"
#include "run/ReportPaths.h"
#include "shell/ChildFrm.h"
#include "shell/CoolDialogBar.h"
#include "shell/DocRecord.h"
#include "shell/HTMLView.h"
#include "shell/NDLErrorsDlg.h"
#include "shell/Orvane.h"
#include "shell/RecentFileList.h"
#include "shell/SimulationProgressDlg.h"
#include "shell/SimulationProgressDlgThread.h"
#include "shell/SimulationResultDockableDlg.h"
#include "shell/Splash.h"
#include "shell/ToolbarIcons.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTextDocument>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <array>
#include <filesystem>

namespace orvane {

namespace {

const QString kFrameTitle = QStringLiteral("Orvane Series\u00AE - Orvane Velmoor ");
const QString kIdleText = QStringLiteral("Select & right click to bring up component dialog box");
// Space between a pointer pane's text and its neighbours.
constexpr int kPanePadding = 8;

struct ToolCommand {
    WidgetType type;
    const char* id;
    const char* name; // status-bar prompt and tool tip
    ToolbarIcon icon;
};

constexpr std::array<ToolCommand, kWidgetTypeCount> kTools = {{
    {WidgetType::Line, "ID_WIDGETS_FEEDER", "Feeder", ToolbarIcon::Feeder},
    {WidgetType::CircuitBreaker, "ID_WIDGETS_CIRCUIT_BREAKER", "Circuit Breaker",
     ToolbarIcon::CircuitBreaker},
    {WidgetType::Fuse, "ID_WIDGETS_FUSE", "Fuse", ToolbarIcon::Fuse},
    {WidgetType::Recloser, "ID_WIDGETS_RECLOSER", "Recloser", ToolbarIcon::Recloser},
    {WidgetType::Isolator, "ID_WIDGETS_ISOLATOR", "Isolator", ToolbarIcon::Isolator},
    {WidgetType::BusBar, "ID_WIDGETS_BUS_BAR", "Bus Bar", ToolbarIcon::BusBar},
    {WidgetType::LoadPoint, "ID_WIDGETS_LOAD_POINT", "Load Point", ToolbarIcon::LoadPoint},
    {WidgetType::GenSource, "ID_WIDGETS_GEN_SOURCE", "Gen Source", ToolbarIcon::GenSource},
    {WidgetType::Equipment, "ID_WIDGETS_EQUIPMENT", "Equipment", ToolbarIcon::Equipment},
}};

QString S(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

CMainFrame::CMainFrame(COrvaneApp& app) : m_app(app), m_mdi(new QMdiArea) {
    setWindowTitle(kFrameTitle);
    setWindowIcon(MakeProgramIcon());
    setObjectName(QStringLiteral("MainFrame"));
    m_mdi->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(m_mdi);
    setAcceptDrops(true);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    CreateActions();
    CreateMenus();
    SetMenuKind(MenuKind::None);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // Document windows go first: their views point into documents and may still run.
    for (QMdiSubWindow* window : m_mdi->subWindowList())
        delete window;
}

QAction* CMainFrame::MakeAction(const QString& id, const QString& text, const QString& prompt,
                                const QString& tip) {
    auto* action = new QAction(text, this);
    action->setObjectName(id);
    action->setIconVisibleInMenu(false);
    if (!prompt.isEmpty())
        action->setStatusTip(prompt);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    // Shortcuts stay live whichever menus are showing.
    addAction(action);
    m_actions.insert(id, action);
    return action;
}

QAction* CMainFrame::Action(const QString& id) const {
    return m_actions.value(id, nullptr);
}

void CMainFrame::CreateActions() {
    auto* a = MakeAction(QStringLiteral("ID_FILE_NEW"), QStringLiteral("&New\tCtrl+N"),
                         QStringLiteral("Create a new document"), QStringLiteral("New"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::New));
    connect(a, &QAction::triggered, &m_app, [this] { m_app.OnFileNew(); });

    a = MakeAction(QStringLiteral("ID_FILE_OPEN"), QStringLiteral("&Open...\tCtrl+O"),
                   QStringLiteral("Open an existing document"), QStringLiteral("Open"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Open));
    connect(a, &QAction::triggered, &m_app, [this] { m_app.OnFileOpen(); });

    a = MakeAction(QStringLiteral("ID_FILE_CLOSE"), QStringLiteral("&Close"),
                   QStringLiteral("Close the active document"), QStringLiteral("Close"));
    connect(a, &QAction::triggered, &m_app, [this] { m_app.OnFileClose(); });

    a = MakeAction(QStringLiteral("ID_FILE_SAVE"), QStringLiteral("&Save\tCtrl+S"),
                   QStringLiteral("Save the active document"), QStringLiteral("Save"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Save));
    connect(a, &QAction::triggered, &m_app, [this] { m_app.OnFileSave(); });

    a = MakeAction(QStringLiteral("ID_FILE_SAVE_AS"), QStringLiteral("Save &As..."),
                   QStringLiteral("Save the active document with a new name"),
                   QStringLiteral("Save As"));
    connect(a, &QAction::triggered, &m_app, [this] { m_app.OnFileSaveAs(); });

    // Import and Export have no handler.
    MakeAction(QStringLiteral("ID_FILE_IMPORT"), QStringLiteral("&Import"))->setEnabled(false);
    MakeAction(QStringLiteral("ID_FILE_EXPORT"), QStringLiteral("&Export"))->setEnabled(false);

    a = MakeAction(QStringLiteral("ID_FILE_PRINT"), QStringLiteral("&Print...\tCtrl+P"),
                   QStringLiteral("Print the active document"), QStringLiteral("Print"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Print));
    connect(a, &QAction::triggered, this, &CMainFrame::OnFilePrint);

    a = MakeAction(QStringLiteral("ID_FILE_PRINT_PREVIEW"), QStringLiteral("Print Pre&view"),
                   QStringLiteral("Display full pages"), QStringLiteral("Print Preview"));
    connect(a, &QAction::triggered, this, &CMainFrame::OnFilePrintPreview);

    a = MakeAction(QStringLiteral("ID_FILE_PRINT_SETUP"), QStringLiteral("P&rint Setup..."),
                   QStringLiteral("Change the printer and printing options"),
                   QStringLiteral("Print Setup"));
    connect(a, &QAction::triggered, this, &CMainFrame::OnFilePrintSetup);

    m_recentPlaceholder =
        MakeAction(QStringLiteral("ID_FILE_MRU_FILE1_EMPTY"), QStringLiteral("Recent File"));
    m_recentPlaceholder->setEnabled(false);
    for (int i = 0; i < COrvaneApp::RecentFileCount; ++i) {
        a = MakeAction(QStringLiteral("ID_FILE_MRU_FILE%1").arg(i + 1), QString(),
                       QStringLiteral("Open this document"), QStringLiteral("Open"));
        connect(a, &QAction::triggered, &m_app, [this, i] { m_app.OnOpenRecentFile(i); });
        m_recentActions.append(a);
    }

    a = MakeAction(QStringLiteral("ID_APP_EXIT"), QStringLiteral("E&xit"),
                   QStringLiteral("Quit the application; prompts to save documents"),
                   QStringLiteral("Exit"));
    connect(a, &QAction::triggered, this, &QWidget::close);

    // Edit: the active network view's undo stack and the clipboard. The texts name the step
    // (UpdateCommandUI).
    a = MakeAction(QStringLiteral("ID_EDIT_UNDO"), S(UndoMenuText("").c_str()),
                   QStringLiteral("Undo the last action"), QStringLiteral("Undo"));
    a->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnUndo); });
    a = MakeAction(QStringLiteral("ID_EDIT_REDO"), S(RedoMenuText("").c_str()),
                   QStringLiteral("Redo the previously undone action"), QStringLiteral("Redo"));
    a->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnRedo); });
    a = MakeAction(QStringLiteral("ID_EDIT_CUT"), QStringLiteral("Cu&t\tCtrl+X"),
                   QStringLiteral("Cut the selection and put it on the Clipboard"),
                   QStringLiteral("Cut"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Cut));
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnCut); });
    a = MakeAction(QStringLiteral("ID_EDIT_COPY"), QStringLiteral("&Copy\tCtrl+C"),
                   QStringLiteral("Copy the selection and put it on the Clipboard"),
                   QStringLiteral("Copy"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Copy));
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnCopy); });
    a = MakeAction(QStringLiteral("ID_EDIT_PASTE"), QStringLiteral("&Paste\tCtrl+V"),
                   QStringLiteral("Insert Clipboard contents"), QStringLiteral("Paste"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Paste));
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnPaste); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdateCommandUI);

    // The view's commands.
    a = MakeAction(QStringLiteral("ID_SELECT"), S(SelectMenuText), QStringLiteral("Select"),
                   QStringLiteral("Select"));
    a->setCheckable(true);
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Select));
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnSelect); });
    for (const ToolCommand& tool : kTools) {
        a = MakeAction(S(tool.id), S(ToolMenuText(tool.type)), S(tool.name), S(tool.name));
        a->setCheckable(true);
        a->setIcon(MakeToolbarIcon(tool.icon));
        const WidgetType type = tool.type;
        connect(a, &QAction::triggered, this, [this, type] {
            if (COrvaneView* view = ActiveNetworkView())
                view->ChooseTool(type);
            UpdateCommandUI();
        });
    }

    a = MakeAction(QStringLiteral("ID_SETTINGS_WORKSPACE"), S(WorkspaceSettingsMenuText),
                   QStringLiteral("Workspace settings"), QStringLiteral("Workspace settings"));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::WorkspaceSettings));
    connect(a, &QAction::triggered, this,
            [this] { RouteToView(&COrvaneView::OnWorkspaceSettings); });
    a = MakeAction(QStringLiteral("ID_SETTINGS_SIMULATION"), S(SimulationSettingsMenuText),
                   QStringLiteral("Simulation settings"), QStringLiteral("Simulation settings"));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::SimulationSettings));
    connect(a, &QAction::triggered, this,
            [this] { RouteToView(&COrvaneView::OnSimulationSettings); });

    a = MakeAction(QStringLiteral("ID_BUILD_DEBUG"), S(DebugMenuText),
                   QStringLiteral("Debug Drawing/Settings F8"),
                   QStringLiteral("Debug Drawing/Settings F8"));
    a->setShortcut(QKeySequence(Qt::Key_F8));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Debug));
    connect(a, &QAction::triggered, this, [this] {
        if (const CChildFrame* frame = ActiveChild();
            frame && frame->GetKind() == CChildFrame::Kind::Text)
            CheckNdlWindow(*frame);
        else
            RouteToView(&COrvaneView::OnDebug);
    });
    a = MakeAction(QStringLiteral("ID_BUILD_SIMULATE"), S(SimulateMenuText),
                   QStringLiteral("Start the simulation F7"), QStringLiteral("Simulate F7"));
    a->setShortcut(QKeySequence(Qt::Key_F7));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Simulate));
    connect(a, &QAction::triggered, this, [this] {
        if (CChildFrame* frame = ActiveChild();
            frame && frame->GetKind() == CChildFrame::Kind::Text)
            SimulateNdlWindow(*frame);
        else
            RouteToView(&COrvaneView::OnSimulate);
    });
    a = MakeAction(QStringLiteral("ID_BUILD_GENERATE_NDL"), S(GenerateNdlMenuText),
                   QStringLiteral("Generate Network Description Language F9"),
                   QStringLiteral("Generate Network Description Language F9"));
    a->setShortcut(QKeySequence(Qt::Key_F9));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::GenerateNdl));
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnGenerateNdl); });
    a = MakeAction(QStringLiteral("ID_BUILD_NDL_ERRORS"), QStringLiteral("Display NDL errors"),
                   QStringLiteral("Display NDL errors"), QStringLiteral("Display NDL errors"));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::NdlErrors));
    connect(a, &QAction::triggered, this, &CMainFrame::OnDisplayNdlErrors);
    a = MakeAction(QStringLiteral("ID_BUILD_RESULT_VIEWER"), QStringLiteral("&Result viewer"),
                   QStringLiteral("Result viewer"), QStringLiteral("Result viewer"));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::ResultViewer));
    connect(a, &QAction::triggered, this, &CMainFrame::OnResultViewer);
    a = MakeAction(QStringLiteral("ID_SIMULATION_RESULT_VIEWER"), QString(),
                   QStringLiteral("Simulation result dockable dialog"),
                   QStringLiteral("Simulation result dockable dialog"));
    a->setIconText(QStringLiteral("Simulation result viewer"));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::ResultForm));
    connect(a, &QAction::triggered, this, &CMainFrame::OnSimulationResultViewer);

    a = MakeAction(QStringLiteral("ID_VIEW_TOOLBAR"), QStringLiteral("&Toolbar"),
                   QStringLiteral("Show or hide the toolbar"), QStringLiteral("Toggle ToolBar"));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this](bool on) {
        if (m_topBar)
            m_topBar->setVisible(on);
    });
    a = MakeAction(QStringLiteral("ID_VIEW_STATUS_BAR"), QStringLiteral("&Status Bar"),
                   QStringLiteral("Show or hide the status bar"),
                   QStringLiteral("Toggle StatusBar"));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this](bool on) { statusBar()->setVisible(on); });
    a = MakeAction(QStringLiteral("ID_VIEW_TOGGLE"), S(ToggleMenuText), QStringLiteral("Toggle"),
                   QStringLiteral("Toggle"));
    a->setCheckable(true);
    a->setIcon(MakeToolbarIcon(ToolbarIcon::Toggle));
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnToggle); });
    a = MakeAction(QStringLiteral("ID_VIEW_ZOOM_IN"), S(ZoomInMenuText), QStringLiteral("Zoom in"),
                   QStringLiteral("Zoom in"));
    a->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Plus));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::ZoomIn));
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnZoomIn); });
    a = MakeAction(QStringLiteral("ID_VIEW_ZOOM_OUT"), S(ZoomOutMenuText),
                   QStringLiteral("Zoom out"), QStringLiteral("Zoom out"));
    a->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Minus));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::ZoomOut));
    connect(a, &QAction::triggered, this, [this] { RouteToView(&COrvaneView::OnZoomOut); });

    a = MakeAction(QStringLiteral("ID_WINDOW_CASCADE"), QStringLiteral("&Cascade"),
                   QStringLiteral("Arrange windows so they overlap"),
                   QStringLiteral("Cascade Windows"));
    connect(a, &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
    a = MakeAction(QStringLiteral("ID_WINDOW_ARRANGE"), QStringLiteral("&Arrange Icons"),
                   QStringLiteral("Arrange icons at the bottom of the window"),
                   QStringLiteral("Arrange Icons"));
    connect(a, &QAction::triggered, this, &CMainFrame::ArrangeIcons);
    a = MakeAction(QStringLiteral("ID_WINDOW_TILE_HORZ"), QStringLiteral("Horizontal &Tile"),
                   QStringLiteral("Arrange windows as non-overlapping tiles"),
                   QStringLiteral("Tile Windows"));
    connect(a, &QAction::triggered, this, &CMainFrame::TileHorizontally);
    a = MakeAction(QStringLiteral("ID_WINDOW_TILE_VERT"), QStringLiteral("Vertical T&ile"),
                   QStringLiteral("Arrange windows as non-overlapping tiles"),
                   QStringLiteral("Tile Windows"));
    connect(a, &QAction::triggered, this, &CMainFrame::TileVertically);
    a = MakeAction(QStringLiteral("ID_NEXT_PANE"), QString(),
                   QStringLiteral("Switch to the next window pane"), QStringLiteral("Next Pane"));
    a->setShortcut(QKeySequence(Qt::Key_F6));
    connect(a, &QAction::triggered, m_mdi, &QMdiArea::activateNextSubWindow);
    a = MakeAction(QStringLiteral("ID_PREV_PANE"), QString(),
                   QStringLiteral("Switch back to the previous window pane"),
                   QStringLiteral("Previous Pane"));
    a->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(a, &QAction::triggered, m_mdi, &QMdiArea::activatePreviousSubWindow);

    a = MakeAction(QStringLiteral("ID_APP_ABOUT"), QStringLiteral("&About Orvane Velmoor"),
                   QStringLiteral("Display program information, version number and copyright"),
                   QStringLiteral("About"));
    a->setIcon(MakeToolbarIcon(ToolbarIcon::About));
    connect(a, &QAction::triggered, this, &CMainFrame::OnAbout);
}

void CMainFrame::CreateMenus() {
    auto menu = [this](const QString& title) {
        auto* m = new QMenu(title, this);
        return m;
    };
    auto addRecent = [this](QMenu* m) {
        m->addAction(m_recentPlaceholder);
        m->addActions(m_recentActions);
        m->addSeparator();
    };

    m_fileNone = menu(QStringLiteral("&File"));
    m_fileNone->addAction(Action(QStringLiteral("ID_FILE_NEW")));
    m_fileNone->addAction(Action(QStringLiteral("ID_FILE_OPEN")));
    m_fileNone->addAction(Action(QStringLiteral("ID_FILE_PRINT_SETUP")));
    m_fileNone->addSeparator();
    addRecent(m_fileNone);
    m_fileNone->addAction(Action(QStringLiteral("ID_APP_EXIT")));

    m_fileDoc = menu(QStringLiteral("&File"));
    for (const char* id :
         {"ID_FILE_NEW", "ID_FILE_OPEN", "ID_FILE_CLOSE", "ID_FILE_SAVE", "ID_FILE_SAVE_AS"})
        m_fileDoc->addAction(Action(S(id)));
    m_fileDoc->addSeparator();
    m_fileDoc->addAction(Action(QStringLiteral("ID_FILE_IMPORT")));
    m_fileDoc->addAction(Action(QStringLiteral("ID_FILE_EXPORT")));
    m_fileDoc->addSeparator();
    for (const char* id : {"ID_FILE_PRINT", "ID_FILE_PRINT_PREVIEW", "ID_FILE_PRINT_SETUP"})
        m_fileDoc->addAction(Action(S(id)));
    m_fileDoc->addSeparator();
    addRecent(m_fileDoc);
    m_fileDoc->addAction(Action(QStringLiteral("ID_APP_EXIT")));
    for (QMenu* file : {m_fileNone, m_fileDoc})
        connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFileMenu);

    m_edit = menu(QStringLiteral("&Edit"));
    m_edit->addAction(Action(QStringLiteral("ID_EDIT_UNDO")));
    m_edit->addAction(Action(QStringLiteral("ID_EDIT_REDO")));
    m_edit->addSeparator();
    for (const char* id : {"ID_EDIT_CUT", "ID_EDIT_COPY", "ID_EDIT_PASTE"})
        m_edit->addAction(Action(S(id)));

    m_widgets = menu(QStringLiteral("W&idgets"));
    for (const ToolCommand& tool : kTools)
        m_widgets->addAction(Action(S(tool.id)));

    m_settings = menu(QStringLiteral("Se&ttings"));
    m_settings->addAction(Action(QStringLiteral("ID_SETTINGS_WORKSPACE")));
    m_settings->addAction(Action(QStringLiteral("ID_SETTINGS_SIMULATION")));

    m_build = menu(QStringLiteral("&Build"));
    for (const char* id : {"ID_BUILD_DEBUG", "ID_BUILD_SIMULATE", "ID_BUILD_GENERATE_NDL"})
        m_build->addAction(Action(S(id)));
    m_build->addSeparator();
    m_build->addAction(Action(QStringLiteral("ID_BUILD_NDL_ERRORS")));
    m_build->addAction(Action(QStringLiteral("ID_BUILD_RESULT_VIEWER")));

    m_viewNone = menu(QStringLiteral("&View"));
    m_viewNone->addAction(Action(QStringLiteral("ID_VIEW_TOOLBAR")));
    m_viewNone->addAction(Action(QStringLiteral("ID_VIEW_STATUS_BAR")));
    m_viewResult = menu(QStringLiteral("&View"));
    m_viewResult->addAction(Action(QStringLiteral("ID_VIEW_TOOLBAR")));
    m_viewResult->addAction(Action(QStringLiteral("ID_VIEW_STATUS_BAR")));
    m_viewResult->addAction(Action(QStringLiteral("ID_VIEW_TOGGLE")));
    m_viewNetwork = menu(QStringLiteral("&View"));
    m_viewNetwork->addAction(Action(QStringLiteral("ID_VIEW_TOOLBAR")));
    m_viewNetwork->addAction(Action(QStringLiteral("ID_VIEW_STATUS_BAR")));
    m_viewNetwork->addAction(Action(QStringLiteral("ID_VIEW_TOGGLE")));
    m_viewNetwork->addSeparator();
    m_viewNetwork->addAction(Action(QStringLiteral("ID_VIEW_ZOOM_IN")));
    m_viewNetwork->addAction(Action(QStringLiteral("ID_VIEW_ZOOM_OUT")));

    m_window = menu(QStringLiteral("&Window"));
    connect(m_window, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
    UpdateWindowMenu();

    m_help = menu(QStringLiteral("&Help"));
    m_help->addAction(Action(QStringLiteral("ID_APP_ABOUT")));
    UpdateRecentFileMenu();
}

void CMainFrame::SetMenuKind(MenuKind kind) {
    if (m_menuKind == kind && !menuBar()->actions().isEmpty())
        return;
    m_menuKind = kind;
    QMenuBar* bar = menuBar();
    bar->clear();
    switch (kind) {
    case MenuKind::None:
        bar->addMenu(m_fileNone);
        bar->addMenu(m_viewNone);
        break;
    case MenuKind::Network:
        for (QMenu* m :
             {m_fileDoc, m_edit, m_widgets, m_settings, m_build, m_viewNetwork, m_window})
            bar->addMenu(m);
        break;
    case MenuKind::Result:
        for (QMenu* m : {m_fileDoc, m_edit, m_settings, m_build, m_viewResult, m_window})
            bar->addMenu(m);
        break;
    case MenuKind::Text:
        for (QMenu* m : {m_fileDoc, m_build, m_viewNone, m_window})
            bar->addMenu(m);
        break;
    }
    bar->addMenu(m_help);
}

bool CMainFrame::Create() {
    if (!CreateToolBars()) {
        qDebug("Failed to create toolbar\n");
        return false;
    }
    if (!CreateStatusBar()) {
        qDebug("Failed to create status bar\n");
        return false;
    }
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    qApp->installEventFilter(this);
    CSplashWnd::ShowSplashScreen(this);
    UpdateCommandUI();
    return true;
}

bool CMainFrame::CreateToolBars() {
    m_topBar = new QToolBar(QStringLiteral("Standard"), this);
    m_topBar->setObjectName(QStringLiteral("TopToolBar"));
    m_leftBar = new QToolBar(QStringLiteral("Widgets"), this);
    m_leftBar->setObjectName(QStringLiteral("LeftToolBar"));
    if (!m_topBar || !m_leftBar)
        return false;

    // nullptr is a separator, "" a button without a command.
    const auto fill = [this](QToolBar* bar, std::initializer_list<const char*> ids) {
        for (const char* id : ids) {
            if (!id) {
                bar->addSeparator();
            } else if (!*id) {
                auto* blank = new QAction(MakeToolbarIcon(ToolbarIcon::Blank), QString(), bar);
                blank->setEnabled(false);
                bar->addAction(blank);
            } else {
                bar->addAction(Action(S(id)));
            }
        }
    };
    fill(m_topBar, {"ID_FILE_NEW",
                    "ID_FILE_OPEN",
                    "ID_FILE_SAVE",
                    nullptr,
                    "ID_EDIT_CUT",
                    "ID_EDIT_COPY",
                    "ID_EDIT_PASTE",
                    nullptr,
                    "ID_FILE_PRINT",
                    nullptr,
                    "ID_BUILD_DEBUG",
                    "ID_BUILD_GENERATE_NDL",
                    "ID_BUILD_SIMULATE",
                    nullptr,
                    "ID_SETTINGS_WORKSPACE",
                    "ID_SETTINGS_SIMULATION",
                    nullptr,
                    "ID_VIEW_ZOOM_IN",
                    "ID_VIEW_ZOOM_OUT",
                    nullptr,
                    "ID_APP_ABOUT"});
    fill(m_leftBar, {"ID_SELECT",
                     "ID_WIDGETS_FEEDER",
                     nullptr,
                     "ID_WIDGETS_CIRCUIT_BREAKER",
                     "ID_WIDGETS_FUSE",
                     "ID_WIDGETS_RECLOSER",
                     "ID_WIDGETS_ISOLATOR",
                     nullptr,
                     "ID_WIDGETS_BUS_BAR",
                     "ID_WIDGETS_LOAD_POINT",
                     "ID_WIDGETS_GEN_SOURCE",
                     "ID_WIDGETS_EQUIPMENT",
                     "",
                     nullptr,
                     "ID_VIEW_TOGGLE",
                     "ID_BUILD_NDL_ERRORS",
                     "ID_BUILD_RESULT_VIEWER",
                     "ID_SIMULATION_RESULT_VIEWER",
                     nullptr,
                     "",
                     "",
                     "",
                     ""});
    for (QToolBar* bar : {m_topBar, m_leftBar}) {
        bar->setIconSize(QSize(16, 15));
        bar->setMovable(true);
        bar->setFloatable(true);
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    addToolBar(Qt::TopToolBarArea, m_topBar);
    addToolBar(Qt::LeftToolBarArea, m_leftBar);
    m_leftBar->setOrientation(Qt::Vertical);
    Action(QStringLiteral("ID_VIEW_TOOLBAR"))->setChecked(true);
    connect(m_topBar, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!m_closing)
            Action(QStringLiteral("ID_VIEW_TOOLBAR"))->setChecked(visible);
    });
    return true;
}

bool CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    if (!bar)
        return false;
    m_idle = new QLabel(kIdleText);
    m_idle->setObjectName(QStringLiteral("MessagePane"));
    bar->addWidget(m_idle, 1);
    m_xPane = new QLabel;
    m_yPane = new QLabel;
    for (QLabel* pane : {m_xPane, m_yPane}) {
        pane->setFrameStyle(QFrame::NoFrame);
        pane->setFixedWidth(0);
        bar->addPermanentWidget(pane);
    }
    m_capsPane = new QLabel(QStringLiteral("CAP"));
    m_numPane = new QLabel(QStringLiteral("NUM"));
    m_scrollPane = new QLabel(QStringLiteral("SCRL"));
    for (QLabel* pane : {m_capsPane, m_numPane, m_scrollPane}) {
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        // Off until the key is seen: the lock states cannot be read portably.
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
    }
    Action(QStringLiteral("ID_VIEW_STATUS_BAR"))->setChecked(true);
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && m_capsPane) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            QLabel* pane = key->key() == Qt::Key_CapsLock     ? m_capsPane
                           : key->key() == Qt::Key_NumLock    ? m_numPane
                           : key->key() == Qt::Key_ScrollLock ? m_scrollPane
                                                              : nullptr;
            if (pane)
                pane->setEnabled(!pane->isEnabled());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

CChildFrame* CMainFrame::ActiveChild() const {
    return qobject_cast<CChildFrame*>(m_mdi->currentSubWindow());
}

COrvaneView* CMainFrame::ActiveNetworkView() const {
    CChildFrame* frame = ActiveChild();
    return frame ? frame->NetworkView() : nullptr;
}

QList<CChildFrame*> CMainFrame::Frames() const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = qobject_cast<CChildFrame*>(window))
            frames.append(frame);
    return frames;
}

QList<CChildFrame*> CMainFrame::FramesOf(const CDocRecord* doc) const {
    QList<CChildFrame*> frames;
    for (CChildFrame* frame : Frames())
        if (frame->Document().get() == doc)
            frames.append(frame);
    return frames;
}

void CMainFrame::AddFrame(CChildFrame* frame) {
    m_mdi->addSubWindow(frame);
    connect(frame, &QObject::destroyed, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { OnSubWindowActivated(nullptr); }, Qt::QueuedConnection);
    });
    frame->showMaximized();
    m_mdi->setActiveSubWindow(frame);
    UpdateTitles();
    OnSubWindowActivated(frame);
}

void CMainFrame::UpdateTitles() {
    QList<const CDocRecord*> docs;
    for (CChildFrame* frame : Frames())
        if (!docs.contains(frame->Document().get()))
            docs.append(frame->Document().get());
    for (const CDocRecord* doc : docs) {
        const QList<CChildFrame*> frames = FramesOf(doc);
        for (int i = 0; i < frames.size(); ++i) {
            frames[i]->setWindowTitle(frames.size() == 1
                                          ? doc->Title()
                                          : QStringLiteral("%1:%2").arg(doc->Title()).arg(i + 1));
            if (COrvaneView* view = frames[i]->NetworkView())
                view->SetTitle(doc->Title().toStdString());
        }
    }
    setWindowTitle(MainTitle());
}

QString CMainFrame::MainTitle() const {
    // The form in which the multiple-document area names a maximised window: it adds the name
    // only to a title that does not hold it so already.
    const CChildFrame* active = ActiveChild();
    return active ? kFrameTitle + QStringLiteral(" - [") + active->windowTitle() + QLatin1Char(']')
                  : kFrameTitle;
}

void CMainFrame::changeEvent(QEvent* event) {
    // Maximising and restoring a document window rewrite the title from an older one.
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != MainTitle())
        setWindowTitle(MainTitle());
    QMainWindow::changeEvent(event);
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow*) {
    // A deactivated main window reports no active window; the current one still counts.
    const CChildFrame* frame = ActiveChild();
    SetMenuKind(!frame                                           ? MenuKind::None
                : frame->GetKind() == CChildFrame::Kind::Network ? MenuKind::Network
                : frame->GetKind() == CChildFrame::Kind::Text    ? MenuKind::Text
                                                                 : MenuKind::Result);
    UpdateTitles();
    UpdateCommandUI();
    RefreshResultForm();
}

void CMainFrame::RouteToView(void (COrvaneView::*command)()) {
    if (COrvaneView* view = ActiveNetworkView())
        (view->*command)();
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI() {
    const CChildFrame* frame = ActiveChild();
    const COrvaneView* view = frame ? frame->NetworkView() : nullptr;
    for (const ToolCommand& tool : kTools) {
        QAction* a = Action(S(tool.id));
        a->setEnabled(view != nullptr);
        a->setChecked(view && view->IsToolChecked(tool.type));
    }
    Action(QStringLiteral("ID_SELECT"))->setEnabled(view != nullptr);
    Action(QStringLiteral("ID_SELECT"))->setChecked(view && view->IsSelectMode());
    Action(QStringLiteral("ID_VIEW_TOGGLE"))->setEnabled(view != nullptr);
    Action(QStringLiteral("ID_VIEW_TOGGLE"))->setChecked(view && view->IsToggleChecked());
    for (const char* id : {"ID_SETTINGS_WORKSPACE", "ID_SETTINGS_SIMULATION",
                           "ID_BUILD_GENERATE_NDL", "ID_VIEW_ZOOM_IN", "ID_VIEW_ZOOM_OUT"})
        Action(S(id))->setEnabled(view != nullptr);
    const bool text = frame && frame->GetKind() == CChildFrame::Kind::Text;
    for (const char* id : {"ID_BUILD_DEBUG", "ID_BUILD_SIMULATE"})
        Action(S(id))->setEnabled(view != nullptr || text);
    for (const char* id : {"ID_FILE_CLOSE", "ID_FILE_PRINT", "ID_FILE_PRINT_PREVIEW"})
        Action(S(id))->setEnabled(frame != nullptr);
    for (const char* id : {"ID_FILE_SAVE", "ID_FILE_SAVE_AS"})
        Action(S(id))->setEnabled(frame != nullptr && !text);
    const QUndoStack* stack = view ? view->UndoStack() : nullptr;
    QAction* undo = Action(QStringLiteral("ID_EDIT_UNDO"));
    undo->setEnabled(stack && stack->canUndo());
    undo->setText(S(UndoMenuText(stack ? stack->undoText().toStdString() : "").c_str()));
    QAction* redo = Action(QStringLiteral("ID_EDIT_REDO"));
    redo->setEnabled(stack && stack->canRedo());
    redo->setText(S(RedoMenuText(stack ? stack->redoText().toStdString() : "").c_str()));
    Action(QStringLiteral("ID_EDIT_CUT"))->setEnabled(view && view->HasSelection());
    Action(QStringLiteral("ID_EDIT_COPY"))->setEnabled(view && view->HasSelection());
    Action(QStringLiteral("ID_EDIT_PASTE"))->setEnabled(view && view->CanPaste());
    if (m_topBar)
        Action(QStringLiteral("ID_VIEW_TOOLBAR"))->setChecked(!m_topBar->isHidden());
    Action(QStringLiteral("ID_VIEW_STATUS_BAR"))->setChecked(!statusBar()->isHidden());
}

void CMainFrame::UpdateRecentFileMenu() {
    const QStringList& entries = m_app.RecentFiles().Entries();
    m_recentPlaceholder->setVisible(entries.isEmpty());
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* a = m_recentActions[i];
        a->setVisible(i < entries.size());
        if (i < entries.size())
            a->setText(m_app.RecentFiles().MenuText(i));
    }
}

void CMainFrame::UpdateWindowMenu() {
    m_window->clear();
    for (const char* id :
         {"ID_WINDOW_CASCADE", "ID_WINDOW_ARRANGE", "ID_WINDOW_TILE_HORZ", "ID_WINDOW_TILE_VERT"})
        m_window->addAction(Action(S(id)));
    const QList<CChildFrame*> frames = Frames();
    if (frames.isEmpty())
        return;
    m_window->addSeparator();
    const CChildFrame* active = ActiveChild();
    for (int i = 0; i < frames.size(); ++i) {
        CChildFrame* frame = frames[i];
        QAction* a =
            m_window->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(frame->windowTitle()));
        a->setCheckable(true);
        a->setChecked(frame == active);
        connect(a, &QAction::triggered, this, [this, frame] { m_mdi->setActiveSubWindow(frame); });
    }
}

void CMainFrame::TileHorizontally() {
    Tile(false);
}

void CMainFrame::TileVertically() {
    Tile(true);
}

// Side by side (each the full height) or one above the other (each the full width).
void CMainFrame::Tile(bool sideBySide) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (!w->isMinimized())
            windows.append(w);
    if (windows.isEmpty())
        return;
    const QRect area = m_mdi->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        if (sideBySide)
            windows[i]->setGeometry(i * (area.width() / n), 0, area.width() / n, area.height());
        else
            windows[i]->setGeometry(0, i * (area.height() / n), area.width(), area.height() / n);
    }
}

void CMainFrame::ArrangeIcons() {
    // Minimised windows in a row along the bottom edge.
    const QRect area = m_mdi->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* w : m_mdi->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize size = w->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        w->move(x, y - size.height() + 1);
        x += size.width();
    }
}

void CMainFrame::AttachView(COrvaneView* view) {
    connect(view, &COrvaneView::pointerMoved, this, [this](const QString& x, const QString& y) {
        ShowPointerPane(m_xPane, x);
        ShowPointerPane(m_yPane, y);
    });
    connect(view, &COrvaneView::commandStateChanged, this, &CMainFrame::UpdateCommandUI);
    // Steps done in a view change what Undo and Redo name (the view that is active counts).
    connect(view->UndoStack(), &QUndoStack::indexChanged, this, &CMainFrame::UpdateCommandUI);
    connect(view->UndoStack(), &QUndoStack::cleanChanged, this, &CMainFrame::UpdateCommandUI);
    connect(view, &COrvaneView::debugFinished, this, &CMainFrame::ShowCheckReport);
    view->SetResultViewerOpenQuery([this] { return m_resultViewerOpen; });
    AttachRunner(view->Runner(), view);
}

void CMainFrame::AttachRunner(CNetworkRunner& runner, COrvaneView* view) {
    connect(&runner, &CNetworkRunner::networkErrorFound, this,
            [this, view](const QString& line) { ShowNetworkError(view, line); });
    connect(&runner, &CNetworkRunner::simulationEnded, this, [this] { RefreshResultForm(); });
    connect(&runner, &CNetworkRunner::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, 2000); });
    QPointer<CMainFrame> self(this);
    runner.SetProgressWindowFactory(
        [self, &app = m_app](CNetworkRunner& r, const std::string& windowName,
                             std::atomic<bool>* stop, std::shared_ptr<void> owner) {
            auto sink = CSimulationProgressDlgThread::Create(stop, std::move(owner));
            sink->Start(sink, app.Prompter(), self);
            CSimulationProgressDlg* dialog = sink->Dialog();
            dialog->SetNetworkName(QString::fromStdString(windowName));
            QObject::connect(dialog, &CSimulationProgressDlg::closed, &r,
                             &CNetworkRunner::ClearSimulationRunning);
            if (self) {
                QObject::connect(sink.get(), &CSimulationProgressDlgThread::completed, self,
                                 &CMainFrame::RefreshResultForm, Qt::QueuedConnection);
                self->PlaceProgressWindow(dialog);
                self->m_lastProgress = dialog;
                emit self->progressWindowOpened(dialog);
            }
            // The window's network stops its runs when it closes: the run's window goes with it.
            const auto cancel = [sink] {
                sink->Cancel();
                if (CSimulationProgressDlg* window = sink->Dialog())
                    window->close();
            };
            const auto failed = [sink](const std::string& message) { sink->ShowFailed(message); };
            return CProgressHookup{sink, cancel, failed};
        });
}

void CMainFrame::ShowPointerPane(QLabel* pane, const QString& text) {
    pane->setText(text);
    // Wide enough in the pane's own font, and never narrower again, so that the panes do not
    // jump about as the pointer moves.
    const int needed = pane->fontMetrics().horizontalAdvance(text) + 2 * pane->margin() +
                       2 * pane->frameWidth() + kPanePadding;
    pane->setFixedWidth(std::max(needed, pane->minimumWidth()));
}

void CMainFrame::PlaceProgressWindow(CSimulationProgressDlg* dialog) {
    m_progressWindows.removeIf([](const auto& window) { return window.isNull(); });
    if (!m_progressWindows.isEmpty())
        dialog->move(m_progressWindows.last()->pos() + QPoint(30, 30));
    m_progressWindows.append(dialog);
}

CChildFrame* CMainFrame::ResultViewerFrame() const {
    return m_resultViewerFrame;
}

CSimulationProgressDlg* CMainFrame::LastProgressWindow() const {
    return m_lastProgress;
}

void CMainFrame::OnDisplayNdlErrors() {
    if (!m_ndlErrorsBar) {
        m_ndlErrors = new CNDLErrorsDlg;
        m_ndlErrorsBar = new CCoolDialogBar(S(NdlErrorsCaption), m_ndlErrors, this);
        if (!m_ndlErrorsBar) {
            qDebug("Failed to create dialogbar\n");
            return;
        }
        addDockWidget(Qt::BottomDockWidgetArea, m_ndlErrorsBar);
    }
    m_ndlErrorsBar->show();
    m_ndlErrorsBar->raise();
}

void CMainFrame::ShowCheckReport(COrvaneView* view, const CheckReport& report) {
    OnDisplayNdlErrors();
    if (!m_ndlErrors)
        return;
    QPointer<COrvaneView> target(view);
    m_ndlErrors->SetView(view, [this, target](CWidget* widget) {
        if (!target)
            return;
        // Bring the network forward so that the selection can be seen.
        for (CChildFrame* frame : Frames())
            if (frame->NetworkView() == target)
                m_mdi->setActiveSubWindow(frame);
        target->SelectWidget(widget);
        UpdateCommandUI();
    });
    m_ndlErrors->ShowNotConnected(report.widgets, report.lines);
}

void CMainFrame::ShowNetworkError(COrvaneView* view, const QString& line) {
    OnDisplayNdlErrors();
    if (!m_ndlErrors)
        return;
    m_ndlErrors->SetView(view, {});
    m_ndlErrors->ShowLine(line);
}

void CMainFrame::OnResultViewer() {
    if (m_resultViewerOpen) {
        if (m_resultViewerFrame)
            m_mdi->setActiveSubWindow(m_resultViewerFrame);
        return;
    }
    CChildFrame* active = ActiveChild();
    if (!active)
        return;
    const std::shared_ptr<CDocRecord> doc = active->Document();
    auto* html = new CHTMLView(&doc->Doc());
    auto* frame = new CChildFrame(doc, html);
    frame->SetCloseQuery([this](CChildFrame* f) { return m_app.CanCloseFrame(f); });
    m_resultViewerFrame = frame;
    m_resultViewerOpen = true;
    connect(html, &QObject::destroyed, this, [this] { m_resultViewerOpen = false; });
    AddFrame(frame);
    html->OnInitialUpdate();
}

void CMainFrame::OnSimulationResultViewer() {
    if (!m_resultBar) {
        m_resultDlg = new CSimulationResultDockableDlg;
        m_resultBar =
            new CCoolDialogBar(QStringLiteral("Simulation result viewer"), m_resultDlg, this);
        if (!m_resultBar) {
            qDebug("Failed to create dialogbar\n");
            return;
        }
        addDockWidget(Qt::RightDockWidgetArea, m_resultBar);
    }
    m_resultBar->show();
    m_resultBar->raise();
    RefreshResultForm();
}

void CMainFrame::RefreshResultForm() {
    if (!m_resultDlg)
        return;
    const CChildFrame* frame = ActiveChild();
    if (frame)
        m_resultDlg->ShowReport(frame->Document()->Doc().GetResultPath());
    else
        m_resultDlg->Clear();
}

void CMainFrame::OnAbout() {
    CAboutDlg about(this);
    m_app.Prompter().Exec(about);
}

QPrinter& CMainFrame::Printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CMainFrame::PrintTo(QPrinter& printer) {
    CChildFrame* frame = ActiveChild();
    if (!frame)
        return;
    if (CHTMLView* html = frame->ResultView()) {
        html->document()->print(&printer);
        return;
    }
    if (QPlainTextEdit* text = frame->TextView()) {
        text->document()->print(&printer);
        return;
    }
    COrvaneView* view = frame->NetworkView();
    QPainter painter;
    if (!view || !painter.begin(&printer))
        return;
    PaintPage(painter, *view, printer.pageLayout().paintRectPixels(printer.resolution()),
              printer.resolution());
    painter.end();
}

void CMainFrame::PaintPage(QPainter& painter, const COrvaneView& view, const QRectF& page,
                           int resolution) {
    const COrvaneDoc& doc = view.GetDocument();
    const double width = std::max<double>(1.0, doc.m_workspaceWidth);
    const double height = std::max<double>(1.0, doc.m_workspaceHeight);
    // The workspace as large as it is on a 96 dpi screen, or smaller to fit the page.
    const double natural = resolution / 96.0;
    const double scale = std::min({natural, page.width() / width, page.height() / height});
    painter.scale(scale, scale);
    // A font in points is sized for the printer's resolution, which the scale above already
    // accounts for; in workspace pixels, as on the screen, names keep their size beside the
    // symbols.
    QFont font = view.font();
    if (font.pixelSize() <= 0)
        font.setPixelSize(std::max(1, qRound(font.pointSizeF() * 96.0 / 72.0)));
    painter.setFont(font);
    view.PaintNetwork(painter);
}

void CMainFrame::CheckNdlWindow(const CChildFrame& frame) {
    const NdlTextCheck check =
        CheckNdlText(frame.NdlText(), frame.Document()->Title().toStdString());
    m_app.Prompter().Ask(this, check.passed ? QMessageBox::Information : QMessageBox::Warning,
                         QString::fromStdString(check.message), QMessageBox::Ok);
}

void CMainFrame::SimulateNdlWindow(CChildFrame& frame) {
    CNetworkRunner* runner = frame.Runner();
    if (!runner || runner->IsSimulationRunning())
        return; // one run per window at a time
    // Titled as orvane-cli titles the file, so that both write the same reports.
    CDocRecord& doc = *frame.Document();
    const std::string title = std::filesystem::path(doc.Path().toStdString()).stem().string();
    if (!TitleNamesDirectory(title)) {
        m_app.Prompter().Ask(this, QMessageBox::Warning, S(InvalidOutputNameMessage),
                             QMessageBox::Ok);
        return;
    }
    runner->Start({.title = title,
                   .windowName = doc.Title().toStdString(),
                   .ndlText = frame.NdlText(),
                   .ndlFile = doc.Title().toStdString(),
                   // The one default sequence, as orvane-cli draws without --seed.
                   .seeded = false,
                   .seed = 0,
                   .replicas = 1});
    // The report path is all the document records: the file itself is never written.
    doc.Doc().SetModified(false);
}

void CMainFrame::OnFilePrint() {
    if (!ActiveChild())
        return;
    QPrintDialog dialog(&Printer(), this);
    if (m_app.Prompter().Exec(dialog) == QDialog::Accepted)
        PrintTo(Printer());
}

void CMainFrame::OnFilePrintPreview() {
    if (!ActiveChild())
        return;
    QPrintPreviewDialog dialog(&Printer(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(*printer); });
    m_app.Prompter().Exec(dialog);
}

void CMainFrame::OnFilePrintSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    m_app.Prompter().Exec(dialog);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (CChildFrame* frame : Frames()) {
        if (!m_app.MayStopRun(frame)) {
            event->ignore();
            return;
        }
    }
    if (!m_app.SaveAllModified()) {
        event->ignore();
        return;
    }
    m_closing = true;
    m_app.m_closingAll = true;
    m_mdi->closeAllSubWindows();
    CSplashWnd::HideSplashScreen();
    event->accept();
    qApp->quit();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            m_app.OpenDocumentFile(url.toLocalFile());
    event->acceptProposedAction();
}

} // namespace orvane
