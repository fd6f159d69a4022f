#include "report/overall_figures.hpp"

#include <tuple>

#include "model/sample_statistics.hpp"
#include "report/confidence_limits.hpp"

namespace ferrolith {

namespace {

std::pair<double, double> overRepetitions(const std::vector<RepetitionFigures>& repetitions,
                                          double RepetitionFigures::*figure) {
    RunningSums sums;
    for (const RepetitionFigures& r : repetitions) sums.add(r.*figure);
    const int n = static_cast<int>(repetitions.size());
    return {meanFromSum(sums.sum, n), stdDevFromSums(sums.sum, sums.sumSq, n)};
}

}  // namespace

OverallFigures overallFigures(const std::vector<RepetitionFigures>& repetitions,
                              double totalSimulations) {
    OverallFigures o;
    std::tie(o.effectMean, o.effectStdDev) =
        overRepetitions(repetitions, &RepetitionFigures::effectMean);
    std::tie(o.resistMean, o.resistStdDev) =
        overRepetitions(repetitions, &RepetitionFigures::resistMean);
    std::tie(o.safeMean, o.safeStdDev) =
        overRepetitions(repetitions, &RepetitionFigures::safeFraction);
    const ConfidenceLimits limits = safeFractionLimits(o.safeMean, totalSimulations);
    o.upperLimit = limits.upper;
    o.lowerLimit = limits.lower;
    return o;
}

}  // namespace ferrolith
