#pragma once

#include "model/CostPoint.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class CUDouble;

// Builds one NDL definition: the keyword, then one attribute per physical line, each ended by
// ";", a backslash and a line feed so that the parser reads one logical line, and a closing
// empty line. Attributes at their not-given value (-1.0, -1, empty) are left out.
class CNdlDefinition {
public:
    explicit CNdlDefinition(const char* keyword) : m_text(keyword) {}

    void Connect(int32_t node);
    void Connect(int32_t node1, int32_t node2);
    void Value(const char* name, double value);
    void Count(const char* name, int32_t value);
    // Either number alone when the other is not given; nothing when neither is.
    void Pair(const char* name, double first, double second);
    void Name(const std::string& name);
    void Profile(const std::vector<CUDouble>& values);
    // "hours, cost, hours, cost, ..."; nothing for an empty curve.
    void Cost(const CCostCurve& curve);

    std::string Text() const { return m_text + "\n"; }

private:
    void Attribute(const char* name, const std::string& value);

    std::string m_text;
};

} // namespace orvane
