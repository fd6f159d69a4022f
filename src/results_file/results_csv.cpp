#include "results_file/results_csv.hpp"

#include "results_file/number_text.hpp"

namespace ferrolith {

std::string resultsCsv(const RunState& state) {
    std::string csv = std::string(resultsCsvHeader) + "\n";
    for (std::size_t i = 0; i < state.repetitionTallies.size(); ++i) {
        const std::size_t r = i + 1;  // the run arrays hold repetition r in slot r
        const RepetitionTally& tally = state.repetitionTallies[i];
        csv += std::to_string(r) + "," + std::to_string(tally.seed);
        for (double figure : {state.effectMean[r], state.effectStdDev[r], state.resistMean[r],
                              state.resistStdDev[r], state.safeFraction[r]})
            csv += "," + shortestText(figure);
        csv += "," + std::to_string(tally.failures) + "\n";
    }
    return csv;
}

}  // namespace ferrolith
