#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace ferrolith {

// JSON text laid out as nlohmann writes it with an indent of two, ending with a line end, except
// that each floating-point number is the shortest text that reads back to the same double
// (nlohmann's own writer may give a digit more): integral values keep a ".0" so that they read
// back as floating-point numbers, and a non-finite one is null. A text that is not UTF-8 is
// written with U+FFFD in its place.
std::string exactJsonText(const nlohmann::ordered_json& json);

}  // namespace ferrolith
