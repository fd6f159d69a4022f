#include <immintrin.h>

#include <algorithm>
#include <array>
#include <limits>
#include <span>

#include "engine/tally_lanes_avx2.hpp"
#include "model/draw_input.hpp"
#include "reliability/input_mapping.hpp"
#include "reliability/normal_stream.hpp"
#include "reliability/period_conversion.hpp"
#include "reliability/stream_repetition.hpp"
#include "simd/pack.hpp"

namespace ferrolith::reliability::avx2 {

namespace {

using Lanes = simd::TallyLanes::Lanes;
using LaneDraw = formulas::VariableDraw<Lanes>;
constexpr int lanes = streamPackSamples;
static_assert(lanes == 4 * simd::TallyLanes::registers);

// The tails of a standard normal coordinate in lanes, with libmvec's kernels, step by step as
// logNormalCdf and BeamSpace's uniformPower take them in doubles.
struct LaneTails {
    // ln Phi(z) from the tail z is in, as logNormalCdf takes it: p = Phi(-|z|) from erfc, kept
    // above the smallest normal double, then ln p at or below 0 and ln(1 - p) above, with one
    // logarithm for both: 1 - p is q + d exactly (q rounded, d its rounding error, both exact by
    // Fast2Sum), and ln(q + d) = ln q + d / q to well below an ulp of the result, however small p.
    static Lanes logNormalCdf(const Lanes& z) {
        constexpr double inverseSqrt2 = 0.70710678118654752440;
        const Lanes p = simd::larger(Lanes(0.5) * simd::erfc(simd::abs(z) * Lanes(inverseSqrt2)),
                                     Lanes(std::numeric_limits<double>::min()));
        const Lanes q = Lanes(1.0) - p;
        const Lanes d = -p - (q - Lanes(1.0));
        const auto upper = z > Lanes(0.0);
        return simd::log(simd::select(upper, q, p)) + simd::select(upper, d / q, Lanes(0.0));
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
        return simd::load<simd::TallyLanes::registers>(w.data());
    }
};

// The first faulty lane and input of a pack.
struct PackFault {
    int lane = lanes;
    int variable = 0;
    std::string_view message;

    void note(unsigned laneMask, int v, std::string_view m) {
        if (laneMask == 0) return;
        const int first = __builtin_ctz(laneMask);
        if (first < lane) *this = {first, v, m};
    }
};

class Repetition {
  public:
    Repetition(const BeamSpace& space, std::uint64_t seed, int repetition)
        : space_(space),
          in_(space.inputs()),
          normals_(seed, static_cast<std::uint64_t>(repetition)) {}

    // The pack of samples from `first` on, `valid` of them; its fault where it has one.
    [[gnu::flatten]] std::optional<PackFault> addPack(int valid) {
        const unsigned validMask = (1u << valid) - 1;
        drawCoordinates();
        std::array<Lanes, inputVariableCount> v;
        PackFault fault;
        for (int i = 0; i < inputVariableCount; ++i) {
            const LaneDraw draw = withBranch(in_.branch[static_cast<std::size_t>(i)], [&](auto b) {
                return drawInput<decltype(b)::value>(i);
            });
            if (draw.poissonFault) fault.note(validMask, i, poissonFaultMessage);
            fault.note(static_cast<unsigned>(simd::bits(draw.overflow)) & validMask, i,
                       dataFaultMessage);
            v[static_cast<std::size_t>(i)] = draw.value;
        }
        if (fault.lane < lanes) return fault;
        addValues(v, valid, validMask);
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
            coordinates_[c] =
                simd::load<simd::TallyLanes::registers>(normalsDrawn_.data() + c * lanes);
    }

    // Input i's draw by the formulas of its branch, compiled once for each branch.
    template <Branch B>
    [[gnu::noinline, gnu::flatten]] LaneDraw drawInput(int i) {
        const auto k = static_cast<std::size_t>(i);
        const CoordinateRange range = space_.coordinates(static_cast<InputVariable>(i));
        return inputFromNormals<LaneTails>(B, in_.paramA[k], in_.paramB[k], in_.periods[k],
                                           coordinates_.data() + range.first);
    }

    // The pack's limit states into the sums in sample order, its inputs into the tally.
    void addValues(std::array<Lanes, inputVariableCount>& v, int valid, unsigned validMask) {
        const auto ls = limitStateValues(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
        const auto safeLanes =
            static_cast<unsigned>(simd::bits(ls.resistance > ls.effect)) & validMask;
        alignas(32) std::array<double, lanes> e, r;
        simd::store(ls.effect, e.data());
        simd::store(ls.resistance, r.data());
        for (std::size_t l = 0; l < static_cast<std::size_t>(valid); ++l) {
            sums_.effect.add(e[l]);
            sums_.resist.add(r[l]);
        }
        sums_.safe = sums_.safe + __builtin_popcount(safeLanes);
        if (valid < lanes) {
            const auto inPack = simd::firstLanes<simd::TallyLanes::registers>(valid);
            for (Lanes& x : v) x = simd::keepWhere(inPack, x);
        }
        tally_.add(v, simd::notGreater(ls.resistance, ls.effect), ~safeLanes & validMask, valid);
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
        const auto fault = r.addPack(std::min(lanes, samples - first + 1));
        if (fault)
            return {{},
                    StreamFault{{fault->message, static_cast<InputVariable>(fault->variable)},
                                repetition,
                                first + fault->lane}};
    }
    return {r.sums().figures(static_cast<std::uint64_t>(repetition), samples), std::nullopt};
}

}  // namespace ferrolith::reliability::avx2
