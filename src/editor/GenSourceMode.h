#pragma once

#include "editor/ComponentMode.h"
#include "model/GenSourceCollection.h"

namespace orvane {

template <> struct ModeTraits<CGenSource> {
    static constexpr WidgetType kType = WidgetType::GenSource;
    static constexpr uint32_t kWidth = 1;
    static constexpr int32_t kMargin = 13;
    static constexpr bool kHasDialog = true;
    static CGenSourceCollection& Collection(const COrvaneDoc& doc) { return doc.GetGenSources(); }
};

extern template class CComponentMode<CGenSource>;

// Places generation sources with a click; their dialog is the component dialog.
class CGenSourceMode final : public CComponentMode<CGenSource> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
