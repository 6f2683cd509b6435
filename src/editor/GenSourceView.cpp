#include "editor/GenSourceView.h"

#include <QPainter>

namespace orvane {

void CGenSourceView::Draw(QPainter& painter) const {
    const CPoint p = m_point;
    PaintCircle(painter, m_blackPen, p, 9);
    PaintSegment(painter, m_blackPen, p, CPoint{p.x - 3, p.y - 3});
    PaintSegment(painter, m_blackPen, CPoint{p.x - 3, p.y - 3}, CPoint{p.x - 6, p.y + 2});
    PaintSegment(painter, m_blackPen, p, CPoint{p.x + 2, p.y + 3});
    PaintSegment(painter, m_blackPen, CPoint{p.x + 2, p.y + 3}, CPoint{p.x + 6, p.y - 2});
}

void CGenSourceView::DrawSelection(QPainter& painter, CPoint end1, CPoint) const {
    PaintSquare(painter, Qt::black, end1, -13, -7);
    PaintSquare(painter, Qt::black, end1, 7, 13);
}

} // namespace orvane
