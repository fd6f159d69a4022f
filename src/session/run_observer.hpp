#pragma once

#include <optional>
#include <string_view>

#include "model/run_result.hpp"
#include "session/dialogs.hpp"

namespace ferrolith {

// What a run tells about itself while it goes, on the thread it runs on; a relay to another
// thread may tell several pieces or repetitions at once. Nothing comes back.
class RunListener {
  public:
    virtual ~RunListener() = default;

    // The counts converted: the report starts empty and the progress runs from 0 to
    // run.plannedRepetitions.
    virtual void runStarted(const RunResult& /*run*/) {}
    // A piece (or pieces run together) added at the end of the report.
    virtual void reportAppended(std::string_view /*piece*/) {}
    // Repetitions up to run.completedRepetitions() are complete and written to the report.
    virtual void repetitionFinished(const RunResult& /*run*/) {}
    // The run is over; run is its final result, valid only during the call.
    virtual void runEnded(const RunResult& /*run*/) {}
};

// The questions a run asks: modal, answered before the run goes on. The run never reads a view;
// the answers are all that comes back.
class RunQuestions {
  public:
    virtual ~RunQuestions() = default;

    virtual MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    // The user answered Yes to the save question: save the report as the user has it now.
    virtual SaveOutcome saveReport(const RunResult& run) = 0;
};

// The listener that also answers the run's questions and says whether to stop.
class RunObserver : public RunListener, public RunQuestions {
  public:
    // Asked after each repetition: true ends the run there, with nothing more asked.
    virtual bool stopRequested() = 0;
};

}  // namespace ferrolith
