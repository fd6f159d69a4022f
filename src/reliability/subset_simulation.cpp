#include "reliability/subset_simulation.hpp"

#include <algorithm>
#include <cmath>

#include "engine/thread_arena.hpp"
#include "failure_statistics/reliability_index.hpp"
#include "reliability/block_parallel.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/subset_run.hpp"

namespace ferrolith::reliability {

namespace {

// The runs' Pf and their coefficients of variation. Each run estimates the same Pf with about the
// same relative spread, so Au and Beck's coefficient of variation of the pool is the runs' root
// mean square one over the root of their count. It leaves out the correlation between levels and
// between chains of shared seeds, and understates the spread (by a third at Pf 1e-6 on the beam,
// half at 1e-9): from leastSpreadRuns runs on, the runs' own spread about their mean is measured
// and taken when it is the larger.
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

namespace {

// Whether a run's outcome ends the method, with why in result.
bool ends(SubsetRunOutcome& outcome, SubsetSimulationResult& result) {
    if (outcome.cancelled) {
        result.cancelled = true;
        result.message = text::cancelled;
    } else if (outcome.fault) {
        result.fault = outcome.fault;
        result.message = std::string(outcome.fault->message);
    } else if (!outcome.message.empty()) {
        result.message = outcome.message;
    }
    return !result.message.empty();
}

// The runs drawn at once: one, whose chains share the threads, or with runs pooled one a thread,
// each drawing its chains alone. The pool takes them in run order and stops at the first that
// meets the target, so the figures do not depend on the count.
int runsAtOnce(const SubsetOptions& options) {
    if (options.runs == 1) return 1;
    return options.threads > 0 ? options.threads : defaultThreadCount();
}

}  // namespace

SubsetSimulationResult subsetSimulation(const LimitStateFunction& g, const SubsetOptions& options,
                                        const MethodProgress& progress) {
    SubsetSimulationResult result;
    result.seed = options.seed;
    result.samples = options.samples;
    result.levelProbability = options.levelProbability;
    result.targetCov = options.targetCov;
    result.message = subsetOptionsFault(options);
    if (!result.message.empty()) return result;
    const int batch = runsAtOnce(options);
    SubsetOptions runOptions = options;
    if (batch > 1) runOptions.threads = 1;
    // Pooled runs tell progress once each is pooled; one run tells it of its chains.
    const MethodProgress runProgress =
        batch > 1 ? MethodProgress{nullptr, progress.cancel} : progress;
    Pool pool;
    std::int64_t drawn = 0;
    for (int first = 0; first < options.runs; first += batch) {
        const int count = std::min(batch, options.runs - first);
        std::vector<SubsetRunOutcome> outcomes(static_cast<std::size_t>(count));
        const std::int64_t start = drawn;
        std::vector<std::int64_t> drawnBy(outcomes.size(), start);
        forEachBlock(options.threads, outcomes.size(), [&](std::size_t b) {
            outcomes[b] =
                subsetRun(g, runOptions, first + static_cast<int>(b), runProgress, drawnBy[b]);
        });
        for (std::size_t b = 0; b < outcomes.size(); ++b) {
            if (ends(outcomes[b], result)) return result;
            drawn += drawnBy[b] - start;
            result.evaluations += outcomes[b].run.evaluations;
            pool.add(outcomes[b].run);
            result.runs.push_back(std::move(outcomes[b].run));
            if (batch > 1 && progress.update) progress.update(drawn, drawn);
            if (options.targetCov && pool.variation() <= *options.targetCov) {
                result.end = SamplingEnd::TargetCov;
                fillFigures(result, pool);
                return result;
            }
        }
    }
    if (options.targetCov) result.end = SamplingEnd::Cap;
    fillFigures(result, pool);
    return result;
}

}  // namespace ferrolith::reliability
