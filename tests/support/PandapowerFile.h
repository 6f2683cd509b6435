#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace orvane::test {

// One table of a pandapower file: its columns and rows (index 0, 1, ... unless given).
struct PandapowerTable {
    std::string name;
    std::vector<std::string> columns;
    std::vector<nlohmann::json> rows;
    std::vector<int64_t> index;
};

// The text pandapower.to_json writes for a network of these tables: each a DataFrame in split
// orient whose own JSON is a string inside the file.
inline std::string PandapowerFile(const std::vector<PandapowerTable>& tables) {
    nlohmann::json net = nlohmann::json::object();
    for (const PandapowerTable& t : tables) {
        nlohmann::json index = nlohmann::json::array();
        for (size_t r = 0; r < t.rows.size(); ++r)
            index.push_back(t.index.empty() ? static_cast<int64_t>(r) : t.index[r]);
        const nlohmann::json frame = {{"columns", t.columns}, {"index", index}, {"data", t.rows}};
        net[t.name] = {{"_module", "pandas.core.frame"}, {"_class", "DataFrame"},
                       {"_object", frame.dump()},        {"orient", "split"},
                       {"is_multiindex", false},         {"is_multicolumn", false}};
    }
    net["version"] = "3.0.0";
    net["name"] = "test";
    return nlohmann::json{
        {"_module", "pandapower.auxiliary"}, {"_class", "pandapowerNet"}, {"_object", net}}
        .dump(2);
}

} // namespace orvane::test
