#include "editor/RecloserMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CRecloser>;

} // namespace orvane
