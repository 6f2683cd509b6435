#include "editor/BusBarMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CBusBar>;

} // namespace orvane
