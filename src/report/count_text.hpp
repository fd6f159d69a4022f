#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ferrolith {

// The count fields, as their messages name them.
inline constexpr std::string_view repetitionsField = "No. Repititions";
inline constexpr std::string_view sampleSizeField = "Sample Size";

// The largest count: counts are 16-bit signed integers.
constexpr int largestCount = 32767;

// A count text (No. Repititions, Sample Size) as a whole number from 1 to 32767: the text converts
// as a number, rounded to the nearest whole number with halves to even ("2.5" gives 2); nothing
// when it does not convert or rounds outside that range.
std::optional<std::int16_t> convertCount(std::string_view text);

// The one-line message for a count text that does not convert, naming the field.
std::string countMessage(std::string_view field, std::string_view text);

// The one-line message for a parameter text that does not convert, naming the input's caption.
std::string parameterMessage(std::string_view caption, std::string_view text);

}  // namespace ferrolith
