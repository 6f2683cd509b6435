#pragma once

#include "editor/ComponentMode.h"
#include "model/BusBarCollection.h"

namespace orvane {

template <> struct ModeTraits<CBusBar> {
    static constexpr WidgetType kType = WidgetType::BusBar;
    static constexpr uint32_t kWidth = 2;
    static constexpr int32_t kMargin = 10;
    static constexpr bool kHasDialog = false;
    static CBusBarCollection& Collection(const COrvaneDoc& doc) { return doc.GetBusBars(); }
};

extern template class CComponentMode<CBusBar>;

// Draws bus bars, twice as wide as a line; a bus bar has no property dialog.
class CBusBarMode final : public CComponentMode<CBusBar> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
