#include "model/TypeOrder.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<const char*, kWidgetTypeCount> kNames = {
    kTypeNameLine,      kTypeNameCircuitBreaker, kTypeNameFuse,
    kTypeNameRecloser,  kTypeNameIsolator,       kTypeNameBusBar,
    kTypeNameLoadPoint, kTypeNameGenSource,      kTypeNameEquipment};
} // namespace

const char* TypeName(WidgetType type) {
    return kNames[static_cast<size_t>(type)];
}

std::optional<WidgetType> TypeFromName(std::string_view name) {
    for (size_t i = 0; i < kNames.size(); ++i) {
        if (name == kNames[i]) {
            return static_cast<WidgetType>(i);
        }
    }
    return std::nullopt;
}

int CollectionSize(const COrvaneDoc& doc, WidgetType type) {
    switch (type) {
    case WidgetType::Line:
        return doc.GetLines().GetSize();
    case WidgetType::CircuitBreaker:
        return doc.GetCircuitBreakers().GetSize();
    case WidgetType::Fuse:
        return doc.GetFuses().GetSize();
    case WidgetType::Recloser:
        return doc.GetReclosers().GetSize();
    case WidgetType::Isolator:
        return doc.GetIsolators().GetSize();
    case WidgetType::BusBar:
        return doc.GetBusBars().GetSize();
    case WidgetType::LoadPoint:
        return doc.GetLoadPoints().GetSize();
    case WidgetType::GenSource:
        return doc.GetGenSources().GetSize();
    case WidgetType::Equipment:
        return doc.GetEquipment().GetSize();
    }
    return 0;
}

CWidget* CollectionAt(const COrvaneDoc& doc, WidgetType type, int index) {
    switch (type) {
    case WidgetType::Line:
        return doc.GetLines().GetAt(index);
    case WidgetType::CircuitBreaker:
        return doc.GetCircuitBreakers().GetAt(index);
    case WidgetType::Fuse:
        return doc.GetFuses().GetAt(index);
    case WidgetType::Recloser:
        return doc.GetReclosers().GetAt(index);
    case WidgetType::Isolator:
        return doc.GetIsolators().GetAt(index);
    case WidgetType::BusBar:
        return doc.GetBusBars().GetAt(index);
    case WidgetType::LoadPoint:
        return doc.GetLoadPoints().GetAt(index);
    case WidgetType::GenSource:
        return doc.GetGenSources().GetAt(index);
    case WidgetType::Equipment:
        return doc.GetEquipment().GetAt(index);
    }
    return nullptr;
}

} // namespace orvane
