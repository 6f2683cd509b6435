#include "editor/CircuitBreakerMode.h"

#include "editor/ComponentModeImpl.h"

namespace orvane {

template class CComponentMode<CCircuitBreaker>;

} // namespace orvane
