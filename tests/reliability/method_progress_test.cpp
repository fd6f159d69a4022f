// Progress and cancellation of the sampling methods: a progress callback leaves every figure as
// it was at any thread count, reaches the total, and a cancelled method claims no figures.
#include "reliability/method_progress.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <vector>

#include "reliability/importance_sampling.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/stream_monte_carlo.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

// What a method told of its progress, in the order it told it.
struct ProgressLog {
    std::vector<std::int64_t> done;
    std::int64_t total = 0;
    const std::atomic<bool>* cancel = nullptr;
    std::atomic<bool>* cancelAfter = nullptr;
    std::int64_t cancelAt = 0;

    MethodProgress progress() {
        return {[this](std::int64_t d, std::int64_t t) {
                    done.push_back(d);
                    total = t;
                    if (cancelAfter && d == cancelAt) cancelAfter->store(true);
                },
                cancel ? cancel : cancelAfter};
    }
    // 1, 2, ..., total, each once.
    bool countedUp() const {
        for (std::size_t i = 0; i < done.size(); ++i)
            if (done[i] != static_cast<std::int64_t>(i) + 1) return false;
        return static_cast<std::int64_t>(done.size()) == total;
    }
};

class RareSampling : public ::testing::Test {
  protected:
    RareSampling() : space(test::rareBeamInputs()), g(space.limitState()), f(form(g)) {}
    BeamSpace space;
    LimitStateFunction g;
    FormResult f;
};

TEST_F(RareSampling, ImportanceSamplingFiguresDoNotDependOnProgress) {
    // 3500 samples: three full blocks and a part one.
    const ImportanceSamplingResult plain = importanceSampling(g, f, {5, 3500, 1});
    ASSERT_TRUE(plain.message.empty()) << plain.message;
    for (int threads : {1, 2, 8}) {
        ProgressLog log;
        const ImportanceSamplingResult r =
            importanceSampling(g, f, {5, 3500, threads}, log.progress());
        EXPECT_FALSE(r.cancelled);
        EXPECT_EQ(r.failures, plain.failures) << threads;
        EXPECT_EQ(r.failureProbability, plain.failureProbability) << threads;
        EXPECT_EQ(r.standardError, plain.standardError) << threads;
        EXPECT_EQ(log.total, 4) << threads;
        EXPECT_TRUE(log.countedUp()) << threads;
    }
}

TEST_F(RareSampling, StreamFiguresDoNotDependOnProgress) {
    const StreamMonteCarloResult plain = streamMonteCarlo(space, {5, 9, 200, 1});
    const auto expected = streamFigures(plain);
    ASSERT_TRUE(expected);
    for (int threads : {1, 2, 8}) {
        ProgressLog log;
        const StreamMonteCarloResult r =
            streamMonteCarlo(space, {5, 9, 200, threads}, log.progress());
        const auto figures = streamFigures(r);
        ASSERT_TRUE(figures) << threads;
        EXPECT_EQ(figures->failures, expected->failures) << threads;
        EXPECT_EQ(figures->failureProbability, expected->failureProbability) << threads;
        EXPECT_EQ(r.repetitions.back().effectMean, plain.repetitions.back().effectMean);
        EXPECT_EQ(log.total, 9) << threads;
        EXPECT_TRUE(log.countedUp()) << threads;
    }
}

TEST_F(RareSampling, CancelledBeforeTheStartClaimsNothing) {
    const std::atomic<bool> cancel{true};
    ProgressLog log;
    log.cancel = &cancel;
    const ImportanceSamplingResult is = importanceSampling(g, f, {5, 3500, 2}, log.progress());
    EXPECT_TRUE(is.cancelled);
    EXPECT_EQ(is.message, text::cancelled);
    EXPECT_EQ(is.samples, 0);
    EXPECT_TRUE(std::isnan(is.failureProbability));
    EXPECT_TRUE(std::isnan(is.beta));
    const StreamMonteCarloResult mc = streamMonteCarlo(space, {5, 9, 200, 2}, log.progress());
    EXPECT_TRUE(mc.cancelled);
    EXPECT_EQ(mc.message, text::cancelled);
    EXPECT_TRUE(mc.repetitions.empty());
    EXPECT_FALSE(streamFigures(mc));
    EXPECT_TRUE(log.done.empty());
}

TEST_F(RareSampling, CancelStopsALongRunPartWay) {
    // A million samples are a thousand blocks; the flag is set once the third is done.
    for (int threads : {1, 2}) {
        std::atomic<bool> cancel{false};
        ProgressLog log;
        log.cancelAfter = &cancel;
        log.cancelAt = 3;
        const ImportanceSamplingResult r =
            importanceSampling(g, f, {5, 1'000'000, threads}, log.progress());
        EXPECT_TRUE(r.cancelled) << threads;
        EXPECT_TRUE(std::isnan(r.failureProbability)) << threads;
        EXPECT_EQ(log.total, 1000);
        // Blocks already under way finish; no other starts.
        EXPECT_LE(log.done.size(), 2u + static_cast<std::size_t>(threads)) << threads;
    }
    std::atomic<bool> cancel{false};
    ProgressLog log;
    log.cancelAfter = &cancel;
    log.cancelAt = 2;
    const StreamMonteCarloResult mc = streamMonteCarlo(space, {5, 500, 100, 1}, log.progress());
    EXPECT_TRUE(mc.cancelled);
    EXPECT_TRUE(mc.repetitions.empty());
    EXPECT_EQ(log.done.size(), 2u);
}

}  // namespace
}  // namespace ferrolith::reliability
