// runMethod against the reliability functions called directly on the same inputs, and its
// report's design-point table.
#include "session/method_run.hpp"

#include <gtest/gtest.h>

#include "failure_statistics/figure_text.hpp"
#include "reliability/reliability_text.hpp"
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
    EXPECT_EQ(result.sampling->failureProbability, sampled.failureProbability);
    EXPECT_EQ(result.sampling->standardError, sampled.standardError);
    EXPECT_FALSE(result.sorm);
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
    EXPECT_EQ(result.sampling->seed, *result.study.seed);
}

TEST(MethodRun, DesignRunFormIsRunMethodsFormWithoutMessages) {
    RecordingObserver observer;
    const RunRequest request = rareRequest(1);
    const MethodResult viaRun = runMethod(request, {Method::Form}, observer);
    const auto viaDesign = designRunForm(request.study);
    ASSERT_TRUE(viaDesign);
    EXPECT_EQ(viaDesign->outcome, RunOutcome::Completed);
    EXPECT_EQ(viaDesign->form->form.beta, viaRun.form->form.beta);
    EXPECT_EQ(viaDesign->report, viaRun.report);
    EXPECT_GT(viaDesign->elapsed, 0.0);

    Study faulty = request.study;
    faulty.parameters[static_cast<std::size_t>(InputVariable::PointLoadValue)] = "10,1";
    faulty.distributions[static_cast<std::size_t>(InputVariable::PointLoadValue)] = "Poisson";
    const auto aborted = designRunForm(faulty);
    ASSERT_TRUE(aborted);
    EXPECT_EQ(aborted->outcome, RunOutcome::Aborted);
    Study unreadable = request.study;
    unreadable.parameters[0] = "four";
    EXPECT_FALSE(designRunForm(unreadable));
}

TEST(MethodRun, CancelledSamplingEndsStoppedWithoutFigures) {
    for (const Method method : {Method::ImportanceSampling, Method::IndependentMonteCarlo}) {
        RecordingObserver observer;
        const std::atomic<bool> cancel{true};
        const MethodResult result =
            runMethod(rareRequest(3), {method, 5000}, observer, {nullptr, &cancel});
        EXPECT_EQ(result.outcome, RunOutcome::Stopped) << methodName(method);
        EXPECT_TRUE(observer.boxes.empty());
        const bool cancelled = method == Method::ImportanceSampling ? result.sampling->cancelled
                                                                    : result.streams->cancelled;
        EXPECT_TRUE(cancelled);
        EXPECT_NE(result.report.find(text::cancelled), std::string::npos) << result.report;
    }
}

}  // namespace
}  // namespace ferrolith::test
