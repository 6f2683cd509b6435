#include "editor/Mode.h"

#include "editor/BusBarMode.h"
#include "editor/CircuitBreakerMode.h"
#include "editor/EquipmentMode.h"
#include "editor/FuseMode.h"
#include "editor/GenSourceMode.h"
#include "editor/IsolatorMode.h"
#include "editor/LineMode.h"
#include "editor/LoadPointMode.h"
#include "editor/RecloserMode.h"

namespace orvane {

std::unique_ptr<CMode> MakeMode(WidgetType type, COrvaneDoc* doc, CModeHost* host) {
    switch (type) {
    case WidgetType::Line:
        return std::make_unique<CLineMode>(doc, host);
    case WidgetType::CircuitBreaker:
        return std::make_unique<CCircuitBreakerMode>(doc, host);
    case WidgetType::Fuse:
        return std::make_unique<CFuseMode>(doc, host);
    case WidgetType::Recloser:
        return std::make_unique<CRecloserMode>(doc, host);
    case WidgetType::Isolator:
        return std::make_unique<CIsolatorMode>(doc, host);
    case WidgetType::BusBar:
        return std::make_unique<CBusBarMode>(doc, host);
    case WidgetType::LoadPoint:
        return std::make_unique<CLoadPointMode>(doc, host);
    case WidgetType::GenSource:
        return std::make_unique<CGenSourceMode>(doc, host);
    case WidgetType::Equipment:
        return std::make_unique<CEquipmentMode>(doc, host);
    }
    return nullptr;
}

} // namespace orvane
