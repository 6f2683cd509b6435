#pragma once

#include "editor/Mode.h"
#include "model/OnePointWidget.h"
#include "model/OrvaneDoc.h"

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

namespace orvane {

// What differs between the nine modes, specialised next to each mode class: kType, the pen
// width of a new component (kWidth), the repaint margin (kMargin), whether it has a property
// dialog (kHasDialog) and Collection(doc).
template <class T> struct ModeTraits;

// Every new component starts mid grey (0x00BBGGRR).
inline constexpr uint32_t kNewComponentColor = 0x808080;

// The one editing protocol shared by the nine modes; T is the component class. The members are
// defined in ComponentModeImpl.h and instantiated once per type in the mode's own source file.
template <class T> class CComponentMode : public CMode {
public:
    using Traits = ModeTraits<T>;
    static constexpr bool kOnePoint = std::is_base_of_v<COnePointWidget, T>;

    CComponentMode(COrvaneDoc* doc, CModeHost* host);
    ~CComponentMode() override;

    void OnLButtonDown(unsigned flags, CPoint point, CDrawingSurface& surface) override;
    void OnLButtonUp(unsigned flags, CPoint point, CDrawingSurface& surface) override;
    void OnMouseMove(unsigned flags, CPoint point, CDrawingSurface& surface) override;
    void OnRubberBand(unsigned flags, CPoint point, CDrawingSurface& surface) override;
    void Delete() override;
    CWidget* GetWidget() const override { return m_widget; }
    void SetWidget(CWidget* widget) override;
    void ShowDialog() override;
    bool IsHit() const override { return m_hit; }
    bool HitBody(CPoint point) const override;
    bool HitEnd(CPoint point) const override;
    void BeginMove(CPoint point) override;
    std::vector<std::unique_ptr<CMode>> SelectInRect(int32_t x1, int32_t y1, int32_t x2,
                                                     int32_t y2) override;
    WidgetType Type() const override { return Traits::kType; }

protected:
    T* m_widget = nullptr;
    bool m_hit = false;
    int32_t m_index = -1;
    CPoint m_refPoint;
    std::vector<std::unique_ptr<CMode>> m_found;
    int32_t m_action = 0; // 0 none, 1 move the component, 2 move one end
    int32_t m_end = 2;    // for m_action 2: 0 end 1, 1 end 2; 2 none

private:
    CPoint Snap(CPoint p) const;
    T* WidgetAtIndex() const;
    void Repaint(CPoint a, CPoint b, bool dragging);
};

} // namespace orvane
