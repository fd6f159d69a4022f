#include "analysis/estimate.hpp"

#include <type_traits>

#include "analysis/analysis_text.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

Estimate noFigure(Method method, std::string why) {
    Estimate e;
    e.method = method;
    e.why = std::move(why);
    return e;
}

const char* unfinished(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Aborted:
            return analysis_text::methodAborted;
        case RunOutcome::Stopped:
            return analysis_text::methodCancelled;
        case RunOutcome::Failed:
        case RunOutcome::Completed:
            break;
    }
    return analysis_text::methodFailed;
}

Estimate sormEstimate(const MethodResult& r, const SormResult& s) {
    const CurvatureCorrection& c = s.estimate();
    if (!s.message.empty() || !c.defined)
        return noFigure(Method::Sorm, s.message.empty() ? c.message : s.message);
    Estimate e;
    e.method = Method::Sorm;
    e.kind = EstimateKind::Value;
    e.failureProbability = c.failureProbability;
    e.beta = c.beta;
    e.count = r.form->form.evaluations + s.evaluations;
    e.countsEvaluations = true;
    e.seconds = r.elapsed;
    return e;
}

Estimate samplingEstimate(const MethodResult& r, const ImportanceSamplingResult& s) {
    if (!s.message.empty()) return noFigure(Method::ImportanceSampling, s.message);
    Estimate e;
    e.method = Method::ImportanceSampling;
    e.count = s.samples;
    e.seconds = r.elapsed;
    // Too few samples for an interval: with none failing Pf is only bounded (by nothing it
    // knows), with a few failing the figure is too loose to judge by.
    if (!s.hasInterval()) {
        if (s.failures == 0)
            e.kind = EstimateKind::Bound;
        else
            e.why = missingInterval(s);
        return e;
    }
    e.kind = EstimateKind::Value;
    e.failureProbability = s.failureProbability;
    e.beta = s.beta;
    e.interval = s.interval;
    e.variation = s.variation;
    return e;
}

Estimate subsetEstimate(const MethodResult& r, const SubsetAnswer& answer) {
    if (!answer.subset) return noFigure(Method::SubsetSimulation, analysis_text::methodFailed);
    const SubsetSimulationResult& s = *answer.subset;
    if (!s.message.empty()) return noFigure(Method::SubsetSimulation, s.message);
    Estimate e;
    e.method = Method::SubsetSimulation;
    e.kind = EstimateKind::Value;
    e.failureProbability = s.failureProbability;
    e.beta = s.beta;
    e.interval = s.interval;
    e.variation = s.variation;
    e.count = s.evaluations;
    e.countsEvaluations = true;
    e.seconds = r.elapsed;
    return e;
}

// What a method adds after FORM, or FORM's own estimate.
Estimate answerEstimate(const MethodResult& r) {
    return std::visit(
        [&r](const auto& answer) -> Estimate {
            using Answer = std::decay_t<decltype(answer)>;
            if constexpr (std::is_same_v<Answer, StreamsAnswer>) {
                const auto& figures = answer.figures;
                if (!figures)
                    return noFigure(Method::IndependentMonteCarlo, analysis_text::noRepetition);
                return figuresEstimate(Method::IndependentMonteCarlo, *figures, r.elapsed);
            } else if constexpr (std::is_same_v<Answer, SubsetAnswer>) {
                return subsetEstimate(r, answer);
            } else {
                if (!r.form) return noFigure(r.method(), analysis_text::methodFailed);
                if (!r.form->form.converged) return noFigure(r.method(), r.form->form.message);
                if constexpr (std::is_same_v<Answer, SormAnswer>) {
                    if (answer.sorm) return sormEstimate(r, *answer.sorm);
                } else if constexpr (std::is_same_v<Answer, ImportanceAnswer>) {
                    if (answer.sampling) return samplingEstimate(r, *answer.sampling);
                }
                Estimate e = formEstimate(*r.form, r.elapsed);
                e.method = r.method();
                return e;
            }
        },
        r.answer);
}

}  // namespace

Estimate figuresEstimate(Method method, const FailureFigures& f, std::optional<double> seconds) {
    Estimate e;
    e.method = method;
    e.count = f.samples;
    e.seconds = seconds;
    e.interval = f.wilson;
    e.variation = f.variation;
    if (f.failures > 0) {
        e.kind = EstimateKind::Value;
        e.failureProbability = f.failureProbability;
        e.beta = f.reliabilityIndex;
        return e;
    }
    // Nothing failed: Pf lies below the interval's upper bound, beta above the bound from it.
    e.kind = EstimateKind::Bound;
    e.failureProbability = f.wilson.upper;
    e.beta = f.reliabilityInterval.lower;
    return e;
}

Estimate formEstimate(const StudyForm& form, std::optional<double> seconds) {
    if (!form.form.converged) return noFigure(Method::Form, form.form.message);
    Estimate e;
    e.method = Method::Form;
    e.kind = EstimateKind::Value;
    e.failureProbability = form.form.failureProbability;
    e.beta = form.form.beta;
    e.count = form.form.evaluations;
    e.countsEvaluations = true;
    e.seconds = seconds;
    return e;
}

Estimate methodEstimate(const MethodResult& r) {
    if (r.outcome != RunOutcome::Completed) return noFigure(r.method(), unfinished(r.outcome));
    return answerEstimate(r);
}

}  // namespace ferrolith
