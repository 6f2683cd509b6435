#pragma once

#include "model/Geometry.h"
#include "model/Widget.h"

#include <memory>
#include <vector>

namespace orvane {

class COrvaneDoc;

enum class CursorShape { Arrow, Move, SizeDiagonal };

// What an editing mode needs from the workspace view that drives it. Points and rectangles are
// workspace coordinates; the view maps them to the window.
class CModeHost {
public:
    virtual ~CModeHost() = default;
    // Where the left button went down, and the last pointer position of the drag.
    virtual CPoint GetAnchor() const = 0;
    virtual CPoint GetLastPoint() const = 0;
    virtual void InvalidateRect(const CRect& workspaceRect) = 0;
    virtual void InvalidateAll() = 0;
    virtual void SetCursorShape(CursorShape shape) = 0;
    // Opens the property dialog of a component (the host knows the dialogs).
    virtual void ShowPropertyDialog(CWidget& widget) = 0;
};

// Immediate feedback while the pointer moves. A rubber band drawn twice in the same place
// disappears again, as with exclusive-or drawing.
class CDrawingSurface {
public:
    virtual ~CDrawingSurface() = default;
    virtual void XorSegment(CPoint from, CPoint to) = 0;
    // Draws a component at once, with its end markers when asked.
    virtual void DrawWidget(const CWidget& widget, bool markers) = 0;
    virtual void DrawSelection(const CWidget& widget) = 0;
};

// Modifier flags of a pointer event.
enum ModeFlags : unsigned { FlagNone = 0, FlagControl = 1, FlagShift = 2 };

// The interface through which the workspace view talks to editing modes: one mode per active
// tool, or one per selected component.
class CMode {
public:
    CMode(COrvaneDoc* doc, CModeHost* host) : m_pDoc(doc), m_host(host) {}
    virtual ~CMode() = default;
    CMode(const CMode&) = delete;
    CMode& operator=(const CMode&) = delete;

    virtual void OnLButtonDown(unsigned flags, CPoint point, CDrawingSurface& surface) = 0;
    virtual void OnLButtonUp(unsigned flags, CPoint point, CDrawingSurface& surface) = 0;
    virtual void OnMouseMove(unsigned flags, CPoint point, CDrawingSurface& surface) = 0;
    virtual void OnRubberBand(unsigned flags, CPoint point, CDrawingSurface& surface) = 0;
    virtual void Delete() = 0;
    virtual CWidget* GetWidget() const = 0;
    virtual void SetWidget(CWidget* widget) = 0;
    virtual void ShowDialog() = 0;
    virtual bool IsHit() const = 0;
    virtual bool HitBody(CPoint point) const = 0;
    virtual bool HitEnd(CPoint point) const = 0;
    virtual void BeginMove(CPoint point) = 0;
    virtual std::vector<std::unique_ptr<CMode>> SelectInRect(int32_t x1, int32_t y1, int32_t x2,
                                                             int32_t y2) = 0;
    // The component type the mode works on, in place of a run-time class test.
    virtual WidgetType Type() const = 0;

    COrvaneDoc* Document() const { return m_pDoc; }

protected:
    COrvaneDoc* m_pDoc;
    CModeHost* m_host;
    CPoint m_point1;
    CPoint m_point2;
};

// A fresh mode of the given type for a document.
std::unique_ptr<CMode> MakeMode(WidgetType type, COrvaneDoc* doc, CModeHost* host);

} // namespace orvane
