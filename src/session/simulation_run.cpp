#include "session/simulation_run.hpp"

#include <chrono>
#include <cmath>
#include <string>

#include "engine/repetition.hpp"
#include "engine/repetition_schedule.hpp"
#include "engine/thread_arena.hpp"
#include "model/draw_input.hpp"
#include "report/count_text.hpp"
#include "report/message_text.hpp"
#include "report/overall_figures.hpp"
#include "report/report_text.hpp"
#include "report/titles.hpp"

namespace ferrolith {

namespace {

// Seconds on a monotonic clock, so a run across midnight is timed correctly.
double clockSeconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count();
}

void showMessage(RunObserver& observer, std::string_view message) {
    observer.messageBox(message, std::nullopt, MessageIcon::None, MessageButtons::Ok);
}

// The sampler's fault messages, shown as the observer's message boxes.
class FaultBoxes : public DataFaultMessages {
  public:
    explicit FaultBoxes(RunObserver& observer) : observer_(observer) {}
    void showDataFault(std::string_view message) override { showMessage(observer_, message); }

  private:
    RunObserver& observer_;
};

// One press of Calculate from its counts to its save question.
class Simulation {
  public:
    Simulation(const RunRequest& request, RunObserver& observer)
        : observer_(observer), options_(request.options) {
        result_.study = request.study;
        result_.engine = options_.engine;
        result_.threads = threadsUsed(options_);
    }

    RunResult run() {
        result_.outcome = steps();
        observer_.runEnded(result_);
        return std::move(result_);
    }

  private:
    RunOutcome steps() {
        if (!readCounts()) return RunOutcome::Failed;
        start();
        if (!readParameters()) return RunOutcome::Failed;
        append(inputBlockPieces(result_.study.parameters, distName_));
        const RepetitionInputs inputs(paramA_, paramB_, distName_, piValue_, result_.sampleSize);
        const RunOutcome loop =
            options_.engine == Engine::Reference ? runReference(inputs) : runFast(inputs);
        if (loop != RunOutcome::Completed) return loop;
        finishOverall();
        askToSave();
        return RunOutcome::Completed;
    }

    // A count that does not convert is named in a message before anything changes.
    bool readCounts() {
        const auto M = readCount(repetitionsField, result_.study.repetitions);
        if (!M) return false;
        const auto N = readCount(sampleSizeField, result_.study.samples);
        if (!N) return false;
        result_.plannedRepetitions = *M;
        result_.sampleSize = *N;
        return true;
    }

    std::optional<int> readCount(std::string_view field, const std::string& text) {
        const auto count = convertCount(text);
        if (!count) showMessage(observer_, countMessage(field, text));
        return count;
    }

    void start() {
        const auto N = static_cast<std::size_t>(result_.sampleSize);
        for (auto* samples : {&keptEffect_, &keptResist_}) samples->assign(N, 0.0);
        result_.repetitions.reserve(static_cast<std::size_t>(result_.plannedRepetitions));
        result_.tallies.reserve(static_cast<std::size_t>(result_.plannedRepetitions));
        result_.startedAt = wallClockSeconds();
        observer_.runStarted(result_);
        startTime_ = clockSeconds();
        if (!result_.study.seed) result_.study.seed = SystemRandom::clockSeed();
        systemRandom_.reseed(*result_.study.seed);
    }

    bool readParameters() {
        try {
            readInputs(result_.study.parameters, result_.study.distributions, paramA_, paramB_,
                       distName_);
            return true;
        } catch (const ParameterError& e) {
            showMessage(observer_, parameterMessage(info(e.variable()).caption, e.text()));
            return false;
        }
    }

    RunOutcome runReference(const RepetitionInputs& inputs) {
        FaultBoxes boxes(observer_);
        bool abortFlag = false;
        std::array<double, inputVariableCount> sampleVector{};
        const OneAtATime onThisThread{rng_, systemRandom_, &boxes, abortFlag, sampleVector};
        const SampleArrays kept = keptSamples();
        for (int r = 1; r <= result_.plannedRepetitions; ++r) {
            // The message box of a faulty draw is shown at the draw.
            const RepetitionResult repetition = computeRepetitionOneAtATime(
                inputs, onThisThread, r == result_.plannedRepetitions ? &kept : nullptr);
            if (repetition.fault) return abort();
            if (!keepRepetition(repetition)) return RunOutcome::Stopped;
        }
        return RunOutcome::Completed;
    }

    RunOutcome runFast(const RepetitionInputs& inputs) {
        RepetitionSchedule schedule(inputs, systemRandom_, result_.plannedRepetitions,
                                    result_.threads, keptSamples());
        for (int r = 1; r <= result_.plannedRepetitions; ++r) {
            const RepetitionResult& repetition = schedule.wait(r);
            if (repetition.fault) {
                showMessage(observer_, repetition.fault->message);
                schedule.stop();
                return abort();
            }
            if (!keepRepetition(repetition)) return RunOutcome::Stopped;
        }
        return RunOutcome::Completed;
    }

    SampleArrays keptSamples() { return SampleArrays{keptEffect_.data(), keptResist_.data()}; }

    // The repetition's figures into the result and the report, then the observer's turn: false
    // when it asks the run to stop.
    bool keepRepetition(const RepetitionResult& repetition) {
        const RepetitionFigures& r = repetition.figures;
        result_.repetitions.push_back(r);
        result_.tallies.push_back(repetition.tally);
        const int done = result_.completedRepetitions();
        if (done == result_.plannedRepetitions) {
            result_.lastEffect = keptEffect_;
            result_.lastResist = keptResist_;
        }
        append(iterationBlockPieces(done, r.effectMean, r.effectStdDev, r.resistMean,
                                    r.resistStdDev, r.safeFraction));
        observer_.repetitionFinished(result_);
        return !observer_.stopRequested();
    }

    RunOutcome abort() {
        append(abortBlockPieces());
        return RunOutcome::Aborted;
    }

    void finishOverall() {
        OverallFigures& o = result_.overall;
        o = overallFigures(result_.repetitions, result_.totalSimulations());
        o.elapsed = clockSeconds() - startTime_;
        o.timePerSimulation = o.elapsed / result_.totalSimulations();
        append(overallBlockPieces(o, result_.totalSimulations()));
    }

    void askToSave() {
        const MessageResult answer =
            observer_.messageBox("Simulation Complete\r\nSave File?", saveQuestionTitle,
                                 MessageIcon::None, MessageButtons::YesNo);
        result_.save =
            answer == MessageResult::Yes ? observer_.saveReport(result_) : SaveOutcome::Declined;
    }

    void append(const std::vector<std::string>& pieces) {
        for (const std::string& piece : pieces) {
            result_.report += piece;
            observer_.reportAppended(piece);
        }
    }

    RunObserver& observer_;
    const RunOptions options_;
    RunResult result_;
    const double piValue_ = std::atan(1.0) * 4.0;
    ParameterArray paramA_{};
    ParameterArray paramB_{};
    NameArray distName_;
    clsRNG rng_;
    SystemRandom systemRandom_;
    std::vector<double> keptEffect_, keptResist_;  // the samples of the latest repetition kept
    double startTime_ = 0.0;
};

}  // namespace

RunResult runSimulation(const RunRequest& request, RunObserver& observer) {
    return Simulation(request, observer).run();
}

std::int64_t wallClockSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int threadsUsed(const RunOptions& options) {
    if (options.engine == Engine::Reference) return 1;
    return options.threads > 0 ? options.threads : defaultThreadCount();
}

}  // namespace ferrolith
