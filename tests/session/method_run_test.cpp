// runMethod against the reliability functions called directly on the same inputs, and its
// report's design-point table.
#include "session/method_run.hpp"

#include <gtest/gtest.h>

#include "failure_statistics/figure_text.hpp"
#include "reliability/reliability_text.hpp"
#include "support/method_answers.hpp"
#include "support/recording_observer.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::test {
namespace {

using namespace reliability;
using testing::RecordingObserver;

RunRequest rareRequest(std::uint64_t seed) {
    RunRequest request;
    request.study.parameters[static_cast<std::size_t>(InputVariable::AllowableStress)] = "90,3";
    request.study.seed = seed;
    request.options.threads = 2;
    return request;
}

TEST(MethodRun, ImportanceSamplingGivesWhatTheMethodGivesCalledDirectly) {
    RecordingObserver observer;
    const MethodResult result =
        runMethod(rareRequest(9), {Method::ImportanceSampling, 5000}, observer);
    ASSERT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_TRUE(observer.boxes.empty());

    const BeamSpace space(rareBeamInputs());
    const FormResult direct = form(space.limitState());
    const ImportanceSamplingResult sampled =
        importanceSampling(space.limitState(), direct, {9, 5000, 1});
    EXPECT_EQ(result.form->form.beta, direct.beta);
    EXPECT_EQ(samplingOf(result)->failureProbability, sampled.failureProbability);
    EXPECT_EQ(samplingOf(result)->standardError, sampled.standardError);
    EXPECT_FALSE(sormOf(result));
}

TEST(MethodRun, ReportListsEveryInputAtTheDesignPoint) {
    RecordingObserver observer;
    const MethodResult result = runMethod(rareRequest(1), {Method::Form}, observer);
    ASSERT_TRUE(result.form && result.form->designPoint);
    for (const InputDesignPoint& input : result.form->designPoint->inputs) {
        std::string name(info(input.variable).name);
        name.resize(18, ' ');
        std::string value = formatFigure(input.value);
        value.resize(12, ' ');
        EXPECT_NE(result.report.find("\n  " + name + value + formatFigure(input.standard[0]) + " "),
                  std::string::npos)
            << name << "\n"
            << result.report;
    }
    EXPECT_NE(result.report.find("FORM beta: " + formatFigure(result.form->form.beta) + "\n"),
              std::string::npos);
}

TEST(MethodRun, StudyWithoutSeedRecordsTheClockSeed) {
    RecordingObserver observer;
    RunRequest request = rareRequest(1);
    request.study.seed.reset();
    const MethodResult result = runMethod(request, {Method::ImportanceSampling, 100}, observer);
    ASSERT_TRUE(result.study.seed);
    EXPECT_EQ(samplingOf(result)->seed, *result.study.seed);
}

TEST(MethodRun, CancelledSamplingEndsStoppedWithoutFigures) {
    for (const Method method : {Method::ImportanceSampling, Method::IndependentMonteCarlo}) {
        RecordingObserver observer;
        const std::atomic<bool> cancel{true};
        const MethodResult result =
            runMethod(rareRequest(3), {method, 5000}, observer, {nullptr, &cancel});
        EXPECT_EQ(result.outcome, RunOutcome::Stopped) << methodName(method);
        EXPECT_TRUE(observer.boxes.empty());
        const bool cancelled = method == Method::ImportanceSampling ? samplingOf(result)->cancelled
                                                                    : streamsOf(result)->cancelled;
        EXPECT_TRUE(cancelled);
        EXPECT_NE(result.report.find(text::cancelled), std::string::npos) << result.report;
    }
}

}  // namespace
}  // namespace ferrolith::test
