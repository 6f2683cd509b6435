#pragma once

#include "import/DataFrame.h"

#include <map>
#include <string>
#include <string_view>

namespace orvane {

// A pandapower network as pandapower.to_json writes it: {"_module": "pandapower.auxiliary",
// "_class": "pandapowerNet", "_object": {...}} whose entries are DataFrames (bus, line, switch,
// ..., the res_ results) and plain values (name, f_hz, version, std_types, ...). Older files
// hold the object as a JSON string; both are read.
class PandapowerNet {
public:
    // Throws ImportError when the text is not JSON or not such a network.
    static PandapowerNet Parse(std::string_view text);

    // The table of that name, or nullptr when the file has none.
    const DataFrame* Table(const std::string& name) const;
    const std::map<std::string, DataFrame>& Tables() const { return tables_; }
    // The network's own name; empty when it has none.
    const std::string& Name() const { return name_; }

private:
    std::map<std::string, DataFrame> tables_;
    std::string name_;
};

} // namespace orvane
