#include <immintrin.h>

#include "reliability/normal_lanes.hpp"
#include "reliability/ziggurat.hpp"

namespace ferrolith::reliability::avx2 {

namespace {

__m256i rotl(__m256i x, int k) {
    return _mm256_or_si256(_mm256_slli_epi64(x, k), _mm256_srli_epi64(x, 64 - k));
}

// Four lanes of the generators: the state's words in registers.
struct Quarter {
    __m256i s0, s1, s2, s3;

    Quarter(const XoshiroLanes& lanes, int first) {
        const auto at = [&](int j) {
            return _mm256_load_si256(reinterpret_cast<const __m256i*>(
                lanes.words[static_cast<std::size_t>(j)].data() + first));
        };
        s0 = at(0), s1 = at(1), s2 = at(2), s3 = at(3);
    }
    void store(XoshiroLanes& lanes, int first) const {
        const __m256i s[4] = {s0, s1, s2, s3};
        for (int j = 0; j < 4; ++j)
            _mm256_store_si256(
                reinterpret_cast<__m256i*>(lanes.words[static_cast<std::size_t>(j)].data() + first),
                s[j]);
    }

    // xoshiro256++'s step, as XoshiroLanes::next takes it.
    __m256i next() {
        const __m256i result = _mm256_add_epi64(rotl(_mm256_add_epi64(s0, s3), 23), s0);
        const __m256i t = _mm256_slli_epi64(s1, 17);
        s2 = _mm256_xor_si256(s2, s0);
        s3 = _mm256_xor_si256(s3, s1);
        s1 = _mm256_xor_si256(s1, s2);
        s0 = _mm256_xor_si256(s0, s3);
        s2 = _mm256_xor_si256(s2, t);
        s3 = rotl(s3, 45);
        return result;
    }
};

// ZigguratCandidate's value of four outputs into out, and one bit for each inside its rectangle.
// The layers' edges are read one by one: faster than a gather on this kind of processor.
unsigned candidates(__m256i word, const double* edges, double* out) {
    alignas(32) std::uint64_t layer[4];
    _mm256_store_si256(
        reinterpret_cast<__m256i*>(layer),
        _mm256_and_si256(_mm256_srli_epi64(word, 1), _mm256_set1_epi64x(Ziggurat::layers - 1)));
    const __m256d edge =
        _mm256_setr_pd(edges[layer[0]], edges[layer[1]], edges[layer[2]], edges[layer[3]]);
    const __m256d nextEdge = _mm256_setr_pd(edges[layer[0] + 1], edges[layer[1] + 1],
                                            edges[layer[2] + 1], edges[layer[3] + 1]);
    // The top 52 bits as the mantissa of a number in [1, 2), less 1: exactly u.
    const __m256d u =
        _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(
                          _mm256_srli_epi64(word, 12), _mm256_set1_epi64x(0x3FF0000000000000LL))),
                      _mm256_set1_pd(1.0));
    const __m256d x = _mm256_mul_pd(u, edge);
    // Negative where bit 0 is clear.
    const __m256i sign = _mm256_slli_epi64(_mm256_xor_si256(word, _mm256_set1_epi64x(1)), 63);
    _mm256_storeu_pd(out, _mm256_xor_pd(x, _mm256_castsi256_pd(sign)));
    return static_cast<unsigned>(_mm256_movemask_pd(_mm256_cmp_pd(x, nextEdge, _CMP_LT_OQ)));
}

}  // namespace

void insideCandidates(XoshiroLanes& lanes, double* out, PassWords& words) {
    words.inside = 0;
    const double* edges = Ziggurat::table().x.data();
    Quarter low(lanes, 0), high(lanes, 4);
    for (int s = 0; s < batchSteps; ++s) {
        const int first = s * XoshiroLanes::lanes;
        const __m256i w[2] = {low.next(), high.next()};
        for (int h = 0; h < 2; ++h) {
            _mm256_store_si256(reinterpret_cast<__m256i*>(words.word.data() + first + 4 * h), w[h]);
            words.inside |= static_cast<std::uint64_t>(candidates(w[h], edges, out + first + 4 * h))
                            << (first + 4 * h);
        }
    }
    low.store(lanes, 0);
    high.store(lanes, 4);
}

}  // namespace ferrolith::reliability::avx2
