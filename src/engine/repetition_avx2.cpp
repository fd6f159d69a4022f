#include "engine/repetition_avx2.hpp"

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <utility>

#include "engine/generator_lanes_avx2.hpp"
#include "engine/pick_masks.hpp"
#include "engine/tally_lanes_avx2.hpp"
#include "model/distribution_formulas.hpp"
#include "model/limit_state.hpp"
#include "simd/pack.hpp"

namespace ferrolith::avx2 {

namespace {

// A pack: sixteen samples, one stripe of the tally a lane. A block: four packs drawn side by side,
// each operation over its sixteen registers in turn, so that the library kernels' calls and the
// generator's steps do not wait for one another's results.
constexpr int packRegisters = simd::TallyLanes::registers;
constexpr int packLanes = 4 * packRegisters;
constexpr int blockPacks = 4;
constexpr int blockRegisters = blockPacks * packRegisters;
constexpr int blockLanes = 4 * blockRegisters;
using Block = simd::Pack<blockRegisters>;
using BlockDraw = formulas::VariableDraw<Block>;
using BlockDraws = std::array<BlockDraw, inputVariableCount>;
constexpr int readsPerSample = 3 * inputVariableCount;
// A whole number of blocks, whose picks stay in the cache; blocks then line up with the stripes
// of the tally.
constexpr int chunkSamples = 512;
static_assert(chunkSamples % blockLanes == 0);

// Lanes 0 to count - 1 as bits.
std::uint64_t lowLanes(int count) {
    return count == blockLanes ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
}

// The first faulty lane and variable of a block.
struct BlockFault {
    int lane = blockLanes;
    int variable = 0;
    std::string_view message;

    bool found() const { return lane < blockLanes; }
    void note(std::uint64_t laneMask, int v, std::string_view m) {
        if (laneMask == 0) return;
        const int first = __builtin_ctzll(laneMask);
        if (first < lane) *this = {first, v, m};
    }
};

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

    // The first faulty draw among the valid lanes, in sample order, then variable order.
    static BlockFault firstFault(const BlockDraws& draws, std::uint64_t validMask) {
        BlockFault fault;
        for (int i = 0; i < inputVariableCount; ++i) {
            if (draws[i].poissonFault) fault.note(validMask, i, poissonFaultMessage);
            fault.note(simd::bits(draws[i].overflow) & validMask, i, dataFaultMessage);
        }
        return fault;
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

        if (valid < blockLanes) {
            const auto inBlock = simd::firstLanes<blockRegisters>(valid);
            for (BlockDraw& x : d) x.value = simd::keepWhere(inBlock, x.value);
        }
        const auto failed = simd::notGreater(ls.resistance, ls.effect);
        for (int p = 0; p * packLanes < valid; ++p) {
            std::array<simd::TallyLanes::Lanes, inputVariableCount> pack;
            for (int i = 0; i < inputVariableCount; ++i)
                pack[i] = simd::part<packRegisters>(d[i].value, p * packRegisters);
            const auto failedLanes = static_cast<unsigned>(~safeLanes >> (p * packLanes)) & 0xFFFFu;
            tally_.add(pack, simd::part<packRegisters>(failed, p * packRegisters),
                       failedLanes & static_cast<unsigned>(lowLanes(valid) >> (p * packLanes)),
                       std::min(packLanes, valid - p * packLanes));
        }

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
