#include "model/Recloser.h"

#include "model/Archive.h"
#include "model/NdlDefinition.h"

namespace orvane {

void CRecloser::Serialize(CArchive& ar) {
    SerializeGeometry(ar);
    if (ar.IsStoring()) {
        ar << m_node1 << m_node2 << m_capacity << m_reclose1 << m_reclose2 << m_notes;
    } else {
        ar >> m_node1 >> m_node2 >> m_capacity >> m_reclose1 >> m_reclose2 >> m_notes;
    }
}

std::string CRecloser::GetNDL() const {
    CNdlDefinition def("recloser: ");
    def.Connect(m_node1, m_node2);
    def.Value("capacity", m_capacity);
    def.Pair("reclose", m_reclose1, m_reclose2);
    return def.Text();
}

} // namespace orvane
