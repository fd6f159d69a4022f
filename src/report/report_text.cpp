#include "report/report_text.hpp"

#include "report/number_format.hpp"

namespace ferrolith {

namespace {

const std::string asteriskRow(50, '*');

std::string line(std::string_view text) { return std::string(text) + std::string(crlf); }

std::string meanAndSpreadLine(std::string_view quantity, double mean, double stdDev) {
    return line(std::string(quantity) + " mean: " + formatFixed(mean) + " " +
                std::string(quantity) + " St. Dev.: " + formatFixed(stdDev));
}

}  // namespace

std::vector<std::string> inputBlockPieces(
    const std::array<std::string, inputVariableCount>& paramTexts, const NameArray& distName) {
    std::vector<std::string> pieces;
    pieces.push_back(line("Input Data: ") + line(asteriskRow));
    for (std::size_t i = 0; i < inputVariables.size(); ++i) {
        pieces.push_back(line(std::string(inputVariables[i].reportLabel) + paramTexts[i] +
                              ") Dist.: " + distName[i]));
    }
    pieces.push_back(line(""));
    return pieces;
}

std::vector<std::string> iterationBlockPieces(int repetition, double effectMean,
                                              double effectStdDev, double resistMean,
                                              double resistStdDev, double safeFraction) {
    return {
        line("Iteration: " + std::to_string(repetition)) + line(asteriskRow),
        meanAndSpreadLine("E", effectMean, effectStdDev),
        meanAndSpreadLine("R", resistMean, resistStdDev),
        line("Result mean: " + formatFixed(safeFraction)),
        line(""),
    };
}

std::vector<std::string> overallBlockPieces(const OverallFigures& o, double totalSimulations) {
    const double failureBound = 1 - o.lowerLimit;
    return {
        line("Overall Result:") + line(asteriskRow),
        meanAndSpreadLine("E", o.effectMean, o.effectStdDev),
        meanAndSpreadLine("R", o.resistMean, o.resistStdDev),
        line("Result mean: " + formatFixed(o.safeMean) +
             " Result St. Dev.: " + formatFixed(o.safeStdDev)),
        line("95% Confidence Limits are " + formatFixed(o.lowerLimit) + " to " +
             formatFixed(o.upperLimit)),
        line("") +
            line("95% certain that probability of failure is: " + formatPercent(failureBound)),
        // An all-safe run leaves a failure bound of 0 and a return period of Infinity.
        line("Is this risk accepatable?? (1 in " + formatEngineering(1 / failureBound) + ")"),
        line("") + line("Total number of simulations was " + formatGeneral(totalSimulations)),
        line("Total time taken was (s) " + formatFixed(o.elapsed)),
        "Time per simulation was (ms) " + formatMilliseconds(o.timePerSimulation * 1000),
    };
}

std::string progressCaption(int done, int planned) {
    // The bar holds single-precision numbers, and the caption shows them as read back.
    return formatSingle(static_cast<float>(done)) + "/" + formatSingle(static_cast<float>(planned));
}

std::vector<std::string> abortBlockPieces() {
    return {
        line(asteriskRow),
        line("Aborting analysis: Faulty Distribution Input Data"),
        line(asteriskRow),
    };
}

}  // namespace ferrolith
