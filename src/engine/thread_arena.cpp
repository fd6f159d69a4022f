#include "engine/thread_arena.hpp"

#include <tbb/info.h>

#include <algorithm>

namespace ferrolith {

int defaultThreadCount() { return tbb::info::default_concurrency(); }

tbb::task_arena threadArena(int threads) {
    const int workers = std::min(threads - 1, defaultThreadCount() - 1);
    return tbb::task_arena(threads, static_cast<unsigned>(threads - workers));
}

}  // namespace ferrolith
