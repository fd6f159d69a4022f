#include "run/simulation_run.hpp"

#include <chrono>
#include <cmath>
#include <string>

#include "model/beam_math.hpp"
#include "model/draw_input.hpp"
#include "model/sample_statistics.hpp"
#include "run/count_text.hpp"
#include "run/message_text.hpp"
#include "run/number_format.hpp"
#include "run/repetition.hpp"
#include "run/repetition_schedule.hpp"
#include "run/report_text.hpp"
#include "study/window_study.hpp"

namespace ferrolith {

namespace {

// Seconds on a monotonic clock, so a run across midnight is timed correctly.
double clockSeconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count();
}

// The sampler's fault messages, shown as the window's message boxes.
class FaultBoxes : public DataFaultMessages {
  public:
    explicit FaultBoxes(WindowOperations& window) : window_(window) {}
    void showDataFault(std::string_view message) override {
        window_.messageBox(message, std::nullopt, MessageIcon::None, MessageButtons::Ok);
    }

  private:
    WindowOperations& window_;
};

class RunningFlag {
  public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }

  private:
    bool& flag_;
};

}  // namespace

SimulationRun::SimulationRun(WindowOperations& window) : window_(window) {
    state_.piValue = std::atan(1.0) * 4.0;
}

RunOutcome SimulationRun::btmCalc_Click() {
    // The run state is shared: a press during a run must not start a second one on it.
    if (running_) return RunOutcome::Busy;
    RunningFlag flag(running_);
    lastSave_ = SaveOutcome::NotAsked;
    const RunOutcome outcome = run();
    if (outcome == RunOutcome::Completed || outcome == RunOutcome::Aborted)
        recordedOutcome_ = outcome;
    return outcome;
}

void SimulationRun::appendPieces(const std::vector<std::string>& pieces) {
    for (const std::string& piece : pieces) window_.appendReport(piece);
}

RunOutcome SimulationRun::run() {
    RunState& s = state_;
    // A count that does not convert is named in a message before anything changes.
    auto readCount = [this](std::string_view field, const std::string& text) {
        const auto count = convertCount(text);
        if (!count)
            window_.messageBox(countMessage(field, text), std::nullopt, MessageIcon::None,
                               MessageButtons::Ok);
        return count;
    };
    // The inputs as typed, read once: the run and its record both use these texts.
    Study study = studyOf(window_, std::nullopt);
    const auto repetitions = readCount("No. Repititions", study.repetitions);
    if (!repetitions) return RunOutcome::Failed;
    const auto sampleSize = readCount("Sample Size", study.samples);
    if (!sampleSize) return RunOutcome::Failed;
    const int M = *repetitions;
    const int N = *sampleSize;

    s.totalSimulations = static_cast<double>(N) * M;
    for (auto* a : {&s.safeSample, &s.effectSample, &s.resistSample}) a->assign(N + 1, 0.0);
    for (auto* a :
         {&s.safeFraction, &s.effectMean, &s.resistMean, &s.effectStdDev, &s.resistStdDev})
        a->assign(M + 1, 0.0);
    s.repetitionTallies.clear();
    s.repetitionTallies.reserve(static_cast<std::size_t>(M));
    s.abortFlag = false;
    window_.setReportText("");
    window_.setProgressMin(0.0f);
    window_.setProgressMax(static_cast<float>(M));
    window_.setProgressLabel("0/" + formatSingle(window_.progressMax()));
    s.runStartTime = clockSeconds();
    study.seed = fixedSeed_ ? *fixedSeed_ : SystemRandom::clockSeed();
    s.systemRandom.reseed(*study.seed);
    lastStudy_ = study;
    recordedOutcome_.reset();

    try {
        readInputs(study.parameters, study.distributions, s.paramA, s.paramB, s.distName);
    } catch (const ParameterError& e) {
        window_.messageBox(std::string(info(e.variable()).caption) + ": the parameters " +
                               quotedText(e.text()) + " are not two numbers separated by a comma.",
                           std::nullopt, MessageIcon::None, MessageButtons::Ok);
        return RunOutcome::Failed;
    }
    appendPieces(inputBlockPieces(study.parameters, s.distName));

    const RepetitionInputs inputs(s.paramA, s.paramB, s.distName, s.piValue, N);
    const RunOutcome loop = engine_ == Engine::Reference ? runReference(inputs) : runFast(inputs);
    if (loop != RunOutcome::Completed) return loop;

    s.overallEffectMean = sampleMean(s.effectMean);
    s.overallEffectStdDev = sampleStdDev(s.effectMean);
    s.overallResistMean = sampleMean(s.resistMean);
    s.overallResistStdDev = sampleStdDev(s.resistMean);
    s.overallSafeMean = sampleMean(s.safeFraction);
    s.overallSafeStdDev = sampleStdDev(s.safeFraction);

    const double p = s.overallSafeMean;
    const double T = s.totalSimulations;
    s.upperLimit = math::sqrt(((1 - p) * p) / T) * 1.96 + p;
    s.lowerLimit = p - math::sqrt(((1 - p) * p) / T) * 1.96;

    s.runEndTime = clockSeconds();
    s.runElapsed = s.runEndTime - s.runStartTime;
    s.timePerSimulation = s.runElapsed / s.totalSimulations;
    appendPieces(overallBlockPieces(s));

    const MessageResult answer =
        window_.messageBox("Simulation Complete\r\nSave File?", saveQuestionTitle,
                           MessageIcon::None, MessageButtons::YesNo);
    lastSave_ = answer == MessageResult::Yes ? saveReport(window_) : SaveOutcome::Declined;
    return RunOutcome::Completed;
}

bool SimulationRun::finishRepetition(int r) {
    RunState& s = state_;
    appendPieces(iterationBlockPieces(r, s.effectMean[r], s.effectStdDev[r], s.resistMean[r],
                                      s.resistStdDev[r], s.safeFraction[r]));
    window_.setProgressValue(static_cast<float>(r));
    window_.setProgressLabel(formatSingle(window_.progressValue()) + "/" +
                             formatSingle(window_.progressMax()));
    window_.processEvents();
    return !window_.closeRequested();
}

void SimulationRun::keepRepetition(int r, const RepetitionResult& result) {
    RunState& s = state_;
    s.effectMean[r] = result.effectMean;
    s.effectStdDev[r] = result.effectStdDev;
    s.resistMean[r] = result.resistMean;
    s.resistStdDev[r] = result.resistStdDev;
    s.safeFraction[r] = result.safeFraction;
    s.repetitionTallies.push_back(result.tally);
}

RunOutcome SimulationRun::runReference(const RepetitionInputs& inputs) {
    RunState& s = state_;
    FaultBoxes boxes(window_);
    const OneAtATime onWindow{s.rng,       s.systemRandom, &boxes,
                              s.abortFlag, s.sampleVector, s.sampleIndex};
    const SampleArrays arrays{s.effectSample.data(), s.resistSample.data(), s.safeSample.data()};
    const int M = static_cast<int>(s.effectMean.size()) - 1;
    for (int r = 1; r <= M; ++r) {  // an int index: a bound of 32767 cannot overflow it
        s.repetitionIndex = static_cast<std::int16_t>(r);
        // The message box of a faulty draw is shown at the draw.
        const RepetitionResult result = computeRepetitionOneAtATime(inputs, onWindow, &arrays);
        if (result.fault) {
            writeAbortMessage();
            return RunOutcome::Aborted;
        }
        keepRepetition(r, result);
        if (!finishRepetition(r)) return RunOutcome::Closed;
    }
    return RunOutcome::Completed;
}

RunOutcome SimulationRun::runFast(const RepetitionInputs& inputs) {
    RunState& s = state_;
    const int M = static_cast<int>(s.effectMean.size()) - 1;
    RepetitionSchedule schedule(
        inputs, s.systemRandom, M, threadsUsed(),
        SampleArrays{s.effectSample.data(), s.resistSample.data(), s.safeSample.data()});
    for (int r = 1; r <= M; ++r) {
        s.repetitionIndex = static_cast<std::int16_t>(r);
        const RepetitionResult& result = schedule.wait(r);
        if (result.fault) {
            s.sampleIndex = static_cast<std::int16_t>(result.fault->sample);
            window_.messageBox(result.fault->message, std::nullopt, MessageIcon::None,
                               MessageButtons::Ok);
            s.abortFlag = true;
            schedule.stop();
            writeAbortMessage();
            return RunOutcome::Aborted;
        }
        keepRepetition(r, result);
        if (!finishRepetition(r)) return RunOutcome::Closed;
    }
    return RunOutcome::Completed;
}

int SimulationRun::threadsUsed() const {
    if (engine_ == Engine::Reference) return 1;
    return threads_ > 0 ? threads_ : defaultThreadCount();
}

void SimulationRun::writeAbortMessage() { appendPieces(abortBlockPieces()); }

}  // namespace ferrolith
