#include "reliability/importance_sampling.hpp"

#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <cmath>

#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

double phi(double z) { return boost::math::cdf(boost::math::normal_distribution<double>(), z); }

TEST(ImportanceSampling, LinearLimitStateAtOneInABillion) {
    // beta 6: Pf = Phi(-6) = 9.87e-10, within 4 standard errors.
    const LimitStateFunction g = test::linearLimitState(6.0, {1.0, -2.0, 0.5, 3.0, 1.0});
    const ImportanceSamplingResult r = importanceSampling(g, form(g), {5, 20000, 0});
    const double exact = phi(-6.0);
    EXPECT_EQ(r.samples, 20000);
    EXPECT_GT(r.failures, 9000);
    EXPECT_LT(r.failures, 11000);
    EXPECT_NEAR(r.failureProbability, exact, 4 * r.standardError);
    ASSERT_TRUE(r.variation);
    EXPECT_LT(*r.variation, 0.05);
    EXPECT_NEAR(r.interval.upper - r.failureProbability, interval95Z * r.standardError, 1e-22);
    EXPECT_NEAR(r.beta, 6.0, 0.05);
    EXPECT_EQ(r.seed, 5u);
}

TEST(ImportanceSampling, NeedsADesignPointAndSamples) {
    const LimitStateFunction bowl{
        2, [](std::span<const double> z) { return 1 + z[0] * z[0] + z[1] * z[1]; }};
    const ImportanceSamplingResult none = importanceSampling(bowl, form(bowl));
    EXPECT_EQ(none.message, "FORM found no design point to start from.");
    EXPECT_EQ(none.samples, 0);
    EXPECT_TRUE(std::isnan(none.failureProbability));

    const LimitStateFunction g = test::linearLimitState(2.0, {1.0});
    const ImportanceSamplingResult empty = importanceSampling(g, form(g), {1, 0, 0});
    EXPECT_EQ(empty.message, "At least one sample is needed.");
    EXPECT_TRUE(std::isnan(empty.failureProbability));

    const LimitStateFunction plane = test::linearLimitState(2.0, {1.0, 1.0});
    const ImportanceSamplingResult other = importanceSampling(plane, form(g));
    EXPECT_EQ(other.message, "FORM's design point has another dimension than this limit state.");
    EXPECT_EQ(other.samples, 0);
}

TEST(ImportanceSampling, FaultMetWhileSamplingEndsTheMethod) {
    // Faulty data beyond z0 = 5 only: FORM's search stays short of it, the samples around the
    // design point at 4 reach it.
    const LimitStateFunction g{
        2, [](std::span<const double> z) {
            if (z[0] > 5) throw InputFaultError({"Error in Data", InputVariable::BeamDepth});
            return 4.0 - z[0];
        }};
    const FormResult f = form(g);
    ASSERT_TRUE(f.converged);
    const ImportanceSamplingResult r = importanceSampling(g, f, {1, 5000, 2});
    ASSERT_TRUE(r.fault);
    EXPECT_EQ(*r.fault, (InputFault{"Error in Data", InputVariable::BeamDepth}));
    EXPECT_EQ(r.message, "Error in Data");
    EXPECT_TRUE(std::isnan(r.failureProbability));
}

}  // namespace
}  // namespace ferrolith::reliability
