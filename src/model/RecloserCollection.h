#pragma once

#include "model/ComponentCollection.h"
#include "model/Recloser.h"

namespace orvane {

class CRecloserCollection : public CComponentCollection<CRecloser> {};

} // namespace orvane
