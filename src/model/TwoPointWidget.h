#pragma once

#include "model/Widget.h"

namespace orvane {

// Geometry and pen shared by the seven components drawn as a segment from m_point1 to m_point2.
class CTwoPointWidget : public CWidget {
public:
    CPoint m_point1;
    CPoint m_point2;
    uint32_t m_width = 1;
    uint32_t m_color = 0; // 0x00BBGGRR

    bool IsOnePoint() const override { return false; }
    // On the segment within the pen width plus 3 pixels on either side, ends included.
    bool HitTest(CPoint p) const override;
    // The 10 x 10 handle boxes around each end.
    bool HitTestEnd1(CPoint p) const override;
    bool HitTestEnd2(CPoint p) const override;
    CPoint GetPoint1() const override { return m_point1; }
    CPoint GetPoint2() const override { return m_point2; }
    void SetPoint1(CPoint p) override { m_point1 = p; }
    void SetPoint2(CPoint p) override { m_point2 = p; }
    void SetWidth(uint32_t width) override { m_width = width; }
    void SetColor(uint32_t color) override { m_color = color; }
    uint32_t GetWidth() const { return m_width; }
    uint32_t GetColor() const { return m_color; }

protected:
    CTwoPointWidget() = default;
    CTwoPointWidget(CPoint p1, CPoint p2, uint32_t width, uint32_t color)
        : m_point1(p1), m_point2(p2), m_width(width), m_color(color) {}
    // point 1, point 2, width, colour: the head of every two-point record.
    void SerializeGeometry(CArchive& ar);
};

} // namespace orvane
