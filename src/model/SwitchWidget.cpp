#include "model/SwitchWidget.h"

#include "model/Archive.h"
#include "model/NdlDefinition.h"

namespace orvane {

void CSwitchWidget::Serialize(CArchive& ar) {
    SerializeGeometry(ar);
    if (ar.IsStoring()) {
        ar << m_capacity << m_node1 << m_node2 << m_notes;
    } else {
        ar >> m_capacity >> m_node1 >> m_node2 >> m_notes;
    }
}

std::string CSwitchWidget::SwitchNDL(const char* keyword) const {
    CNdlDefinition def(keyword);
    def.Connect(m_node1, m_node2);
    def.Value("capacity", m_capacity);
    return def.Text();
}

} // namespace orvane
