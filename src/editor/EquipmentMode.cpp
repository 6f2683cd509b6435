#include "editor/EquipmentMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CEquipment>;

} // namespace orvane
