#pragma once

#include "editor/ComponentMode.h"
#include "model/CircuitBreakerCollection.h"

namespace orvane {

template <> struct ModeTraits<CCircuitBreaker> {
    static constexpr WidgetType kType = WidgetType::CircuitBreaker;
    static constexpr uint32_t kWidth = 1;
    static constexpr int32_t kMargin = 13;
    static constexpr bool kHasDialog = true;
    static CCircuitBreakerCollection& Collection(const COrvaneDoc& doc) {
        return doc.GetCircuitBreakers();
    }
};

extern template class CComponentMode<CCircuitBreaker>;

// Places circuit breakers; their dialog is the component dialog.
class CCircuitBreakerMode final : public CComponentMode<CCircuitBreaker> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
