#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "failure_statistics/wilson_interval.hpp"
#include "reliability/form.hpp"
#include "reliability/method_progress.hpp"
#include "reliability/sampling_end.hpp"
#include "reliability/sampling_options.hpp"

namespace ferrolith::reliability {

// Samples a block draws from one stream; the last block takes what is left.
inline constexpr std::int64_t importanceBlockSamples = 1000;

// Blocks before a target coefficient of variation may end the method: one lucky block cannot.
inline constexpr std::int64_t leastTargetBlocks = 2;

// The domain whose probability importance sampling estimates around FORM's design point.
enum class ImportanceEstimator {
    FailureDomain,  // FORM's beta above 0: failure is the rare side
    // Beta at or below 0: the origin fails, so the safe side is the rare one; Pf = 1 - its
    // probability. Weighting the failing samples there gives a Pf above 1.
    SafeDomain,
};

// Samples in the estimated domain that Pf's interval needs: with fewer, the spread of so few
// weights says nothing, and the interval is 0 to 1 without a standard error.
inline constexpr std::int64_t leastIntervalHits = 10;

struct ImportanceSamplingResult {
    std::optional<InputFault> fault;  // faulty data ended the method; no figures
    std::string message;              // set when there are no figures: why
    bool cancelled = false;           // stopped through progress's cancel flag; no figures
    std::uint64_t seed = 0;
    std::int64_t samples = 0;         // drawn
    std::optional<double> targetCov;  // as asked for
    SamplingEnd end = SamplingEnd::Count;
    std::int64_t failures = 0;  // samples in the failure domain
    ImportanceEstimator estimator = ImportanceEstimator::FailureDomain;
    std::int64_t hits = 0;  // samples in the estimated domain
    // Within 0 to 1: the estimated domain's weighted fraction, or 1 less it.
    double failureProbability = std::numeric_limits<double>::quiet_NaN();
    // Of the estimated domain's probability, so Pf's too; NaN below leastIntervalHits.
    double standardError = std::numeric_limits<double>::quiet_NaN();
    std::optional<double> variation;  // standard error / Pf; none without a standard error
    // 95%: the estimated probability -+ 1.96 standard errors within 0 to 1, as Pf; 0 to 1 below
    // leastIntervalHits. It always holds Pf.
    ProbabilityInterval interval;
    double beta = std::numeric_limits<double>::quiet_NaN();  // -Phi^-1(Pf)

    bool hasInterval() const { return hits >= leastIntervalHits; }
};

// What the estimator estimates, in words.
std::string_view estimatorText(ImportanceEstimator estimator);

// Why Pf has no interval, in one line; empty when it has one.
std::string missingInterval(const ImportanceSamplingResult& result);

// The failure probability by sampling a mixture of unit normals centred on FORM's design points
// (SamplingMixture; on the safe side, the nearest alone), each sample in the estimated domain
// weighted by phi(z) / sum_k w_k phi(z - u_k). Block b of importanceBlockSamples samples draws
// from stream importanceStreamBase + b of the seed, and the blocks' sums are added in block order,
// a bounded chunk of blocks at a time: a seed gives the same figures at any thread count, and
// memory does not grow with the samples. With a target coefficient of variation the method stops
// after the first block, from the leastTargetBlocks-th on, at which Pf has an interval and its CoV
// is at or below the target; options.samples is then the cap. The stop is decided in block order,
// so it too is the same at any thread count.
// progress is told of the blocks done and may cancel the method; the figures do not depend on it.
ImportanceSamplingResult importanceSampling(const LimitStateFunction& g, const FormResult& form,
                                            const SamplingOptions& options = {},
                                            const MethodProgress& progress = {});

}  // namespace ferrolith::reliability
