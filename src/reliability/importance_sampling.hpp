#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "failure_statistics/wilson_interval.hpp"
#include "reliability/form.hpp"
#include "reliability/method_progress.hpp"

namespace ferrolith::reliability {

// At a nearly flat design point a sample's coefficient of variation is about
// sqrt(1.25 beta - 1), 2.4 at beta 5.2: these give about 1.3% there, in well under a second.
inline constexpr std::int64_t defaultImportanceSamples = 40000;

// The most samples a caller asks for: about a minute of sampling.
inline constexpr std::int64_t largestImportanceSamples = 1'000'000'000;

// Samples a block draws from one stream; the last block takes what is left.
inline constexpr std::int64_t importanceBlockSamples = 1000;

struct SamplingOptions {
    std::uint64_t seed = 1;
    std::int64_t samples = defaultImportanceSamples;
    int threads = 0;  // 0: as many as the machine has; the figures do not depend on it
};

struct ImportanceSamplingResult {
    std::optional<InputFault> fault;  // faulty data ended the method; no figures
    std::string message;              // set when there are no figures: why
    bool cancelled = false;           // stopped through progress's cancel flag; no figures
    std::uint64_t seed = 0;
    std::int64_t samples = 0;
    std::int64_t failures = 0;  // samples in the failure domain
    double failureProbability = std::numeric_limits<double>::quiet_NaN();
    double standardError = std::numeric_limits<double>::quiet_NaN();
    std::optional<double> variation;  // standard error / Pf; none without failures
    ProbabilityInterval interval;     // 95%: Pf -+ 1.96 standard errors, within 0 to 1
    double beta = std::numeric_limits<double>::quiet_NaN();  // -Phi^-1(Pf)
};

// The failure probability by sampling the standard normal density shifted to FORM's design
// point, each failing sample weighted by phi(z) / phi(z - u*). Block b of
// importanceBlockSamples samples draws from stream importanceStreamBase + b of the seed, and the
// blocks' sums are added in block order: a seed gives the same figures at any thread count.
// progress is told of the blocks done and may cancel the method; the figures do not depend on it.
ImportanceSamplingResult importanceSampling(const LimitStateFunction& g, const FormResult& form,
                                            const SamplingOptions& options = {},
                                            const MethodProgress& progress = {});

}  // namespace ferrolith::reliability
