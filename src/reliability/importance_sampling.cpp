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
    double weights = 0.0;  // of the failing samples
    double squaredWeights = 0.0;
    std::optional<InputFault> fault;
};

BlockSums sampleBlock(const LimitStateFunction& g, const std::vector<double>& centre,
                      std::uint64_t seed, std::uint64_t block, std::int64_t count) {
    NormalStream normals(seed, importanceStreamBase + block);
    double centreSquares = 0.0;
    for (double c : centre) centreSquares += c * c;
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
        if (!fails(value)) continue;
        // phi(z) / phi(z - u*) = exp(|u*|^2 / 2 - z . u*)
        const double w = std::exp(0.5 * centreSquares - shift);
        ++sums.failures;
        sums.weights += w;
        sums.squaredWeights += w * w;
    }
    return sums;
}

void fillFigures(ImportanceSamplingResult& r, double weights, double squaredWeights) {
    const double n = static_cast<double>(r.samples);
    r.failureProbability = weights / n;
    const double variance = std::max(0.0, (squaredWeights - weights * weights / n) / (n - 1));
    r.standardError = r.samples > 1 ? std::sqrt(variance / n) : 0.0;
    if (r.failures > 0) r.variation = r.standardError / r.failureProbability;
    const double half = interval95Z * r.standardError;
    r.interval = {std::max(0.0, r.failureProbability - half),
                  std::min(1.0, r.failureProbability + half)};
    r.beta = reliabilityIndex(r.failureProbability);
}

// Every block's sums; none when the method was cancelled before all were done.
std::optional<std::vector<BlockSums>> sampleBlocks(const LimitStateFunction& g,
                                                   const std::vector<double>& centre,
                                                   const SamplingOptions& options,
                                                   const MethodProgress& progress) {
    const std::int64_t blocks = (options.samples - 1) / importanceBlockSamples + 1;
    std::vector<BlockSums> sums(static_cast<std::size_t>(blocks));
    const bool complete = forEachBlock(options.threads, sums.size(), progress, [&](std::size_t b) {
        const std::int64_t first = static_cast<std::int64_t>(b) * importanceBlockSamples;
        const std::int64_t count = std::min(importanceBlockSamples, options.samples - first);
        sums[b] = sampleBlock(g, centre, options.seed, b, count);
    });
    if (!complete) return std::nullopt;
    return sums;
}

// The blocks' sums added in block order; the first block that met faulty data ends the method.
void combine(ImportanceSamplingResult& result, const std::vector<BlockSums>& sums) {
    double weights = 0.0;
    double squaredWeights = 0.0;
    for (const BlockSums& s : sums) {
        if (s.fault) {
            result.fault = s.fault;
            result.message = std::string(s.fault->message);
            return;
        }
        result.samples += s.samples;
        result.failures += s.failures;
        weights += s.weights;
        squaredWeights += s.squaredWeights;
    }
    fillFigures(result, weights, squaredWeights);
}

}  // namespace

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
    const auto sums = sampleBlocks(g, form.designPoint, options, progress);
    if (!sums) {
        result.cancelled = true;
        result.message = text::cancelled;
        return result;
    }
    combine(result, *sums);
    return result;
}

}  // namespace ferrolith::reliability
