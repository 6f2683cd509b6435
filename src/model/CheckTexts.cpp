#include "model/CheckTexts.h"

#include <charconv>
#include <cmath>
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

namespace {

// "Load point \"NAME\" at (X, Y): ", the name on one line: the characters that would break it
// are spelled out.
std::string LoadPointLead(const std::string& name, int x, int y) {
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
    std::snprintf(point, sizeof point, "\" at (%d, %d): ", x, y);
    return "Load point \"" + shown + point;
}

// A number as a generated NDL text carries it: rounded to six significant digits.
double AsWritten(double value) {
    if (!std::isfinite(value))
        return value;
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 5);
    double read = value;
    std::from_chars(buffer, written.ptr, read);
    return read;
}

} // namespace

std::string BadNameLine(const std::string& name, int x, int y) {
    return LoadPointLead(name, x, y) + "its name " + NdlNameProblem(name) + "; rename it.";
}

std::string CostCurveProblem(const CCostCurve& curve) {
    constexpr double kLargest = 1e100;
    double before = 0.0;
    for (size_t i = 0; i < curve.size(); ++i) {
        const std::string point = "point " + std::to_string(i + 1);
        const double hours = AsWritten(curve[i].hours);
        const double cost = AsWritten(curve[i].cost);
        if (!std::isfinite(hours) || !std::isfinite(cost))
            return point + " holds a number that is not finite";
        if (std::fabs(hours) > kLargest || std::fabs(cost) > kLargest)
            return point + " holds a number larger than 1e100";
        if (hours < 0.0)
            return point + " has negative hours";
        if (i > 0 && hours <= before)
            return point + " has no more hours than point " + std::to_string(i);
        if (cost < 0.0)
            return point + " has a negative cost";
        before = hours;
    }
    return "";
}

std::string BadCostLine(const std::string& name, int x, int y, const std::string& problem) {
    return LoadPointLead(name, x, y) + "in its cost curve, " + problem + "; correct it.";
}

} // namespace orvane
