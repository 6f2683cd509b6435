#pragma once

#include <charconv>
#include <string>

namespace orvane {

// The shortest decimal form that reads back as x exactly ("0.1", "24", "1e-10").
inline std::string ShortestNumber(double x) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, x).ptr;
    return std::string(digits, end);
}

} // namespace orvane
