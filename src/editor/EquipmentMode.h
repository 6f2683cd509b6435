#pragma once

#include "editor/ComponentMode.h"
#include "model/EquipmentCollection.h"

namespace orvane {

template <> struct ModeTraits<CEquipment> {
    static constexpr WidgetType kType = WidgetType::Equipment;
    static constexpr uint32_t kWidth = 1;
    static constexpr int32_t kMargin = 13;
    static constexpr bool kHasDialog = true;
    static CEquipmentCollection& Collection(const COrvaneDoc& doc) { return doc.GetEquipment(); }
};

extern template class CComponentMode<CEquipment>;

// Draws equipment; its dialog is the line/equipment dialog.
class CEquipmentMode final : public CComponentMode<CEquipment> {
public:
    using CComponentMode::CComponentMode;
};

} // namespace orvane
