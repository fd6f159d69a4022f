// The floor of each part of a design run's sample and of an independent stream's sample: each
// part alone over a block of 64 samples of the default inputs (seven Normal variables), in the
// vector kernel's own form, so that nothing waits on anything else. Reported per sample
// (a_sample, CPU seconds): the sum of the parts is what the kernel could reach with no overhead.
#include <benchmark/benchmark.h>
#include <immintrin.h>

#include <array>
#include <cmath>

#include "engine/generator_lanes_avx2.hpp"
#include "engine/pick_masks.hpp"
#include "engine/tally_lanes_avx2.hpp"
#include "model/distribution_formulas.hpp"
#include "model/limit_state.hpp"
#include "model/sample_statistics.hpp"
#include "reliability/normal_stream.hpp"
#include "simd/pack.hpp"
#include "simd/processor.hpp"

namespace ferrolith {
namespace {

constexpr int blockSamples = 64;
constexpr int registers = blockSamples / 4;
constexpr int variables = inputVariableCount;
using Block = simd::Pack<registers>;

// CPU seconds a sample, shown with its prefix (n: ns).
void perSample(benchmark::State& state, double samplesAnIteration) {
    state.counters["a_sample"] =
        benchmark::Counter(samplesAnIteration, benchmark::Counter::kIsIterationInvariantRate |
                                                   benchmark::Counter::kInvert);
}

// Three clsRNG reads a variable in 64 lanes, and the jump to the next block.
void generatorSteps(benchmark::State& state) {
    simd::GeneratorLanes<registers> lanes(1, 3 * variables);
    for (auto _ : state) {
        for (int r = 0; r < 3 * variables; ++r) benchmark::DoNotOptimize(lanes.read());
        lanes.nextPack();
    }
    perSample(state, blockSamples);
}
BENCHMARK(generatorSteps);

// One Box-Muller pick a variable from the PCG32 stream, in AVX2 registers and in AVX-512 ones.
void picks(benchmark::State& state, void (*fill)(const SystemRandom&, int, int, std::int64_t*)) {
    if (fill == simd::avx512::fillPickMasks && !simd::hasAvx512()) {
        state.SkipWithError("no AVX-512 on this processor");
        return;
    }
    SystemRandom stream(1);
    alignas(32) std::array<std::int64_t, variables * 512> masks;
    for (auto _ : state) {
        for (int j = 0; j < variables; ++j) fill(stream, 512, variables, masks.data() + 512 * j);
        benchmark::DoNotOptimize(masks);
    }
    perSample(state, 512);
}
BENCHMARK_CAPTURE(picks, avx2, simd::fillPickMasks);
BENCHMARK_CAPTURE(picks, avx512, simd::avx512::fillPickMasks);

Block uniforms(double offset) {
    Block u;
    for (int k = 0; k < registers; ++k)
        u.v[k] = _mm256_setr_pd(0.1 + offset, 0.35 + offset, 0.6 + offset, 0.85 + offset);
    return u;
}

// libmvec's log, sin and the square root: one of each a variable.
template <Block (*F)(const Block&)>
void mathKernel(benchmark::State& state) {
    const Block x = uniforms(0.01);
    for (auto _ : state)
        for (int i = 0; i < variables; ++i) {
            Block y = F(x);
            benchmark::DoNotOptimize(y);
        }
    perSample(state, blockSamples);
}
Block logOf(const Block& x) { return simd::log(x); }
Block sinOf(const Block& x) { return simd::sin(x); }
Block sqrtOf(const Block& x) { return simd::sqrt(x); }
BENCHMARK(mathKernel<logOf>)->Name("math/log");
BENCHMARK(mathKernel<sinOf>)->Name("math/sin");
BENCHMARK(mathKernel<sqrtOf>)->Name("math/sqrt");

// A Normal variable's whole draw from its uniforms and picks, math included.
void normalDraws(benchmark::State& state) {
    const Block u1 = uniforms(0.01), u2 = uniforms(0.02), pi(4.0 * std::atan(1.0));
    alignas(32) std::array<std::int64_t, blockSamples> picks{};
    for (auto _ : state)
        for (int i = 0; i < variables; ++i) {
            auto draw = formulas::drawVariable(Branch::Normal, 4.0, 0.05, u1, u2, u2, pi, [&] {
                return simd::loadMask<registers>(picks.data());
            });
            benchmark::DoNotOptimize(draw);
        }
    perSample(state, blockSamples);
}
BENCHMARK(normalDraws);

// E and R of a block.
void limitState(benchmark::State& state) {
    const Block x = uniforms(1.0);
    for (auto _ : state) {
        auto ls = limitStateValues(x, x, x, x, x, x, x);
        benchmark::DoNotOptimize(ls);
    }
    perSample(state, blockSamples);
}
BENCHMARK(limitState);

// E's and R's sums and sums of squares in sample order, and the safe samples counted.
void orderedSums(benchmark::State& state) {
    alignas(32) std::array<double, blockSamples> e, r;
    for (int l = 0; l < blockSamples; ++l) e[l] = 1.0 + l, r[l] = 2.0 + l;
    for (auto _ : state) {
        RunningSums se, sr;
        for (int l = 0; l < blockSamples; ++l) {
            se.add(e[l]);
            sr.add(r[l]);
        }
        benchmark::DoNotOptimize(se);
        benchmark::DoNotOptimize(sr);
    }
    perSample(state, blockSamples);
}
BENCHMARK(orderedSums);

// The failure tally's stripes, pack by pack.
void tallies(benchmark::State& state) {
    simd::TallyLanes tally;
    std::array<simd::TallyLanes::Lanes, variables> pack;
    for (auto& x : pack) x = simd::part<simd::TallyLanes::registers>(uniforms(1.0), 0);
    const auto failed = simd::part<simd::TallyLanes::registers>(uniforms(0.0) > uniforms(0.2), 0);
    for (auto _ : state) {
        for (int p = 0; p < blockSamples / 16; ++p) tally.add(pack, failed, 0x5555, 16);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(tally);
    perSample(state, blockSamples);
}
BENCHMARK(tallies);

// An independent stream's seven normals a sample.
void streamNormals(benchmark::State& state) {
    reliability::NormalStream normals(1, 1);
    std::array<double, variables * blockSamples> z;
    for (auto _ : state) {
        normals.fill(z);
        benchmark::DoNotOptimize(z);
    }
    perSample(state, blockSamples);
}
BENCHMARK(streamNormals);

}  // namespace
}  // namespace ferrolith
