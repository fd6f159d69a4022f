#include "reliability/importance_sampling.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "failure_statistics/reliability_index.hpp"
#include "reliability/block_parallel.hpp"
#include "reliability/normal_stream.hpp"
#include "reliability/reliability_text.hpp"

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

BlockSums sampleBlock(const LimitStateFunction& g, const std::vector<double>& centre,
                      ImportanceEstimator estimator, std::uint64_t seed, std::uint64_t block,
                      std::int64_t count) {
    NormalStream normals(seed, importanceStreamBase + block);
    double centreSquares = 0.0;
    for (double c : centre) centreSquares += c * c;
    const bool countsFailures = estimator == ImportanceEstimator::FailureDomain;
    std::vector<double> z(centre.size());
    BlockSums sums;
    for (std::int64_t s = 0; s < count; ++s) {
        double shift = 0.0;  // z . u*
        for (std::size_t i = 0; i < z.size(); ++i) {
            z[i] = centre[i] + normals.next();
            shift += z[i] * centre[i];
        }
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
        // phi(z) / phi(z - u*) = exp(|u*|^2 / 2 - z . u*)
        const double w = std::exp(0.5 * centreSquares - shift);
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

// The blocks' sums added in block order, up to the first block that met faulty data.
struct Totals {
    BlockSums sums;

    // False once a block met faulty data: it ends the method.
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
        return true;
    }
};

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
    if (const std::string_view why = missingDesignPoint(form, g.dimension); !why.empty()) {
        result.fault = form.fault;
        result.message = why;
        return result;
    }
    if (options.samples < 1) {
        result.message = text::needsSamples;
        return result;
    }
    result.estimator =
        form.beta > 0.0 ? ImportanceEstimator::FailureDomain : ImportanceEstimator::SafeDomain;
    const std::int64_t blocks = (options.samples - 1) / importanceBlockSamples + 1;
    Totals totals;
    const bool complete = reduceBlocks(
        options.threads, static_cast<std::size_t>(blocks), reducedChunkBlocks, progress,
        [&](std::size_t b) {
            const std::int64_t first = static_cast<std::int64_t>(b) * importanceBlockSamples;
            const std::int64_t count = std::min(importanceBlockSamples, options.samples - first);
            return sampleBlock(g, form.designPoint, result.estimator, options.seed, b, count);
        },
        [&](const BlockSums& s) { return totals.add(s); });
    if (!complete) {
        result.cancelled = true;
        result.message = text::cancelled;
        return result;
    }
    const BlockSums& sums = totals.sums;
    if (sums.fault) {
        result.fault = sums.fault;
        result.message = std::string(sums.fault->message);
        return result;
    }
    result.samples = sums.samples;
    result.failures = sums.failures;
    result.hits = sums.hits;
    fillFigures(result, sums.weights, sums.squaredWeights);
    return result;
}

}  // namespace ferrolith::reliability
