#include "reliability/importance_sampling.hpp"

#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <cmath>

#include "reliability/block_parallel.hpp"
#include "reliability/sampling_mixture.hpp"
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

// With one design point the method is the unit normal shifted to it, drawing no pick: these
// figures were drawn so from the lanes' normals, on either estimator (exact Pf 1.350e-3 and
// 0.97725).
TEST(ImportanceSampling, OneDesignPointGivesTheShiftedNormalsFigures) {
    struct Case {
        double beta, pf, standardError;
        std::int64_t hits;
    };
    for (const Case c : {Case{3.0, 0x1.784db20c0863bp-10, 0x1.4bb94450dc67cp-15, 2193},
                         Case{-2.0, 0x1.f4719e64a0d78p-1, 0x1.170b4f9adf8bdp-11, 2128}}) {
        SCOPED_TRACE(c.beta);
        const LimitStateFunction g = test::linearLimitState(c.beta, {1.0, -2.0, 0.5});
        const ImportanceSamplingResult r = importanceSampling(g, form(g), {11, 4321, 3});
        EXPECT_EQ(r.failures, 2193);
        EXPECT_EQ(r.hits, c.hits);
        EXPECT_EQ(r.failureProbability, c.pf);
        EXPECT_EQ(r.standardError, c.standardError);
        EXPECT_EQ(r.end, SamplingEnd::Count);
    }
}

// Two mirror half-spaces, g = b - |a . u| with |a| = 1: Pf = 2 Phi(-b), with a design point on
// each side at distance b. Sampling around the nearest alone would see half of Pf.
TEST(ImportanceSampling, AMixtureOverEveryDesignPointFindsEachOnesShare) {
    const std::vector<double> a = {0.6, 0.0, -0.8};
    for (double b : {3.0, 5.0}) {
        SCOPED_TRACE(b);
        const LimitStateFunction g{3, [b, a](std::span<const double> u) {
                                       return b - std::abs(a[0] * u[0] + a[1] * u[1] + a[2] * u[2]);
                                   }};
        FormResult f;
        f.converged = true;
        f.beta = b;
        for (double side : {1.0, -1.0}) {
            std::vector<double> point, alpha;
            for (double x : a) {
                alpha.push_back(side * x);
                point.push_back(side * x * b);
            }
            f.designPoints.push_back({b, point, alpha, 1.0});
        }
        f.designPoint = f.designPoints[0].point;
        f.alpha = f.designPoints[0].alpha;
        const ImportanceSamplingResult r = importanceSampling(g, f, {3, 20000, 2});
        EXPECT_NEAR(r.failureProbability, 2 * phi(-b), 3 * r.standardError);
        ASSERT_TRUE(r.variation);
        EXPECT_LT(*r.variation, 0.03);
        // Each sample draws from one side, never both: about half the samples fail.
        EXPECT_NEAR(r.failures, 10000, 400);
        f.designPoints.resize(1);
        EXPECT_NEAR(importanceSampling(g, f, {3, 20000, 2}).failureProbability, phi(-b),
                    4 * r.standardError);
    }
}

// Phi(-b) in long double, whose range holds it far past where a double underflows.
long double longTail(double b) {
    return boost::math::cdf(boost::math::normal_distribution<long double>(), -(long double)b);
}

// The mixture's weights are Phi(-beta_k) / sum_j Phi(-beta_j) and stay finite far out in the
// tails, where Phi(-beta) underflows a double.
TEST(SamplingMixture, WeightsAreTheShareOfEachTail) {
    for (const auto& [near, far] :
         {std::pair{3.0, 3.5}, {40.0, 40.0}, {40.0, 45.0}, {30.0, 42.0}}) {
        SCOPED_TRACE(far);
        const SamplingMixture m(
            {{near, {near, 0.0}, {1.0, 0.0}, 1.0}, {far, {0.0, far}, {0.0, 1.0}, 1.0}});
        const long double farWeight = longTail(far) / (longTail(near) + longTail(far));
        EXPECT_NEAR(m.componentWeight(1) / static_cast<double>(farWeight), 1.0, 1e-9);
        EXPECT_NEAR(m.componentWeight(0) + m.componentWeight(1), 1.0, 1e-15);
        EXPECT_NEAR(logUpperTail(far), std::log(longTail(far)), 1e-9 * far * far);
        // Between the centres the weight phi(u) / sum w_k phi(u - u_k) is a positive number.
        const std::vector<double> u = {0.5 * near, 0.5 * far};
        EXPECT_GT(m.weight(u), 0.0);
        EXPECT_TRUE(std::isfinite(m.weight(u)));
    }
}

// With a target coefficient of variation the method stops after the first block, from the second
// on, at which Pf has an interval and its CoV is at or below the target, else at the cap; the stop
// is decided in block order, so every thread count draws the same samples.
TEST(ImportanceSampling, StopsOnATargetCovAtTheSameBlockAtAnyThreadCount) {
    const LimitStateFunction g = test::linearLimitState(4.5, {1.0, 2.0, -1.0, 0.5});
    const FormResult f = form(g);
    struct Case {
        double target;
        std::int64_t cap;
        SamplingEnd end;
    };
    for (const Case c :
         {Case{0.05, 1'000'000, SamplingEnd::TargetCov},
          Case{0.01, 1'000'000, SamplingEnd::TargetCov},
          Case{0.9, 1'000'000, SamplingEnd::TargetCov}, Case{0.005, 20'500, SamplingEnd::Cap}}) {
        SCOPED_TRACE(c.target);
        const ImportanceSamplingResult one = importanceSampling(g, f, {4, c.cap, 1, c.target});
        EXPECT_EQ(one.end, c.end);
        EXPECT_EQ(one.targetCov, c.target);
        ASSERT_TRUE(one.variation);
        EXPECT_NEAR(one.failureProbability, phi(-4.5), 4 * one.standardError);
        if (c.end == SamplingEnd::Cap) {
            EXPECT_EQ(one.samples, c.cap);
            EXPECT_GT(*one.variation, c.target);
        } else {
            EXPECT_LE(*one.variation, c.target);
            EXPECT_GE(one.samples, leastTargetBlocks * importanceBlockSamples);
            EXPECT_EQ(one.samples % importanceBlockSamples, 0);
            // One block fewer was not enough.
            const std::int64_t fewer = one.samples - importanceBlockSamples;
            if (fewer >= leastTargetBlocks * importanceBlockSamples) {
                EXPECT_GT(*importanceSampling(g, f, {4, fewer, 1}).variation, c.target);
            }
        }
        for (int threads : {2, 8}) {
            const ImportanceSamplingResult r =
                importanceSampling(g, f, {4, c.cap, threads, c.target});
            EXPECT_EQ(r.samples, one.samples) << threads;
            EXPECT_EQ(r.failureProbability, one.failureProbability) << threads;
            EXPECT_EQ(r.standardError, one.standardError) << threads;
            EXPECT_EQ(r.end, one.end) << threads;
        }
    }
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
    for (double target : {0.0, -0.1, 1.0, std::numeric_limits<double>::quiet_NaN()}) {
        const ImportanceSamplingResult r = importanceSampling(g, form(g), {1, 1000, 0, target});
        EXPECT_EQ(r.message, "The target coefficient of variation must lie above 0 and below 1.");
        EXPECT_EQ(r.samples, 0);
    }

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
