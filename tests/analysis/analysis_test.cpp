// The analysis: each verdict decided by one rule, and what a design run or a method run leaves
// in it, computed once.
#include "analysis/analysis.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "session/method_run.hpp"
#include "support/recording_observer.hpp"

namespace ferrolith::test {
namespace {

using namespace reliability;
using testing::RecordingObserver;
using testing::runSeeded;
using testing::studyOf;

TargetBasis table(ReliabilityClass c, ReferencePeriod period) { return {c, period, std::nullopt}; }
TargetBasis typed(double index, const char* source = "command line") {
    return {ReliabilityClass::RC2, ReferencePeriod::FiftyYears, TypedTarget{index, source}};
}

TEST(Verdict, EachEstimateIsJudgedByOneRuleInOneWording) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr auto rc2 = ReliabilityClass::RC2;
    constexpr auto years50 = ReferencePeriod::FiftyYears;
    const struct {
        EstimateKind kind;
        double beta;
        TargetBasis target;
        Verdict verdict;
        const char* words;
    } cases[] = {
        {EstimateKind::Value,
         4.2,
         {},
         Verdict::Meets,
         "meets RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)"},
        {EstimateKind::Value, 3.8, table(rc2, years50), Verdict::Meets,
         "meets RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)"},
        {EstimateKind::Value, 3.7999, table(rc2, years50), Verdict::FallsShort,
         "falls short of RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)"},
        {EstimateKind::Value, -0.5, table(ReliabilityClass::RC1, ReferencePeriod::OneYear),
         Verdict::FallsShort, "falls short of RC1, 1-year loads: beta 4.2 (EN 1990 Table B2)"},
        // Nothing failed: only the least beta the interval allows can meet the target.
        {EstimateKind::Bound, 4.31, table(ReliabilityClass::RC3, years50), Verdict::Meets,
         "meets RC3, 50-year loads: beta 4.3 (EN 1990 Table B2)"},
        {EstimateKind::Bound, 2.078, typed(3.8), Verdict::NotShownToMeet,
         "not shown to meet 50-year loads: beta 3.80 (command line)"},
        {EstimateKind::Bound, nan, typed(0.0, "study file"), Verdict::NotShownToMeet,
         "not shown to meet 50-year loads: beta 0.00 (study file)"},
        {EstimateKind::None,
         nan,
         {},
         Verdict::NoAnswer,
         "no answer to check against RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)"},
        {EstimateKind::None, 9.0, typed(3.8), Verdict::NoAnswer,
         "no answer to check against 50-year loads: beta 3.80 (command line)"},
        // A typed target with more decimals than two is written as it is held.
        {EstimateKind::Value, 3.857, typed(3.855, "client's brief"), Verdict::Meets,
         "meets 50-year loads: beta 3.855 (client's brief)"},
        {EstimateKind::Value, 5.3, table(ReliabilityClass::RC3, ReferencePeriod::OneYear),
         Verdict::Meets, "meets RC3, 1-year loads: beta 5.2 (EN 1990 Table B2)"},
    };
    for (const auto& c : cases) {
        Estimate e;
        e.kind = c.kind;
        e.beta = c.beta;
        const Verdict v = verdictOn(e, c.target.index());
        EXPECT_EQ(v, c.verdict) << c.words;
        EXPECT_EQ(verdictText(v, c.target), c.words);
    }
}

// EN 1990 Annex B Table B2, ultimate limit states.
TEST(Verdict, TheTableGivesSixTargets) {
    const struct {
        ReliabilityClass reliabilityClass;
        ReferencePeriod period;
        double index;
    } cases[] = {
        {ReliabilityClass::RC1, ReferencePeriod::OneYear, 4.2},
        {ReliabilityClass::RC2, ReferencePeriod::OneYear, 4.7},
        {ReliabilityClass::RC3, ReferencePeriod::OneYear, 5.2},
        {ReliabilityClass::RC1, ReferencePeriod::FiftyYears, 3.3},
        {ReliabilityClass::RC2, ReferencePeriod::FiftyYears, 3.8},
        {ReliabilityClass::RC3, ReferencePeriod::FiftyYears, 4.3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tableTarget(c.reliabilityClass, c.period), c.index);
        EXPECT_EQ(table(c.reliabilityClass, c.period).index(), c.index);
        // A typed target stands in for the table's, whatever the class.
        EXPECT_EQ(TargetBasis({c.reliabilityClass, c.period, TypedTarget{1.5, "x"}}).index(), 1.5);
    }
    EXPECT_EQ(TargetBasis().index(), defaultTargetIndex);
}

// A design run on the rare-end study, whose design point lies beyond the generator's reach.
RunResult rareRun(double target) {
    RecordingObserver o;
    Study study = studyOf("3", "200");
    study.parameters[static_cast<std::size_t>(InputVariable::AllowableStress)] = "90,3";
    study.target = typed(target);
    return runSeeded(o, study, 5);
}

TEST(Analysis, ADesignRunHoldsItsFiguresFormAndWarningComputedOnce) {
    const RunResult run = rareRun(4.7);
    const Analysis a = Analysis::ofDesignRun(run);
    ASSERT_TRUE(a.design());
    EXPECT_EQ(a.study(), run.study);
    const auto figures = failureFigures(run.tallies, 3, RunStatus::Completed);
    ASSERT_TRUE(figures && a.design()->figures);
    EXPECT_EQ(a.design()->figures->failures, figures->failures);
    EXPECT_EQ(a.design()->estimate.kind, EstimateKind::Bound);
    EXPECT_EQ(a.design()->estimate.beta, figures->reliabilityInterval.lower);

    // FORM of the study: what runMethod's FORM gives, with the same report.
    RecordingObserver o;
    const MethodResult form = runMethod({run.study, {}}, {Method::Form}, o);
    ASSERT_TRUE(a.form());
    EXPECT_EQ(a.form()->form.beta, form.form->form.beta);
    ASSERT_EQ(a.methods().size(), 1u);
    EXPECT_EQ(a.methods()[0].method(), Method::Form);
    EXPECT_EQ(a.methods()[0].report, form.report);
    EXPECT_EQ(a.tailWarning(), studyForm(run.study).tailWarnings.front().text);

    const auto estimates = a.estimates();
    ASSERT_EQ(estimates.size(), 2u);
    EXPECT_EQ(estimates[0].estimate.method, Method::MonteCarlo);
    EXPECT_EQ(estimates[1].estimate.beta, form.form->form.beta);
    EXPECT_EQ(estimates[1].verdict, Verdict::Meets);  // beta 5.2 against 4.7
}

// Two mirror design points: FORM's estimate, and so its verdict, is the system's from both.
TEST(Analysis, FormOfSeveralDesignPointsIsJudgedByTheirSystem) {
    RecordingObserver o;
    Study study = studyOf("2", "100");
    study.parameters[static_cast<std::size_t>(InputVariable::PointLoadLocation)] = "2,2";
    study.parameters[static_cast<std::size_t>(InputVariable::PointLoadValue)] = "0,4";
    study.parameters[static_cast<std::size_t>(InputVariable::AllowableStress)] = "80,3";
    study.seed = 1;
    study.target = typed(3.5);
    const Analysis a = Analysis::ofMethod(runMethod({study, {}}, {Method::Form}, o));
    const FormResult& form = a.form()->form;
    ASSERT_EQ(form.designPoints.size(), 2u);
    const Estimate e = a.estimates().at(0).estimate;
    EXPECT_EQ(e.failureProbability, form.system.probability);
    EXPECT_EQ(e.beta, form.systemBeta);
    EXPECT_NEAR(e.beta, 3.393, 5e-4);
    EXPECT_GT(form.beta, 3.5);  // the nearest point alone would meet the target
    EXPECT_EQ(a.estimates().at(0).verdict, Verdict::FallsShort);
}

TEST(Analysis, AMethodRunAloneHasNoDesignRunWarning) {
    RecordingObserver o;
    const RunResult run = rareRun(3.8);
    const Analysis a =
        Analysis::ofMethod(runMethod({run.study, {}}, {Method::ImportanceSampling, 2000}, o));
    EXPECT_FALSE(a.design());
    ASSERT_TRUE(a.form());
    EXPECT_FALSE(a.form()->tailWarnings.empty());
    // The warning is of the design's generator: no design run, no warning.
    EXPECT_FALSE(a.tailWarning());
    ASSERT_EQ(a.estimates().size(), 1u);
    EXPECT_EQ(a.estimates()[0].estimate.method, Method::ImportanceSampling);
}

TEST(Analysis, FormIsLeftOutWhereItCannotRunOrEndsOnFaultyData) {
    RunResult run = rareRun(3.8);
    run.study.parameters[0] = "4;0.05";
    const Analysis unreadable = Analysis::ofDesignRun(run);
    EXPECT_FALSE(unreadable.form());
    EXPECT_TRUE(unreadable.methods().empty());

    run.study.parameters[0] = "4,0.05";
    run.study.parameters[static_cast<std::size_t>(InputVariable::PointLoadValue)] = "10,1";
    run.study.distributions[static_cast<std::size_t>(InputVariable::PointLoadValue)] = "Poisson";
    const Analysis faulty = Analysis::ofDesignRun(run);
    ASSERT_TRUE(faulty.form());
    EXPECT_TRUE(faulty.form()->form.fault);
    EXPECT_TRUE(faulty.methods().empty());
}

TEST(Analysis, MethodsStayWithTheirInputsAndTheTargetJudgesThemAll) {
    RecordingObserver o;
    const RunResult first = rareRun(3.8);
    Analysis a = Analysis::ofDesignRun(first);
    EXPECT_TRUE(a.addMethod(runMethod({first.study, {}}, {Method::ImportanceSampling, 2000}, o)));
    EXPECT_TRUE(a.addMethod(runMethod({first.study, {}}, {Method::ImportanceSampling, 3000}, o)));
    ASSERT_EQ(a.methods().size(), 2u);  // FORM, and the second sampling in the first's place
    EXPECT_EQ(a.methods()[1].method(), Method::ImportanceSampling);

    Study other = first.study;
    other.parameters[0] = "5,0.05";
    EXPECT_FALSE(a.addMethod(runMethod({other, {}}, {Method::Sorm}, o)));
    EXPECT_EQ(a.methods().size(), 2u);

    // Another run of the same inputs keeps the sampling and takes its own FORM.
    const Analysis again = Analysis::ofDesignRun(rareRun(3.8), a);
    ASSERT_EQ(again.methods().size(), 2u);
    EXPECT_EQ(again.methods()[1].method(), Method::ImportanceSampling);
    RunResult moved = rareRun(3.8);
    moved.study = other;
    EXPECT_EQ(Analysis::ofDesignRun(moved, a).methods().size(), 1u);

    a.setTarget(typed(6.0));
    EXPECT_EQ(a.design()->run.study.target, typed(6.0));
    for (const JudgedEstimate& j : a.estimates())
        EXPECT_NE(j.verdict, Verdict::Meets) << methodName(j.estimate.method);
}

// FORM over the other period follows the study's period and roles, for the analysis's FORM and
// every method's.
TEST(Analysis, ThePeriodAndTheRolesRedoFormOverTheOtherPeriod) {
    RecordingObserver o;
    const RunResult run = rareRun(3.8);
    Analysis a = Analysis::ofDesignRun(run);
    EXPECT_TRUE(a.addMethod(runMethod({run.study, {}}, {Method::Sorm}, o)));
    ASSERT_EQ(a.form()->otherPeriod.period, ReferencePeriod::OneYear);
    a.setTarget(table(ReliabilityClass::RC3, ReferencePeriod::OneYear));
    a.setLoadRole(InputVariable::UdlValue, LoadRole::Permanent);
    Study expected = run.study;
    copyBasis(a.study(), expected);
    const auto other = studyForm(expected).otherPeriod;
    ASSERT_TRUE(other.form);
    EXPECT_FALSE(other.loadsTogether);
    for (const OtherPeriodForm* shown : {&a.form()->otherPeriod, &a.methods()[0].form->otherPeriod,
                                         &a.methods()[1].form->otherPeriod}) {
        EXPECT_EQ(shown->period, ReferencePeriod::FiftyYears);
        EXPECT_EQ(shown->loadsTogether, other.loadsTogether);
        EXPECT_EQ(shown->form->beta, other.form->beta);
    }
    EXPECT_EQ(a.design()->run.study.loadRoles, expected.loadRoles);
}

}  // namespace
}  // namespace ferrolith::test
