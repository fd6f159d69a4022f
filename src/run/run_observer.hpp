#pragma once

#include <string_view>

#include "run/dialogs.hpp"
#include "run/run_result.hpp"
#include "run/save_report.hpp"

namespace ferrolith {

// What a run tells the program about itself while it goes, on the thread it runs on. The run
// never reads a view; the only things that come back are answers: to a message box, to the save
// question (through saveReport), and whether to stop.
class RunObserver {
  public:
    virtual ~RunObserver() = default;

    // The counts converted: the report starts empty and the progress runs from 0 to
    // run.plannedRepetitions.
    virtual void runStarted(const RunResult& run) = 0;
    // A piece added at the end of the report.
    virtual void reportAppended(std::string_view piece) = 0;
    // Repetition run.completedRepetitions() is complete and written to the report. The window
    // lets its user act here.
    virtual void repetitionFinished(const RunResult& run) = 0;
    // Modal, answered before the run goes on.
    virtual MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    // The user answered Yes to the save question: save the report as the user has it now.
    virtual SaveOutcome saveReport(const RunResult& run) = 0;
    // Asked after each repetition: true ends the run there, with nothing more asked.
    virtual bool stopRequested() = 0;
    // The run is over: its result is final.
    virtual void runEnded(const RunResult& run) = 0;
};

}  // namespace ferrolith
