#pragma once

#include "editor/DoubleBuffering.h"
#include "editor/Mode.h"
#include "editor/NetworkRunner.h"
#include "editor/UndoCommands.h"
#include "editor/ViewLogic.h"
#include "model/NetworkCheck.h"
#include "model/OrvaneDoc.h"

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QPointer>
#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QMenu;
class QUndoStack;

namespace orvane {

class CPrompter;

// The workspace: a scrolling view of one network document on which components are placed,
// selected, moved, deleted and opened, and from which the Build commands run. Mouse and key
// input go to the editing modes; the network is painted through an off-screen buffer. Every
// change the view makes to the drawing is a command on its undo stack, whose clean state the
// document's modified mark follows.
class COrvaneView : public QAbstractScrollArea,
                    public CModeHost,
                    public CDrawingSurface,
                    public CDocObserver {
    Q_OBJECT
public:
    explicit COrvaneView(COrvaneDoc& doc, QWidget* parent = nullptr);
    ~COrvaneView() override;

    COrvaneDoc& GetDocument() const { return m_doc; }
    // The document title as the window shows it, without ".vlm"; names the report directory.
    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& Title() const { return m_title; }

    // Installs the prompter the view asks through (not owned); nullptr restores the dialogs.
    void SetPrompter(CPrompter* prompter);
    // The runs of this view's network, and where their reports go.
    CNetworkRunner& Runner() const { return *m_runner; }
    // Installs the shell's progress window; without one, progress goes to statusMessage.
    void SetProgressWindowFactory(ProgressWindowFactory factory);
    // Tells the view whether the result viewer is open, for load point clicks.
    void SetResultViewerOpenQuery(std::function<bool()> isOpen);
    // Where report directories go; empty chooses the program's directory when it is writable,
    // otherwise the per-user data directory.
    void SetReportBaseDirectory(const std::string& directory);
    std::string ReportBaseDirectory() const;

    // CModeHost
    CPoint GetAnchor() const override { return m_anchor; }
    CPoint GetLastPoint() const override { return m_lastPoint; }
    void InvalidateRect(const CRect& workspaceRect) override;
    void InvalidateAll() override;
    void SetCursorShape(CursorShape shape) override;
    void ShowPropertyDialog(CWidget& widget) override;

    // CDrawingSurface: immediate feedback is kept in an overlay that is inverted onto the
    // picture, so drawing the same rubber band twice removes it.
    void XorSegment(CPoint from, CPoint to) override;
    void DrawWidget(const CWidget& widget, bool markers) override;
    void DrawSelection(const CWidget& widget) override;

    // CDocObserver: another view changed the document.
    void OnDocumentUpdate(CDocObserver* sender, const std::string* hint) override;

    // State, for menus and tests.
    bool IsToolActive() const { return m_toolActive; }
    bool IsSelectMode() const { return m_selectMode; }
    bool IsToolChecked(WidgetType type) const { return m_tools[static_cast<size_t>(type)]; }
    bool IsToggleChecked() const { return m_doc.m_toggle == 1; }
    bool IsZoomed() const { return m_zoomed; }
    int Zoom() const { return m_zoom; }
    bool IsMultiSelect() const { return m_multiSelect; }
    bool IsMoving() const { return m_moving; }
    bool IsRubberBand() const { return m_rubberBand; }
    bool IsNdlWindowOpen() const { return m_ndlWindowOpen; }
    QWidget* NdlWindow() const { return m_ndlWindow; }
    bool IsSimulationRunning() const { return m_runner->IsSimulationRunning(); }
    // Whether a run is simulating, not finished and not asked to stop.
    bool HasRunInProgress() const { return m_runner->HasRunInProgress(); }
    // Runs whose worker has not been joined yet (a cancelled run may still be ending).
    int LiveRunCount() const { return m_runner->LiveRunCount(); }
    // The parameter block of the most recent run.
    std::shared_ptr<CSimulationParams> LastRunParams() const { return m_runner->LastRunParams(); }
    // The components of m_modes: the selection in the Select tool.
    std::vector<CWidget*> Selection() const;
    int ModeCount() const { return static_cast<int>(m_modes.size()); }
    // The changes made in this view, for Undo and Redo.
    QUndoStack* UndoStack() const { return m_undo; }
    // Whether Cut and Copy have something to take, and the clipboard something to paste.
    bool HasSelection() const { return m_selectMode && !m_modes.empty(); }
    bool CanPaste() const;
    // The document has been saved: its present state is the one undo returns to unmodified.
    void DocumentSaved();
    // The scroll extent in screen pixels.
    QSize ScrollExtent() const;
    CSize TotalSize() const { return m_totalSize; }
    // The pane texts the status bar shows for the last pointer position.
    const QString& StatusXText() const { return m_statusX; }
    const QString& StatusYText() const { return m_statusY; }
    QMenu* ContextMenu() const { return m_contextMenu; }

    // Viewport position to workspace point (scroll offset removed, zoom divided out), and the
    // viewport position of a workspace point.
    CPoint WorkspacePoint(QPoint viewportPos) const;
    QPoint ViewportPoint(CPoint point) const;

    // Draws the network, then the selection marks in the Select tool, in workspace units.
    // Printing paints through this, without the off-screen buffer.
    void PaintNetwork(QPainter& painter) const;
    // The whole workspace at one unit per pixel on white, as the editing state paints it.
    QImage RenderWorkspace() const;

public slots:
    void OnSelect();
    void OnToolFeeder() { ChooseTool(WidgetType::Line); }
    void OnToolCircuitBreaker() { ChooseTool(WidgetType::CircuitBreaker); }
    void OnToolFuse() { ChooseTool(WidgetType::Fuse); }
    void OnToolRecloser() { ChooseTool(WidgetType::Recloser); }
    void OnToolIsolator() { ChooseTool(WidgetType::Isolator); }
    void OnToolBusBar() { ChooseTool(WidgetType::BusBar); }
    void OnToolLoadPoint() { ChooseTool(WidgetType::LoadPoint); }
    void OnToolGenSource() { ChooseTool(WidgetType::GenSource); }
    void OnToolEquipment() { ChooseTool(WidgetType::Equipment); }
    void OnWorkspaceSettings();
    void OnSimulationSettings();
    void OnDebug();
    void OnSimulate();
    void OnGenerateNdl();
    void OnToggle();
    void OnZoomIn();
    void OnZoomOut();
    void OnUndo();
    void OnRedo();
    // The clipboard commands work on the selection of the Select tool. Cut and Paste are one
    // undo step each; pasted components lie a little apart from the copied ones, and become the
    // selection.
    void OnCut();
    void OnCopy();
    void OnPaste();

    // Selects one component, as a double click in the NDL errors list does. A component that is
    // no longer in the document is ignored.
    void SelectWidget(orvane::CWidget* widget);
    // The scroll extent follows the document's workspace size.
    void ApplyWorkspaceSize();
    // Stops the current run, as its progress window's Cancel does.
    void CancelSimulation();
    // The progress window has closed: a new Simulate may start.
    void ClearSimulationRunning() { m_runner->ClearSimulationRunning(); }

public:
    void ChooseTool(WidgetType type);

signals:
    // The texts of the two status-bar panes for the pointer position.
    void pointerMoved(const QString& xText, const QString& yText);
    // A line for the status bar (run progress when no progress window is installed).
    void statusMessage(const QString& text);
    // A tool, the zoom or the toggle changed: menus refresh their check marks.
    void commandStateChanged();
    // Debug has run and its message box is answered: the NDL errors list shows the report and
    // hands a double-clicked component back to SelectWidget.
    void debugFinished(orvane::COrvaneView* view, const orvane::CheckReport& report);
    void simulationStarted(const QString& htmlReportPath);
    // A run's worker has ended (completed, failed to parse or cancelled).
    void simulationEnded(int runStatus);
    // A run ended on an error in the network; line is what the NDL errors list shows for it.
    // Comes before simulationEnded.
    void networkErrorFound(orvane::COrvaneView* view, const QString& line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetZoom(int zoom);
    // One inverted shape of the overlay: a segment, or a rectangle when isRect.
    struct XorShape {
        CPoint from;
        CPoint to;
        bool isRect = false;
        bool operator==(const XorShape&) const = default;
    };

    void OnLeftDown(CPoint p, unsigned flags);
    void OnPointerMove(CPoint p, unsigned flags);
    void OnLeftUp(CPoint p, unsigned flags);
    void OnRightUp(CPoint p, QPoint globalPos);

    void ClearToolFlags();
    void LeaveZoom();
    void UpdateScrollBars();
    double Scale() const;
    void ToggleXor(const XorShape& shape);
    void ClearOverlay();
    void AddToSelection(std::unique_ptr<CMode> probe);
    void BuildContextMenu();
    // Removes the selection as one undo step named text.
    void DeleteSelection(const char* text);
    // The end of a drag in the Select tool: one Move or Stretch step when anything moved.
    void FinishDrag();
    // After each step done or undone: the selection keeps what is still in the drawing, and the
    // picture and the scroll extent follow the document.
    void OnUndoIndexChanged();
    void PaintOverlay(QPainter& painter) const;
    CPrompter& Prompter();

    COrvaneDoc& m_doc;
    std::string m_title;

    std::unique_ptr<CNetworkRunner> m_runner;
    CPoint m_anchor;
    CPoint m_lastPoint;
    CSize m_totalSize;
    std::vector<std::unique_ptr<CMode>> m_modes;
    bool m_toolActive = false;
    bool m_selectMode = false;
    bool m_moving = false;
    bool m_rubberBand = false;
    bool m_multiSelect = false;
    std::array<bool, kWidgetTypeCount> m_tools{};
    bool m_zoomed = false;
    int m_zoom = 113;
    bool m_ndlWindowOpen = false;
    QPointer<QWidget> m_ndlWindow;
    bool m_captured = false; // the left button went down with a component tool

    QUndoStack* m_undo = nullptr;
    // Where the dragged components were when the button went down, and the state to go back to
    // when the drag moves nothing.
    std::vector<CPlacement> m_dragStart;
    bool m_dragWasModified = false;
    int m_dragIndex = 0;
    // The clipboard bytes pasted last and how many times in a row, for the paste offset.
    QByteArray m_pastedBytes;
    int m_pasteCount = 0;

    std::vector<XorShape> m_overlay;
    CDoubleBuffering m_buffer;
    QString m_statusX;
    QString m_statusY;
    QMenu* m_contextMenu = nullptr;
    CPrompter* m_prompter = nullptr;
    std::unique_ptr<CPrompter> m_defaultPrompter;
    std::function<bool()> m_resultViewerOpen;
};

} // namespace orvane
