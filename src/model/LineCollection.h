#pragma once

#include "model/ComponentCollection.h"
#include "model/Line.h"

namespace orvane {

class CLineCollection : public CComponentCollection<CLine> {};

} // namespace orvane
