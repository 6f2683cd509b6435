#include "editor/OrvaneView.h"

#include "editor/ComponentClipboard.h"
#include "editor/ComponentView.h"
#include "editor/Prompter.h"
#include "editor/ViewLogic.h"
#include "editor/WidgetPainter.h"
#include "model/CheckTexts.h"
#include "model/LoadPoint.h"
#include "model/NDLGenerator.h"
#include "model/TypeOrder.h"
#include "model/WidgetVisit.h"
#include "run/ReportPaths.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QUndoStack>

#include <algorithm>
#include <climits>
#include <cmath>

namespace orvane {

namespace {

unsigned ModeFlagsOf(Qt::KeyboardModifiers modifiers) {
    unsigned flags = FlagNone;
    if (modifiers & Qt::ControlModifier)
        flags |= FlagControl;
    if (modifiers & Qt::ShiftModifier)
        flags |= FlagShift;
    return flags;
}

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT_MIN / 2, INT_MAX / 2));
}

} // namespace

COrvaneView::COrvaneView(COrvaneDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc),
      m_runner(std::make_unique<CNetworkRunner>(doc, this)) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    // Every pixel comes from the buffer, so the background is never erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    horizontalScrollBar()->setSingleStep(10);
    verticalScrollBar()->setSingleStep(10);
    BuildContextMenu();
    ApplyWorkspaceSize();
    m_doc.AttachObserver(this);

    m_undo = new QUndoStack(this);
    connect(m_undo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { m_doc.SetModified(!clean); });
    connect(m_undo, &QUndoStack::indexChanged, this, &COrvaneView::OnUndoIndexChanged);

    connect(m_runner.get(), &CNetworkRunner::statusMessage, this, &COrvaneView::statusMessage);
    connect(m_runner.get(), &CNetworkRunner::simulationStarted, this,
            &COrvaneView::simulationStarted);
    connect(m_runner.get(), &CNetworkRunner::networkErrorFound, this,
            [this](const QString& line) { emit networkErrorFound(this, line); });
    connect(m_runner.get(), &CNetworkRunner::simulationEnded, this, &COrvaneView::simulationEnded);
}

COrvaneView::~COrvaneView() {
    // The stack's clearing signals nothing to a view half gone, nor marks the document.
    m_undo->disconnect(this);
    delete m_undo;
    // Runs end before any of the view goes: their windows may call back into it.
    m_runner.reset();
    m_doc.DetachObserver(this);
    delete m_ndlWindow.data();
}

void COrvaneView::SetPrompter(CPrompter* prompter) {
    m_prompter = prompter;
}

CPrompter& COrvaneView::Prompter() {
    if (m_prompter)
        return *m_prompter;
    if (!m_defaultPrompter)
        m_defaultPrompter = std::make_unique<CDialogPrompter>();
    return *m_defaultPrompter;
}

void COrvaneView::SetProgressWindowFactory(ProgressWindowFactory factory) {
    m_runner->SetProgressWindowFactory(std::move(factory));
}

void COrvaneView::SetResultViewerOpenQuery(std::function<bool()> isOpen) {
    m_resultViewerOpen = std::move(isOpen);
}

void COrvaneView::SetReportBaseDirectory(const std::string& directory) {
    m_runner->SetReportBaseDirectory(directory);
}

std::string COrvaneView::ReportBaseDirectory() const {
    return m_runner->ReportBaseDirectory();
}

// ---- mapping and scrolling

double COrvaneView::Scale() const {
    return ZoomScale(m_zoom, logicalDpiX());
}

CPoint COrvaneView::WorkspacePoint(QPoint viewportPos) const {
    return WindowToWorkspace(viewportPos.x(), viewportPos.y(), horizontalScrollBar()->value(),
                             verticalScrollBar()->value(), m_zoomed, Scale());
}

QPoint COrvaneView::ViewportPoint(CPoint point) const {
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (!m_zoomed)
        return QPoint(point.x, point.y) - scroll;
    // The first screen pixel that maps back to the point.
    const double s = Scale();
    return QPoint(static_cast<int>(std::ceil(point.x * s)),
                  static_cast<int>(std::ceil(point.y * s))) -
           scroll;
}

QSize COrvaneView::ScrollExtent() const {
    if (!m_zoomed)
        return QSize(m_totalSize.cx, m_totalSize.cy);
    const CSize hundredths = ZoomedExtent(m_totalSize, m_zoom);
    return QSize(HundredthsToPixels(hundredths.cx, logicalDpiX()),
                 HundredthsToPixels(hundredths.cy, logicalDpiY()));
}

void COrvaneView::UpdateScrollBars() {
    const QSize extent = ScrollExtent();
    const QSize page = viewport()->size();
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setPageStep(page.height());
    horizontalScrollBar()->setRange(0, std::max(0, extent.width() - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, extent.height() - page.height()));
}

void COrvaneView::ApplyWorkspaceSize() {
    m_totalSize = m_doc.m_totalSize;
    if (m_totalSize.cx <= 0 || m_totalSize.cy <= 0)
        m_totalSize = CSize{static_cast<int32_t>(m_doc.m_workspaceWidth),
                            static_cast<int32_t>(m_doc.m_workspaceHeight)};
    UpdateScrollBars();
}

void COrvaneView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void COrvaneView::scrollContentsBy(int, int) {
    viewport()->update();
}

// ---- CModeHost and CDrawingSurface

void COrvaneView::InvalidateRect(const CRect& workspaceRect) {
    const CRect r = WorkspaceToWindow(workspaceRect, horizontalScrollBar()->value(),
                                      verticalScrollBar()->value(), m_zoomed, Scale());
    const QRect window(QPoint(ClampToInt(r.left), ClampToInt(r.top)),
                       QPoint(ClampToInt(r.right), ClampToInt(r.bottom)));
    viewport()->update(window.intersected(viewport()->rect().adjusted(-1, -1, 1, 1)));
}

void COrvaneView::InvalidateAll() {
    viewport()->update();
}

void COrvaneView::SetCursorShape(CursorShape shape) {
    switch (shape) {
    case CursorShape::Arrow:
        viewport()->setCursor(Qt::ArrowCursor);
        break;
    case CursorShape::Move:
        viewport()->setCursor(Qt::SizeAllCursor);
        break;
    case CursorShape::SizeDiagonal:
        viewport()->setCursor(Qt::SizeFDiagCursor);
        break;
    }
}

void COrvaneView::ShowPropertyDialog(CWidget& widget) {
    std::unique_ptr<CWidget> edited = Prompter().EditProperties(this, widget);
    // OK on an unchanged dialog is no step, and does not ask to save. The edited copy keeps the
    // component's geometry, so comparing it whole compares the attributes.
    if (!edited || SameComponent(*edited, widget))
        return;
    m_undo->push(new CPropertiesCommand(m_doc, widget, CopyWidget(widget), std::move(edited),
                                        QString::fromUtf8(PropertiesUndoText)));
}

void COrvaneView::XorSegment(CPoint from, CPoint to) {
    // A segment of no length draws nothing, so it cannot leave a stray pixel behind.
    if (from == to)
        return;
    ToggleXor(XorShape{from, to, false});
}

void COrvaneView::ToggleXor(const XorShape& shape) {
    const auto it = std::find(m_overlay.begin(), m_overlay.end(), shape);
    if (it != m_overlay.end())
        m_overlay.erase(it);
    else
        m_overlay.push_back(shape);
    InvalidateRect(CRect::FromPoints(shape.from, shape.to).Normalize().Inflate(2, 2));
}

void COrvaneView::ClearOverlay() {
    for (const XorShape& shape : m_overlay)
        InvalidateRect(CRect::FromPoints(shape.from, shape.to).Normalize().Inflate(2, 2));
    m_overlay.clear();
}

void COrvaneView::DrawWidget(const CWidget& widget, bool) {
    // The picture is always drawn from the document, so showing the component at once is
    // a repaint of its area.
    InvalidateRect(
        CRect::FromPoints(widget.GetPoint1(), widget.GetPoint2()).Normalize().Inflate(30, 30));
}

void COrvaneView::DrawSelection(const CWidget& widget) {
    DrawWidget(widget, false);
}

void COrvaneView::OnDocumentUpdate(CDocObserver*, const std::string*) {
    InvalidateAll();
}

// ---- painting

void COrvaneView::PaintNetwork(QPainter& painter) const {
    const bool markers = m_doc.m_toggle == 1;
    ForEachWidget(m_doc,
                  [&](CWidget& widget, int) { orvane::DrawWidget(painter, widget, markers); });
    if (m_selectMode && !m_toolActive) {
        for (const auto& mode : m_modes)
            if (const CWidget* widget = mode->GetWidget())
                DrawSelectionMarks(painter, *widget);
    }
}

void COrvaneView::PaintOverlay(QPainter& painter) const {
    if (m_overlay.empty())
        return;
    painter.save();
    // Inverted onto the picture: black on white, and inverting again restores it.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setBrush(Qt::NoBrush);
    for (const XorShape& shape : m_overlay) {
        if (shape.isRect) {
            painter.setPen(RubberBandPen());
            painter.drawRect(QRect(ToQPoint(shape.from), ToQPoint(shape.to)).normalized());
        } else {
            DrawRubberBand(painter, shape.from, shape.to);
        }
    }
    painter.restore();
}

void COrvaneView::paintEvent(QPaintEvent* event) {
    QPainter screen(viewport());
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (!m_zoomed) {
        QImage& image = m_buffer.Prepare(viewport()->size(), devicePixelRatioF());
        {
            QPainter painter(&image);
            painter.setClipRegion(event->region());
            painter.translate(-scroll);
            PaintNetwork(painter);
            PaintOverlay(painter);
        }
        m_buffer.Blit(screen, event->region());
        return;
    }
    // Zoomed: straight to the screen, scaled about the workspace origin.
    screen.fillRect(event->rect(), Qt::white);
    screen.translate(-scroll);
    screen.scale(Scale(), Scale());
    PaintNetwork(screen);
}

QImage COrvaneView::RenderWorkspace() const {
    QImage image(std::max(1, m_totalSize.cx), std::max(1, m_totalSize.cy), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintNetwork(painter);
    return image;
}

// ---- input

void COrvaneView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLeftDown(WorkspacePoint(event->position().toPoint()), ModeFlagsOf(event->modifiers()));
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void COrvaneView::mouseMoveEvent(QMouseEvent* event) {
    OnPointerMove(WorkspacePoint(event->position().toPoint()), ModeFlagsOf(event->modifiers()));
}

void COrvaneView::mouseReleaseEvent(QMouseEvent* event) {
    const CPoint p = WorkspacePoint(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        OnLeftUp(p, ModeFlagsOf(event->modifiers()));
    else if (event->button() == Qt::RightButton)
        OnRightUp(p, event->globalPosition().toPoint());
    else
        QAbstractScrollArea::mouseReleaseEvent(event);
}

void COrvaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on the last selected component opens its property dialog, as a right
    // click does; anywhere else it is a second click.
    const CPoint p = WorkspacePoint(event->position().toPoint());
    if (event->button() == Qt::LeftButton && m_selectMode && !m_modes.empty()) {
        CMode& last = *m_modes.back();
        if (const CWidget* widget = last.GetWidget(); widget && widget->HitTest(p)) {
            m_moving = false;
            last.ShowDialog();
            return;
        }
    }
    mousePressEvent(event);
}

void COrvaneView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Control:
        m_multiSelect = true;
        return;
    case Qt::Key_Delete:
        // Only a selection is deleted; a component tool's mode is not one.
        DeleteSelection(DeleteUndoText);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void COrvaneView::AddToSelection(std::unique_ptr<CMode> probe) {
    if (!m_multiSelect && m_modes.size() < 2)
        m_modes.clear();
    CWidget* widget = probe->GetWidget();
    std::erase_if(m_modes, [widget](const auto& mode) { return mode->GetWidget() == widget; });
    m_modes.push_back(std::move(probe));
}

void COrvaneView::OnLeftDown(CPoint p, unsigned flags) {
    if (m_toolActive) {
        m_anchor = m_lastPoint = p;
        m_captured = true;
    }
    if (!m_selectMode)
        return;

    std::array<std::unique_ptr<CMode>, kWidgetTypeCount> probes;
    for (int t = 0; t < kWidgetTypeCount; ++t) {
        probes[static_cast<size_t>(t)] = MakeMode(static_cast<WidgetType>(t), &m_doc, this);
        probes[static_cast<size_t>(t)]->OnLButtonDown(flags, p, *this);
    }
    bool hit = false;
    const CLoadPoint* loadPoint = nullptr;
    for (auto& probe : probes) {
        if (!probe->IsHit())
            continue;
        hit = true;
        if (probe->Type() == WidgetType::LoadPoint)
            loadPoint = static_cast<const CLoadPoint*>(probe->GetWidget());
        AddToSelection(std::move(probe));
    }
    if (loadPoint && m_resultViewerOpen && m_resultViewerOpen()) {
        m_doc.NotifyViews(this, LoadPointAddress(m_doc.GetResultPath(), loadPoint->m_name));
        return;
    }
    if (!hit) {
        m_multiSelect = false;
        m_rubberBand = true;
        m_anchor = m_lastPoint = p;
        m_modes.clear();
    } else {
        InvalidateAll();
    }
    for (auto& mode : m_modes)
        mode->BeginMove(p);
    m_moving = true;
    m_dragStart.clear();
    for (const auto& mode : m_modes)
        if (CWidget* widget = mode->GetWidget())
            m_dragStart.push_back({widget, widget->GetPoint1(), widget->GetPoint2()});
    m_dragWasModified = m_doc.IsModified();
    m_dragIndex = m_undo->index();
    emit commandStateChanged();
}

void COrvaneView::OnPointerMove(CPoint p, unsigned flags) {
    m_statusX = QString::fromStdString(orvane::StatusXText(p.x));
    m_statusY = QString::fromStdString(orvane::StatusYText(p.y));
    emit pointerMoved(m_statusX, m_statusY);

    if (m_rubberBand && m_selectMode) {
        ToggleXor(XorShape{m_anchor, m_lastPoint, true});
        ToggleXor(XorShape{m_anchor, p, true});
        m_lastPoint = p;
        return;
    }
    if (m_moving && !m_modes.empty() && !m_rubberBand) {
        for (auto& mode : m_modes)
            mode->OnMouseMove(flags, p, *this);
        return;
    }
    if (m_captured && m_toolActive && !m_selectMode && !m_modes.empty()) {
        m_modes.front()->OnRubberBand(flags, p, *this);
        m_lastPoint = p;
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    CursorShape shape = CursorShape::Arrow;
    if (m_selectMode) {
        for (const auto& mode : m_modes) {
            if (mode->HitBody(p))
                shape = CursorShape::Move;
            if (mode->HitEnd(p))
                shape = CursorShape::SizeDiagonal;
        }
    }
    SetCursorShape(shape);
}

void COrvaneView::OnLeftUp(CPoint p, unsigned flags) {
    m_moving = false;
    const bool created = m_captured && !m_modes.empty() && m_toolActive && !m_selectMode;
    m_captured = false;
    ClearOverlay(); // whatever rubber band was shown ends with the drag
    if (created) {
        CMode& tool = *m_modes.front();
        const int before = CollectionSize(m_doc, tool.Type());
        tool.OnLButtonUp(flags, p, *this);
        if (CollectionSize(m_doc, tool.Type()) > before && tool.GetWidget())
            m_undo->push(new CAddCommand(m_doc, {tool.GetWidget()},
                                         QString::fromStdString(AddUndoText(tool.Type()))));
        return;
    }
    FinishDrag();
    if (m_selectMode)
        InvalidateAll();
    if (m_rubberBand) {
        for (int t = 0; t < kWidgetTypeCount; ++t) {
            std::unique_ptr<CMode> probe = MakeMode(static_cast<WidgetType>(t), &m_doc, this);
            for (auto& found :
                 probe->SelectInRect(m_anchor.x, m_anchor.y, m_lastPoint.x, m_lastPoint.y))
                m_modes.push_back(std::move(found));
        }
        m_rubberBand = false;
        for (auto& mode : m_modes)
            mode->BeginMove(p);
        InvalidateAll();
        emit commandStateChanged();
    }
}

void COrvaneView::FinishDrag() {
    if (m_dragStart.empty())
        return;
    const std::vector<CPlacement> before = std::move(m_dragStart);
    m_dragStart.clear();
    std::vector<CPlacement> after;
    bool moved = false;
    bool stretched = false;
    for (const CPlacement& from : before) {
        const CPlacement to{from.widget, from.widget->GetPoint1(), from.widget->GetPoint2()};
        moved = moved || to.point1 != from.point1 || to.point2 != from.point2;
        // Moving shifts both ends alike; a dragged end moves alone.
        stretched = stretched || to.point1.x - from.point1.x != to.point2.x - from.point2.x ||
                    to.point1.y - from.point1.y != to.point2.y - from.point2.y;
        after.push_back(to);
    }
    if (!moved) {
        // Back where it started: no step, and no question about saving, unless something else
        // (a dialog opened by a double click) became a step meanwhile.
        if (m_undo->index() == m_dragIndex)
            m_doc.SetModified(m_dragWasModified);
        return;
    }
    m_undo->push(new CMoveCommand(m_doc, before, std::move(after),
                                  QString::fromUtf8(stretched ? StretchUndoText : MoveUndoText)));
}

void COrvaneView::DeleteSelection(const char* text) {
    if (!m_selectMode || m_modes.empty())
        return;
    std::vector<CWidget*> widgets;
    for (const auto& mode : m_modes)
        if (CWidget* widget = mode->GetWidget())
            widgets.push_back(widget);
    m_modes.clear();
    m_undo->push(new CDeleteCommand(m_doc, std::move(widgets), QString::fromUtf8(text)));
}

// ---- undo and the clipboard

void COrvaneView::OnUndoIndexChanged() {
    if (m_selectMode) {
        std::vector<std::unique_ptr<CMode>> kept;
        for (const auto& mode : m_modes) {
            CWidget* widget = mode->GetWidget();
            if (!widget || m_doc.IndexOf(*widget) < 0)
                continue;
            // Afresh: collection indices may have changed under the old mode.
            std::unique_ptr<CMode> fresh = MakeMode(widget->Type(), &m_doc, this);
            fresh->SetWidget(widget);
            kept.push_back(std::move(fresh));
        }
        m_modes = std::move(kept);
    }
    ApplyWorkspaceSize();
    InvalidateAll();
    emit commandStateChanged();
}

void COrvaneView::OnUndo() {
    // Not in the middle of a drag or a drawing: the step would be taken from under it.
    if (!m_dragStart.empty() || m_captured)
        return;
    m_undo->undo();
}

void COrvaneView::OnRedo() {
    if (!m_dragStart.empty() || m_captured)
        return;
    m_undo->redo();
}

void COrvaneView::DocumentSaved() {
    m_undo->setClean();
}

bool COrvaneView::CanPaste() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(QString::fromUtf8(ComponentsMimeType));
}

void COrvaneView::OnCopy() {
    const std::vector<CWidget*> widgets = Selection();
    if (widgets.empty())
        return;
    QGuiApplication::clipboard()->setMimeData(ComponentsMimeData(m_doc, widgets).release());
}

void COrvaneView::OnCut() {
    if (!HasSelection())
        return;
    OnCopy();
    DeleteSelection(CutUndoText);
}

void COrvaneView::OnPaste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const std::unique_ptr<COrvaneDoc> copies = data ? ComponentsFromMimeData(*data) : nullptr;
    if (!copies)
        return;
    const QByteArray bytes = data->data(QString::fromUtf8(ComponentsMimeType));
    m_pasteCount = bytes == m_pastedBytes ? m_pasteCount + 1 : 1;
    m_pastedBytes = bytes;
    const int offset = PasteOffset(m_doc.m_snapPixel, m_pasteCount);
    const auto shifted = [offset](CPoint p) { return CPoint{p.x + offset, p.y + offset}; };

    std::vector<CWidget*> pasted;
    ForEachWidget(*copies, [&](CWidget& widget, int) {
        CWidget* added = m_doc.AddCopy(widget);
        if (!added)
            return false;
        m_doc.Move(*added, shifted(widget.GetPoint1()), shifted(widget.GetPoint2()));
        pasted.push_back(added);
        return true;
    });
    if (pasted.empty())
        return;
    if (!m_selectMode)
        OnSelect();
    m_modes.clear();
    m_undo->push(new CAddCommand(m_doc, pasted, QString::fromUtf8(PasteUndoText)));
    for (CWidget* widget : pasted) {
        std::unique_ptr<CMode> mode = MakeMode(widget->Type(), &m_doc, this);
        mode->SetWidget(widget);
        m_modes.push_back(std::move(mode));
    }
    InvalidateAll();
    emit commandStateChanged();
}

void COrvaneView::OnRightUp(CPoint p, QPoint globalPos) {
    if (m_selectMode && !m_modes.empty()) {
        CMode& last = *m_modes.back();
        if (const CWidget* widget = last.GetWidget(); widget && widget->HitTest(p)) {
            last.ShowDialog();
            return;
        }
    }
    for (QAction* action : m_contextMenu->actions()) {
        const QVariant tool = action->data();
        if (tool.isValid())
            action->setChecked(tool.toInt() < 0 ? m_selectMode
                                                : m_tools[static_cast<size_t>(tool.toInt())]);
    }
    m_contextMenu->popup(globalPos);
}

void COrvaneView::BuildContextMenu() {
    m_contextMenu = new QMenu(this);
    QAction* select =
        m_contextMenu->addAction(QString::fromUtf8(SelectMenuText), this, &COrvaneView::OnSelect);
    select->setCheckable(true);
    select->setData(-1);
    for (int t = 0; t < kWidgetTypeCount; ++t) {
        const auto type = static_cast<WidgetType>(t);
        QAction* tool = m_contextMenu->addAction(QString::fromUtf8(ToolMenuText(type)), this,
                                                 [this, type] { ChooseTool(type); });
        tool->setCheckable(true);
        tool->setData(t);
    }
    QMenu* settings = m_contextMenu->addMenu(QString::fromUtf8(ContextSettingsMenuText));
    settings->addAction(QString::fromUtf8(ContextWorkspaceSettingsText), this,
                        &COrvaneView::OnWorkspaceSettings);
    settings->addAction(QString::fromUtf8(ContextSimulationSettingsText), this,
                        &COrvaneView::OnSimulationSettings);
}

std::vector<CWidget*> COrvaneView::Selection() const {
    std::vector<CWidget*> widgets;
    if (!m_selectMode)
        return widgets;
    for (const auto& mode : m_modes)
        widgets.push_back(mode->GetWidget());
    return widgets;
}

// ---- tools and zoom

void COrvaneView::ClearToolFlags() {
    m_tools.fill(false);
}

void COrvaneView::LeaveZoom() {
    m_zoomed = false;
    m_zoom = kEditZoom;
    UpdateScrollBars();
    InvalidateAll();
}

void COrvaneView::ChooseTool(WidgetType type) {
    ClearToolFlags();
    // Also at 113: editing needs the one-to-one mapping.
    if (m_zoomed || m_zoom != kEditZoom)
        LeaveZoom();
    m_tools[static_cast<size_t>(type)] = true;
    m_selectMode = false;
    m_toolActive = true;
    m_modes.clear();
    m_modes.push_back(MakeMode(type, &m_doc, this));
    InvalidateAll();
    emit commandStateChanged();
}

void COrvaneView::OnSelect() {
    ClearToolFlags();
    if (m_zoomed || m_zoom != kEditZoom)
        LeaveZoom();
    m_selectMode = true;
    m_toolActive = false;
    m_modes.clear();
    InvalidateAll();
    emit commandStateChanged();
}

void COrvaneView::SelectWidget(CWidget* widget) {
    if (!widget)
        return;
    // The errors list may hold components deleted since; only one still in a collection is
    // selected.
    std::optional<WidgetType> type;
    for (int t = 0; t < kWidgetTypeCount && !type; ++t)
        for (int i = 0; i < CollectionSize(m_doc, static_cast<WidgetType>(t)) && !type; ++i)
            if (CollectionAt(m_doc, static_cast<WidgetType>(t), i) == widget)
                type = static_cast<WidgetType>(t);
    if (!type)
        return;
    OnSelect();
    std::unique_ptr<CMode> mode = MakeMode(*type, &m_doc, this);
    mode->SetWidget(widget);
    m_modes.clear();
    m_modes.push_back(std::move(mode));
    InvalidateAll();
}

void COrvaneView::OnZoomIn() {
    SetZoom(ZoomedIn(m_zoom));
}

void COrvaneView::OnZoomOut() {
    SetZoom(ZoomedOut(m_zoom));
}

// Zooming leaves every tool: the zoomed picture is for viewing only.
void COrvaneView::SetZoom(int zoom) {
    ClearToolFlags();
    m_selectMode = false;
    m_toolActive = false;
    if (zoom != m_zoom) {
        m_zoom = zoom;
        m_zoomed = true;
        UpdateScrollBars();
        InvalidateAll();
    }
    m_modes.clear();
    emit commandStateChanged();
}

void COrvaneView::OnToggle() {
    m_doc.m_toggle = m_doc.m_toggle == 1 ? 0 : 1;
    InvalidateAll();
    emit commandStateChanged();
}

// ---- settings

void COrvaneView::OnWorkspaceSettings() {
    const std::optional<CWorkspaceSettings> edited =
        Prompter().EditWorkspaceSettings(this, m_doc.GetWorkspaceSettings());
    if (!edited || *edited == m_doc.GetWorkspaceSettings())
        return;
    m_undo->push(new CWorkspaceSettingsCommand(m_doc, *edited,
                                               QString::fromUtf8(WorkspaceSettingsUndoText)));
}

void COrvaneView::OnSimulationSettings() {
    const std::optional<CSimulationSettings> edited =
        Prompter().EditSimulationSettings(this, m_doc.GetSettings());
    if (!edited || *edited == m_doc.GetSettings())
        return;
    m_undo->push(new CSimulationSettingsCommand(m_doc, *edited,
                                                QString::fromUtf8(SimulationSettingsUndoText)));
}

// ---- Build commands

void COrvaneView::OnDebug() {
    const CheckReport report = DebugNetwork(m_doc, m_title);
    Prompter().Ask(this, QMessageBox::Information, QString::fromStdString(report.message),
                   QMessageBox::Ok);
    emit debugFinished(this, report);
}

void COrvaneView::OnGenerateNdl() {
    const std::string text = NdlWindowText(m_doc);
    if (m_ndlWindowOpen)
        return; // its "&Update" button refreshes it
    delete m_ndlWindow.data();
    COrvaneDoc* doc = &m_doc;
    QDialog* window = Prompter().OpenNdlWindow(this, QString::fromStdString(text),
                                               [doc] { return NdlWindowText(*doc); });
    m_ndlWindow = window;
    if (!window)
        return;
    m_ndlWindowOpen = true;
    connect(window, &QDialog::finished, this, [this] { m_ndlWindowOpen = false; });
}

void COrvaneView::OnSimulate() {
    CNDLGenerator generator(m_doc);
    if (!generator.CheckConnections()) {
        Prompter().Ask(this, QMessageBox::Warning, QString::fromUtf8(DebugFirstMessage),
                       QMessageBox::Ok);
        return;
    }
    generator.Generate();
    if (m_doc.GetSettings().quantsPerDay < 1 &&
        Prompter().Ask(this, QMessageBox::Warning, QString::fromUtf8(QuantsPerDayWarning),
                       QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    if (IsSimulationRunning())
        return; // one run per view at a time
    if (!TitleNamesDirectory(m_title)) {
        Prompter().Ask(this, QMessageBox::Warning, QString::fromUtf8(InvalidOutputNameMessage),
                       QMessageBox::Ok);
        return;
    }
    const CSimulationSettings& settings = m_doc.GetSettings();
    m_runner->Start({.title = m_title,
                     .windowName = m_title,
                     .ndlText = generator.GetText(),
                     .ndlFile = {},
                     .seeded = settings.seeded,
                     .seed = settings.seed,
                     .replicas = settings.replicas});
    // The report path is no step to undo: no state of the stack is the saved one any more.
    m_undo->resetClean();
}

void COrvaneView::CancelSimulation() {
    m_runner->CancelSimulation();
}

} // namespace orvane
