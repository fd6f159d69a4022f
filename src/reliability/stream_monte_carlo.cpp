#include "reliability/stream_monte_carlo.hpp"

#include "engine/tally_accumulator.hpp"
#include "model/sample_statistics.hpp"
#include "reliability/block_parallel.hpp"
#include "reliability/normal_stream.hpp"
#include "reliability/reliability_text.hpp"

namespace ferrolith::reliability {

namespace {

struct RepetitionOutcome {
    StreamRepetition repetition;
    std::optional<StreamFault> fault;
};

struct RepetitionSums {
    RunningSums effect;
    RunningSums resist;
    double safe = 0.0;
    TallyAccumulator tally;
};

StreamRepetition repetitionFigures(const RepetitionSums& sums, std::uint64_t stream, int n) {
    StreamRepetition r;
    r.stream = stream;
    r.effectMean = meanFromSum(sums.effect.sum, n);
    r.effectStdDev = stdDevFromSums(sums.effect.sum, sums.effect.sumSq, n);
    r.resistMean = meanFromSum(sums.resist.sum, n);
    r.resistStdDev = stdDevFromSums(sums.resist.sum, sums.resist.sumSq, n);
    r.safeFraction = meanFromSum(sums.safe, n);
    r.tally = sums.tally.collapse(0);
    return r;
}

RepetitionOutcome runRepetition(const BeamSpace& space, std::uint64_t seed, int repetition,
                                int samples) {
    const auto stream = static_cast<std::uint64_t>(repetition);
    NormalStream normals(seed, stream);
    std::array<double, largestDimension> z{};
    RepetitionSums sums;
    for (int s = 1; s <= samples; ++s) {
        for (int i = 0; i < space.dimension(); ++i) z[i] = normals.next();
        const PhysicalPoint point = space.physical(
            std::span<const double>(z.data(), static_cast<std::size_t>(space.dimension())));
        if (point.fault) return {{}, StreamFault{*point.fault, repetition, s}};
        const auto values = effectAndResistance(point.values);
        const bool safe = values.resistance > values.effect;
        sums.effect.add(values.effect);
        sums.resist.add(values.resistance);
        sums.safe = sums.safe + (safe ? 1.0 : 0.0);
        sums.tally.add(s, point.values, !safe);
    }
    return {repetitionFigures(sums, stream, samples), std::nullopt};
}

}  // namespace

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
                runRepetition(space, options.seed, static_cast<int>(r) + 1, options.samples);
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
