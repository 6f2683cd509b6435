#pragma once

#include "model/ComponentCollection.h"
#include "model/Fuse.h"

namespace orvane {

class CFuseCollection : public CComponentCollection<CFuse> {};

} // namespace orvane
