// The reliability methods on the beam: FORM's time, samples a second of importance sampling and
// of Monte Carlo with independent streams, on one thread and on all, the time importance
// sampling takes to a 5% coefficient of variation at Pf about 1e-7 and 1e-9, and the time subset
// simulation takes to a 10% one at Pf about 1e-9.
#include <benchmark/benchmark.h>

#include "model/parse_parameter.hpp"
#include "reliability/beam_space.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/normal_stream.hpp"
#include "reliability/sorm.hpp"
#include "reliability/stream_monte_carlo.hpp"
#include "reliability/subset_simulation.hpp"

namespace ferrolith::reliability {
namespace {

// The window's defaults, all Normal, with AllowableStress "stress,3": Pf about 9.25e-8 at 90 and
// about 1.04e-9 at 128.
BeamSpace stressBeam(double stress) {
    NameArray names;
    for (std::string& n : names) n = "Normal";
    return BeamSpace(
        BeamInputs({4, 75, 225, stress, 2, 10, 4}, {0.05, 10, 10, 3, 0.25, 1.5, 2.5}, names));
}

BeamSpace rareBeam() { return stressBeam(90); }

// The same with every distribution the sampler has.
BeamSpace mixedBeam() {
    NameArray names{"Log-Normal", "Normal", "Gumbel", "Gamma", "Normal", "Poisson", "Log-Normal"};
    return BeamSpace(BeamInputs({1.386, 75, 220, 0.05, 2, 12, 1.3},
                                {0.0125, 10, 0.2, 0.5, 0.25, 2, 0.5}, names));
}

void formTime(benchmark::State& state, BeamSpace (*beam)()) {
    const LimitStateFunction g = beam().limitState();
    for (auto _ : state) benchmark::DoNotOptimize(form(g));
}
BENCHMARK_CAPTURE(formTime, Rare, rareBeam)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(formTime, Mixed, mixedBeam)->Unit(benchmark::kMicrosecond);

void sormTime(benchmark::State& state) {
    const LimitStateFunction g = rareBeam().limitState();
    const FormResult f = form(g);
    for (auto _ : state) benchmark::DoNotOptimize(sorm(g, f));
}
BENCHMARK(sormTime)->Unit(benchmark::kMicrosecond);

// Arguments: threads (0: all).
void importanceSamples(benchmark::State& state) {
    const LimitStateFunction g = rareBeam().limitState();
    const FormResult f = form(g);
    const SamplingOptions options{1, defaultImportanceSamples, static_cast<int>(state.range(0))};
    for (auto _ : state) benchmark::DoNotOptimize(importanceSampling(g, f, options));
    state.SetItemsProcessed(state.iterations() * defaultImportanceSamples);
}
BENCHMARK(importanceSamples)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// FORM and then importance sampling to a 5% coefficient of variation (at most a million samples),
// on all threads. The counter crudeSamples is what plain Monte Carlo needs for the same:
// (1 - Pf) / (0.05^2 Pf).
void timeToFivePercent(benchmark::State& state, double stress) {
    const LimitStateFunction g = stressBeam(stress).limitState();
    ImportanceSamplingResult last;
    for (auto _ : state) last = importanceSampling(g, form(g), {1, 1'000'000, 0, 0.05});
    const double pf = last.failureProbability;
    state.counters["samples"] = static_cast<double>(last.samples);
    state.counters["pf"] = pf;
    state.counters["cov"] = last.variation.value_or(0.0);
    state.counters["crudeSamples"] = (1 - pf) / (0.05 * 0.05 * pf);
}
BENCHMARK_CAPTURE(timeToFivePercent, Pf1e7, 90.0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(timeToFivePercent, Pf1e9, 128.0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arguments: threads (0: all); 25 repetitions of 1000 samples.
void streamSamples(benchmark::State& state, BeamSpace (*beam)()) {
    const BeamSpace space = beam();
    const StreamMonteCarloOptions options{1, 25, 1000, static_cast<int>(state.range(0))};
    for (auto _ : state) benchmark::DoNotOptimize(streamMonteCarlo(space, options));
    state.SetItemsProcessed(state.iterations() * 25 * 1000);
}
BENCHMARK_CAPTURE(streamSamples, Rare, rareBeam)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(streamSamples, Mixed, mixedBeam)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Subset simulation pooling runs of 1000 samples a level until its coefficient of variation is
// 10%, at Pf about 1e-9, on all threads; the counters give the runs and the evaluations.
void subsetToTenPercent(benchmark::State& state) {
    const LimitStateFunction g = stressBeam(128).limitState();
    SubsetOptions options;
    options.runs = largestSubsetRuns;
    options.targetCov = 0.1;
    SubsetSimulationResult r;
    for (auto _ : state) r = subsetSimulation(g, options);
    state.counters["runs"] = static_cast<double>(r.runs.size());
    state.counters["evaluations"] = static_cast<double>(r.evaluations);
    state.counters["pf"] = r.failureProbability;
}
BENCHMARK(subsetToTenPercent)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 64-bit normals' tail mass below -4.5 and -5, from four streams of 1e8 each: the counters
// give the counts and the expected ones, for scripts/check-rare-end to hold against Phi.
void normalTailMass(benchmark::State& state) {
    constexpr std::int64_t perStream = 100'000'000;
    std::int64_t below45 = 0, below5 = 0;
    for (auto _ : state) {
        for (std::uint64_t stream = 1; stream <= 4; ++stream) {
            NormalStream normals(7, stream);
            for (std::int64_t i = 0; i < perStream; ++i) {
                const double z = normals.next();
                below45 += z < -4.5 ? 1 : 0;
                below5 += z < -5 ? 1 : 0;
            }
        }
    }
    state.counters["normals"] = 4.0 * perStream;
    state.counters["below4.5"] = static_cast<double>(below45);
    state.counters["below5"] = static_cast<double>(below5);
}
BENCHMARK(normalTailMass)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace ferrolith::reliability
