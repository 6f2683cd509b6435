#include "import/DataFrame.h"

#include "import/ImportError.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace orvane {

namespace {

using nlohmann::json;

const json Null;

// pandapower wraps some scalars as {"_module": "numpy", "_class": "int64", "_object": 5}.
const json& Unwrap(const json& value) {
    if (value.is_object() && value.contains("_object") && value.value("_module", "") == "numpy")
        return value["_object"];
    return value;
}

std::string Label(const json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

bool IntegerValue(const json& value, int64_t& result) {
    if (value.is_number_integer()) {
        result = value.get<int64_t>();
        return true;
    }
    if (value.is_number_float()) {
        const double x = value.get<double>();
        if (std::isfinite(x) && x == std::floor(x) && std::fabs(x) < 9e15) {
            result = static_cast<int64_t>(x);
            return true;
        }
        return false;
    }
    if (value.is_string()) {
        const std::string& text = value.get_ref<const std::string&>();
        if (text.empty() || text.size() > 18)
            return false;
        size_t start = text[0] == '-' ? 1 : 0;
        if (start == text.size())
            return false;
        for (size_t i = start; i < text.size(); ++i)
            if (text[i] < '0' || text[i] > '9')
                return false;
        result = std::stoll(text);
        return true;
    }
    return false;
}

// Index labels in the order pandas gives them back: numerically when every label is an integer.
std::vector<std::string> SortedLabels(std::vector<std::string> labels) {
    std::vector<int64_t> numbers(labels.size());
    bool integers = true;
    for (size_t i = 0; i < labels.size() && integers; ++i)
        integers = IntegerValue(json(labels[i]), numbers[i]);
    if (!integers)
        return labels;
    std::vector<size_t> order(labels.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return numbers[a] < numbers[b]; });
    std::vector<std::string> sorted;
    for (size_t i : order)
        sorted.push_back(labels[i]);
    return sorted;
}

} // namespace

bool DataFrame::IsDataFrame(const json& value) {
    return value.is_object() && value.value("_class", "") == "DataFrame" &&
           value.contains("_object");
}

DataFrame DataFrame::FromJson(const json& value, const std::string& table) {
    DataFrame frame;
    frame.name_ = table;
    json object;
    const json& stored = value["_object"];
    if (stored.is_string()) {
        try {
            object = json::parse(stored.get_ref<const std::string&>());
        } catch (const json::exception& e) {
            throw ImportError("the table '" + table + "' does not hold valid JSON: " + e.what());
        }
    } else {
        object = stored;
    }
    const std::string orient = value.value("orient", std::string("split"));
    if (!object.is_object())
        throw ImportError("the table '" + table + "' is not a JSON object");

    if (orient == "split") {
        const json& columns = object.contains("columns") ? object["columns"] : Null;
        const json& index = object.contains("index") ? object["index"] : Null;
        const json& data = object.contains("data") ? object["data"] : Null;
        if (!columns.is_array() || !index.is_array() || !data.is_array() ||
            index.size() != data.size())
            throw ImportError("the table '" + table +
                              "' lacks the columns, index and data of its split form");
        for (const json& c : columns)
            frame.columns_.push_back(Label(c));
        for (size_t r = 0; r < data.size(); ++r) {
            if (!data[r].is_array() || data[r].size() != columns.size())
                throw ImportError("row " + std::to_string(r + 1) + " of the table '" + table +
                                  "' does not have one value per column");
            frame.index_.push_back(index[r]);
            frame.rows_.emplace_back(data[r].begin(), data[r].end());
        }
        return frame;
    }
    if (orient == "columns" || orient == "index") {
        // columns: {column: {label: value}}; index: {label: {column: value}}.
        const bool byColumn = orient == "columns";
        std::vector<std::string> outerKeys;
        std::vector<std::string> innerKeys;
        std::set<std::string> seen;
        for (const auto& item : object.items()) {
            if (!item.value().is_object())
                throw ImportError("the table '" + table + "' is not in its " + orient + " form");
            outerKeys.push_back(item.key());
            for (const auto& inner : item.value().items())
                if (seen.insert(inner.key()).second)
                    innerKeys.push_back(inner.key());
        }
        frame.columns_ = byColumn ? outerKeys : innerKeys;
        for (const std::string& label : SortedLabels(byColumn ? innerKeys : outerKeys)) {
            frame.index_.push_back(json(label));
            std::vector<json> row;
            for (const std::string& column : frame.columns_) {
                const json& cells = object.at(byColumn ? column : label);
                const std::string& key = byColumn ? label : column;
                row.push_back(cells.contains(key) ? cells.at(key) : Null);
            }
            frame.rows_.push_back(std::move(row));
        }
        return frame;
    }
    throw ImportError("the table '" + table + "' is stored in the '" + orient +
                      "' orient; pandapower writes 'split' or 'columns'");
}

bool DataFrame::HasColumn(const std::string& column) const {
    return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
}

int64_t DataFrame::Index(size_t row) const {
    int64_t result = 0;
    if (!IntegerValue(Unwrap(index_[row]), result))
        throw ImportError("the table '" + name_ + "' has the index " + Label(index_[row]) +
                          ", not an integer");
    return result;
}

const json& DataFrame::Cell(size_t row, const std::string& column) const {
    const auto found = std::find(columns_.begin(), columns_.end(), column);
    if (found == columns_.end())
        return Null;
    return Unwrap(rows_[row][static_cast<size_t>(found - columns_.begin())]);
}

void DataFrame::Refuse(size_t row, const std::string& column, const char* wanted) const {
    throw ImportError(name_ + " " + Label(index_[row]) + ": the " + column + " " +
                      Cell(row, column).dump() + " is not " + wanted);
}

double DataFrame::Number(size_t row, const std::string& column, double missing) const {
    const json& cell = Cell(row, column);
    if (cell.is_null())
        return missing;
    if (!cell.is_number())
        Refuse(row, column, "a number");
    return cell.get<double>();
}

int64_t DataFrame::Integer(size_t row, const std::string& column) const {
    int64_t result = 0;
    const json& cell = Cell(row, column);
    if (!cell.is_number() || !IntegerValue(cell, result))
        Refuse(row, column, "an integer");
    return result;
}

bool DataFrame::Boolean(size_t row, const std::string& column, bool missing) const {
    const json& cell = Cell(row, column);
    if (cell.is_null())
        return missing;
    if (cell.is_boolean())
        return cell.get<bool>();
    if (cell.is_number() && (cell.get<double>() == 0.0 || cell.get<double>() == 1.0))
        return cell.get<double>() != 0.0;
    if (cell.is_string() && (cell == "true" || cell == "false"))
        return cell == "true";
    Refuse(row, column, "true or false");
}

std::string DataFrame::Text(size_t row, const std::string& column) const {
    const json& cell = Cell(row, column);
    if (cell.is_null())
        return {};
    if (cell.is_string())
        return cell.get<std::string>();
    if (cell.is_number_integer())
        return cell.dump();
    if (cell.is_number_float()) {
        int64_t whole = 0;
        return IntegerValue(cell, whole) ? std::to_string(whole) : cell.dump();
    }
    Refuse(row, column, "a text");
}

} // namespace orvane
