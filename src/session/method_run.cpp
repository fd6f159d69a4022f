#include "session/method_run.hpp"

#include "model/parse_parameter.hpp"
#include "report/count_text.hpp"
#include "rng/system_random.hpp"
#include "session/method_report.hpp"
#include "session/simulation_run.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

void showMessage(RunObserver& observer, std::string_view message) {
    observer.messageBox(message, std::nullopt, MessageIcon::None, MessageButtons::Ok);
}

// Faulty data ends the method with the sampler's message: false then.
bool withoutFault(const std::optional<InputFault>& fault, RunObserver& observer) {
    if (fault) showMessage(observer, fault->message);
    return !fault;
}

// The methods that go on from FORM's design point.
RunOutcome afterForm(MethodResult& result, const MethodOptions& options, RunObserver& observer) {
    const LimitStateFunction g = result.form->space.limitState();
    const FormResult& form = result.form->form;
    if (options.method == Method::Sorm) {
        result.sorm = sorm(g, form);
        if (!withoutFault(result.sorm->fault, observer)) return RunOutcome::Aborted;
    }
    if (options.method == Method::ImportanceSampling) {
        result.sampling = importanceSampling(
            g, form, {*result.study.seed, options.importanceSamples, result.threads});
        if (!withoutFault(result.sampling->fault, observer)) return RunOutcome::Aborted;
    }
    return RunOutcome::Completed;
}

RunOutcome steps(MethodResult& result, const MethodOptions& options, RunObserver& observer) {
    try {
        result.form = studyForm(result.study);
    } catch (const ParameterError& e) {
        showMessage(observer, parameterMessage(info(e.variable()).caption, e.text()));
        return RunOutcome::Failed;
    }
    if (!withoutFault(result.form->form.fault, observer)) return RunOutcome::Aborted;
    if (!result.form->form.converged) return RunOutcome::Completed;
    return afterForm(result, options, observer);
}

}  // namespace

MethodResult runMethod(const RunRequest& request, const MethodOptions& options,
                       RunObserver& observer) {
    MethodResult result;
    result.method = options.method;
    result.study = request.study;
    result.threads = threadsUsed(request.options);
    if (!result.study.seed) result.study.seed = SystemRandom::clockSeed();
    result.outcome = steps(result, options, observer);
    if (result.outcome != RunOutcome::Failed) result.report = methodReport(result);
    return result;
}

}  // namespace ferrolith
