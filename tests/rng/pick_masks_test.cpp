#include "rng/pick_masks.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "model/beam_math.hpp"

namespace ferrolith {
namespace {

TEST(PickMasks, FollowTheStreamDrawForDraw) {
    if (!math::hasVectorKernels()) GTEST_SKIP() << "no vector kernel on this processor";
    for (int count : {1, 3, 4, 5, 64, 3583}) {
        SystemRandom stream(count * 977ULL);
        stream.advance(12345);
        std::vector<std::int64_t> masks(count + 4, 7);
        lanes::fillPickMasks(stream, count, masks.data());
        for (int k = 0; k < count; ++k) {
            ASSERT_EQ(masks[k], SystemRandom::picksFirst(stream.nextBits()) ? -1 : 0)
                << count << " at " << k;
        }
    }
}

}  // namespace
}  // namespace ferrolith
