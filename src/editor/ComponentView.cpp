#include "editor/ComponentView.h"

#include <QBrush>
#include <QPainter>
#include <QRect>

namespace orvane {

namespace {

// The end markers' blue, 0xFF0000 in 0x00BBGGRR.
constexpr uint32_t kMarkerColor = 0xFF0000;

} // namespace

QColor ColorFromRef(uint32_t colorref) {
    return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                  static_cast<int>((colorref >> 16) & 0xFF));
}

QPen SymbolPen(const QColor& color, uint32_t width) {
    // Width 0 would be a cosmetic pen in Qt; the platform draws 1 pixel for it as well.
    const int w = width == 0 ? 1 : static_cast<int>(width);
    return QPen(QBrush(color), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen RubberBandPen() {
    return QPen(QBrush(Qt::black), 1, Qt::DotLine);
}

void PaintSegment(QPainter& painter, const QPen& pen, CPoint from, CPoint to) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    painter.drawLine(ToQPoint(from), ToQPoint(to));
    painter.restore();
}

void PaintCircle(QPainter& painter, const QPen& pen, CPoint centre, int radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(ToQPoint(centre), radius, radius);
    painter.restore();
}

void PaintSquare(QPainter& painter, const QColor& outline, CPoint c, int from, int to) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QBrush(outline), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    // A stroked QRect covers one pixel more than its size, so the outline runs from `from` to
    // `to` inclusive.
    painter.drawRect(QRect(c.x + from, c.y + from, to - from, to - from));
    painter.restore();
}

CTwoPointView::CTwoPointView(const CTwoPointWidget& widget)
    : m_point1(widget.GetPoint1()), m_point2(widget.GetPoint2()), m_width(widget.GetWidth()),
      m_pen(SymbolPen(ColorFromRef(widget.GetColor()), widget.GetWidth())),
      m_blackPen(SymbolPen(Qt::black, widget.GetWidth())) {}

void CTwoPointView::DrawBody(QPainter& painter) const {
    PaintSegment(painter, m_pen, m_point1, m_point2);
}

void CTwoPointView::DrawMarkers(QPainter& painter, CPoint end1, CPoint end2) const {
    PaintSquare(painter, ColorFromRef(kMarkerColor), end1, -4, 4);
    PaintSquare(painter, ColorFromRef(kMarkerColor), end2, -4, 4);
}

void CTwoPointView::DrawSelection(QPainter& painter, CPoint end1, CPoint end2) const {
    PaintSquare(painter, Qt::black, end1, -3, 3);
    PaintSquare(painter, Qt::black, end2, -3, 3);
}

void CTwoPointView::DrawRubberBand(QPainter& painter, CPoint from, CPoint to) const {
    PaintSegment(painter, RubberBandPen(), from, to);
}

COnePointView::COnePointView(const COnePointWidget& widget)
    : m_point(widget.GetPoint1()),
      m_pen(SymbolPen(ColorFromRef(widget.GetColor()), widget.GetWidth())),
      m_blackPen(SymbolPen(Qt::black, widget.GetWidth())) {}

void COnePointView::DrawMarkers(QPainter& painter, CPoint end1, CPoint) const {
    PaintSquare(painter, ColorFromRef(kMarkerColor), end1, -4, 4);
}

} // namespace orvane
