#include "editor/FuseMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CFuse>;

} // namespace orvane
