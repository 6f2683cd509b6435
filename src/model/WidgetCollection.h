#pragma once

#include "model/Widget.h"

#include <vector>

namespace orvane {

// A list of widgets it does not own, such as the components found not connected.
class CWidgetCollection {
public:
    void Add(CWidget* widget) { m_items.push_back(widget); }
    CWidget* GetAt(int i) const { return m_items[static_cast<size_t>(i)]; }
    int GetSize() const { return static_cast<int>(m_items.size()); }

private:
    std::vector<CWidget*> m_items;
};

} // namespace orvane
