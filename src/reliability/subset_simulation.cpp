#include "reliability/subset_simulation.hpp"

#include <algorithm>
#include <cmath>

#include "failure_statistics/reliability_index.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/subset_run.hpp"

namespace ferrolith::reliability {

namespace {

// The runs' Pf and their coefficients of variation. Each run estimates the same Pf with about the
// same relative spread, so Au and Beck's coefficient of variation of the pool is the runs' root
// mean square one over the root of their count. It leaves out the correlation between levels and
// between chains of shared seeds, and understates the spread about twice: from
// leastSpreadRuns runs on, the runs' own spread about their mean is measured and taken when it
// is the larger.
struct Pool {
    double sum = 0.0;
    double squares = 0.0;  // of the runs' Pf
    double squaredVariations = 0.0;
    int runs = 0;

    void add(const SubsetRun& run) {
        sum += run.failureProbability;
        squares += run.failureProbability * run.failureProbability;
        squaredVariations += run.variation * run.variation;
        ++runs;
    }
    double mean() const { return sum / runs; }
    double variation() const {
        const double stated = std::sqrt(squaredVariations) / runs;
        if (runs < leastSpreadRuns) return stated;
        const double n = runs;
        const double variance = std::max(0.0, (squares - sum * sum / n) / (n - 1.0));
        return std::max(stated, std::sqrt(variance / n) / mean());
    }
};

void fillFigures(SubsetSimulationResult& r, const Pool& pool) {
    r.failureProbability = pool.mean();
    r.variation = pool.variation();
    r.beta = reliabilityIndex(r.failureProbability);
    const double s = std::sqrt(std::log1p(r.variation * r.variation));
    r.interval = {r.failureProbability * std::exp(-interval95Z * s),
                  std::min(1.0, r.failureProbability * std::exp(interval95Z * s))};
}

// Whether the levels split into chains: p0 N whole and dividing N.
bool wholeChains(std::int64_t samples, double p0) {
    const double chains = p0 * static_cast<double>(samples);
    const auto whole = std::llround(chains);
    return whole >= 1 && std::abs(chains - static_cast<double>(whole)) < 1e-9 * chains &&
           samples % whole == 0;
}

}  // namespace

const char* covNote(const SubsetSimulationResult& result) {
    return std::ssize(result.runs) < leastSpreadRuns ? text::subsetCovNote : text::subsetSpreadNote;
}

std::string subsetOptionsFault(const SubsetOptions& o) {
    if (o.samples < 2 || o.samples > largestSubsetSamples)
        return text::subsetSamplesRange(largestSubsetSamples);
    if (!(o.levelProbability > 0.0 && o.levelProbability <= 0.5))
        return text::levelProbabilityRange;
    if (!wholeChains(o.samples, o.levelProbability)) return text::subsetChains;
    if (o.levelCap < 1 || o.levelCap > largestLevelCap) return text::levelCapRange(largestLevelCap);
    if (o.runs < 1 || o.runs > largestSubsetRuns) return text::subsetRunsRange(largestSubsetRuns);
    if (o.targetCov && !(*o.targetCov > 0.0 && std::isfinite(*o.targetCov)))
        return text::targetCovRange;
    return {};
}

SubsetSimulationResult subsetSimulation(const LimitStateFunction& g, const SubsetOptions& options,
                                        const MethodProgress& progress) {
    SubsetSimulationResult result;
    result.seed = options.seed;
    result.samples = options.samples;
    result.levelProbability = options.levelProbability;
    result.targetCov = options.targetCov;
    result.message = subsetOptionsFault(options);
    if (!result.message.empty()) return result;
    Pool pool;
    std::int64_t drawn = 0;
    for (int r = 0; r < options.runs; ++r) {
        SubsetRunOutcome outcome = subsetRun(g, options, r, progress, drawn);
        if (outcome.cancelled) {
            result.cancelled = true;
            result.message = text::cancelled;
            return result;
        }
        if (outcome.fault) {
            result.fault = outcome.fault;
            result.message = std::string(outcome.fault->message);
            return result;
        }
        if (!outcome.message.empty()) {
            result.message = outcome.message;
            return result;
        }
        result.evaluations += outcome.run.evaluations;
        pool.add(outcome.run);
        result.runs.push_back(std::move(outcome.run));
        if (options.targetCov && pool.variation() <= *options.targetCov) {
            result.end = SamplingEnd::TargetCov;
            break;
        }
    }
    if (options.targetCov && result.end != SamplingEnd::TargetCov) result.end = SamplingEnd::Cap;
    fillFigures(result, pool);
    return result;
}

}  // namespace ferrolith::reliability
