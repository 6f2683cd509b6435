#pragma once

#include "model/ComponentCollection.h"
#include "model/LoadPoint.h"

namespace orvane {

class CLoadPointCollection : public CComponentCollection<CLoadPoint> {};

} // namespace orvane
