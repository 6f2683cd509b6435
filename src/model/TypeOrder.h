#pragma once

#include "model/OrvaneDoc.h"
#include "model/Widget.h"

#include <array>
#include <optional>
#include <string_view>
#include <type_traits>

namespace orvane {

// The entries of the type-order list, one per component ever added.
inline constexpr const char* kTypeNameLine = "Line";
inline constexpr const char* kTypeNameCircuitBreaker = "CircuitBreaker";
inline constexpr const char* kTypeNameFuse = "Fuse";
inline constexpr const char* kTypeNameRecloser = "Recloser";
inline constexpr const char* kTypeNameIsolator = "Isolator";
inline constexpr const char* kTypeNameBusBar = "Bus Bar";
inline constexpr const char* kTypeNameLoadPoint = "Load Point";
inline constexpr const char* kTypeNameGenSource = "GenSource";
inline constexpr const char* kTypeNameEquipment = "Equipment";

// The type-order name of a type, and back; nullopt for a name that is none of the nine.
const char* TypeName(WidgetType type);
std::optional<WidgetType> TypeFromName(std::string_view name);

// The collection size and element of a type, by type.
int CollectionSize(const COrvaneDoc& doc, WidgetType type);
CWidget* CollectionAt(const COrvaneDoc& doc, WidgetType type, int index);

// Walks the document's components in creation order: the k-th entry of a type name stands for
// element k of that type's collection. Entries with no component left (after removals, or from
// a file) and unknown names are passed over. f(CWidget& widget, int listPosition) is called for
// each component; when f returns bool, false ends the walk.
template <class F> void ForEachWidget(const COrvaneDoc& doc, F&& f) {
    std::array<int, kWidgetTypeCount> counters{};
    std::array<int, kWidgetTypeCount> sizes{};
    for (int t = 0; t < kWidgetTypeCount; ++t) {
        sizes[static_cast<size_t>(t)] = CollectionSize(doc, static_cast<WidgetType>(t));
    }
    const int entries = static_cast<int>(doc.m_typeOrder.size());
    for (int position = 0; position < entries; ++position) {
        const std::optional<WidgetType> type =
            TypeFromName(doc.m_typeOrder[static_cast<size_t>(position)]);
        if (!type) {
            continue;
        }
        const auto t = static_cast<size_t>(*type);
        if (counters[t] >= sizes[t]) {
            continue;
        }
        CWidget* widget = CollectionAt(doc, *type, counters[t]++);
        if constexpr (std::is_same_v<std::invoke_result_t<F&, CWidget&, int>, bool>) {
            if (!f(*widget, position)) {
                return;
            }
        } else {
            f(*widget, position);
        }
    }
}

} // namespace orvane
