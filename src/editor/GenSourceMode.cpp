#include "editor/GenSourceMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CGenSource>;

} // namespace orvane
