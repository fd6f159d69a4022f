#pragma once

#include <tbb/task_arena.h>

namespace ferrolith {

// The number of threads a run uses by default: one a core.
int defaultThreadCount();

// Where work on up to threads threads (1 or more) runs. TBB keeps one worker thread a core but
// one and warns on standard error when an arena asks for more, so the slots beyond those are
// kept for the threads that join the arena with execute, the calling thread among them.
tbb::task_arena threadArena(int threads);

}  // namespace ferrolith
