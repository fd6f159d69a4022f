// Micro-benchmarks of the pieces a run spends its time in.
#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/repetition.hpp"
#include "model/draw_input.hpp"
#include "model/limit_state.hpp"

namespace ferrolith {
namespace {

const double pi = 4.0 * std::atan(1.0);

void clsRngRead(benchmark::State& state) {
    clsRNG rng;
    rng.seed(1);
    for (auto _ : state) benchmark::DoNotOptimize(rng.rand());
}
BENCHMARK(clsRngRead);

struct Silent : DataFaultMessages {
    void showDataFault(std::string_view) override {}
};

void drawInputBranch(benchmark::State& state, const char* name, double a, double b) {
    ParameterArray paramA{}, paramB{};
    NameArray distName;
    paramA[0] = a;
    paramB[0] = b;
    distName[0] = name;
    clsRNG rng;
    rng.seed(7);
    SystemRandom systemRandom(7);
    Silent silent;
    bool abortFlag = false;
    DrawContext context{paramA, paramB, distName, pi, rng, systemRandom, silent, abortFlag};
    for (auto _ : state) benchmark::DoNotOptimize(drawInput(context, 0));
}
BENCHMARK_CAPTURE(drawInputBranch, Normal, "Normal", 4.0, 0.05);
BENCHMARK_CAPTURE(drawInputBranch, LogNormal, "Log-Normal", 1.3, 0.5);
BENCHMARK_CAPTURE(drawInputBranch, Gamma, "Gamma", 0.05, 0.5);
BENCHMARK_CAPTURE(drawInputBranch, Gumbel, "Gumbel", 220.0, 0.2);
BENCHMARK_CAPTURE(drawInputBranch, Poisson, "Poisson", 12.0, 2.0);

void limitState(benchmark::State& state) {
    std::array<double, inputVariableCount> sample{4, 75, 225, 20, 2, 10, 4};
    for (auto _ : state) {
        benchmark::DoNotOptimize(sample);
        benchmark::DoNotOptimize(evaluateLimitState(sample));
    }
}
BENCHMARK(limitState);

RepetitionInputs defaultInputs(int n) {
    NameArray names;
    return RepetitionInputs({4, 75, 225, 20, 2, 10, 4}, {0.05, 10, 10, 3, 0.25, 1.5, 2.5}, names,
                            pi, n);
}

RepetitionInputs mixedInputs(int n) {
    NameArray names{"Log-Normal", "Normal", "Gumbel", "Gamma", "Normal", "Poisson", "Log-Normal"};
    return RepetitionInputs({1.386, 75, 220, 0.05, 2, 12, 1.3},
                            {0.0125, 10, 0.2, 0.5, 0.25, 2, 0.5}, names, pi, n);
}

// A repetition of 1000 samples, one draw at a time and with the vector kernel.
void repetition(benchmark::State& state, RepetitionInputs (*inputs)(int), bool vector) {
    const RepetitionInputs in = inputs(1000);
    const SystemRandom stream(3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vector ? computeRepetition(in, stream, nullptr)
                                        : computeRepetitionScalar(in, stream, nullptr));
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK_CAPTURE(repetition, DefaultOneAtATime, defaultInputs, false);
BENCHMARK_CAPTURE(repetition, DefaultVector, defaultInputs, true);
BENCHMARK_CAPTURE(repetition, MixedOneAtATime, mixedInputs, false);
BENCHMARK_CAPTURE(repetition, MixedVector, mixedInputs, true);

}  // namespace
}  // namespace ferrolith
