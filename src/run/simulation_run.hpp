#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "run/repetition.hpp"
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

// How the repetitions are computed. Both give the same report for the same session stream.
enum class Engine {
    Fast,       // vector kernels on worker threads, collected in order on the window's thread
    Reference,  // one sample at a time through drawInput on the window's thread
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

    void setEngine(Engine engine) { engine_ = engine; }
    // Worker threads of the fast engine; 0 means one a core.
    void setThreads(int threads) { threads_ = threads; }

    // What the last completed run's save question led to.
    SaveOutcome lastSave() const { return lastSave_; }

  private:
    RunOutcome run();
    // The repetition loops over the run arrays' M repetitions: Completed, or Aborted at faulty
    // data, or Closed when the window closes.
    RunOutcome runReference(const RepetitionInputs& inputs);
    RunOutcome runFast(const RepetitionInputs& inputs);
    // Repetition r's figures and tally into the run state.
    void keepRepetition(int r, const RepetitionResult& result);
    // Writes repetition r's figures, shows the progress and lets the window react; false when
    // the window is closing.
    bool finishRepetition(int r);
    void writeAbortMessage();
    void appendPieces(const std::vector<std::string>& pieces);

    WindowOperations& window_;
    RunState state_;
    std::optional<std::uint64_t> fixedSeed_;
    SaveOutcome lastSave_ = SaveOutcome::NotAsked;
    Engine engine_ = Engine::Fast;
    int threads_ = 0;
    bool running_ = false;
};

}  // namespace ferrolith
