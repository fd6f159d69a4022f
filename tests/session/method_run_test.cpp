// runMethod against the reliability functions called directly on the same inputs, and its
// report's design-point table.
#include "session/method_run.hpp"

#include <gtest/gtest.h>

#include "failure_statistics/figure_text.hpp"
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

}  // namespace
}  // namespace ferrolith::test
