#pragma once

#include "model/BusBar.h"
#include "model/CircuitBreaker.h"
#include "model/Equipment.h"
#include "model/Fuse.h"
#include "model/GenSource.h"
#include "model/Isolator.h"
#include "model/Line.h"
#include "model/LoadPoint.h"
#include "model/Recloser.h"

#include <memory>
#include <type_traits>

namespace orvane {

// Calls f with the component as its own class (CLine&, CFuse&, ..., const when the component
// is), so that one generic lambda serves all nine types.
template <class W, class F> decltype(auto) VisitWidget(W& widget, F&& f) {
    static_assert(std::is_same_v<std::remove_const_t<W>, CWidget>);
    constexpr bool isConst = std::is_const_v<W>;
    const auto as = [&widget]<class T>() -> auto& {
        if constexpr (isConst)
            return static_cast<const T&>(widget);
        else
            return static_cast<T&>(widget);
    };
    switch (widget.Type()) {
    case WidgetType::Line:
        return f(as.template operator()<CLine>());
    case WidgetType::CircuitBreaker:
        return f(as.template operator()<CCircuitBreaker>());
    case WidgetType::Fuse:
        return f(as.template operator()<CFuse>());
    case WidgetType::Recloser:
        return f(as.template operator()<CRecloser>());
    case WidgetType::Isolator:
        return f(as.template operator()<CIsolator>());
    case WidgetType::BusBar:
        return f(as.template operator()<CBusBar>());
    case WidgetType::LoadPoint:
        return f(as.template operator()<CLoadPoint>());
    case WidgetType::GenSource:
        return f(as.template operator()<CGenSource>());
    case WidgetType::Equipment:
        break;
    }
    return f(as.template operator()<CEquipment>());
}

// A copy of a component, attributes, geometry and all, that belongs to no document: what a
// property dialog edits before the document takes the result.
inline std::unique_ptr<CWidget> CopyWidget(const CWidget& widget) {
    return VisitWidget(widget, [](const auto& w) -> std::unique_ptr<CWidget> {
        return std::make_unique<std::remove_cvref_t<decltype(w)>>(w);
    });
}

} // namespace orvane
