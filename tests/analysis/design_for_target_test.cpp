// Design for the target: the search of an input's first number for FORM's beta at the target,
// checked by an independent FORM of the study as typed and by importance sampling against SORM.
#include "analysis/design_for_target.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/analysis.hpp"
#include "analysis/design_for_target_text.hpp"
#include "analysis/estimate.hpp"
#include "files/number_text.hpp"
#include "reliability/study_form.hpp"

namespace ferrolith {
namespace {

constexpr std::size_t depth = static_cast<std::size_t>(InputVariable::BeamDepth);

// The rare case: Pf about 9e-8 at the typed depth 225,10.
Study rareStudy() {
    Study study;
    study.parameters[static_cast<std::size_t>(InputVariable::AllowableStress)] = "90,3";
    study.seed = 1;
    return study;
}

DesignRequest depthRequest(KeptSpread keep, std::optional<DesignRange> range = std::nullopt) {
    DesignRequest request;
    request.input = InputVariable::BeamDepth;
    request.keep = keep;
    request.range = range;
    return request;
}

// FORM's beta of the study with the depth typed anew, as a user would type the answer.
double betaTyped(Study study, double first, double second) {
    study.parameters[depth] = shortestText(first) + "," + shortestText(second);
    return formEstimate(reliability::studyForm(study), std::nullopt).beta;
}

TEST(DesignForTarget, FindsTheDepthThatMeetsTheTargetAndChecksIt) {
    for (KeptSpread keep : {KeptSpread::SecondNumber, KeptSpread::Variation}) {
        SCOPED_TRACE(std::string(keptSpreadName(keep)));
        const Study study = rareStudy();
        const DesignForTarget d = designForTarget(study, depthRequest(keep));
        ASSERT_TRUE(d.reached);
        ASSERT_TRUE(d.check);
        EXPECT_EQ(d.range.lower, 112.5);
        EXPECT_EQ(d.range.upper, 450.0);
        EXPECT_DOUBLE_EQ(d.second, keep == KeptSpread::Variation ? 10.0 * d.value / 225.0 : 10.0);
        EXPECT_DOUBLE_EQ(d.mean, d.value);  // a Normal's first number is its mean
        // Below the typed depth: beta is 5.2 there, above the target.
        EXPECT_LT(d.value, 225.0);
        EXPECT_NEAR(betaTyped(study, d.value, d.second), 3.8, 0.005);
        EXPECT_EQ(d.beta, d.check->formBeta);
        const double sormPf = d.check->sorm.estimate().failureProbability;
        const auto& sampling = d.check->sampling;
        ASSERT_TRUE(sampling.hasInterval());
        EXPECT_NEAR(sampling.failureProbability, sormPf, 3.0 * sampling.standardError);
        // A deeper beam is safer: the curve rises across the range.
        ASSERT_EQ(d.curve.size(), static_cast<std::size_t>(designCurvePoints));
        EXPECT_EQ(d.curve.front().value, d.range.lower);
        EXPECT_EQ(d.curve.back().value, d.range.upper);
        for (std::size_t i = 1; i < d.curve.size(); ++i)
            EXPECT_GT(d.curve[i].beta, d.curve[i - 1].beta) << d.curve[i].value;
    }
}

TEST(DesignForTarget, ATargetOutOfReachGivesTheBestValueInTheRange) {
    const DesignForTarget d =
        designForTarget(rareStudy(), depthRequest(KeptSpread::SecondNumber, DesignRange{100, 150}));
    EXPECT_FALSE(d.reached);
    EXPECT_FALSE(d.check);
    // Beta rises with the depth and stays below the target: the deepest is nearest it.
    EXPECT_EQ(d.value, 150.0);
    EXPECT_EQ(d.beta, d.curve.back().beta);
    EXPECT_LT(d.beta, 3.8);
    EXPECT_EQ(designForTargetLines(d).back().rfind(
                  "The target is out of reach in the range: the best value is 150.0 (mean 150.0, "
                  "second number 10.00), FORM beta ",
                  0),
              0u);
}

TEST(DesignForTarget, RequestsThatCannotBeSearchedSaySo) {
    struct Case {
        std::string depthText;
        DesignRequest request;
        bool searchable;
    };
    const Case cases[] = {
        {"225,10", depthRequest(KeptSpread::SecondNumber), true},
        {"0,10", depthRequest(KeptSpread::SecondNumber), false},
        {"0,10", depthRequest(KeptSpread::SecondNumber, DesignRange{100, 200}), true},
        {"0,10", depthRequest(KeptSpread::Variation, DesignRange{100, 200}), false},
        {"225,10", depthRequest(KeptSpread::SecondNumber, DesignRange{200, 100}), false},
        {"225,10", depthRequest(KeptSpread::SecondNumber, DesignRange{200, 200}), false},
        {"225,10", depthRequest(KeptSpread::SecondNumber, DesignRange{NAN, 200}), false},
    };
    for (const Case& c : cases) {
        Study study = rareStudy();
        study.parameters[depth] = c.depthText;
        EXPECT_EQ(designRequestProblem(study, c.request).has_value(), !c.searchable) << c.depthText;
    }
}

TEST(DesignForTarget, AnAnalysisKeepsItForItsInputsAndTargetOnly) {
    const Study study = rareStudy();
    const DesignForTarget d =
        designForTarget(study, depthRequest(KeptSpread::SecondNumber, DesignRange{100, 150}));
    Analysis analysis(study);
    Study other = study;
    other.parameters[depth] = "230,10";
    EXPECT_FALSE(analysis.setDesignForTarget(other, d));
    EXPECT_TRUE(analysis.setDesignForTarget(study, d));
    TargetBasis sameIndex = study.target;
    sameIndex.period = ReferencePeriod::OneYear;
    sameIndex.typed = TypedTarget{3.8, "brief"};
    analysis.setTarget(sameIndex);
    EXPECT_TRUE(analysis.designForTarget());
    TargetBasis higher;
    higher.typed = TypedTarget{4.0, "brief"};
    analysis.setTarget(higher);
    EXPECT_FALSE(analysis.designForTarget());
}

}  // namespace
}  // namespace ferrolith
