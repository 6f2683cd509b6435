#include "editor/LineMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CLine>;

} // namespace orvane
