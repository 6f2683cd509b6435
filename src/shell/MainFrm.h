#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPainter;
class QPrinter;
class QRectF;
class QToolBar;

namespace orvane {

class CChildFrame;
class CCoolDialogBar;
class CDocRecord;
class CNDLErrorsDlg;
class CNetworkRunner;
class COrvaneApp;
class COrvaneView;
class CSimulationProgressDlg;
class CSimulationResultDockableDlg;
struct CheckReport;

// The main window: the document windows in a multiple-document area, the menus (which follow
// the kind of the active window), two toolbars, the status bar and the two dialog bars.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Which menus show: none open, a network window active, a result viewer active, an NDL
    // file's text active.
    enum class MenuKind { None, Network, Result, Text };

    explicit CMainFrame(COrvaneApp& app);
    ~CMainFrame() override;

    // Makes the toolbars and the status bar and docks them; false (with the diagnostic written)
    // when one cannot be made.
    bool Create();

    QMdiArea* MdiArea() const { return m_mdi; }
    CChildFrame* ActiveChild() const;
    COrvaneView* ActiveNetworkView() const;
    QList<CChildFrame*> Frames() const;
    QList<CChildFrame*> FramesOf(const CDocRecord* doc) const;
    // Adds a document window and shows it (maximised like the others).
    void AddFrame(CChildFrame* frame);
    // Window captions follow the document title ("T", or "T:1", "T:2" with two windows); the
    // main window's names the active one once: "... - [T]".
    void UpdateTitles();
    QString MainTitle() const;

    // A command by its identifier ("ID_FILE_NEW", "ID_BUILD_SIMULATE", ...).
    QAction* Action(const QString& id) const;
    QToolBar* TopToolBar() const { return m_topBar; }
    QToolBar* LeftToolBar() const { return m_leftBar; }
    MenuKind CurrentMenuKind() const { return m_menuKind; }
    // The status bar's idle text, and the two pointer panes.
    QLabel* MessagePane() const { return m_idle; }
    QLabel* XPane() const { return m_xPane; }
    QLabel* YPane() const { return m_yPane; }
    QList<QLabel*> IndicatorPanes() const { return {m_capsPane, m_numPane, m_scrollPane}; }

    // The dialog bars, nullptr before their first use.
    CCoolDialogBar* NdlErrorsBar() const { return m_ndlErrorsBar; }
    CNDLErrorsDlg* NdlErrorsDlg() const { return m_ndlErrors; }
    CCoolDialogBar* ResultBar() const { return m_resultBar; }
    CSimulationResultDockableDlg* ResultDlg() const { return m_resultDlg; }

    bool IsResultViewerOpen() const { return m_resultViewerOpen; }
    CChildFrame* ResultViewerFrame() const;
    // The progress window of the most recent run, while it is open.
    CSimulationProgressDlg* LastProgressWindow() const;

    // Connects a new network view to the status bar, the menus and the dialog bars, and gives
    // it the progress window.
    void AttachView(COrvaneView* view);
    // Connects the runs of a network window to the progress window, the status bar, the NDL
    // errors bar (whose lines select in view, when there is one) and the result form.
    void AttachRunner(CNetworkRunner& runner, COrvaneView* view);
    // Paints the active window onto a printer: the workspace scaled to the page, or the report.
    void PrintTo(QPrinter& printer);
    // The workspace of view on a page of the given resolution (dots per inch), as PrintTo
    // paints it.
    static void PaintPage(QPainter& painter, const COrvaneView& view, const QRectF& page,
                          int resolution);
    QPrinter& Printer();

    // Shows the menus of a kind (the active window decides; tests may force it).
    void SetMenuKind(MenuKind kind);
    // Enables and checks the commands for the active window.
    void UpdateCommandUI();

    // Build > Debug on an NDL file's window: the text checked without simulating, the result in
    // a message box.
    void CheckNdlWindow(const CChildFrame& frame);
    // Build > Simulate on an NDL file's window: the text run as a drawing's is, its reports
    // named after the file as orvane-cli names them.
    void SimulateNdlWindow(CChildFrame& frame);

public slots:
    void OnDisplayNdlErrors();
    void OnResultViewer();
    void OnSimulationResultViewer();
    void OnAbout();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    // Refreshes the result form from the active network's last report.
    void RefreshResultForm();
    // Fills the NDL errors bar after a Debug.
    void ShowCheckReport(orvane::COrvaneView* view, const orvane::CheckReport& report);
    // Shows the error a run found in a view's network in the NDL errors bar.
    void ShowNetworkError(orvane::COrvaneView* view, const QString& line);

signals:
    void progressWindowOpened(orvane::CSimulationProgressDlg* dialog);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* MakeAction(const QString& id, const QString& text, const QString& prompt = {},
                        const QString& tip = {});
    void CreateActions();
    void CreateMenus();
    bool CreateToolBars();
    bool CreateStatusBar();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void UpdateRecentFileMenu();
    void UpdateWindowMenu();
    void TileHorizontally();
    void TileVertically();
    void Tile(bool sideBySide);
    void ArrangeIcons();
    // Runs a command of the active network view.
    void RouteToView(void (COrvaneView::*command)());
    // A new progress window goes a little below and right of the last one still open, so that
    // it does not hide it.
    void PlaceProgressWindow(CSimulationProgressDlg* dialog);
    static void ShowPointerPane(QLabel* pane, const QString& text);

    COrvaneApp& m_app;
    QMdiArea* m_mdi;
    QHash<QString, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    QAction* m_recentPlaceholder = nullptr;
    QMenu* m_fileNone = nullptr;
    QMenu* m_fileDoc = nullptr;
    QMenu* m_edit = nullptr;
    QMenu* m_widgets = nullptr;
    QMenu* m_settings = nullptr;
    QMenu* m_build = nullptr;
    QMenu* m_viewNone = nullptr;
    QMenu* m_viewNetwork = nullptr;
    QMenu* m_viewResult = nullptr;
    QMenu* m_window = nullptr;
    QMenu* m_help = nullptr;
    QToolBar* m_topBar = nullptr;
    QToolBar* m_leftBar = nullptr;
    QLabel* m_idle = nullptr;
    QLabel* m_xPane = nullptr;
    QLabel* m_yPane = nullptr;
    QLabel* m_capsPane = nullptr;
    QLabel* m_numPane = nullptr;
    QLabel* m_scrollPane = nullptr;
    MenuKind m_menuKind = MenuKind::None;

    CCoolDialogBar* m_ndlErrorsBar = nullptr;
    CNDLErrorsDlg* m_ndlErrors = nullptr;
    CCoolDialogBar* m_resultBar = nullptr;
    CSimulationResultDockableDlg* m_resultDlg = nullptr;
    bool m_resultViewerOpen = false;
    QPointer<CChildFrame> m_resultViewerFrame;
    QPointer<CSimulationProgressDlg> m_lastProgress;
    QList<QPointer<CSimulationProgressDlg>> m_progressWindows;
    std::unique_ptr<QPrinter> m_printer;
    bool m_closing = false;
};

} // namespace orvane
