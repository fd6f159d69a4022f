#pragma once

#include <optional>
#include <string>

#include "run/run_state.hpp"
#include "run/simulation_run.hpp"
#include "study/study.hpp"

namespace ferrolith {

// One run as the results files record it. The run must have got past its counts.
struct RunRecord {
    const RunState& state;
    const Study& study;  // the inputs the run read, with the seed it used
    Engine engine;
    int threads;         // worker threads the engine used
    RunOutcome outcome;  // Completed or Aborted
    std::string report;

    // The record of run's last run, with the report as the window holds it; nothing unless that
    // run completed or was aborted.
    static std::optional<RunRecord> of(const SimulationRun& run, std::string report);
};

}  // namespace ferrolith
