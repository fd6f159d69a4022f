#include "engine/repetition_avx2.hpp"

#include <immintrin.h>

#include <algorithm>
#include <array>

#include "engine/generator_lanes_avx2.hpp"
#include "engine/pick_masks.hpp"
#include "engine/tally_lanes_avx2.hpp"
#include "model/distribution_formulas.hpp"
#include "model/limit_state.hpp"
#include "simd/pack.hpp"

namespace ferrolith::avx2 {

namespace {

constexpr int registers = simd::TallyLanes::registers;  // AVX2 registers a pack of samples fills
constexpr int lanes = 4 * registers;                    // samples drawn side by side
using Lanes = simd::Pack<registers>;
using PackValues = std::array<Lanes, inputVariableCount>;
constexpr int readsPerSample = 3 * inputVariableCount;
// A whole number of packs, whose picks stay in the cache; packs then line up with the stripes
// of the tally.
constexpr int chunkSamples = 512;
static_assert(chunkSamples % lanes == 0);

// The first faulty lane and variable of a pack.
struct PackFault {
    int lane = lanes;
    int variable = 0;
    std::string_view message;

    bool found() const { return lane < lanes; }
    void note(unsigned laneMask, int v, std::string_view m) {
        if (laneMask == 0) return;
        const int first = __builtin_ctz(laneMask);
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
          pi_(in.piValue) {}

    RepetitionResult run() {
        const int n = in_.sampleSize;
        for (int chunkStart = 1; chunkStart <= n; chunkStart += chunkSamples) {
            const int chunkSize = std::min(chunkSamples, n - chunkStart + 1);
            picks_.fill(stream_, chunkSize);
            for (int from = 0; from < chunkSize; from += lanes) {
                const int valid = std::min(lanes, chunkSize - from);
                const int sample = chunkStart + from;
                PackFault fault;
                PackValues v = drawPack(from, (1u << valid) - 1, fault);
                if (fault.found())
                    return RepetitionResult::faulty(
                        {fault.message, sample + fault.lane, fault.variable});
                addPack(v, sample, valid);
                generator_.nextPack();
            }
        }
        return RepetitionResult::fromSums(sums_, n, tally_.stripes().collapse(seed_));
    }

  private:
    // The seven values of the pack of samples from chunk index `from`; notes the first faulty
    // draw among the valid lanes. Flattened: packs passed between functions would go through
    // memory.
    [[gnu::flatten]] PackValues drawPack(int from, unsigned validMask, PackFault& fault) {
        PackValues v;
        int boxMuller = 0;
        for (int i = 0; i < inputVariableCount; ++i) {
            const Branch branch = in_.branch[i];
            const int pick = usesBoxMuller(branch) ? boxMuller++ : 0;
            unsigned overflow = 0;
            bool poissonFault = false;
            // Register by register, so that a draw's values stay in registers between the calls
            // of the library kernels; the loop compiled for each branch.
            withBranch(branch, [&](auto constant) {
                for (int r = 0; r < registers; ++r) {
                    const simd::Vec4 u1 = generator_.read(r);
                    const simd::Vec4 u2 = generator_.read(r);
                    const simd::Vec4 u3 = generator_.read(r);
                    const auto draw = formulas::drawVariable(
                        constant(), in_.paramA[i], in_.paramB[i], u1, u2, u3, pi_,
                        [&] { return simd::loadMask<1>(picks_.at(pick, from + 4 * r)); });
                    v[i].v[r] = draw.value.v[0];
                    overflow |= simd::bits(draw.overflow) << (4 * r);
                    poissonFault = draw.poissonFault;
                }
            });
            if (poissonFault) fault.note(validMask, i, poissonFaultMessage);
            fault.note(overflow & validMask, i, dataFaultMessage);
        }
        return v;
    }

    // The pack's limit states into the sums in sample order, its inputs into the tally, and its
    // results into the kept arrays.
    [[gnu::flatten]] void addPack(PackValues& v, int sample, int valid) {
        const unsigned validMask = (1u << valid) - 1;
        const auto ls = limitStateValues(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
        const unsigned safeLanes = simd::bits(ls.resistance > ls.effect) & validMask;
        alignas(32) double e[lanes], r[lanes];
        for (int k = 0; k < registers; ++k) {
            _mm256_store_pd(e + 4 * k, ls.effect.v[k]);
            _mm256_store_pd(r + 4 * k, ls.resistance.v[k]);
        }
        for (int l = 0; l < valid; ++l) sums_.add(e[l], r[l], (safeLanes >> l) & 1);

        if (valid < lanes) {
            const auto inPack = simd::firstLanes<registers>(valid);
            for (Lanes& x : v) x = simd::keepWhere(inPack, x);
        }
        tally_.add(v, simd::notGreater(ls.resistance, ls.effect), ~safeLanes & validMask, valid);

        if (keep_) keepPack(e, r, sample, valid);
    }

    void keepPack(const double* e, const double* r, int sample, int valid) {
        for (int l = 0; l < valid; ++l) {
            keep_->effect[sample - 1 + l] = e[l];
            keep_->resist[sample - 1 + l] = r[l];
        }
    }

    const RepetitionInputs& in_;
    const SampleArrays* keep_;
    SystemRandom stream_;
    const std::int16_t seed_;
    simd::GeneratorLanes<registers> generator_;
    simd::PickMasks picks_;
    const simd::Vec4 pi_;
    SampleSums sums_;
    simd::TallyLanes tally_;
};

}  // namespace

RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep) {
    return Kernel(inputs, stream, keep).run();
}

}  // namespace ferrolith::avx2
