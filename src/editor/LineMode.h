#pragma once

#include "editor/ComponentMode.h"
#include "model/LineCollection.h"

namespace orvane {

template <> struct ModeTraits<CLine> {
    static constexpr WidgetType kType = WidgetType::Line;
    static constexpr uint32_t kWidth = 1;
    static constexpr int32_t kMargin = 10;
    static constexpr bool kHasDialog = true;
    static CLineCollection& Collection(const COrvaneDoc& doc) { return doc.GetLines(); }
};

extern template class CComponentMode<CLine>;

// Draws feeders; their dialog is the line/equipment dialog.
class CLineMode final : public CComponentMode<CLine> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
