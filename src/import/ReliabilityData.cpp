#include "import/ReliabilityData.h"

#include "import/ImportError.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace orvane {

namespace {

enum Field { Failure, Repair, Switching, Customers, FieldCount };
const char* const FieldNames[FieldCount] = {"failure", "repair", "switching", "customers"};

struct TypeInfo {
    const char* type;
    bool fields[FieldCount];
    const char* takes;
};
const TypeInfo Types[] = {
    {"line", {true, true, true, false}, "failure, repair and switching"},
    {"trafo", {true, true, true, false}, "failure, repair and switching"},
    {"switch", {false, false, true, false}, "switching only"},
    {"load", {false, false, false, true}, "customers only"},
};

[[noreturn]] void Fail(int line, const std::string& message) {
    throw ImportError(message, line);
}

std::string Trim(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return std::string(text.substr(begin, end - begin));
}

// The fields of one record starting at pos, which moves past its line end. Quoted fields may
// hold commas, doubled quotes and line breaks.
std::vector<std::string> ReadRecord(std::string_view csv, size_t& pos, int& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    bool wasQuoted = false;
    const int start = line;
    while (pos < csv.size()) {
        const char c = csv[pos++];
        if (quoted) {
            if (c == '"' && pos < csv.size() && csv[pos] == '"') {
                fields.back() += '"';
                ++pos;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n')
                    ++line;
                fields.back() += c;
            }
        } else if (c == '"' && Trim(fields.back()).empty()) {
            fields.back().clear();
            quoted = wasQuoted = true;
        } else if (c == ',') {
            if (!wasQuoted)
                fields.back() = Trim(fields.back());
            fields.emplace_back();
            wasQuoted = false;
        } else if (c == '\n') {
            ++line;
            break;
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    if (quoted)
        Fail(start, "a quoted field is not closed");
    if (!wasQuoted)
        fields.back() = Trim(fields.back());
    return fields;
}

bool Blank(const std::vector<std::string>& fields) {
    for (const std::string& f : fields)
        if (!f.empty())
            return false;
    return true;
}

double Number(const std::string& text, const char* field, int line) {
    char* end = nullptr;
    errno = 0;
    const double x = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(x) || errno == ERANGE)
        Fail(line, std::string("the ") + field + " '" + text + "' is not a number");
    return x;
}

void Merge(ReliabilityValues& into, const ReliabilityValues& from) {
    if (from.failure)
        into.failure = from.failure;
    if (from.repair)
        into.repair = from.repair;
    if (from.switching)
        into.switching = from.switching;
    if (from.customers)
        into.customers = from.customers;
}

} // namespace

ReliabilityData ReliabilityData::Parse(std::string_view csv) {
    ReliabilityData data;
    std::vector<int> columns; // the field of each column; -1 for element
    size_t pos = 0;
    int line = 1;
    if (csv.substr(0, 3) == "\xEF\xBB\xBF") // a byte-order mark from a spreadsheet
        pos = 3;
    while (pos < csv.size()) {
        const int at = line;
        if (csv[pos] == '#') {
            pos = csv.find('\n', pos);
            pos = pos == std::string_view::npos ? csv.size() : pos + 1;
            ++line;
            continue;
        }
        const std::vector<std::string> fields = ReadRecord(csv, pos, line);
        if (Blank(fields))
            continue;

        if (columns.empty()) {
            bool element = false;
            for (const std::string& name : fields) {
                int field = -1;
                for (int f = 0; f < FieldCount; ++f)
                    if (name == FieldNames[f])
                        field = f;
                if (name == "element") {
                    if (element)
                        Fail(at, "the column 'element' is given twice");
                    element = true;
                } else if (field < 0) {
                    Fail(at, "the column '" + name +
                                 "' is none of element, failure, repair, switching, customers");
                } else {
                    for (int c : columns)
                        if (c == field)
                            Fail(at, "the column '" + name + "' is given twice");
                }
                columns.push_back(field);
            }
            if (!element)
                Fail(at, "the header has no 'element' column");
            continue;
        }

        if (fields.size() > columns.size())
            Fail(at, "the row has " + std::to_string(fields.size()) + " fields, the header " +
                         std::to_string(columns.size()));
        Row row;
        row.line = at;
        std::string element;
        for (size_t i = 0; i < fields.size(); ++i)
            if (columns[i] < 0)
                element = fields[i];
        const size_t colon = element.find(':');
        row.type = Trim(element.substr(0, colon));
        row.key = colon == std::string::npos ? "" : Trim(element.substr(colon + 1));
        const TypeInfo* info = nullptr;
        for (const TypeInfo& t : Types)
            if (row.type == t.type)
                info = &t;
        if (info == nullptr)
            Fail(at, "'" + element +
                         "' names no element type; rows start with line, trafo, "
                         "switch or load, alone or followed by :INDEX or :NAME");
        if (colon != std::string::npos && row.key.empty())
            Fail(at, "'" + element + "' names no element after the colon");
        row.byIndex = !row.key.empty() &&
                      row.key.find_first_not_of("0123456789") == std::string::npos &&
                      row.key.size() <= 18;
        if (row.byIndex)
            row.index = std::stoll(row.key);

        for (size_t i = 0; i < fields.size(); ++i) {
            const int field = columns[i];
            if (field < 0 || fields[i].empty())
                continue;
            if (!info->fields[field])
                Fail(at, std::string("a ") + info->type + " takes " + info->takes + ", not " +
                             FieldNames[field]);
            const double x = Number(fields[i], FieldNames[field], at);
            switch (field) {
            case Failure:
                if (x < 0.0)
                    Fail(at, "the failure rate must not be negative");
                row.values.failure = x;
                break;
            case Repair:
            case Switching:
                if (x <= 0.0)
                    Fail(at, std::string("the ") + FieldNames[field] +
                                 " time must be a positive number of hours");
                (field == Repair ? row.values.repair : row.values.switching) = x;
                break;
            default:
                if (x != std::floor(x) || x < 1.0 || x > 999999.0)
                    Fail(at, "the customers must be a whole number from 1 to 999999");
                row.values.customers = static_cast<int32_t>(x);
                break;
            }
        }
        for (const Row& earlier : data.rows_)
            if (earlier.type == row.type && earlier.key == row.key)
                Fail(at,
                     "'" + element + "' is given already on line " + std::to_string(earlier.line));
        data.rows_.push_back(std::move(row));
    }
    if (columns.empty())
        throw ImportError("the reliability data are empty; give a header line and one row per "
                          "element type or element");
    return data;
}

ReliabilityValues ReliabilityData::For(const std::string& type, int64_t index,
                                       const std::string& name) {
    ReliabilityValues values;
    // The type's row, then one by name, then one by index: the more particular wins.
    for (int pass = 0; pass < 3; ++pass)
        for (Row& row : rows_) {
            if (row.type != type)
                continue;
            const bool matches = pass == 0   ? row.key.empty()
                                 : pass == 1 ? !row.byIndex && !row.key.empty() && row.key == name
                                             : row.byIndex && row.index == index;
            if (matches) {
                Merge(values, row.values);
                row.used = true;
            }
        }
    return values;
}

void ReliabilityData::CheckAllUsed() const {
    for (const Row& row : rows_)
        if (!row.used && !row.key.empty())
            Fail(row.line,
                 "the network has no " + row.type + " " +
                     (row.byIndex ? "with the index " + row.key : "named '" + row.key + "'"));
}

} // namespace orvane
