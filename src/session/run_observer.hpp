#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "model/run_result.hpp"
#include "session/dialogs.hpp"

namespace ferrolith {

// What a run tells about itself while it goes, on the thread it runs on. Nothing comes back.
class RunListener {
  public:
    virtual ~RunListener() = default;

    // The counts converted: the report starts empty and the progress runs from 0 to
    // run.plannedRepetitions.
    virtual void runStarted(const RunResult& /*run*/) {}
    // A piece added at the end of the report.
    virtual void reportAppended(std::string_view /*piece*/) {}
    // Repetition run.completedRepetitions() is complete and written to the report.
    virtual void repetitionFinished(const RunResult& /*run*/) {}
    // The run is over; run is its final result, valid only during the call.
    virtual void runEnded(const RunResult& /*run*/) {}
};

// The listener that also answers the run's questions. The run never reads a view; the only
// things that come back are answers: to a message box, to the save question (through
// saveReport), and whether to stop.
class RunObserver : public RunListener {
  public:
    // Modal, answered before the run goes on.
    virtual MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    // The user answered Yes to the save question: save the report as the user has it now.
    virtual SaveOutcome saveReport(const RunResult& run) = 0;
    // Asked after each repetition: true ends the run there, with nothing more asked.
    virtual bool stopRequested() = 0;
};

// Tells every listener what the run tells, and takes the answers from one observer. Null
// listeners are left out.
class BroadcastObserver : public RunObserver {
  public:
    BroadcastObserver(RunObserver& answering, std::initializer_list<RunListener*> others)
        : answering_(answering), listeners_{&answering} {
        for (RunListener* l : others)
            if (l) listeners_.push_back(l);
    }

    void runStarted(const RunResult& run) override {
        for (RunListener* l : listeners_) l->runStarted(run);
    }
    void reportAppended(std::string_view piece) override {
        for (RunListener* l : listeners_) l->reportAppended(piece);
    }
    void repetitionFinished(const RunResult& run) override {
        for (RunListener* l : listeners_) l->repetitionFinished(run);
    }
    void runEnded(const RunResult& run) override {
        for (RunListener* l : listeners_) l->runEnded(run);
    }
    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override {
        return answering_.messageBox(prompt, title, icon, buttons);
    }
    SaveOutcome saveReport(const RunResult& run) override { return answering_.saveReport(run); }
    bool stopRequested() override { return answering_.stopRequested(); }

  private:
    RunObserver& answering_;
    std::vector<RunListener*> listeners_;
};

}  // namespace ferrolith
