#pragma once

#include "model/Widget.h"

namespace orvane {

// Geometry and pen shared by load points and generation sources, drawn as a symbol around
// m_point1. Their point 2 is the same point; m_node2 stays unused.
class COnePointWidget : public CWidget {
public:
    CPoint m_point1;
    uint32_t m_width = 1;
    uint32_t m_color = 0; // 0x00BBGGRR

    bool IsOnePoint() const override { return true; }
    // The 22 x 22 symbol box around the centre.
    bool HitTest(CPoint p) const override;
    // Handle boxes above left and below right of the symbol.
    bool HitTestEnd1(CPoint p) const override;
    bool HitTestEnd2(CPoint p) const override;
    CPoint GetPoint1() const override { return m_point1; }
    CPoint GetPoint2() const override { return m_point1; }
    void SetPoint1(CPoint p) override { m_point1 = p; }
    void SetPoint2(CPoint p) override { m_point1 = p; }
    void SetWidth(uint32_t width) override { m_width = width; }
    void SetColor(uint32_t color) override { m_color = color; }
    uint32_t GetWidth() const { return m_width; }
    uint32_t GetColor() const { return m_color; }

protected:
    COnePointWidget() = default;
    COnePointWidget(CPoint p, uint32_t width, uint32_t color)
        : m_point1(p), m_width(width), m_color(color) {}
    // point, width, colour: the head of every one-point record.
    void SerializeGeometry(CArchive& ar);
};

} // namespace orvane
