#include "model/BranchWidget.h"

#include "model/Archive.h"
#include "model/NdlDefinition.h"

namespace orvane {

void CBranchWidget::Serialize(CArchive& ar) {
    SerializeGeometry(ar);
    if (ar.IsStoring()) {
        ar << m_capacity << m_failure1 << m_failure2 << m_isolation1 << m_isolation2 << m_length
           << m_notes << m_repair1 << m_repair2 << m_node1 << m_node2;
    } else {
        ar >> m_capacity >> m_failure1 >> m_failure2 >> m_isolation1 >> m_isolation2 >> m_length >>
            m_notes >> m_repair1 >> m_repair2 >> m_node1 >> m_node2;
    }
}

std::string CBranchWidget::BranchNDL(const char* keyword) const {
    CNdlDefinition def(keyword);
    def.Connect(m_node1, m_node2);
    def.Value("length", m_length);
    def.Value("capacity", m_capacity);
    def.Pair("failure", m_failure1, m_failure2);
    def.Pair("isolation", m_isolation1, m_isolation2);
    def.Pair("repair", m_repair1, m_repair2);
    return def.Text();
}

} // namespace orvane
