#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "run/run_state.hpp"
#include "run/save_report.hpp"
#include "run/window_operations.hpp"

namespace ferrolith {

// How a press of Calculate ended.
enum class RunOutcome {
    Completed,  // every repetition done, the overall block written, the question answered
    Aborted,    // faulty data met in a draw: the abort block ends the report
    Failed,     // a count or parameter text did not convert; the user was told why
    Closed,     // the window was closed during the run
    Busy,       // a run was already under way; nothing happened
};

// The Calculate command and the state it works on; owned by the window.
class SimulationRun {
  public:
    explicit SimulationRun(WindowOperations& window);

    // Runs one complete analysis on the window's thread.
    RunOutcome btmCalc_Click();

    bool running() const { return running_; }
    const RunState& state() const { return state_; }

    // A fixed seed for systemRandom in place of the clock, for reproducible runs.
    void setSystemRandomSeed(std::optional<std::uint64_t> seed) { fixedSeed_ = seed; }

    // What the last completed run's save question led to.
    SaveOutcome lastSave() const { return lastSave_; }

  private:
    RunOutcome run();
    // Draws and evaluates the N samples of the current repetition; false on faulty data.
    bool runRepetition(int N);
    void writeAbortMessage();
    void appendPieces(const std::vector<std::string>& pieces);

    WindowOperations& window_;
    RunState state_;
    std::optional<std::uint64_t> fixedSeed_;
    SaveOutcome lastSave_ = SaveOutcome::NotAsked;
    bool running_ = false;
};

}  // namespace ferrolith
