#pragma once

#include "model/ComponentCollection.h"
#include "model/Isolator.h"

namespace orvane {

class CIsolatorCollection : public CComponentCollection<CIsolator> {};

} // namespace orvane
