#include "editor/LoadPointMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CLoadPoint>;

} // namespace orvane
