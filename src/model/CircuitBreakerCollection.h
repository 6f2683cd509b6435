#pragma once

#include "model/CircuitBreaker.h"
#include "model/ComponentCollection.h"

namespace orvane {

class CCircuitBreakerCollection : public CComponentCollection<CCircuitBreaker> {};

} // namespace orvane
