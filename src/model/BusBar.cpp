#include "model/BusBar.h"

#include "model/Archive.h"

namespace orvane {

void CBusBar::Serialize(CArchive& ar) {
    SerializeGeometry(ar);
    if (ar.IsStoring()) {
        ar << m_node1 << m_node2;
    } else {
        ar >> m_node1 >> m_node2;
    }
}

} // namespace orvane
