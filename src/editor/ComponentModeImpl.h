#pragma once

// Member definitions of CComponentMode; included only by the nine mode source files, each of
// which instantiates the template for its own component type.

#include "editor/ComponentMode.h"
#include "editor/SymbolGeometry.h"

#include <algorithm>
#include <utility>

namespace orvane {

template <class T>
CComponentMode<T>::CComponentMode(COrvaneDoc* doc, CModeHost* host) : CMode(doc, host) {}

template <class T> CComponentMode<T>::~CComponentMode() = default;

template <class T> CPoint CComponentMode<T>::Snap(CPoint p) const {
    return SnapPoint(p, m_pDoc->m_snapPixel);
}

template <class T> T* CComponentMode<T>::WidgetAtIndex() const {
    const auto& collection = Traits::Collection(*m_pDoc);
    if (m_index < 0 || m_index >= collection.GetSize()) {
        return nullptr;
    }
    return collection.GetAt(m_index);
}

template <class T> void CComponentMode<T>::Repaint(CPoint a, CPoint b, bool dragging) {
    if (m_host == nullptr) {
        return;
    }
    if (!m_pDoc->m_regionalRedraw) {
        m_host->InvalidateAll();
        return;
    }
    const int64_t pitch = std::max<int32_t>(m_pDoc->m_snapPixel, 0);
    if constexpr (kOnePoint) {
        m_host->InvalidateRect(OnePointRepaintRect(a, pitch + Traits::kMargin));
    } else {
        m_host->InvalidateRect(TwoPointRepaintRect(a, b, Traits::kMargin + (dragging ? pitch : 0)));
    }
}

template <class T>
void CComponentMode<T>::OnLButtonDown(unsigned, CPoint point, CDrawingSurface& surface) {
    // A probe answers for one click only.
    m_hit = false;
    const auto& collection = Traits::Collection(*m_pDoc);
    for (int i = 0; i < collection.GetSize() && !m_hit; ++i) {
        T* widget = collection.GetAt(i);
        bool hit = false;
        // Tested in this order so that an end handle wins over the body it lies on.
        if (widget->HitTest(point)) {
            hit = true;
            m_refPoint = Snap(point);
            m_action = 1;
        }
        if (widget->HitTestEnd1(point)) {
            hit = true;
            m_refPoint = point;
            m_action = 2;
            m_end = 0;
        }
        if (widget->HitTestEnd2(point)) {
            hit = true;
            m_refPoint = point;
            m_action = 2;
            m_end = 1;
        }
        if (hit) {
            m_widget = widget;
            m_index = i;
            m_hit = true;
            surface.DrawSelection(*widget);
        }
    }
}

template <class T>
void CComponentMode<T>::OnLButtonUp(unsigned, CPoint point, CDrawingSurface& surface) {
    auto& collection = Traits::Collection(*m_pDoc);
    CPoint start;
    CPoint end;
    T* created = nullptr;
    if constexpr (kOnePoint) {
        start = end = Snap(point);
        created = m_pDoc->template Add<T>(start, Traits::kWidth, kNewComponentColor);
    } else {
        start = m_host != nullptr ? m_host->GetAnchor() : point;
        end = point;
        // Lined up before snapping, so the snapped end stays on the anchor's grid line.
        if (m_pDoc->m_adaptiveDrawing == 1) {
            end = AdaptEnd(start, end);
        }
        start = Snap(start);
        end = Snap(end);
        created = m_pDoc->template Add<T>(start, end, Traits::kWidth, kNewComponentColor);
    }
    if (created != nullptr) {
        surface.DrawWidget(*created, m_pDoc->m_toggle == 1);
        m_widget = created;
        m_index = collection.GetSize() - 1;
    }
    m_action = 0;
    Repaint(start, end, false);
}

template <class T> void CComponentMode<T>::OnMouseMove(unsigned, CPoint point, CDrawingSurface&) {
    if (m_widget == nullptr || (m_action != 1 && m_action != 2)) {
        return;
    }
    // Both ends are read first: a one-point component's end 2 is its end 1.
    CPoint p1 = m_widget->GetPoint1();
    CPoint p2 = m_widget->GetPoint2();
    if (m_action == 1) {
        const CPoint target = Snap(point);
        const int64_t dx = static_cast<int64_t>(target.x) - m_refPoint.x;
        const int64_t dy = static_cast<int64_t>(target.y) - m_refPoint.y;
        p1 = CPoint{static_cast<int32_t>(p1.x + dx), static_cast<int32_t>(p1.y + dy)};
        p2 = CPoint{static_cast<int32_t>(p2.x + dx), static_cast<int32_t>(p2.y + dy)};
        m_refPoint = target;
        if (m_host != nullptr) {
            m_host->SetCursorShape(CursorShape::Move);
        }
    } else {
        if constexpr (!kOnePoint) {
            CPoint target = Snap(point);
            const CPoint other = m_end == 0 ? p2 : p1;
            if (m_pDoc->m_adaptiveDrawing == 1) {
                target = AdaptEnd(other, target);
            }
            if (m_end == 0) {
                p1 = target;
            } else if (m_end == 1) {
                p2 = target;
            }
        }
        if (m_host != nullptr) {
            m_host->SetCursorShape(CursorShape::SizeDiagonal);
        }
    }
    m_pDoc->Move(*m_widget, p1, p2);
    Repaint(m_widget->GetPoint1(), m_widget->GetPoint2(), true);
}

template <class T>
void CComponentMode<T>::OnRubberBand(unsigned, CPoint point, CDrawingSurface& surface) {
    if constexpr (!kOnePoint) {
        if (m_host == nullptr) {
            return;
        }
        const CPoint anchor = m_host->GetAnchor();
        surface.XorSegment(anchor, m_host->GetLastPoint());
        surface.XorSegment(anchor, point);
    } else {
        (void)point;
        (void)surface;
    }
}

template <class T> void CComponentMode<T>::Delete() {
    if (m_widget != nullptr) {
        m_pDoc->Remove(*m_widget);
    }
}

template <class T> void CComponentMode<T>::SetWidget(CWidget* widget) {
    if (widget == nullptr || widget->Type() != Traits::kType) {
        return;
    }
    const auto& collection = Traits::Collection(*m_pDoc);
    m_index = -1;
    for (int i = 0; i < collection.GetSize(); ++i) {
        const T* candidate = collection.GetAt(i);
        if (candidate->GetPoint1() == widget->GetPoint1() &&
            candidate->GetPoint2() == widget->GetPoint2()) {
            m_index = i;
        }
    }
    m_widget = static_cast<T*>(widget);
    m_hit = true;
    m_action = 1;
}

template <class T> void CComponentMode<T>::ShowDialog() {
    if constexpr (Traits::kHasDialog) {
        if (m_widget != nullptr && m_host != nullptr) {
            m_host->ShowPropertyDialog(*m_widget);
        }
    }
}

template <class T> bool CComponentMode<T>::HitBody(CPoint point) const {
    const T* widget = WidgetAtIndex();
    return widget != nullptr && widget->HitTest(point);
}

template <class T> bool CComponentMode<T>::HitEnd(CPoint point) const {
    const T* widget = WidgetAtIndex();
    return widget != nullptr && (widget->HitTestEnd1(point) || widget->HitTestEnd2(point));
}

template <class T> void CComponentMode<T>::BeginMove(CPoint point) {
    m_refPoint = Snap(point);
}

template <class T>
std::vector<std::unique_ptr<CMode>> CComponentMode<T>::SelectInRect(int32_t x1, int32_t y1,
                                                                    int32_t x2, int32_t y2) {
    const CRect rect = CRect{x1, y1, x2, y2}.Normalize();
    const auto& collection = Traits::Collection(*m_pDoc);
    for (int i = 0; i < collection.GetSize(); ++i) {
        T* widget = collection.GetAt(i);
        if (rect.Contains(widget->GetPoint1()) || rect.Contains(widget->GetPoint2())) {
            std::unique_ptr<CMode> mode = MakeMode(Traits::kType, m_pDoc, m_host);
            mode->SetWidget(widget);
            m_found.push_back(std::move(mode));
        }
    }
    // The caller takes the modes over.
    std::vector<std::unique_ptr<CMode>> found = std::move(m_found);
    m_found.clear();
    return found;
}

} // namespace orvane
