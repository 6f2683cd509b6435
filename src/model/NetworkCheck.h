#pragma once

#include "model/WidgetCollection.h"

#include <string>
#include <vector>

namespace orvane {

class COrvaneDoc;

// What the Debug command shows: a message box, then the "NDL Errors" list. Plain data, so that
// the GUI and orvane-cli present the same result.
struct CheckReport {
    enum class Icon { None, Information };

    bool passed = true;
    std::string message; // the message box text
    Icon icon = Icon::Information;
    std::vector<std::string> lines; // the list, in order
    CWidgetCollection widgets;      // widgets.GetAt(i) is the component of lines[i]
};

// The Debug command on a document whose title (without ".vlm") is `title`.
CheckReport DebugNetwork(COrvaneDoc& doc, const std::string& title);

// The Generate NDL command: the NDL text, or the generator error text when the check fails.
std::string NdlWindowText(COrvaneDoc& doc);

// The errors-list line of a component found not connected, by its type.
std::string NotConnectedLine(const CWidget& widget);

} // namespace orvane
