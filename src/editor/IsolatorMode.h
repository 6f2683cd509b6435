#pragma once

#include "editor/ComponentMode.h"
#include "model/IsolatorCollection.h"

namespace orvane {

template <> struct ModeTraits<CIsolator> {
    static constexpr WidgetType kType = WidgetType::Isolator;
    static constexpr uint32_t kWidth = 1;
    static constexpr int32_t kMargin = 13;
    static constexpr bool kHasDialog = true;
    static CIsolatorCollection& Collection(const COrvaneDoc& doc) { return doc.GetIsolators(); }
};

extern template class CComponentMode<CIsolator>;

// Places isolators; their dialog is the component dialog.
class CIsolatorMode final : public CComponentMode<CIsolator> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
