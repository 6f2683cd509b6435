#include "editor/LoadPointView.h"

#include <QPainter>
#include <QRect>

namespace orvane {

CLoadPointView::CLoadPointView(const CLoadPoint& widget)
    : COnePointView(widget), m_name(QString::fromStdString(widget.m_name)) {}

void CLoadPointView::Draw(QPainter& painter) const {
    const CPoint p = m_point;
    PaintSegment(painter, m_blackPen, CPoint{p.x - 11, p.y}, CPoint{p.x + 11, p.y});
    painter.save();
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    // Anchored at the text's top-left corner; the extent only has to be large enough.
    painter.drawText(QRect(p.x - 12, p.y + 2, 10000, 1000),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_name);
    painter.restore();
    PaintSegment(painter, m_pen, CPoint{p.x, p.y - 9}, p);
}

void CLoadPointView::DrawSelection(QPainter& painter, CPoint end1, CPoint) const {
    PaintSquare(painter, Qt::black, CPoint{end1.x - 12, end1.y - 12}, 0, 6);
    PaintSquare(painter, Qt::black, CPoint{end1.x + 10, end1.y + 10}, 0, 6);
}

} // namespace orvane
