// Which estimate answers the question of the record's summary, and which check it, by the
// methods an analysis holds.
#include "analysis/answer_summary.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "session/method_run.hpp"
#include "support/recording_observer.hpp"

namespace ferrolith::test {
namespace {

using namespace reliability;
using testing::RecordingObserver;

Study smallStudy() {
    Study study = testing::studyOf("2", "200");
    study.seed = 11;
    return study;
}

MethodResult run(Method method) {
    RecordingObserver o;
    // Subset simulation's 4000 samples a level give a far smaller coefficient of variation than
    // the 2 x 200 samples of independent streams.
    return runMethod({smallStudy(), {}}, {method, 2000, std::nullopt, 4000}, o);
}

// The method as if FORM had found no design point: its own figures stay.
MethodResult withoutDesignPoint(Method method) {
    MethodResult result = run(method);
    result.form->form.converged = false;
    result.form->form.message = "FORM found no design point.";
    return result;
}

Analysis designRunWith(const std::vector<Method>& methods) {
    RecordingObserver o;
    Analysis a = Analysis::ofDesignRun(testing::runSeeded(o, smallStudy(), 11));
    for (Method m : methods) EXPECT_TRUE(a.addMethod(run(m)));
    return a;
}

Analysis aloneWith(MethodResult first, const std::vector<Method>& more) {
    const bool withoutForm = !first.form->form.converged;
    Analysis a = Analysis::ofMethod(std::move(first));
    for (Method m : more) EXPECT_TRUE(a.addMethod(withoutForm ? withoutDesignPoint(m) : run(m)));
    return a;
}

TEST(AnswerSummary, FormAnswersAndTheSamplingMethodsCheckIt) {
    constexpr auto mc = Method::MonteCarlo, form = Method::Form, sorm = Method::Sorm,
                   is = Method::ImportanceSampling, streams = Method::IndependentMonteCarlo,
                   subset = Method::SubsetSimulation;
    const struct {
        const char* name;
        std::function<Analysis()> analysis;
        std::optional<Method> answer;
        std::vector<Method> checks;
    } cases[] = {
        {"design run", [] { return designRunWith({}); }, form, {mc}},
        {"design run and every method",
         [=] {
             return designRunWith({sorm, is, subset, streams});
         },
         form,
         {mc, is, subset, streams}},
        {"FORM alone", [=] { return aloneWith(run(form), {}); }, form, {}},
        // SORM rests on FORM's design point: it checks nothing.
        {"SORM alone", [=] { return aloneWith(run(sorm), {}); }, form, {}},
        {"SORM and subset simulation",
         [=] { return aloneWith(run(sorm), {subset}); },
         form,
         {subset}},
        // Without a design point the most precise sampling figure answers, whatever the order;
        // importance sampling, which samples around the design point, has none.
        {"no design point, subset simulation first",
         [=] {
             return aloneWith(withoutDesignPoint(subset), {streams, is});
         },
         subset,
         {streams}},
        {"no design point, independent streams first",
         [=] { return aloneWith(withoutDesignPoint(streams), {subset}); },
         subset,
         {streams}},
        {"no design point, independent streams alone",
         [=] { return aloneWith(withoutDesignPoint(streams), {}); },
         streams,
         {}},
        {"no figure at all",
         [=] { return aloneWith(withoutDesignPoint(form), {}); },
         std::nullopt,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysis analysis = c.analysis();
        const AnswerSummary summary = answerSummary(analysis);
        ASSERT_EQ(summary.answer.has_value(), c.answer.has_value());
        if (c.answer) {
            EXPECT_EQ(summary.answer->estimate.method, *c.answer);
            // The verdict is the analysis's own for that estimate.
            EXPECT_EQ(summary.answer->verdict, analysis.judged(summary.answer->estimate).verdict);
        }
        std::vector<Method> checks;
        for (const JudgedEstimate& check : summary.checks) checks.push_back(check.estimate.method);
        EXPECT_EQ(checks, c.checks);
    }
}

TEST(AnswerSummary, AnEstimateIsWrittenAsAValueABoundOrWhyThereIsNone) {
    Estimate e;
    e.kind = EstimateKind::Value;
    e.beta = 4.1234;
    e.failureProbability = 1.866e-5;
    EXPECT_EQ(estimateFiguresText(e), "beta 4.123, Pf 1.866e-5");
    e.kind = EstimateKind::Bound;
    e.beta = 2.078;
    e.failureProbability = 0.01884;
    EXPECT_EQ(estimateFiguresText(e), "beta above 2.078, Pf below 0.01884");
    e.failureProbability = std::nan("");
    EXPECT_EQ(estimateFiguresText(e), "no failing sample, so no figure and no bound");
    e.kind = EstimateKind::None;
    e.why = "The method was cancelled before it completed.";
    EXPECT_EQ(estimateFiguresText(e), e.why);
}

}  // namespace
}  // namespace ferrolith::test
