#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/repetition_tally.hpp"
#include "model/study.hpp"

namespace ferrolith {

// How a run ended.
enum class RunOutcome {
    Completed,  // every repetition done, the overall block written, the question answered
    Aborted,    // faulty data met in a draw: the abort block ends the report
    Failed,     // a count or parameter text did not convert; the user was told why
    Stopped,    // the observer asked the run to stop (the window was closed)
};

// How the repetitions are computed. Both give the same report for the same session stream.
enum class Engine {
    Fast,       // vector kernels on worker threads, collected in order on the calling thread
    Reference,  // one sample at a time through drawInput on the calling thread
};

// What the save question at the end of a completed run led to.
enum class SaveOutcome { NotAsked, Declined, Saved, Cancelled, Failed };

struct RunOptions {
    Engine engine = Engine::Fast;
    int threads = 0;  // worker threads of the fast engine; 0 means one a core
};

// What a run is asked to do: the inputs as typed (a study without a seed takes one from the
// clock) and how to compute them.
struct RunRequest {
    Study study;
    RunOptions options;
};

// The figures of one completed repetition.
struct RepetitionFigures {
    double effectMean = 0.0;
    double effectStdDev = 0.0;
    double resistMean = 0.0;
    double resistStdDev = 0.0;
    double safeFraction = 0.0;
};

// The figures over all repetitions of a completed run, in the order the overall block shows them.
struct OverallFigures {
    double effectMean = 0.0;
    double effectStdDev = 0.0;
    double resistMean = 0.0;
    double resistStdDev = 0.0;
    double safeMean = 0.0;
    double safeStdDev = 0.0;
    double lowerLimit = 0.0;
    double upperLimit = 0.0;
    double elapsed = 0.0;            // seconds
    double timePerSimulation = 0.0;  // seconds
};

// Everything a run produced, as it stands at any point of the run. Repetition r (1 to M) is at
// index r - 1 of repetitions and tallies, which always have the same length.
struct RunResult {
    Study study;  // the inputs the run read, with the seed it used
    Engine engine = Engine::Fast;
    int threads = 1;  // threads that computed the repetitions
    RunOutcome outcome = RunOutcome::Failed;
    int plannedRepetitions = 0;  // M
    int sampleSize = 0;          // N
    std::vector<RepetitionFigures> repetitions;
    std::vector<RepetitionTally> tallies;
    // The samples of repetition M, kept once it is complete.
    std::vector<double> lastEffect;
    std::vector<double> lastResist;
    OverallFigures overall;  // set when the run completed
    SaveOutcome save = SaveOutcome::NotAsked;
    std::string report;          // the report as the run wrote it
    std::int64_t startedAt = 0;  // when the run began: seconds since 1970-01-01 UTC

    // A completed or aborted run has figures of its own for the results files and windows.
    bool recorded() const {
        return outcome == RunOutcome::Completed || outcome == RunOutcome::Aborted;
    }
    int completedRepetitions() const { return static_cast<int>(repetitions.size()); }
    // N x M, as the report counts the samples.
    double totalSimulations() const { return static_cast<double>(sampleSize) * plannedRepetitions; }
};

}  // namespace ferrolith
