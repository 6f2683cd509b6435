#include "editor/IsolatorMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CIsolator>;

} // namespace orvane
