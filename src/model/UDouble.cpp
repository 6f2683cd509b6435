#include "model/UDouble.h"

#include "model/Archive.h"

namespace orvane {

void CUDouble::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_value;
    } else {
        ar >> m_value;
    }
}

} // namespace orvane
