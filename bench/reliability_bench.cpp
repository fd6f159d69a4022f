// The reliability methods on the beam: FORM's time, and samples a second of importance sampling
// and of Monte Carlo with independent streams, on one thread and on all.
#include <benchmark/benchmark.h>

#include "model/parse_parameter.hpp"
#include "reliability/beam_space.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/sorm.hpp"
#include "reliability/stream_monte_carlo.hpp"

namespace ferrolith::reliability {
namespace {

// The window's defaults, all Normal, with AllowableStress "90,3": Pf about 9.25e-8.
BeamSpace rareBeam() {
    NameArray names;
    for (std::string& n : names) n = "Normal";
    return BeamSpace(
        BeamInputs({4, 75, 225, 90, 2, 10, 4}, {0.05, 10, 10, 3, 0.25, 1.5, 2.5}, names));
}

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

}  // namespace
}  // namespace ferrolith::reliability
