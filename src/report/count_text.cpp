#include "report/count_text.hpp"

#include <cmath>

#include "model/parse_parameter.hpp"
#include "report/message_text.hpp"

namespace ferrolith {

std::optional<std::int16_t> convertCount(std::string_view text) {
    const std::optional<double> value = convertNumber(text);
    if (!value) return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (!(rounded >= 1 && rounded <= largestCount)) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::string countMessage(std::string_view field, std::string_view text) {
    // Worded after what is accepted: "2.5" passes as 2, so "not a whole number" would be false.
    return std::string(field) + ": " + quotedText(text) +
           " is not a number that rounds to a whole number from 1 to " +
           std::to_string(largestCount) + ".";
}

std::string parameterMessage(std::string_view caption, std::string_view text) {
    return std::string(caption) + ": the parameters " + quotedText(text) +
           " are not two numbers separated by a comma.";
}

}  // namespace ferrolith
