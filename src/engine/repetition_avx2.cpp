#include "engine/repetition_avx2.hpp"

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <utility>

#include "engine/block_lanes_avx2.hpp"
#include "engine/generator_lanes_avx2.hpp"
#include "engine/pick_masks.hpp"
#include "model/limit_state.hpp"

namespace ferrolith::avx2 {

namespace {

// Three uniforms an input a sample, whether its formulas use them or not.
constexpr int readsPerSample = 3 * inputVariableCount;
// A whole number of blocks, whose picks stay in the cache; blocks then line up with the stripes
// of the tally.
constexpr int chunkSamples = 512;
static_assert(chunkSamples % blockLanes == 0);

class Kernel {
  public:
    Kernel(const RepetitionInputs& in, SystemRandom stream, const SampleArrays* keep)
        : in_(in),
          keep_(keep),
          stream_(stream),
          seed_(repetitionSeed(stream_.next())),
          generator_(clsRNG::startState(seed_), readsPerSample),
          picks_(in.picksPerSample(), chunkSamples),
          pi_(in.piValue) {
        int boxMuller = 0;
        for (int i = 0; i < inputVariableCount; ++i)
            if (usesBoxMuller(in.branch[i])) pickOf_[i] = boxMuller++;
    }

    RepetitionResult run() {
        const int n = in_.sampleSize;
        for (int chunkStart = 1; chunkStart <= n; chunkStart += chunkSamples) {
            const int chunkSize = std::min(chunkSamples, n - chunkStart + 1);
            picks_.fill(stream_, chunkSize);
            for (int from = 0; from < chunkSize; from += blockLanes) {
                const int valid = std::min(blockLanes, chunkSize - from);
                const int sample = chunkStart + from;
                BlockDraws draws = drawBlock(from, std::make_index_sequence<inputVariableCount>{});
                const BlockFault fault = firstFault(draws, lowLanes(valid));
                if (fault.found())
                    return RepetitionResult::faulty(
                        {fault.message, sample + fault.lane, fault.variable});
                addBlock(draws, sample, valid);
                generator_.nextPack();
            }
        }
        return RepetitionResult::fromSums(sums_, n, tally_.stripes().collapse(seed_));
    }

  private:
    // The seven draws of the block of samples from chunk index `from`, in variable order, each
    // built where it stays: a block's draw is too large to copy cheaply.
    template <std::size_t... I>
    BlockDraws drawBlock(int from, std::index_sequence<I...>) {
        return {drawVariable(static_cast<int>(I), from)...};
    }

    BlockDraw drawVariable(int i, int from) {
        return withBranch(in_.branch[i], [&](auto branch) {
            return drawBranch<decltype(branch)::value>(i, from);
        });
    }

    // Variable i's draw by the formulas of its branch, compiled once for each branch and shared by
    // the variables: seven copies of them would not stay in the instruction cache.
    template <Branch B>
    [[gnu::noinline, gnu::flatten]] BlockDraw drawBranch(int i, int from) {
        const Block u1 = generator_.read();
        const Block u2 = generator_.read();
        const Block u3 = generator_.read();
        return formulas::drawVariable(B, in_.paramA[i], in_.paramB[i], u1, u2, u3, pi_, [&] {
            return simd::loadMask<blockRegisters>(picks_.at(pickOf_[i], from));
        });
    }

    // The block's limit states into the sums in sample order, its inputs into the tally pack by
    // pack, and its results into the kept arrays.
    [[gnu::flatten]] void addBlock(BlockDraws& d, int sample, int valid) {
        const auto ls = limitStateValues(d[0].value, d[1].value, d[2].value, d[3].value, d[4].value,
                                         d[5].value, d[6].value);
        const std::uint64_t safeLanes = simd::bits(ls.resistance > ls.effect) & lowLanes(valid);
        alignas(32) double e[blockLanes], r[blockLanes];
        for (int k = 0; k < blockRegisters; ++k) {
            _mm256_store_pd(e + 4 * k, ls.effect.v[k]);
            _mm256_store_pd(r + 4 * k, ls.resistance.v[k]);
        }
        // The safe lanes counted at once: a branch a sample on whether it failed would be
        // mispredicted at every other sample where failures are common.
        for (int l = 0; l < valid; ++l) sums_.addValues(e[l], r[l]);
        sums_.addSafe(__builtin_popcountll(safeLanes));

        tallyBlock(tally_, d, ls.resistance, ls.effect, safeLanes, valid);

        if (keep_) keepBlock(e, r, sample, valid);
    }

    void keepBlock(const double* e, const double* r, int sample, int valid) {
        for (int l = 0; l < valid; ++l) {
            keep_->effect[sample - 1 + l] = e[l];
            keep_->resist[sample - 1 + l] = r[l];
        }
    }

    const RepetitionInputs& in_;
    const SampleArrays* keep_;
    SystemRandom stream_;
    const std::int16_t seed_;
    simd::GeneratorLanes<blockRegisters> generator_;
    simd::PickMasks picks_;
    const Block pi_;
    std::array<int, inputVariableCount>
        pickOf_{};  // the Box-Muller variables' places among the picks
    SampleSums sums_;
    simd::TallyLanes tally_;
};

}  // namespace

RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep) {
    return Kernel(inputs, stream, keep).run();
}

}  // namespace ferrolith::avx2
