#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "report/report_text.hpp"
#include "report/titles.hpp"
#include "session/run_observer.hpp"
#include "session/save_report.hpp"
#include "session/simulation_run.hpp"

namespace ferrolith::testing {

struct ShownBox {
    std::string prompt;
    std::string title;  // the application's title when the box has none of its own
    MessageIcon icon;
    MessageButtons buttons;
    bool operator==(const ShownBox&) const = default;
};

// What the run told the observer, in order.
enum class Call {
    RunStarted,
    ReportAppended,
    RepetitionFinished,
    MessageBox,
    SaveReport,
    StopRequested,
    RunEnded
};

inline const char* callName(Call call) {
    switch (call) {
        case Call::RunStarted:
            return "runStarted";
        case Call::ReportAppended:
            return "reportAppended";
        case Call::RepetitionFinished:
            return "repetitionFinished";
        case Call::MessageBox:
            return "messageBox";
        case Call::SaveReport:
            return "saveReport";
        case Call::StopRequested:
            return "stopRequested";
        case Call::RunEnded:
            return "runEnded";
    }
    return "?";
}

// Shown by name when an expectation on the calls fails.
inline void PrintTo(Call call, std::ostream* out) { *out << callName(call); }

// An observer that records what a run tells it and answers from scripts, as the window would:
// the report it shows starts empty when the run starts and grows by the pieces appended, the
// progress caption follows the repetitions, and Yes to the save question saves the report as
// the observer holds it.
class RecordingObserver : public RunObserver, public Dialogs {
  public:
    // Scripts.
    MessageResult saveQuestionAnswer = MessageResult::No;
    std::deque<SaveDialogResult> dialogAnswers;  // empty: Cancel
    std::string folder = "/tmp";
    std::optional<int> stopAfter;  // ask the run to stop once this many repetitions are done
    // What the user does when a repetition is finished.
    std::function<void(RecordingObserver&, const RunResult&)> onRepetition;

    // Records.
    std::vector<Call> calls;
    std::string report;               // the report as the user sees it
    int appends = 0;                  // pieces appended
    std::vector<std::string> labels;  // progress captions, the latest last
    std::vector<int> finished;        // completed repetitions at each repetitionFinished
    std::vector<ShownBox> boxes;
    std::vector<SaveDialogSettings> dialogs;
    std::vector<RunResult> started;  // the result as told at each runStarted
    std::vector<RunResult> ended;    // the result as told at each runEnded

    void runStarted(const RunResult& run) override {
        calls.push_back(Call::RunStarted);
        started.push_back(run);
        report.clear();
        labels.push_back(progressCaption(0, run.plannedRepetitions));
    }
    void reportAppended(std::string_view piece) override {
        calls.push_back(Call::ReportAppended);
        report.append(piece);
        ++appends;
    }
    void repetitionFinished(const RunResult& run) override {
        calls.push_back(Call::RepetitionFinished);
        finished.push_back(run.completedRepetitions());
        labels.push_back(progressCaption(run.completedRepetitions(), run.plannedRepetitions));
        if (onRepetition) onRepetition(*this, run);
    }
    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override {
        calls.push_back(Call::MessageBox);
        boxes.push_back(
            {std::string(prompt), std::string(title.value_or(applicationTitle)), icon, buttons});
        return buttons == MessageButtons::Ok ? MessageResult::Ok : saveQuestionAnswer;
    }
    SaveOutcome saveReport(const RunResult&) override {
        calls.push_back(Call::SaveReport);
        return ferrolith::saveReport(*this, report);
    }
    bool stopRequested() override {
        calls.push_back(Call::StopRequested);
        return stopAfter && !finished.empty() && finished.back() >= *stopAfter;
    }
    void runEnded(const RunResult& run) override {
        calls.push_back(Call::RunEnded);
        ended.push_back(run);
    }

    SaveDialogResult showSaveDialog(const SaveDialogSettings& settings) override {
        dialogs.push_back(settings);
        if (dialogAnswers.empty()) return {true, {}};
        SaveDialogResult r = dialogAnswers.front();
        dialogAnswers.pop_front();
        return r;
    }
    std::string saveFolder() override { return folder; }

    long count(Call call) const { return std::count(calls.begin(), calls.end(), call); }
};

// A study of the given counts with the default inputs.
inline Study studyOf(std::string repetitions, std::string samples) {
    Study study;
    study.repetitions = std::move(repetitions);
    study.samples = std::move(samples);
    return study;
}

// Runs study through observer from a fixed seed.
inline RunResult runSeeded(RunObserver& observer, Study study, std::uint64_t seed = 1,
                           RunOptions options = {}) {
    study.seed = seed;
    return runSimulation({std::move(study), options}, observer);
}

}  // namespace ferrolith::testing
