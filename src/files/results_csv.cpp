#include "files/results_csv.hpp"

#include "files/number_text.hpp"

namespace ferrolith {

std::string resultsCsv(const RunResult& run) {
    std::string csv = std::string(resultsCsvHeader) + "\n";
    for (std::size_t i = 0; i < run.repetitions.size(); ++i) {
        const RepetitionFigures& f = run.repetitions[i];
        const RepetitionTally& tally = run.tallies[i];
        csv += std::to_string(i + 1) + "," + std::to_string(tally.seed);
        for (double figure :
             {f.effectMean, f.effectStdDev, f.resistMean, f.resistStdDev, f.safeFraction})
            csv += "," + shortestText(figure);
        csv += "," + std::to_string(tally.failures) + "\n";
    }
    return csv;
}

}  // namespace ferrolith
