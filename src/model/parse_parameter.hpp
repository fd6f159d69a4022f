#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/input_variable.hpp"

namespace ferrolith {

// Text to number under English conventions: "." decimal separator, "," digit-group separators
// skipped in the whole-number part, blanks around the number, a sign and an exponent. Anything
// else, the empty text included, gives no value.
std::optional<double> convertNumber(std::string_view text);

// A number text that does not convert, with the text exactly as it was given.
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(std::string text);
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// The first (which == 1) or second (any other which) number of a parameter text, split at the
// first comma. The first number's text keeps the comma; a text without one has no first number.
double parseParameter(std::int16_t which, std::string_view text);

using ParameterArray = std::array<double, inputVariableCount>;
using NameArray = std::array<std::string, inputVariableCount>;

// A parameter text that does not convert, naming its variable.
class ParameterError : public std::runtime_error {
  public:
    ParameterError(InputVariable variable, std::string text);
    InputVariable variable() const { return variable_; }
    const std::string& text() const { return text_; }

  private:
    InputVariable variable_;
    std::string text_;
};

// Reads the seven parameter texts and list choices into the run's arrays, in variable order; an
// empty choice reads as "Normal". On a text that does not convert it throws ParameterError with
// the arrays filled up to the number before the failing one.
void readInputs(const std::array<std::string, inputVariableCount>& paramTexts,
                const std::array<std::string, inputVariableCount>& distChoices,
                ParameterArray& paramA, ParameterArray& paramB, NameArray& distName);

}  // namespace ferrolith
