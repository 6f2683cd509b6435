#pragma once

#include "base/Version.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

namespace orvane::cli {

// Keys in the order written, which docs/json-format.md follows.
using Json = nlohmann::ordered_json;

// JSON has no not-a-number; an index without a defined value is null.
inline Json JsonNumber(double x) {
    return std::isfinite(x) ? Json(x) : Json();
}

// The "program" of every document the command line writes.
inline std::string JsonProgram() {
    return std::string("orvane-cli ") + Version;
}

// A document as written: indented by two, ended by a line feed. Invalid UTF-8 in a name is
// replaced rather than refused.
inline std::string JsonText(const Json& doc) {
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace orvane::cli
