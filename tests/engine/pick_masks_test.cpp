#include "engine/pick_masks.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "simd/processor.hpp"
#include "simd/scalar_math.hpp"

namespace ferrolith {
namespace {

// Both vector forms, each where the processor has it.
TEST(PickMasks, FollowEveryStrideThDrawOfTheStream) {
    using Fill = void (*)(const SystemRandom&, int, int, std::int64_t*);
    const struct {
        const char* name;
        bool runs;
        Fill fill;
    } forms[] = {{"AVX2", math::hasVectorKernels(), simd::fillPickMasks},
                 {"AVX-512", simd::hasAvx512(), simd::avx512::fillPickMasks}};
    for (const auto& form : forms) {
        if (!form.runs) continue;
        for (int stride : {1, 2, 5, 7}) {
            for (int count : {1, 3, 4, 5, 8, 9, 64, 511}) {
                SystemRandom stream(count * 977ULL + stride);
                stream.advance(12345);
                std::vector<std::int64_t> masks(count + 8, 7);
                form.fill(stream, count, stride, masks.data());
                for (int k = 0; k < count; ++k) {
                    const bool first = SystemRandom::picksFirst(stream.nextBits());
                    stream.advance(static_cast<std::uint64_t>(stride - 1));
                    ASSERT_EQ(masks[k], first ? -1 : 0)
                        << form.name << " " << stride << " " << count << " at " << k;
                }
            }
        }
    }
}

}  // namespace
}  // namespace ferrolith
