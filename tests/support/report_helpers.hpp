#pragma once

// Helpers the test suites share for looking at report texts and the inputs behind them, and for
// making long texts.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/input_variable.hpp"

namespace ferrolith::testing {

// How often part occurs in text, counting non-overlapping occurrences.
inline long countOf(std::string_view text, std::string_view part) {
    long n = 0;
    for (auto at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size()))
        ++n;
    return n;
}

inline long countLineEnds(std::string_view text) { return countOf(text, "\r\n"); }

// A block's pieces as the report holds them.
inline std::string joined(const std::vector<std::string>& pieces) {
    std::string text;
    for (const std::string& piece : pieces) text += piece;
    return text;
}

// piece written times times over.
inline std::string repeated(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// The report without its two timing lines, which differ from run to run.
inline std::string withoutTiming(const std::string& report) {
    return report.substr(0, report.find("Total time taken was"));
}

// The parameter texts the window shows at start-up.
inline std::array<std::string, inputVariableCount> defaultParamTexts() {
    std::array<std::string, inputVariableCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = inputVariables[i].defaultText;
    return texts;
}

}  // namespace ferrolith::testing
