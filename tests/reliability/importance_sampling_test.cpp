#include "reliability/importance_sampling.hpp"

#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <cmath>

#include "reliability/block_parallel.hpp"
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

// Where the origin fails, the safe side is the rare one: its probability is estimated and Pf is 1
// less it. Pf and its interval stay within 0 to 1 and the interval holds Pf, on either side.
TEST(ImportanceSampling, EstimatesTheRareSideAsAProbability) {
    struct Case {
        double beta;
        ImportanceEstimator estimator;
    };
    for (const Case c :
         {Case{3.0, ImportanceEstimator::FailureDomain},
          Case{0.3, ImportanceEstimator::FailureDomain},
          Case{-0.3, ImportanceEstimator::SafeDomain}, Case{-2.0, ImportanceEstimator::SafeDomain},
          Case{-4.5, ImportanceEstimator::SafeDomain}}) {
        SCOPED_TRACE(c.beta);
        const LimitStateFunction g = test::linearLimitState(c.beta, {1.0, -2.0, 0.5});
        const FormResult f = form(g);
        ASSERT_NEAR(f.beta, c.beta, 1e-9);
        const ImportanceSamplingResult r = importanceSampling(g, f, {7, 20000, 0});
        EXPECT_EQ(r.estimator, c.estimator);
        EXPECT_NEAR(r.failureProbability, phi(-c.beta), 4 * r.standardError);
        ASSERT_TRUE(r.variation);
        // Of the rare side's probability: about 1.3% at beta 3, as small at -4.5.
        EXPECT_LT(r.standardError / std::min(phi(c.beta), phi(-c.beta)), 0.03);
        EXPECT_LE(0.0, r.interval.lower);
        EXPECT_LE(r.interval.lower, r.failureProbability);
        EXPECT_LE(r.failureProbability, r.interval.upper);
        EXPECT_LE(r.interval.upper, 1.0);
        EXPECT_NEAR(r.beta, c.beta, 0.05);
    }
}

// Below leastIntervalHits samples in the estimated domain the spread of the weights says nothing:
// no standard error, and an interval of 0 to 1.
TEST(ImportanceSampling, AnIntervalNeedsEnoughSamplesInTheEstimatedDomain) {
    const LimitStateFunction g = test::linearLimitState(0.5, {1.0, 1.0});
    bool without = false, with = false;
    for (std::int64_t samples : {1, 2, 9, 20, 40, 2000}) {
        SCOPED_TRACE(samples);
        const ImportanceSamplingResult r = importanceSampling(g, form(g), {3, samples, 0});
        EXPECT_EQ(r.hits, r.failures);
        EXPECT_EQ(r.hasInterval(), r.hits >= 10);
        EXPECT_GE(r.failureProbability, 0.0);
        if (r.hasInterval()) {
            with = true;
            EXPECT_GT(r.standardError, 0.0);
            EXPECT_LT(r.interval.lower, r.interval.upper);
            EXPECT_TRUE(missingInterval(r).empty());
        } else {
            without = true;
            EXPECT_TRUE(std::isnan(r.standardError));
            EXPECT_FALSE(r.variation);
            EXPECT_EQ(r.interval.lower, 0.0);
            EXPECT_EQ(r.interval.upper, 1.0);
            EXPECT_EQ(missingInterval(r),
                      std::to_string(r.hits) + (r.hits == 1 ? " sample" : " samples") +
                          " fell in the failure domain; Pf's interval needs at least 10, so it is "
                          "0 to 1 and Pf is no figure to judge by.");
        }
    }
    EXPECT_TRUE(without && with);
}

// Past reducedChunkBlocks blocks the sums are folded a chunk at a time, still in block order.
TEST(ImportanceSampling, ManyChunksGiveTheSameFiguresAtAnyThreadCount) {
    const LimitStateFunction g = test::linearLimitState(4.0, {1.0});
    const std::int64_t samples = (reducedChunkBlocks + 200) * importanceBlockSamples - 1;
    const ImportanceSamplingResult one = importanceSampling(g, form(g), {9, samples, 1});
    EXPECT_EQ(one.samples, samples);
    EXPECT_NEAR(one.failureProbability, phi(-4.0), 4 * one.standardError);
    for (int threads : {2, 8}) {
        std::int64_t done = 0, total = 0;
        const ImportanceSamplingResult r = importanceSampling(g, form(g), {9, samples, threads},
                                                              {[&](std::int64_t d, std::int64_t t) {
                                                                  done = std::max(done, d);
                                                                  total = t;
                                                              }});
        EXPECT_EQ(r.failures, one.failures) << threads;
        EXPECT_EQ(r.failureProbability, one.failureProbability) << threads;
        EXPECT_EQ(r.standardError, one.standardError) << threads;
        EXPECT_EQ(done, static_cast<std::int64_t>(reducedChunkBlocks) + 200);
        EXPECT_EQ(total, done);
    }
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
