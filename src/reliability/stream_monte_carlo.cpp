#include "reliability/stream_monte_carlo.hpp"

#include "reliability/block_parallel.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/stream_repetition.hpp"

namespace ferrolith::reliability {

StreamMonteCarloResult streamMonteCarlo(const BeamSpace& space,
                                        const StreamMonteCarloOptions& options,
                                        const MethodProgress& progress) {
    StreamMonteCarloResult result;
    result.seed = options.seed;
    result.plannedRepetitions = options.repetitions;
    if (options.repetitions < 1 || options.samples < 1) {
        result.message = text::needsCounts;
        return result;
    }
    std::vector<RepetitionOutcome> outcomes(static_cast<std::size_t>(options.repetitions));
    const bool complete =
        forEachBlock(options.threads, outcomes.size(), progress, [&](std::size_t r) {
            outcomes[r] =
                streamRepetition(space, options.seed, static_cast<int>(r) + 1, options.samples);
        });
    if (!complete) {
        result.cancelled = true;
        result.message = text::cancelled;
        return result;
    }
    for (RepetitionOutcome& o : outcomes) {
        if (o.fault) {
            result.fault = o.fault;
            break;
        }
        result.repetitions.push_back(o.repetition);
    }
    return result;
}

std::optional<FailureFigures> streamFigures(const StreamMonteCarloResult& result) {
    std::vector<RepetitionTally> tallies;
    std::vector<double> fractions;
    for (const StreamRepetition& r : result.repetitions) {
        tallies.push_back(r.tally);
        fractions.push_back(static_cast<double>(r.tally.failures) /
                            static_cast<double>(r.tally.samples));
    }
    const RunStatus status = result.fault ? RunStatus::Aborted : RunStatus::Completed;
    auto figures = failureFigures(tallies, result.plannedRepetitions, status);
    if (figures) figures->streams = averagesSpread(fractions);
    return figures;
}

}  // namespace ferrolith::reliability
