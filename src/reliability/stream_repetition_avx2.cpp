#include <immintrin.h>

#include <algorithm>
#include <array>
#include <limits>
#include <numbers>
#include <span>
#include <utility>

#include "engine/block_lanes_avx2.hpp"
#include "model/draw_input.hpp"
#include "reliability/input_mapping.hpp"
#include "reliability/normal_stream.hpp"
#include "reliability/period_conversion.hpp"
#include "reliability/stream_repetition.hpp"
#include "simd/pack.hpp"

namespace ferrolith::reliability::avx2 {

namespace {

using ferrolith::avx2::BlockDraws;
using ferrolith::avx2::BlockFault;
using ferrolith::avx2::blockRegisters;
using ferrolith::avx2::lowLanes;
constexpr int lanes = streamBlockSamples;
using Lanes = ferrolith::avx2::Block;
using LaneDraw = ferrolith::avx2::BlockDraw;
static_assert(streamBlockSamples == ferrolith::avx2::blockLanes);

// The tails of a standard normal coordinate in lanes, with libmvec's kernels, step by step as
// logNormalCdf and BeamSpace's uniformPower take them in doubles.
struct LaneTails {
    // ln Phi(z) from the tail z is in, as logNormalCdf takes it: p = Phi(-|z|) from erfc, kept
    // above the smallest normal double, then ln p at or below 0 and ln(1 - p) above, with one
    // logarithm for both: 1 - p is q + d exactly (q rounded, d its rounding error, exact by
    // Fast2Sum), and ln(q + d) = ln q + d / q, where d in place of d / q (q is 1/2 to 1) errs by
    // less than an ulp of the result, however small p.
    static Lanes logNormalCdf(const Lanes& z) {
        constexpr double inverseSqrt2 = 1.0 / std::numbers::sqrt2;  // as logNormalCdf has it
        const Lanes p = simd::larger(Lanes(0.5) * simd::erfc(simd::abs(z) * Lanes(inverseSqrt2)),
                                     Lanes(std::numeric_limits<double>::min()));
        const Lanes q = Lanes(1.0) - p;
        const Lanes d = -p - (q - Lanes(1.0));
        const auto upper = z > Lanes(0.0);
        return simd::log(simd::select(upper, q, p)) + simd::select(upper, d, Lanes(0.0));
    }
    static Lanes uniformPower(const Lanes& z, const Lanes& e) {
        return simd::exp(e * logNormalCdf(z));
    }
    // Over other periods lane by lane: the quantile has no vector form.
    static Lanes maximaCoordinate(const Lanes& z, double n) {
        if (n == 1.0) return z;
        alignas(32) std::array<double, lanes> w;
        simd::store(z, w.data());
        for (double& x : w) x = reliability::maximaCoordinate(x, n);
        return simd::load<blockRegisters>(w.data());
    }
};

class Repetition {
  public:
    Repetition(const BeamSpace& space, std::uint64_t seed, int repetition)
        : space_(space),
          in_(space.inputs()),
          normals_(seed, static_cast<std::uint64_t>(repetition)) {}

    // The block of the next `valid` samples; its first fault where it has one.
    std::optional<BlockFault> addBlock(int valid) {
        drawCoordinates();
        BlockDraws draws = drawBlock(std::make_index_sequence<inputVariableCount>{});
        const BlockFault fault = ferrolith::avx2::firstFault(draws, lowLanes(valid));
        if (fault.found()) return fault;
        addValues(draws, valid);
        return std::nullopt;
    }

    RepetitionSums sums() {
        sums_.tally = tally_.stripes();
        return sums_;
    }

  private:
    void drawCoordinates() {
        const auto dimension = static_cast<std::size_t>(space_.dimension());
        normals_.fill(std::span(normalsDrawn_.data(), dimension * lanes));
        for (std::size_t c = 0; c < dimension; ++c)
            coordinates_[c] = simd::load<blockRegisters>(normalsDrawn_.data() + c * lanes);
    }

    // The seven inputs' draws in input order, each built where it stays: a block's draw is too
    // large to copy cheaply.
    template <std::size_t... I>
    BlockDraws drawBlock(std::index_sequence<I...>) {
        return {drawInputOf(static_cast<int>(I))...};
    }

    LaneDraw drawInputOf(int i) {
        return withBranch(in_.branch[static_cast<std::size_t>(i)],
                          [&](auto b) { return drawInput<decltype(b)::value>(i); });
    }

    // Input i's draw by the formulas of its branch, compiled once for each branch.
    template <Branch B>
    [[gnu::noinline, gnu::flatten]] LaneDraw drawInput(int i) {
        const auto k = static_cast<std::size_t>(i);
        const CoordinateRange range = space_.coordinates(static_cast<InputVariable>(i));
        return inputFromNormals<LaneTails>(B, in_.paramA[k], in_.paramB[k], in_.periods[k],
                                           coordinates_.data() + range.first);
    }

    // The block's limit states into the sums in sample order, its inputs into the tally pack by
    // pack.
    [[gnu::flatten]] void addValues(BlockDraws& d, int valid) {
        const std::uint64_t validMask = lowLanes(valid);
        const auto ls = limitStateValues(d[0].value, d[1].value, d[2].value, d[3].value, d[4].value,
                                         d[5].value, d[6].value);
        const std::uint64_t safeLanes = simd::bits(ls.resistance > ls.effect) & validMask;
        alignas(32) std::array<double, lanes> e, r;
        simd::store(ls.effect, e.data());
        simd::store(ls.resistance, r.data());
        for (std::size_t l = 0; l < static_cast<std::size_t>(valid); ++l) {
            sums_.effect.add(e[l]);
            sums_.resist.add(r[l]);
        }
        sums_.safe = sums_.safe + __builtin_popcountll(safeLanes);
        ferrolith::avx2::tallyBlock(tally_, d, ls.resistance, ls.effect, safeLanes, valid);
    }

    const BeamSpace& space_;
    const BeamInputs& in_;
    NormalStream normals_;
    alignas(32) std::array<double, largestDimension * lanes> normalsDrawn_{};
    std::array<Lanes, largestDimension> coordinates_;
    RepetitionSums sums_;
    simd::TallyLanes tally_;
};

}  // namespace

RepetitionOutcome streamRepetition(const BeamSpace& space, std::uint64_t seed, int repetition,
                                   int samples) {
    Repetition r(space, seed, repetition);
    for (int first = 1; first <= samples; first += lanes) {
        const auto fault = r.addBlock(std::min(lanes, samples - first + 1));
        if (fault)
            return {{},
                    StreamFault{{fault->message, static_cast<InputVariable>(fault->variable)},
                                repetition,
                                first + fault->lane}};
    }
    return {r.sums().figures(static_cast<std::uint64_t>(repetition), samples), std::nullopt};
}

double laneLogNormalCdf(double z) {
    alignas(32) std::array<double, lanes> out;
    simd::store(LaneTails::logNormalCdf(Lanes(z)), out.data());
    return out[0];
}

}  // namespace ferrolith::reliability::avx2
