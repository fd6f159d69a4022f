// The reliability methods on the beam: the rare case, a closed form, the importance factors, the
// tail check and faulty data.
#include <gtest/gtest.h>

#include <cmath>

#include "model/draw_input.hpp"
#include "reliability/beam_design_point.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/sorm.hpp"
#include "reliability/stream_monte_carlo.hpp"
#include "reliability/tail_check.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

using test::beamInputs;

// The rare case's failure probability, by importance sampling with 10^7 samples.
constexpr double rareFailureProbability = 9.25e-8;

class RareBeam : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        space = new BeamSpace(test::rareBeamInputs());
        g = new LimitStateFunction(space->limitState());
        f = new FormResult(form(*g));
    }
    static void TearDownTestSuite() {
        delete f;
        delete g;
        delete space;
    }
    static inline BeamSpace* space = nullptr;
    static inline LimitStateFunction* g = nullptr;
    static inline FormResult* f = nullptr;
};

TEST_F(RareBeam, FormBetaAndImportanceSampling) {
    ASSERT_TRUE(f->converged) << f->message;
    EXPECT_NEAR(f->beta, 5.22, 0.005);
    const ImportanceSamplingResult r = importanceSampling(*g, *f);
    EXPECT_EQ(r.samples, defaultImportanceSamples);
    EXPECT_NEAR(r.failureProbability, rareFailureProbability, 4 * r.standardError);
    ASSERT_TRUE(r.variation);
    EXPECT_LT(*r.variation, 0.05);
    // Breitung's correction comes within a few percent of it.
    const SormResult s = sorm(*g, *f);
    ASSERT_TRUE(s.breitung.defined);
    EXPECT_NEAR(s.breitung.failureProbability, rareFailureProbability,
                0.03 * rareFailureProbability);
}

TEST_F(RareBeam, DesignPointInputByInput) {
    const auto point = beamDesignPoint(*space, *f);
    ASSERT_TRUE(point);
    double importance = 0.0;
    for (const InputDesignPoint& input : point->inputs) importance += input.importance;
    EXPECT_NEAR(importance, 1.0, 1e-12);
    // On the limit state: R = E.
    EXPECT_NEAR(point->resistance, point->effect, 1e-6 * point->effect);
    // Normal inputs: value = mean + sd z.
    const InputDesignPoint& width = point->inputs[1];
    EXPECT_NEAR(width.value, 75 + 10 * width.standard[0], 1e-12);
    EXPECT_EQ(width.originValue, 75.0);
    EXPECT_LT(width.standard[0], -4.0);  // the narrow beam carries most of it
    EXPECT_GT(width.importance, 0.5);
}

TEST_F(RareBeam, TailCheckNamesTheNarrowBeam) {
    const std::vector<TailWarning> warnings = tailCheck(*beamDesignPoint(*space, *f));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].variable, InputVariable::BeamWidth);
    EXPECT_EQ(warnings[0].direction, TailDirection::Falls);
    EXPECT_LT(warnings[0].standardValue, -4.0);
    EXPECT_NEAR(warnings[0].value, 75 + 10 * warnings[0].standardValue, 1e-12);
    EXPECT_EQ(warnings[0].text,
              "Beam Width (mm) is a resistance that must fall to the standard normal value -4.452 "
              "at the design point, further out than the design's generator samples, so the run's "
              "failure probability is wrong there: use importance sampling (failure probability "
              "below about 1e-6) or Monte Carlo with independent streams.");
}

TEST(BeamReliability, LogNormalProductHasAClosedFormBeta) {
    // Span 4 m and load at 2 m fixed, no UDL: E = P kN·m and R = 0.25e-6 f b d^2, so
    // ln R - ln E is normal and beta = (ln 0.25e-6 + mf + mb + 2 md - mP) / sqrt(sf^2 + sb^2 +
    // 4 sd^2 + sP^2) exactly.
    const BeamSpace space(beamInputs({{InputVariable::BeamLength, "4,0"},
                                      {InputVariable::BeamWidth, "4.3,0.1", "Log-Normal"},
                                      {InputVariable::BeamDepth, "5.4,0.05", "Log-Normal"},
                                      {InputVariable::AllowableStress, "3,0.15", "Log-Normal"},
                                      {InputVariable::PointLoadLocation, "2,0"},
                                      {InputVariable::PointLoadValue, "2.3,0.2", "Log-Normal"},
                                      {InputVariable::UdlValue, "0,0"}}));
    const double beta = (std::log(0.25e-6) + 4.3 + 2 * 5.4 + 3 - 2.3) /
                        std::sqrt(0.1 * 0.1 + 4 * 0.05 * 0.05 + 0.15 * 0.15 + 0.2 * 0.2);
    const FormResult f = form(space.limitState());
    ASSERT_TRUE(f.converged) << f.message;
    EXPECT_NEAR(f.beta, beta, 1e-6);
}

TEST(BeamReliability, ImportanceFactorsOfGammaInputsAddTheirThreeCoordinates) {
    const BeamSpace space(beamInputs({{InputVariable::BeamWidth, "0.004,30", "Gamma"},
                                      {InputVariable::UdlValue, "4,0.8", "Gumbel"}}));
    const FormResult f = form(space.limitState());
    ASSERT_TRUE(f.converged) << f.message;
    const auto point = beamDesignPoint(space, f);
    ASSERT_TRUE(point);
    double total = 0.0;
    for (const InputDesignPoint& input : point->inputs) total += input.importance;
    EXPECT_NEAR(total, 1.0, 1e-12);
    const InputDesignPoint& width = point->inputs[1];
    ASSERT_EQ(width.standard.size(), 3u);
    EXPECT_NEAR(width.importance,
                width.alpha[0] * width.alpha[0] + width.alpha[1] * width.alpha[1] +
                    width.alpha[2] * width.alpha[2],
                1e-15);
    // Only inputs drawn through Box-Muller are checked against the tail limit.
    for (const TailWarning& w : tailCheck(*point)) {
        EXPECT_NE(w.variable, InputVariable::BeamWidth);
        EXPECT_NE(w.variable, InputVariable::UdlValue);
    }
}

TEST(BeamReliability, LoadThatMustRiseBeyondTheTail) {
    // A strong, certain beam under a UDL of 1 +- 1 kN/m: it fails only far up the UDL's tail.
    const BeamSpace space(beamInputs({{InputVariable::AllowableStress, "20,0"},
                                      {InputVariable::PointLoadValue, "0,0"},
                                      {InputVariable::UdlValue, "1,1"},
                                      {InputVariable::BeamLength, "4,0"},
                                      {InputVariable::BeamWidth, "75,0"},
                                      {InputVariable::BeamDepth, "225,0"}}));
    const FormResult f = form(space.limitState());
    ASSERT_TRUE(f.converged) << f.message;
    const std::vector<TailWarning> warnings = tailCheck(*beamDesignPoint(space, f));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].variable, InputVariable::UdlValue);
    EXPECT_EQ(warnings[0].direction, TailDirection::Rises);
    // R = 20 x 75 x 225^2 / 4 = 18.98 kN·m = w 16 / 8: w = 9.49, z = 8.49.
    EXPECT_NEAR(warnings[0].standardValue, 8.4921875, 1e-6);
    EXPECT_EQ(warnings[0].text.substr(0, 77),
              "UDL Value (kN/m) is a load that must rise to the standard normal value 8.492 ");
}

TEST(BeamReliability, PoissonMeanOfTenEndsEveryMethod) {
    const BeamSpace space(beamInputs({{InputVariable::PointLoadValue, "10,2", "Poisson"}}));
    const InputFault fault{poissonFaultMessage, InputVariable::PointLoadValue};
    const LimitStateFunction g = space.limitState();
    const FormResult f = form(g);
    ASSERT_TRUE(f.fault);
    EXPECT_EQ(*f.fault, fault);
    EXPECT_EQ(f.message, "Poisson Parameter < 10");
    EXPECT_FALSE(beamDesignPoint(space, f));
    const SormResult s = sorm(g, f);
    ASSERT_TRUE(s.fault);
    EXPECT_EQ(*s.fault, fault);
    const ImportanceSamplingResult is = importanceSampling(g, f);
    ASSERT_TRUE(is.fault);
    EXPECT_EQ(*is.fault, fault);
    const StreamMonteCarloResult mc = streamMonteCarlo(space, {1, 2, 10, 0});
    ASSERT_TRUE(mc.fault);
    EXPECT_EQ(mc.fault->fault, fault);
}

TEST_F(RareBeam, ImportanceSamplingIsTheSameAtAnyThreadCount) {
    // 3500 samples: three full blocks and a part one.
    const ImportanceSamplingResult one = importanceSampling(*g, *f, {3, 3500, 1});
    EXPECT_EQ(one.samples, 3500);
    for (int threads : {2, 8}) {
        const ImportanceSamplingResult r = importanceSampling(*g, *f, {3, 3500, threads});
        EXPECT_EQ(r.failures, one.failures) << threads;
        EXPECT_EQ(r.failureProbability, one.failureProbability) << threads;
        EXPECT_EQ(r.standardError, one.standardError) << threads;
    }
    EXPECT_NE(importanceSampling(*g, *f, {4, 3500, 1}).failureProbability, one.failureProbability);
}

}  // namespace
}  // namespace ferrolith::reliability
