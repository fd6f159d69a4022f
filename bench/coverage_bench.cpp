// How often the sampling methods' stated 95% intervals hold a reference Pf over many seeds, on the
// window's defaults with AllowableStress "75,3" (Pf about 1.34e-6): importance sampling at 2000
// samples and subset simulation at 1000 samples a level, one run. Beside each: the mean Pf over
// the seeds against the reference, and the seeds' own coefficient of variation against the mean
// stated one; and subset simulation pooled to a 10% CoV on every fifth seed. scripts/bench runs it.
//
//   ferrolith_coverage [SEEDS]    seeds 1 to SEEDS (default 1000)
//
// The reference is OpenTURNS 1.20's importance sampling at FORM's design point to a 0.2%
// coefficient of variation (1,474,000 samples):
//   /usr/bin/python3 openturns_beam.py --param AllowableStress=75,3 --cov 0.002
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "failure_statistics/wilson_interval.hpp"
#include "reliability/beam_space.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/subset_simulation.hpp"

namespace ferrolith::reliability {
namespace {

constexpr double referencePf = 1.3414950906983534e-06;

BeamSpace coverageBeam() {
    NameArray names;
    for (std::string& n : names) n = "Normal";
    return BeamSpace(
        BeamInputs({4, 75, 225, 75, 2, 10, 4}, {0.05, 10, 10, 3, 0.25, 1.5, 2.5}, names));
}

// One seed's estimate: Pf, its stated coefficient of variation and 95% interval.
struct Estimate {
    double pf;
    double variation;
    ProbabilityInterval interval;
};

void printSummary(const char* method, const std::vector<Estimate>& estimates) {
    const auto n = static_cast<std::int64_t>(estimates.size());
    std::int64_t held = 0;
    double sum = 0.0, squares = 0.0, stated = 0.0;
    for (const Estimate& e : estimates) {
        held += e.interval.lower <= referencePf && referencePf <= e.interval.upper ? 1 : 0;
        sum += e.pf;
        stated += e.variation;
    }
    const double mean = sum / static_cast<double>(n);
    for (const Estimate& e : estimates) squares += (e.pf - mean) * (e.pf - mean);
    const double spread = std::sqrt(squares / static_cast<double>(n - 1)) / mean;
    const ProbabilityInterval coverage = wilsonInterval(held, n);
    std::printf("| %s | %lld | %.1f%% (%.1f%% to %.1f%%) | %.4f | %.3f | %.3f |\n", method,
                static_cast<long long>(n),
                100.0 * static_cast<double>(held) / static_cast<double>(n), 100.0 * coverage.lower,
                100.0 * coverage.upper, mean / referencePf, spread,
                stated / static_cast<double>(n));
}

// Runs pooled to a target take some twenty runs each: every fifth seed is enough to judge them.
constexpr int pooledSeedStep = 5;
constexpr double pooledTargetCov = 0.1;

int run(int seeds) {
    const LimitStateFunction g = coverageBeam().limitState();
    const FormResult f = form(g);
    if (!f.converged) {
        std::fprintf(stderr, "FORM found no design point: %s\n", f.message.c_str());
        return 1;
    }
    std::vector<Estimate> importance, subset, pooled;
    for (int seed = 1; seed <= seeds; ++seed) {
        const auto s = static_cast<std::uint64_t>(seed);
        const ImportanceSamplingResult i = importanceSampling(g, f, {s, 2000, 1});
        importance.push_back({i.failureProbability, i.variation.value_or(NAN), i.interval});
        SubsetOptions options;
        options.seed = s;
        options.threads = 1;
        const SubsetSimulationResult r = subsetSimulation(g, options);
        subset.push_back({r.failureProbability, r.variation, r.interval});
        if (seed % pooledSeedStep == 0) {
            options.runs = targetSubsetRuns;
            options.targetCov = pooledTargetCov;
            const SubsetSimulationResult p = subsetSimulation(g, options);
            pooled.push_back({p.failureProbability, p.variation, p.interval});
        }
    }
    std::printf("Reference Pf %.4e (OpenTURNS importance sampling, CoV 0.2%%); FORM Pf %.4e\n\n",
                referencePf, f.failureProbability);
    std::printf(
        "| method | seeds | 95%% interval held the reference (its 95%% interval) | "
        "mean Pf / reference | CoV over the seeds | mean stated CoV |\n");
    std::printf("|---|---|---|---|---|---|\n");
    printSummary("importance sampling, 2000 samples", importance);
    printSummary("subset simulation, 1000 samples a level, one run", subset);
    printSummary("subset simulation, runs pooled to a CoV of 10% (every fifth seed)", pooled);
    return 0;
}

}  // namespace
}  // namespace ferrolith::reliability

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (seeds < 2) {
        std::fprintf(stderr, "usage: ferrolith_coverage [SEEDS], SEEDS at least 2\n");
        return 2;
    }
    return ferrolith::reliability::run(seeds);
}
