#include "engine/pick_masks.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "simd/scalar_math.hpp"

namespace ferrolith {
namespace {

TEST(PickMasks, FollowEveryStrideThDrawOfTheStream) {
    if (!math::hasVectorKernels()) GTEST_SKIP() << "no vector kernel on this processor";
    for (int stride : {1, 2, 5, 7}) {
        for (int count : {1, 3, 4, 5, 8, 9, 64, 511}) {
            SystemRandom stream(count * 977ULL + stride);
            stream.advance(12345);
            std::vector<std::int64_t> masks(count + 8, 7);
            simd::fillPickMasks(stream, count, stride, masks.data());
            for (int k = 0; k < count; ++k) {
                const bool first = SystemRandom::picksFirst(stream.nextBits());
                stream.advance(static_cast<std::uint64_t>(stride - 1));
                ASSERT_EQ(masks[k], first ? -1 : 0) << stride << " " << count << " at " << k;
            }
        }
    }
}

}  // namespace
}  // namespace ferrolith
