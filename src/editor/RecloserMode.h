#pragma once

#include "editor/ComponentMode.h"
#include "model/RecloserCollection.h"

namespace orvane {

template <> struct ModeTraits<CRecloser> {
    static constexpr WidgetType kType = WidgetType::Recloser;
    static constexpr uint32_t kWidth = 1;
    static constexpr int32_t kMargin = 13;
    static constexpr bool kHasDialog = true;
    static CRecloserCollection& Collection(const COrvaneDoc& doc) { return doc.GetReclosers(); }
};

extern template class CComponentMode<CRecloser>;

// Places reclosers; their dialog is the recloser dialog.
class CRecloserMode final : public CComponentMode<CRecloser> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
