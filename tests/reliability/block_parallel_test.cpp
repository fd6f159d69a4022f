// Blocks reduced a chunk at a time: every result is taken once, in block order, at any thread
// count, no more than a chunk of results is kept at once, and a take that stops ends the work.
#include "reliability/block_parallel.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <vector>

namespace ferrolith::reliability {
namespace {

// A block's result that counts how many exist at once.
struct Counted {
    static inline std::atomic<int> live{0};
    static inline std::atomic<int> peak{0};
    std::size_t block = 0;

    Counted() { born(); }
    explicit Counted(std::size_t b) : block(b) { born(); }
    Counted(const Counted& other) : block(other.block) { born(); }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --live; }

    static void born() {
        const int now = ++live;
        for (int seen = peak.load(); now > seen && !peak.compare_exchange_weak(seen, now);) {
        }
    }
};

TEST(ReduceBlocks, TakesEveryBlockInOrderKeepingAChunkAtMost) {
    struct Case {
        std::size_t count, chunk;
        int threads;
    };
    for (const Case c : {Case{20000, 64, 1}, Case{20000, 64, 2}, Case{20000, 64, 8},
                         Case{130, 64, 2}, Case{5, 64, 8}}) {
        SCOPED_TRACE(c.count + c.threads);
        Counted::peak = 0;
        std::vector<std::size_t> taken;
        const bool complete = reduceBlocks(
            c.threads, c.count, c.chunk, {}, [](std::size_t b) { return Counted(b); },
            [&](const Counted& r) {
                taken.push_back(r.block);
                return true;
            });
        EXPECT_TRUE(complete);
        std::vector<std::size_t> order(c.count);
        std::iota(order.begin(), order.end(), std::size_t{0});
        EXPECT_EQ(taken, order);
        // The chunk's results, and one being made on each thread.
        EXPECT_LE(Counted::peak, static_cast<int>(std::min(c.count, c.chunk)) + 2 * c.threads);
        EXPECT_EQ(Counted::live, 0);
    }
}

// Chunks of changing size, one of 0 and the last past the blocks left, still hand every block over
// in order.
TEST(ReduceBlocks, ChunksOfAnySizeTakeEveryBlockInOrder) {
    for (int threads : {1, 2, 8}) {
        std::vector<std::size_t> taken, firsts;
        const bool complete = reduceBlocksInChunks(
            threads, 97,
            [&](std::size_t first) {
                firsts.push_back(first);
                return first % 7;  // 0 is taken as 1
            },
            {}, [](std::size_t b) { return Counted(b); },
            [&](const Counted& r) {
                taken.push_back(r.block);
                return true;
            });
        EXPECT_TRUE(complete);
        std::vector<std::size_t> order(97);
        std::iota(order.begin(), order.end(), std::size_t{0});
        EXPECT_EQ(taken, order) << threads;
        EXPECT_EQ(firsts, (std::vector<std::size_t>{0,  1,  2,  4,  8,  9,  11, 15, 16, 18, 22,
                                                    23, 25, 29, 30, 32, 36, 37, 39, 43, 44, 46,
                                                    50, 51, 53, 57, 58, 60, 64, 65, 67, 71, 72,
                                                    74, 78, 79, 81, 85, 86, 88, 92, 93, 95}))
            << threads;
        EXPECT_EQ(Counted::live, 0);
    }
}

TEST(ReduceBlocks, ATakeThatStopsStartsNoFurtherChunk) {
    std::atomic<int> worked{0};
    std::vector<std::size_t> taken;
    const bool complete = reduceBlocks(
        2, 1000, 64, {},
        [&](std::size_t b) {
            ++worked;
            return Counted(b);
        },
        [&](const Counted& r) {
            taken.push_back(r.block);
            return r.block != 100;
        });
    EXPECT_TRUE(complete);
    EXPECT_EQ(taken.size(), 101u);
    EXPECT_EQ(worked, 128);  // the chunks of blocks 0 to 63 and 64 to 127
}

}  // namespace
}  // namespace ferrolith::reliability
