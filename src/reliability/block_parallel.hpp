#pragma once

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include <cstddef>
#include <cstdint>
#include <mutex>

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

// As forEachBlock, telling progress of every block done and starting none once it is cancelled.
// True when every block was done.
template <class Work>
bool forEachBlock(int threads, std::size_t count, const MethodProgress& progress, Work work) {
    std::mutex counting;
    std::int64_t done = 0;
    const auto total = static_cast<std::int64_t>(count);
    forEachBlock(threads, count, [&](std::size_t b) {
        if (progress.cancelled()) return;
        work(b);
        const std::lock_guard lock(counting);
        ++done;
        if (progress.update) progress.update(done, total);
    });
    return done == total;
}

}  // namespace ferrolith::reliability
