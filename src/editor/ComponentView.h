#pragma once

#include "model/Geometry.h"
#include "model/OnePointWidget.h"
#include "model/TwoPointWidget.h"

#include <QColor>
#include <QPen>
#include <QPoint>

#include <cstdint>

class QPainter;

namespace orvane {

// 0x00BBGGRR to a Qt colour.
QColor ColorFromRef(uint32_t colorref);
inline QPoint ToQPoint(CPoint p) {
    return QPoint(p.x, p.y);
}

// A solid pen; round ends and joins as wide pens of the drawing platform have.
QPen SymbolPen(const QColor& color, uint32_t width);

// The rubber band's dotted black pen of width 1.
QPen RubberBandPen();

// Painting through these helpers is pixel exact: no antialiasing.
void PaintSegment(QPainter& painter, const QPen& pen, CPoint from, CPoint to);
// Filled white, so that a later symbol covers what lies under it (the equipment rings rely on
// this).
void PaintCircle(QPainter& painter, const QPen& pen, CPoint centre, int radius);
// The outlined square from c + (from, from) to c + (to, to), 1 pixel wide, filled with the
// painter's current brush (none on a fresh painter).
void PaintSquare(QPainter& painter, const QColor& outline, CPoint c, int from, int to);

// What the drawing classes of the seven two-point components share.
class CTwoPointView {
public:
    // Blue squares from 4 above-left to 4 below-right of each end.
    void DrawMarkers(QPainter& painter, CPoint end1, CPoint end2) const;
    // Black squares from 3 above-left to 3 below-right of each end.
    void DrawSelection(QPainter& painter, CPoint end1, CPoint end2) const;
    // A dotted black segment of width 1 in the painter's composition mode; the caller chooses
    // an inverting mode so that drawing it twice restores the picture.
    void DrawRubberBand(QPainter& painter, CPoint from, CPoint to) const;

protected:
    explicit CTwoPointView(const CTwoPointWidget& widget);
    // The segment from end 1 to end 2 in the component's pen.
    void DrawBody(QPainter& painter) const;

    CPoint m_point1;
    CPoint m_point2;
    uint32_t m_width;
    QPen m_pen;      // the component's width and colour
    QPen m_blackPen; // the component's width, black
};

// What the drawing classes of load points and generation sources share.
class COnePointView {
public:
    // One blue square from 4 above-left to 4 below-right of the point (end 1).
    void DrawMarkers(QPainter& painter, CPoint end1, CPoint end2) const;

protected:
    explicit COnePointView(const COnePointWidget& widget);

    CPoint m_point;
    QPen m_pen;
    QPen m_blackPen;
};

} // namespace orvane
