#pragma once

#include "model/ComponentCollection.h"
#include "model/GenSource.h"

namespace orvane {

class CGenSourceCollection : public CComponentCollection<CGenSource> {};

} // namespace orvane
