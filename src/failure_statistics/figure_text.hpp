#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "failure_statistics/failure_figures.hpp"

namespace ferrolith {

// A figure with 4 significant digits: plain decimals from 0.001 up to 100000 ("0.01248",
// "80.13", "12345"), scientific notation outside that range ("1.537e-4", "2.500e6"), "0" for
// zero, "infinity" and "NaN" for the rest. Independent of the locale.
std::string formatFigure(double x);

// A whole number in plain digits.
std::string formatCount(std::int64_t n);

// Figures one after another, a space between: "0.1000 -0.2000 0.3000".
std::string formatFigureList(const std::vector<double>& values);

// One line of the figures: what it is and its value as text.
struct FigureLine {
    std::string label;
    std::string value;
};

// Where the run stands, in one line; needs no figures, so an aborted run without a completed
// repetition can say so too.
std::string statusLine(RunStatus status, int completed, int planned);

// The figures of the failure probability and of the streams, in display order.
std::vector<FigureLine> figureLines(const FailureFigures& f);

// Below fewSamplesLimit samples a repetition: that Pf is biased, and why, in one line.
std::optional<std::string> smallSampleWarning(const FailureFigures& f);

// Which of the two intervals to trust, and why, in one line; then the small-sample warning, if
// any.
std::string adviceLine(const FailureFigures& f);

// The importance table: its caption, column heads and one row an input.
inline constexpr const char* importanceCaption =
    "Inputs at failure: mean over the failed samples, mean over all samples, shift in standard "
    "deviations";
inline constexpr std::array<const char*, 4> importanceHeads{"Input", "At failure", "Mean", "Shift"};
std::vector<std::array<std::string, 4>> importanceRows(const FailureFigures& f);

// Everything above as plain text with LF line ends, for the clipboard.
std::string figuresAsText(const FailureFigures& f);

}  // namespace ferrolith
