#include <immintrin.h>

#include "reliability/normal_lanes.hpp"
#include "reliability/ziggurat.hpp"

namespace ferrolith::reliability::avx512 {

void insideCandidates(XoshiroLanes& lanes, double* out, PassWords& words) {
    const auto word = [&](int j) {
        return _mm512_load_si512(lanes.words[static_cast<std::size_t>(j)].data());
    };
    __m512i s0 = word(0), s1 = word(1), s2 = word(2), s3 = word(3);
    const double* edges = Ziggurat::table().x.data();
    words.inside = 0;
    for (int s = 0; s < batchSteps; ++s) {
        const int first = s * XoshiroLanes::lanes;
        // xoshiro256++'s step, as XoshiroLanes::next takes it, in every lane.
        const __m512i w = _mm512_add_epi64(_mm512_rol_epi64(_mm512_add_epi64(s0, s3), 23), s0);
        const __m512i t = _mm512_slli_epi64(s1, 17);
        s2 = _mm512_xor_si512(s2, s0);
        s3 = _mm512_xor_si512(s3, s1);
        s1 = _mm512_xor_si512(s1, s2);
        s0 = _mm512_xor_si512(s0, s3);
        s2 = _mm512_xor_si512(s2, t);
        s3 = _mm512_rol_epi64(s3, 45);
        _mm512_store_si512(words.word.data() + first, w);
        // ZigguratCandidate of each word: u = the top 52 bits as a mantissa in [1, 2), less 1.
        const __m512i layer =
            _mm512_and_si512(_mm512_srli_epi64(w, 1), _mm512_set1_epi64(Ziggurat::layers - 1));
        const __m512d u =
            _mm512_sub_pd(_mm512_castsi512_pd(_mm512_or_si512(
                              _mm512_srli_epi64(w, 12), _mm512_set1_epi64(0x3FF0000000000000LL))),
                          _mm512_set1_pd(1.0));
        alignas(64) std::uint64_t at[8];
        _mm512_store_si512(at, layer);
        const __m512d edge = _mm512_setr_pd(edges[at[0]], edges[at[1]], edges[at[2]], edges[at[3]],
                                            edges[at[4]], edges[at[5]], edges[at[6]], edges[at[7]]);
        const __m512d nextEdge =
            _mm512_setr_pd(edges[at[0] + 1], edges[at[1] + 1], edges[at[2] + 1], edges[at[3] + 1],
                           edges[at[4] + 1], edges[at[5] + 1], edges[at[6] + 1], edges[at[7] + 1]);
        const __m512d x = _mm512_mul_pd(u, edge);
        const __mmask8 inside = _mm512_cmp_pd_mask(x, nextEdge, _CMP_LT_OQ);
        // Negative where bit 0 is clear.
        const __m512i sign = _mm512_slli_epi64(_mm512_xor_si512(w, _mm512_set1_epi64(1)), 63);
        _mm512_storeu_pd(out + first,
                         _mm512_castsi512_pd(_mm512_xor_si512(_mm512_castpd_si512(x), sign)));
        words.inside |= static_cast<std::uint64_t>(inside) << first;
    }
    const __m512i s[4] = {s0, s1, s2, s3};
    for (int j = 0; j < 4; ++j)
        _mm512_store_si512(lanes.words[static_cast<std::size_t>(j)].data(), s[j]);
}

}  // namespace ferrolith::reliability::avx512
