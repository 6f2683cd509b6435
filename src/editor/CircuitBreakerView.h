#pragma once

#include "editor/ComponentView.h"
#include "model/CircuitBreaker.h"

class QPainter;

namespace orvane {

// A circuit breaker: the segment crossed by a black X.
class CCircuitBreakerView : public CTwoPointView {
public:
    explicit CCircuitBreakerView(const CCircuitBreaker& widget) : CTwoPointView(widget) {}
    void Draw(QPainter& painter) const;
};

} // namespace orvane
