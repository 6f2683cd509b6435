#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// What the reliability data give one element; a field left empty is not given, and the NDL
// default applies.
struct ReliabilityValues {
    std::optional<double> failure;   // failures per year; for lines per km and year
    std::optional<double> repair;    // hours until the element is back in service
    std::optional<double> switching; // hours until a fault is isolated, or a tie switch closes
    std::optional<int32_t> customers;
};

// The reliability data of an import, read from a CSV table whose header names the columns:
//
//   element,failure,repair,switching,customers
//   line,0.06,4,1,
//   line:7,0.12,3,,
//   load:Hospital,,,,1
//
// A row names an element type (line, trafo, switch, load) or one element as TYPE:INDEX (digits:
// the element's index in its table) or TYPE:NAME. An element takes what its own row gives and
// the rest from its type's row. Lines and trafos take failure, repair and switching, switches
// switching, loads customers. Blank lines and lines starting with '#' are skipped; fields may be
// quoted as in RFC 4180.
class ReliabilityData {
public:
    // Throws ImportError with the line at fault.
    static ReliabilityData Parse(std::string_view csv);

    // The values for one element, marking the rows that gave them as used.
    ReliabilityValues For(const std::string& type, int64_t index, const std::string& name);
    // Throws ImportError for the first row naming one element that no lookup matched: a row
    // that would otherwise be ignored without a word.
    void CheckAllUsed() const;

private:
    struct Row {
        std::string type;
        std::string key;      // after "TYPE:", empty for a type's row
        bool byIndex = false; // the key is an index
        int64_t index = 0;
        ReliabilityValues values;
        int line = 0;
        bool used = false;
    };

    std::vector<Row> rows_;
};

} // namespace orvane
