#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace orvane {

// One table of a pandapower network: a pandas DataFrame as pandapower's JSON writer stores it,
// an object {"_module": "pandas.core.frame", "_class": "DataFrame", "_object": TEXT,
// "orient": "split" | "columns", ...} whose TEXT is the frame's own JSON. Cells keep their JSON
// values; a missing value (NaN, None) is null.
class DataFrame {
public:
    // Whether value is such an object (of any orient).
    static bool IsDataFrame(const nlohmann::json& value);
    // Reads it; table names the frame in messages. Throws ImportError.
    static DataFrame FromJson(const nlohmann::json& value, const std::string& table);

    const std::string& Name() const { return name_; }
    size_t Rows() const { return rows_.size(); }
    bool HasColumn(const std::string& column) const;
    // The row's index label as an integer; throws ImportError when it is not one.
    int64_t Index(size_t row) const;
    // The cell, or null when the table has no such column.
    const nlohmann::json& Cell(size_t row, const std::string& column) const;

    // Typed cells for the columns an importer needs; each throws ImportError naming the table,
    // the row's index and the column when the value has another type.
    double Number(size_t row, const std::string& column, double missing) const;
    int64_t Integer(size_t row, const std::string& column) const;
    bool Boolean(size_t row, const std::string& column, bool missing) const;
    std::string Text(size_t row, const std::string& column) const; // empty when null

private:
    [[noreturn]] void Refuse(size_t row, const std::string& column, const char* wanted) const;

    std::string name_;
    std::vector<std::string> columns_;
    std::vector<nlohmann::json> index_;
    std::vector<std::vector<nlohmann::json>> rows_;
};

} // namespace orvane
