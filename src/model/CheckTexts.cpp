#include "model/CheckTexts.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace orvane {

std::string CheckFailedMessage(const std::string& title) {
    return "Checking completed : Errors found in " + title + ".vlm";
}

std::string GeneratorErrorText() {
    return "NDL Generator error:\n"
           "====================\n\n"
           "There are errors in the network\n"
           "drawn by user.\n\n"
           "For more information, please\n"
           "debug the network settings \n"
           "using the debugger.";
}

std::string NotConnectedLabel(const std::string& typeName) {
    static const struct {
        const char* typeName;
        const char* label;
    } labels[] = {
        {"Line", "Line at  ("},
        {"CircuitBreaker", "Circuit Breaker at  ("},
        {"Fuse", "Fuse at  ("},
        {"Recloser", "Recloser at  ("},
        {"Isolator", "Isolator at  ("},
        {"Bus Bar", "Bus Bar at  ("},
        {"Load Point", "Load Point at  ("},
        {"GenSource", "Gen Source at  ("},
        {"Equipment", "Equipment at  ("},
    };
    for (const auto& entry : labels)
        if (typeName == entry.typeName)
            return entry.label;
    return "";
}

std::string NotConnectedLine(const std::string& typeName, int x1, int y1, int x2, int y2) {
    char points[96];
    std::snprintf(points, sizeof points, "%d, %d)  (%d, %d)  not connected", x1, y1, x2, y2);
    return NotConnectedLabel(typeName) + points;
}

std::string NotConnectedLine(const std::string& typeName, int x, int y) {
    char point[64];
    std::snprintf(point, sizeof point, "%d, %d)  not connected", x, y);
    return NotConnectedLabel(typeName) + point;
}

namespace {

// How a character NDL strings cannot carry is named to the user; null for an allowed one.
const char* Forbidden(char c) {
    switch (c) {
    case '"':
        return "'\"'";
    case '\\':
        return "'\\'";
    case '#':
        return "'#'";
    case '$':
        return "'$'";
    case '\n':
        return "a line feed";
    case '\r':
        return "a carriage return";
    case '\0':
        return "a NUL byte";
    default:
        return nullptr;
    }
}

} // namespace

bool NdlNameIsValid(const std::string& name) {
    for (char c : name)
        if (Forbidden(c))
            return false;
    return true;
}

std::string NdlNameProblem(const std::string& name) {
    std::vector<std::string_view> found;
    for (char c : name) {
        const char* what = Forbidden(c);
        if (!what)
            continue;
        bool seen = false;
        for (std::string_view f : found)
            seen = seen || f == what;
        if (!seen)
            found.emplace_back(what);
    }
    if (found.empty())
        return "";
    std::string text = "contains ";
    for (size_t i = 0; i < found.size(); ++i) {
        if (i > 0)
            text += i + 1 == found.size() ? " and " : ", ";
        text += found[i];
    }
    return text + ", which NDL cannot carry";
}

std::string BadNameLine(const std::string& name, int x, int y) {
    // The name is shown on one line, so the characters that would break it are spelled out.
    std::string shown;
    for (char c : name) {
        if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\0')
            shown += "\\0";
        else
            shown += c;
    }
    char point[64];
    std::snprintf(point, sizeof point, "\" at (%d, %d): its name ", x, y);
    return "Load point \"" + shown + point + NdlNameProblem(name) + "; rename it.";
}

} // namespace orvane
