#include "session/method_run.hpp"

#include <chrono>

#include "analysis/method_report.hpp"
#include "model/parse_parameter.hpp"
#include "report/count_text.hpp"
#include "rng/system_random.hpp"
#include "session/simulation_run.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void showMessage(RunObserver& observer, std::string_view message) {
    observer.messageBox(message, std::nullopt, MessageIcon::None, MessageButtons::Ok);
}

// Faulty data ends the method with the sampler's message: false then.
bool withoutFault(const std::optional<InputFault>& fault, RunObserver& observer) {
    if (fault) showMessage(observer, fault->message);
    return !fault;
}

// The methods that go on from FORM's design point.
RunOutcome afterForm(MethodResult& result, const MethodOptions& options,
                     const MethodProgress& progress, RunObserver& observer) {
    const LimitStateFunction g = result.form->space.limitState();
    const FormResult& form = result.form->form;
    if (auto* answer = std::get_if<SormAnswer>(&result.answer)) {
        answer->sorm = sorm(g, form);
        if (!withoutFault(answer->sorm->fault, observer)) return RunOutcome::Aborted;
    }
    if (auto* answer = std::get_if<ImportanceAnswer>(&result.answer)) {
        answer->sampling = importanceSampling(
            g, form,
            {*result.study.seed, options.importanceSamples, result.threads, options.targetCov},
            progress);
        if (answer->sampling->cancelled) return RunOutcome::Stopped;
        if (!withoutFault(answer->sampling->fault, observer)) return RunOutcome::Aborted;
    }
    return RunOutcome::Completed;
}

// The counts of independent Monte Carlo, as the design run reads them.
std::optional<std::pair<int, int>> readCounts(const Study& study, RunObserver& observer) {
    const auto M = convertCount(study.repetitions);
    if (!M) {
        showMessage(observer, countMessage(repetitionsField, study.repetitions));
        return std::nullopt;
    }
    const auto N = convertCount(study.samples);
    if (!N) {
        showMessage(observer, countMessage(sampleSizeField, study.samples));
        return std::nullopt;
    }
    return std::pair<int, int>{*M, *N};
}

RunOutcome independentStreams(MethodResult& result, std::pair<int, int> counts,
                              const MethodProgress& progress, RunObserver& observer) {
    auto& answer = std::get<StreamsAnswer>(result.answer);
    answer.sampleSize = counts.second;
    const auto start = std::chrono::steady_clock::now();
    answer.streams = streamMonteCarlo(
        result.form->space, {*result.study.seed, counts.first, counts.second, result.threads},
        progress);
    result.elapsed = secondsSince(start);
    answer.figures = streamFigures(*answer.streams);
    if (answer.streams->cancelled) return RunOutcome::Stopped;
    if (!answer.streams->fault) return RunOutcome::Completed;
    showMessage(observer, answer.streams->fault->fault.message);
    return RunOutcome::Aborted;
}

SubsetOptions subsetOptions(const MethodResult& result, const MethodOptions& options) {
    SubsetOptions subset;
    subset.seed = *result.study.seed;
    subset.samples = options.subsetSamples;
    subset.runs = options.subsetRuns.value_or(options.targetCov ? targetSubsetRuns : 1);
    subset.targetCov = options.targetCov;
    subset.threads = result.threads;
    return subset;
}

// Sampled from the origin of the beam's space: FORM's outcome does not matter to it.
RunOutcome subsetLevels(MethodResult& result, const MethodOptions& options,
                        const MethodProgress& progress, RunObserver& observer) {
    auto& answer = std::get<SubsetAnswer>(result.answer);
    const auto start = std::chrono::steady_clock::now();
    answer.subset =
        subsetSimulation(result.form->space.limitState(), subsetOptions(result, options), progress);
    result.elapsed = secondsSince(start);
    if (answer.subset->cancelled) return RunOutcome::Stopped;
    if (!withoutFault(answer.subset->fault, observer)) return RunOutcome::Aborted;
    return RunOutcome::Completed;
}

RunOutcome steps(MethodResult& result, const MethodOptions& options, const MethodProgress& progress,
                 RunObserver& observer) {
    const bool streams = options.method == Method::IndependentMonteCarlo;
    const auto counts = streams ? readCounts(result.study, observer) : std::nullopt;
    if (streams && !counts) return RunOutcome::Failed;
    const bool subset = options.method == Method::SubsetSimulation;
    if (subset) {
        const std::string fault = subsetOptionsFault(subsetOptions(result, options));
        if (!fault.empty()) {
            showMessage(observer, fault);
            return RunOutcome::Failed;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        result.form = studyForm(result.study);
    } catch (const ParameterError& e) {
        showMessage(observer, parameterMessage(info(e.variable()).caption, e.text()));
        return RunOutcome::Failed;
    }
    if (streams) return independentStreams(result, *counts, progress, observer);
    if (subset) return subsetLevels(result, options, progress, observer);
    if (!withoutFault(result.form->form.fault, observer)) return RunOutcome::Aborted;
    const RunOutcome outcome = result.form->form.converged
                                   ? afterForm(result, options, progress, observer)
                                   : RunOutcome::Completed;
    result.elapsed = secondsSince(start);
    return outcome;
}

}  // namespace

MethodResult runMethod(const RunRequest& request, const MethodOptions& options,
                       RunObserver& observer, const MethodProgress& progress) {
    MethodResult result;
    result.answer = emptyAnswer(options.method);
    result.study = request.study;
    result.threads = threadsUsed(request.options);
    result.startedAt = wallClockSeconds();
    if (!result.study.seed) result.study.seed = SystemRandom::clockSeed();
    result.outcome = steps(result, options, progress, observer);
    if (result.outcome != RunOutcome::Failed) result.report = methodReport(result);
    return result;
}

}  // namespace ferrolith
