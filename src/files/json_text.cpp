#include "files/json_text.hpp"

#include "files/number_text.hpp"

namespace ferrolith {

namespace {

using Json = nlohmann::ordered_json;

std::string floatText(double x) {
    std::string text = shortestText(x);
    if (text.empty()) return "null";
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

void write(const Json& json, int depth, std::string& out) {
    const std::string indent(2 * static_cast<std::size_t>(depth + 1), ' ');
    switch (json.type()) {
        case Json::value_t::object:
        case Json::value_t::array: {
            const bool object = json.is_object();
            if (json.empty()) {
                out += object ? "{}" : "[]";
                return;
            }
            out += object ? "{\n" : "[\n";
            bool first = true;
            for (const auto& [key, value] : json.items()) {
                out += first ? "" : ",\n";
                first = false;
                out += indent;
                if (object) out += Json(key).dump() + ": ";
                write(value, depth + 1, out);
            }
            out += "\n" + indent.substr(2) + (object ? "}" : "]");
            return;
        }
        case Json::value_t::number_float:
            out += floatText(json.get<double>());
            return;
        default:
            out += json.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

}  // namespace

std::string exactJsonText(const Json& json) {
    std::string out;
    write(json, 0, out);
    return out + "\n";
}

}  // namespace ferrolith
