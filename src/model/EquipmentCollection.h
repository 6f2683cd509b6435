#pragma once

#include "model/ComponentCollection.h"
#include "model/Equipment.h"

namespace orvane {

class CEquipmentCollection : public CComponentCollection<CEquipment> {};

} // namespace orvane
