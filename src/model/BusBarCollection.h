#pragma once

#include "model/BusBar.h"
#include "model/ComponentCollection.h"

namespace orvane {

class CBusBarCollection : public CComponentCollection<CBusBar> {};

} // namespace orvane
