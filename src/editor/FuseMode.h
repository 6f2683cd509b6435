#pragma once

#include "editor/ComponentMode.h"
#include "model/FuseCollection.h"

namespace orvane {

template <> struct ModeTraits<CFuse> {
    static constexpr WidgetType kType = WidgetType::Fuse;
    static constexpr uint32_t kWidth = 1;
    static constexpr int32_t kMargin = 13;
    static constexpr bool kHasDialog = true;
    static CFuseCollection& Collection(const COrvaneDoc& doc) { return doc.GetFuses(); }
};

extern template class CComponentMode<CFuse>;

// Places fuses; their dialog is the component dialog.
class CFuseMode final : public CComponentMode<CFuse> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
