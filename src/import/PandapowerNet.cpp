#include "import/PandapowerNet.h"

#include "import/ImportError.h"

namespace orvane {

namespace {

using nlohmann::json;

json ParseJson(std::string_view text, const char* what) {
    try {
        return json::parse(text);
    } catch (const json::parse_error& e) {
        // e.what() reads "[json.exception.parse_error.101] parse error at line 1, column 2: ...".
        std::string reason = e.what();
        const size_t at = reason.find("parse error");
        throw ImportError(std::string(what) + " is not valid JSON: " +
                          (at == std::string::npos ? reason : reason.substr(at)));
    }
}

} // namespace

PandapowerNet PandapowerNet::Parse(std::string_view text) {
    const json file = ParseJson(text, "the file");
    if (!file.is_object() || file.value("_class", "") != "pandapowerNet" ||
        !file.contains("_object"))
        throw ImportError("the file is not a pandapower network: pandapower.to_json writes an "
                          "object with \"_class\": \"pandapowerNet\"");
    json object = file["_object"];
    if (object.is_string())
        object = ParseJson(object.get_ref<const std::string&>(), "the network");
    if (!object.is_object())
        throw ImportError("the network's \"_object\" is not a JSON object");

    PandapowerNet net;
    for (const auto& item : object.items()) {
        if (DataFrame::IsDataFrame(item.value()))
            net.tables_.emplace(item.key(), DataFrame::FromJson(item.value(), item.key()));
        else if (item.key() == "name" && item.value().is_string())
            net.name_ = item.value().get<std::string>();
    }
    return net;
}

const DataFrame* PandapowerNet::Table(const std::string& name) const {
    const auto found = tables_.find(name);
    return found == tables_.end() ? nullptr : &found->second;
}

} // namespace orvane
