#include "reliability/importance_sampling.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/thread_arena.hpp"
#include "failure_statistics/reliability_index.hpp"
#include "reliability/block_parallel.hpp"
#include "reliability/normal_stream.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/sampling_mixture.hpp"

namespace ferrolith::reliability {

namespace {

struct BlockSums {
    std::int64_t samples = 0;
    std::int64_t failures = 0;
    std::int64_t hits = 0;
    double weights = 0.0;  // of the samples in the estimated domain
    double squaredWeights = 0.0;
    std::optional<InputFault> fault;
};

BlockSums sampleBlock(const LimitStateFunction& g, const SamplingMixture& mixture,
                      ImportanceEstimator estimator, std::uint64_t seed, std::uint64_t block,
                      std::int64_t count) {
    NormalStream normals(seed, importanceStreamBase + block);
    const bool countsFailures = estimator == ImportanceEstimator::FailureDomain;
    std::vector<double> z(mixture.dimension());
    BlockSums sums;
    for (std::int64_t s = 0; s < count; ++s) {
        mixture.draw(normals, z);
        double value = 0.0;
        try {
            value = g.value(z);
        } catch (const InputFaultError& e) {
            sums.fault = e.fault();
            return sums;
        }
        ++sums.samples;
        const bool failing = fails(value);
        if (failing) ++sums.failures;
        if (failing != countsFailures) continue;
        const double w = mixture.weight(z);
        ++sums.hits;
        sums.weights += w;
        sums.squaredWeights += w * w;
    }
    return sums;
}

// The estimated domain's probability as Pf: a weighted mean may pass 1, Pf may not.
double asFailureProbability(double probability, ImportanceEstimator estimator) {
    const double clipped = std::clamp(probability, 0.0, 1.0);
    return estimator == ImportanceEstimator::FailureDomain ? clipped : 1.0 - clipped;
}

void fillFigures(ImportanceSamplingResult& r, double weights, double squaredWeights) {
    const double n = static_cast<double>(r.samples);
    const double estimated = weights / n;
    r.failureProbability = asFailureProbability(estimated, r.estimator);
    r.beta = reliabilityIndex(r.failureProbability);
    if (!r.hasInterval()) {
        r.interval = {0.0, 1.0};
        return;
    }
    const double variance = std::max(0.0, (squaredWeights - weights * weights / n) / (n - 1));
    r.standardError = std::sqrt(variance / n);
    r.variation = r.standardError / r.failureProbability;
    const double half = interval95Z * r.standardError;
    const double low = asFailureProbability(estimated - half, r.estimator);
    const double high = asFailureProbability(estimated + half, r.estimator);
    r.interval = {std::min(low, high), std::max(low, high)};
}

// The figures of the sums so far.
void fillFromSums(ImportanceSamplingResult& r, const BlockSums& sums) {
    r.samples = sums.samples;
    r.failures = sums.failures;
    r.hits = sums.hits;
    fillFigures(r, sums.weights, sums.squaredWeights);
}

// The blocks' sums added in block order, up to the first block that met faulty data or, with a
// target, the first after which Pf's coefficient of variation is at or below it.
struct Totals {
    ImportanceEstimator estimator;
    std::optional<double> target = std::nullopt;
    BlockSums sums = {};
    std::int64_t blocks = 0;
    bool reached = false;

    // False once a block met faulty data or the target is reached: either ends the method.
    bool add(const BlockSums& s) {
        if (s.fault) {
            sums.fault = s.fault;
            return false;
        }
        sums.samples += s.samples;
        sums.failures += s.failures;
        sums.hits += s.hits;
        sums.weights += s.weights;
        sums.squaredWeights += s.squaredWeights;
        ++blocks;
        reached = target && reachesTarget();
        return !reached;
    }

    // A lucky first block, or a few hits whose spread says nothing, cannot end the method.
    bool reachesTarget() const {
        if (blocks < leastTargetBlocks || sums.hits < leastIntervalHits) return false;
        ImportanceSamplingResult r;
        r.estimator = estimator;
        fillFromSums(r, sums);
        return r.variation && *r.variation <= *target;
    }
};

// The blocks of a chunk when a target may end the method: an eighth of those done, so that a
// stop wastes little, but at least one a thread and at most reducedChunkBlocks.
std::size_t targetChunkBlocks(std::size_t done, int threads) {
    const auto least = static_cast<std::size_t>(threads > 0 ? threads : defaultThreadCount());
    return std::clamp(done / 8, least, std::max(least, reducedChunkBlocks));
}

// The design points the samples are drawn around: every one found on the failure side, the
// nearest alone on the safe side (its estimator needs one centre).
std::vector<DesignPoint> samplingCentres(const FormResult& form, ImportanceEstimator estimator) {
    if (estimator == ImportanceEstimator::FailureDomain && form.designPoints.size() > 1)
        return form.designPoints;
    return {{form.beta, form.designPoint, form.alpha, form.gradientNorm}};
}

// Why the options or FORM's points cannot be sampled; empty when they can.
std::string_view badInput(const FormResult& form, const SamplingOptions& options, int dimension) {
    if (const std::string_view why = missingDesignPoint(form, dimension); !why.empty()) return why;
    for (const DesignPoint& p : form.designPoints)
        if (p.point.size() != static_cast<std::size_t>(dimension)) return text::otherDimension;
    if (options.samples < 1) return text::needsSamples;
    if (options.targetCov && !isTargetCov(*options.targetCov)) return text::badTargetCov;
    return {};
}

}  // namespace

std::string_view estimatorText(ImportanceEstimator estimator) {
    return estimator == ImportanceEstimator::FailureDomain ? text::failureDomainEstimator
                                                           : text::safeDomainEstimator;
}

std::string missingInterval(const ImportanceSamplingResult& result) {
    if (result.hasInterval()) return {};
    return text::tooFewHits(result.hits, result.estimator == ImportanceEstimator::FailureDomain,
                            leastIntervalHits);
}

ImportanceSamplingResult importanceSampling(const LimitStateFunction& g, const FormResult& form,
                                            const SamplingOptions& options,
                                            const MethodProgress& progress) {
    ImportanceSamplingResult result;
    result.seed = options.seed;
    result.targetCov = options.targetCov;
    if (const std::string_view why = badInput(form, options, g.dimension); !why.empty()) {
        result.fault = form.fault;
        result.message = why;
        return result;
    }
    result.estimator =
        form.beta > 0.0 ? ImportanceEstimator::FailureDomain : ImportanceEstimator::SafeDomain;
    const SamplingMixture mixture(samplingCentres(form, result.estimator));
    const std::int64_t blocks = (options.samples - 1) / importanceBlockSamples + 1;
    Totals totals{result.estimator, options.targetCov};
    const bool complete = reduceBlocksInChunks(
        options.threads, static_cast<std::size_t>(blocks),
        [&](std::size_t done) {
            return options.targetCov ? targetChunkBlocks(done, options.threads)
                                     : reducedChunkBlocks;
        },
        progress,
        [&](std::size_t b) {
            const std::int64_t first = static_cast<std::int64_t>(b) * importanceBlockSamples;
            const std::int64_t count = std::min(importanceBlockSamples, options.samples - first);
            return sampleBlock(g, mixture, result.estimator, options.seed, b, count);
        },
        [&](const BlockSums& s) { return totals.add(s); });
    if (!complete) {
        result.cancelled = true;
        result.message = text::cancelled;
        return result;
    }
    if (totals.sums.fault) {
        result.fault = totals.sums.fault;
        result.message = std::string(totals.sums.fault->message);
        return result;
    }
    if (options.targetCov) result.end = totals.reached ? SamplingEnd::TargetCov : SamplingEnd::Cap;
    fillFromSums(result, totals.sums);
    return result;
}

}  // namespace ferrolith::reliability
