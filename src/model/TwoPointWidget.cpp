#include "model/TwoPointWidget.h"

#include "model/Archive.h"

#include <cmath>

namespace orvane {

bool CTwoPointWidget::HitTest(CPoint q) const {
    const int64_t t = static_cast<int64_t>(m_width) + 3;
    const CRect span = CRect::FromPoints(m_point1, m_point2).Normalize();
    // Cheap rejection first; a horizontal or vertical segment leaves one of the two boxes empty.
    if (!span.Inflate(t, 0).Contains(q) && !span.Inflate(0, t).Contains(q)) {
        return false;
    }
    const double dx = static_cast<double>(static_cast<int64_t>(m_point2.x) - m_point1.x);
    const double dy = static_cast<double>(static_cast<int64_t>(m_point2.y) - m_point1.y);
    const double length = std::sqrt(dx * dx + dy * dy);
    const double qx = static_cast<double>(static_cast<int64_t>(q.x) - m_point1.x);
    const double qy = static_cast<double>(static_cast<int64_t>(q.y) - m_point1.y);
    // For a zero-length segment both are NaN and every comparison below fails.
    const double along = (qx * dx + qy * dy) / length;
    const double across = (-qx * dy + qy * dx) / length;
    const auto tolerance = static_cast<double>(t);
    return 0.0 <= along && along <= length && -tolerance <= across && across <= tolerance;
}

bool CTwoPointWidget::HitTestEnd1(CPoint p) const {
    return BoxAround(m_point1, -5, 5).Contains(p);
}

bool CTwoPointWidget::HitTestEnd2(CPoint p) const {
    return BoxAround(m_point2, -5, 5).Contains(p);
}

void CTwoPointWidget::SerializeGeometry(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_point1.x << m_point1.y << m_point2.x << m_point2.y << m_width << m_color;
    } else {
        ar >> m_point1.x >> m_point1.y >> m_point2.x >> m_point2.y >> m_width >> m_color;
    }
}

} // namespace orvane
