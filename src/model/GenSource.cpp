#include "model/GenSource.h"

#include "model/Archive.h"
#include "model/NdlDefinition.h"

namespace orvane {

void CGenSource::Serialize(CArchive& ar) {
    SerializeGeometry(ar);
    if (ar.IsStoring()) {
        ar << m_capacity << m_node1 << m_notes;
    } else {
        ar >> m_capacity >> m_node1 >> m_notes;
    }
}

std::string CGenSource::GetNDL() const {
    CNdlDefinition def("source: ");
    def.Connect(m_node1);
    def.Value("capacity", m_capacity);
    return def.Text();
}

} // namespace orvane
