#include "model/LoadPoint.h"

#include "model/Archive.h"
#include "model/NdlDefinition.h"

namespace orvane {

namespace {
// A profile record is at least its 16-bit tag and the 8-byte value.
constexpr size_t kMinProfileRecordBytes = 10;
} // namespace

void CLoadPoint::Serialize(CArchive& ar) {
    SerializeGeometry(ar);
    if (ar.IsStoring()) {
        ar << m_node1 << m_average << m_customers << m_peak << m_name << m_notes;
        ar.WriteCount(static_cast<uint32_t>(m_profile.size()));
        for (CUDouble& value : m_profile) {
            ar.WriteObject(&value);
        }
    } else {
        ar >> m_node1 >> m_average >> m_customers >> m_peak >> m_name >> m_notes;
        const uint32_t count = ar.ReadCount(kMinProfileRecordBytes);
        std::vector<CUDouble> profile;
        profile.reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            profile.push_back(*ar.ReadObject<CUDouble>());
        }
        m_profile = std::move(profile);
    }
}

std::string CLoadPoint::GetNDL() const {
    CNdlDefinition def("load: ");
    def.Connect(m_node1);
    def.Count("customers", m_customers);
    def.Value("average", m_average);
    def.Value("peak", m_peak);
    def.Name(m_name);
    def.Profile(m_profile);
    def.Cost(m_cost);
    return def.Text();
}

} // namespace orvane
