#pragma once

#include <cstdio>
#include <string>

namespace orvane::cli {

struct ImportOptions {
    std::string network;     // the pandapower JSON file
    std::string reliability; // the CSV table of failure rates, repair and switching times
    std::string output;      // NAME.ndl, NAME.vlm, or "-" for NDL text on out
};

// orvane-cli import pandapower: turns a pandapower network and its reliability data into NDL
// text or a drawing (by the output's extension). What was left out or taken otherwise goes to
// err as "FILE: note: ...", then a line saying what was imported. ExitOk when the output is
// written; ExitNetworkError when a file's content cannot be imported ("FILE: error: ...", or
// "FILE:LINE: error: ..." for the reliability table); ExitUsage when a file cannot be read or
// written or the output has no known extension.
int ImportPandapower(const ImportOptions& options, std::FILE* out, std::FILE* err);

} // namespace orvane::cli
