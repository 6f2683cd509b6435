#pragma once

#include "editor/DataDialog.h"

#include <memory>

namespace orvane {

class CWidget;

// The property dialog of a component, bound to it; nullptr for a bus bar, which has none.
std::unique_ptr<CDataDialog> MakePropertyDialog(CWidget& widget, QWidget* parent = nullptr);

} // namespace orvane
