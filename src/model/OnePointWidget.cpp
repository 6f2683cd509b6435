#include "model/OnePointWidget.h"

#include "model/Archive.h"

namespace orvane {

bool COnePointWidget::HitTest(CPoint p) const {
    return BoxAround(m_point1, -11, 11).Contains(p);
}

bool COnePointWidget::HitTestEnd1(CPoint p) const {
    return BoxAround(m_point1, -14, -4).Contains(p);
}

bool COnePointWidget::HitTestEnd2(CPoint p) const {
    return BoxAround(m_point1, 8, 18).Contains(p);
}

void COnePointWidget::SerializeGeometry(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_point1.x << m_point1.y << m_width << m_color;
    } else {
        ar >> m_point1.x >> m_point1.y >> m_width >> m_color;
    }
}

} // namespace orvane
