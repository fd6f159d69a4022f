#include "model/parse_parameter.hpp"

#include <cctype>
#include <charconv>

namespace ferrolith {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> convertNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;

    std::string clean;  // the number without group separators, for from_chars
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') clean += '-';
        ++i;
    }
    bool digits = false;
    // Whole-number part: group separators may follow any digit and are skipped.
    while (i < n && (isDigit(text[i]) || (digits && text[i] == ','))) {
        if (text[i] != ',') {
            clean += text[i];
            digits = true;
        }
        ++i;
    }
    if (i < n && text[i] == '.') {
        clean += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            clean += text[i++];
            digits = true;
        }
    }
    if (!digits) return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        const std::size_t start = j;
        while (j < n && isDigit(text[j])) exponent += text[j++];
        if (j == start) return std::nullopt;
        clean += exponent;
        i = j;
    }
    // Trailing blanks, and the comma that ends a first number (as in "4 ,").
    while (i < n && (isBlank(text[i]) || (text[i] == ',' && digits))) ++i;
    if (i != n) return std::nullopt;

    double value = 0.0;
    const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (ec != std::errc() || end != clean.data() + clean.size()) return std::nullopt;
    return value;
}

ConversionError::ConversionError(std::string text)
    : std::runtime_error("cannot convert \"" + text + "\" to a number"), text_(std::move(text)) {}

double parseParameter(std::int16_t which, std::string_view text) {
    const std::size_t comma = text.find(',');
    const std::size_t pos = comma == std::string_view::npos ? 0 : comma + 1;  // 1-based
    const std::string_view number = which == 1 ? text.substr(0, pos) : text.substr(pos);
    const auto value = convertNumber(number);
    if (!value) throw ConversionError(std::string(number));
    return *value;
}

ParameterError::ParameterError(InputVariable variable, std::string text)
    : std::runtime_error("the parameter text \"" + text + "\" of " +
                         std::string(info(variable).caption) + " is not a number"),
      variable_(variable),
      text_(std::move(text)) {}

void readInputs(const std::array<std::string, inputVariableCount>& paramTexts,
                const std::array<std::string, inputVariableCount>& distChoices,
                ParameterArray& paramA, ParameterArray& paramB, NameArray& distName) {
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        try {
            paramA[i] = parseParameter(1, paramTexts[i]);
            paramB[i] = parseParameter(2, paramTexts[i]);
        } catch (const ConversionError&) {
            throw ParameterError(static_cast<InputVariable>(i), paramTexts[i]);
        }
        distName[i] = distChoices[i].empty() ? std::string("Normal") : distChoices[i];
    }
}

}  // namespace ferrolith
