#include "model/NdlDefinition.h"

#include "model/NdlNumber.h"
#include "model/UDouble.h"

namespace orvane {

void CNdlDefinition::Attribute(const char* name, const std::string& value) {
    m_text += name;
    m_text += " = ";
    m_text += value;
    m_text += ";\\\n";
}

void CNdlDefinition::Connect(int32_t node) {
    Attribute("connect", NdlNumber(node));
}

void CNdlDefinition::Connect(int32_t node1, int32_t node2) {
    Attribute("connect", NdlNumber(node1) + ", " + NdlNumber(node2));
}

void CNdlDefinition::Value(const char* name, double value) {
    if (value != -1.0) {
        Attribute(name, NdlNumber(value));
    }
}

void CNdlDefinition::Count(const char* name, int32_t value) {
    if (value != -1) {
        Attribute(name, NdlNumber(value));
    }
}

void CNdlDefinition::Pair(const char* name, double first, double second) {
    const bool hasFirst = first != -1.0;
    const bool hasSecond = second != -1.0;
    if (!hasFirst && !hasSecond) {
        return;
    }
    std::string value;
    if (hasFirst) {
        value += NdlNumber(first);
    }
    if (hasFirst && hasSecond) {
        value += ", ";
    }
    if (hasSecond) {
        value += NdlNumber(second);
    }
    Attribute(name, value);
}

void CNdlDefinition::Name(const std::string& name) {
    if (!name.empty()) {
        Attribute("name", "\"" + name + "\"");
    }
}

void CNdlDefinition::Profile(const std::vector<CUDouble>& values) {
    if (values.empty()) {
        return;
    }
    std::string value;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            value += " ,";
        }
        value += NdlNumber(values[i].GetValue());
    }
    Attribute("profile", value);
}

void CNdlDefinition::Cost(const CCostCurve& curve) {
    if (curve.empty()) {
        return;
    }
    std::string value;
    for (const CCostPoint& point : curve) {
        if (!value.empty()) {
            value += ", ";
        }
        value += NdlNumber(point.hours) + ", " + NdlNumber(point.cost);
    }
    Attribute("cost", value);
}

} // namespace orvane
