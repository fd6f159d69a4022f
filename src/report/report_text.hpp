#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/input_variable.hpp"
#include "model/parse_parameter.hpp"
#include "model/run_result.hpp"

namespace ferrolith {

// The report's line end. Every line of a block ends with it, except the last line of the
// overall block, so a completed report ends with the last digit of the time per simulation.
inline constexpr std::string_view crlf = "\r\n";

// Each block is returned as the pieces the run appends one at a time, so the report grows in the
// window in the same steps whatever the toolkit.

// The echo of the inputs: the parameter texts exactly as typed and the distribution names.
std::vector<std::string> inputBlockPieces(
    const std::array<std::string, inputVariableCount>& paramTexts, const NameArray& distName);

// The figures of one repetition.
std::vector<std::string> iterationBlockPieces(int repetition, double effectMean,
                                              double effectStdDev, double resistMean,
                                              double resistStdDev, double safeFraction);

// The figures over all repetitions, the confidence limits, the failure bound and the timing.
std::vector<std::string> overallBlockPieces(const OverallFigures& overall, double totalSimulations);

// Ends a run whose input data proved faulty in a draw.
std::vector<std::string> abortBlockPieces();

// The progress label after done of planned repetitions: "3/25".
std::string progressCaption(int done, int planned);

}  // namespace ferrolith
