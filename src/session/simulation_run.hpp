#pragma once

#include "model/run_result.hpp"
#include "session/run_observer.hpp"

namespace ferrolith {

// One complete analysis, what Calculate does, on the calling thread: reads the counts and
// inputs of the request's study, runs the repetitions, writes the report and asks the save
// question, telling observer of each step. A study without a seed takes one from the clock; the
// result records the seed used.
RunResult runSimulation(const RunRequest& request, RunObserver& observer);

// The wall-clock time now, in seconds since 1970-01-01 UTC, as results record when they began.
std::int64_t wallClockSeconds();

// The threads that compute a run's repetitions under options.
int threadsUsed(const RunOptions& options);

}  // namespace ferrolith
