#pragma once

#include "editor/ComponentMode.h"
#include "model/LoadPointCollection.h"

namespace orvane {

template <> struct ModeTraits<CLoadPoint> {
    static constexpr WidgetType kType = WidgetType::LoadPoint;
    static constexpr uint32_t kWidth = 1;
    static constexpr int32_t kMargin = 13;
    static constexpr bool kHasDialog = true;
    static CLoadPointCollection& Collection(const COrvaneDoc& doc) { return doc.GetLoadPoints(); }
};

extern template class CComponentMode<CLoadPoint>;

// Places load points with a click; their dialog is the load point dialog.
class CLoadPointMode final : public CComponentMode<CLoadPoint> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
