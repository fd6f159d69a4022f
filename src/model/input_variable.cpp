#include "model/input_variable.hpp"

namespace ferrolith {

namespace {

template <typename Range, typename Name>
std::string joined(const Range& items, Name name) {
    std::string list;
    for (const auto& item : items) {
        if (!list.empty()) list += ", ";
        list += name(item);
    }
    return list;
}

}  // namespace

std::string variableNameList() {
    return joined(inputVariables, [](const InputVariableInfo& v) { return v.name; });
}

std::string distributionNameList() {
    return joined(distributionNames, [](std::string_view name) {
        // A name with a blank is quoted, as a shell needs it.
        return name.find(' ') == std::string_view::npos ? std::string(name)
                                                        : "\"" + std::string(name) + "\"";
    });
}

std::string quotedDistributionNames() {
    return joined(distributionNames,
                  [](std::string_view name) { return "\"" + std::string(name) + "\""; });
}

}  // namespace ferrolith
