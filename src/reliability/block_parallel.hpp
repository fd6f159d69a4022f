#pragma once

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <type_traits>
#include <vector>

#include "engine/thread_arena.hpp"
#include "reliability/method_progress.hpp"

namespace ferrolith::reliability {

// Calls work(b) for every block b in 0 .. count - 1, on up to threads threads (0: as many as
// the machine has). Each block must write only its own result, so that the caller can combine
// the results in block order and get the same figures at any thread count.
template <class Work>
void forEachBlock(int threads, std::size_t count, Work work) {
    tbb::task_arena arena = threadArena(threads > 0 ? threads : defaultThreadCount());
    arena.execute([&] {
        tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count, 1),
                          [&](const tbb::blocked_range<std::size_t>& range) {
                              for (std::size_t b = range.begin(); b != range.end(); ++b) work(b);
                          });
    });
}

// The blocks done of a method's total, told to its progress one at a time.
class BlocksDone {
  public:
    BlocksDone(const MethodProgress& progress, std::size_t total)
        : progress_(progress), total_(static_cast<std::int64_t>(total)) {}

    void add() {
        const std::lock_guard lock(counting_);
        ++done_;
        if (progress_.update) progress_.update(done_, total_);
    }
    bool all() const { return done_ == total_; }
    std::int64_t count() const { return done_; }

  private:
    const MethodProgress& progress_;
    std::int64_t total_;
    std::int64_t done_ = 0;
    std::mutex counting_;
};

// As forEachBlock for blocks first .. first + count - 1, adding each one done to done and
// starting none once progress is cancelled.
template <class Work>
void forEachCountedBlock(int threads, std::size_t first, std::size_t count,
                         const MethodProgress& progress, BlocksDone& done, Work work) {
    forEachBlock(threads, count, [&](std::size_t b) {
        if (progress.cancelled()) return;
        work(first + b);
        done.add();
    });
}

// As forEachBlock, telling progress of every block done and starting none once it is cancelled.
// True when every block was done.
template <class Work>
bool forEachBlock(int threads, std::size_t count, const MethodProgress& progress, Work work) {
    BlocksDone done(progress, count);
    forEachCountedBlock(threads, 0, count, progress, done, work);
    return done.all();
}

// Blocks whose results reduceBlocks keeps at once: a method's memory does not grow with its count.
inline constexpr std::size_t reducedChunkBlocks = 4096;

// As forEachBlock with progress, for work(b) that returns block b's result: the blocks are done
// a chunk at a time, chunkBlocks(first) of them from block first (at least 1), and each chunk's
// results are handed to take in block order before the next chunk starts, so at most the largest
// chunk's results are kept and a fold in take gives the same figures at any thread count and any
// chunk sizes. take returns false to start no further chunk. False when cancelled before every
// block was done.
template <class Work, class Take, class ChunkBlocks>
bool reduceBlocksInChunks(int threads, std::size_t count, ChunkBlocks chunkBlocks,
                          const MethodProgress& progress, Work work, Take take) {
    using Result = std::invoke_result_t<Work&, std::size_t>;
    BlocksDone done(progress, count);
    std::vector<Result> results;
    for (std::size_t first = 0; first < count;) {
        const std::size_t size = std::clamp<std::size_t>(chunkBlocks(first), 1, count - first);
        if (results.size() < size) results.resize(size);
        forEachCountedBlock(threads, first, size, progress, done,
                            [&](std::size_t b) { results[b - first] = work(b); });
        if (done.count() != static_cast<std::int64_t>(first + size)) return false;
        for (std::size_t i = 0; i < size; ++i)
            if (!take(results[i])) return true;
        first += size;
    }
    return true;
}

// As above with chunks of chunkBlocks blocks.
template <class Work, class Take>
bool reduceBlocks(int threads, std::size_t count, std::size_t chunkBlocks,
                  const MethodProgress& progress, Work work, Take take) {
    return reduceBlocksInChunks(
        threads, count, [chunkBlocks](std::size_t) { return chunkBlocks; }, progress, work, take);
}

}  // namespace ferrolith::reliability
