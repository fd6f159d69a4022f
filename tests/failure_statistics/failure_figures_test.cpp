#include "failure_statistics/failure_figures.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "failure_statistics/reliability_index.hpp"
#include "support/tally_builders.hpp"

namespace ferrolith {
namespace {

using test::tally;

constexpr double infinity = std::numeric_limits<double>::infinity();

TEST(FailureFigures, NoFailureHasBoundsButNoDivision) {
    const std::vector<RepetitionTally> tallies{tally(10, 0, 50), tally(11, 0, 50)};
    const auto f = failureFigures(tallies, 4, RunStatus::Running);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->samples, 100);
    EXPECT_EQ(f->failures, 0);
    EXPECT_EQ(f->repetitions, 2);
    EXPECT_EQ(f->plannedRepetitions, 4);
    EXPECT_EQ(f->failureProbability, 0.0);
    EXPECT_EQ(f->wilson.lower, 0.0);
    EXPECT_NEAR(f->wilson.upper, 0.0370, 0.00005);
    EXPECT_FALSE(f->variation);
    EXPECT_FALSE(f->returnPeriod);
    EXPECT_EQ(f->reliabilityIndex, infinity);
    EXPECT_EQ(f->reliabilityInterval.upper, infinity);
    // -Phi^-1(0.0369934982...) by Wichura's algorithm AS 241, independent of Boost's
    EXPECT_NEAR(f->reliabilityInterval.lower, 1.7866937709471922, 1e-12);
    EXPECT_TRUE(f->importance.empty());
}

TEST(FailureFigures, OneInTenMatchesThePublishedInterval) {
    const std::vector<RepetitionTally> tallies{tally(3, 1, 10)};
    const auto f = failureFigures(tallies, 1, RunStatus::Completed);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->failureProbability, 0.1);
    EXPECT_NEAR(f->wilson.lower, 0.0179, 0.00005);
    EXPECT_NEAR(f->wilson.upper, 0.4041, 0.0001);
    EXPECT_DOUBLE_EQ(*f->variation, std::sqrt(0.9));  // sqrt(0.9 / (0.1 x 10))
    EXPECT_DOUBLE_EQ(*f->returnPeriod, 10.0);
    EXPECT_NEAR(f->reliabilityIndex, 1.2815515655446004, 1e-14);
    EXPECT_DOUBLE_EQ(f->reliabilityInterval.lower, reliabilityIndex(f->wilson.upper));
    EXPECT_DOUBLE_EQ(f->reliabilityInterval.upper, reliabilityIndex(f->wilson.lower));
    EXPECT_EQ(f->importance.size(), 7u);
    EXPECT_EQ(f->streams.streams, 1);
}

TEST(FailureFigures, SumsOverRepetitions) {
    const std::vector<RepetitionTally> tallies{tally(3, 1, 1000), tally(4, 4, 3000)};
    const auto f = failureFigures(tallies, 2, RunStatus::Completed);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->samples, 4000);
    EXPECT_EQ(f->failures, 5);
    EXPECT_EQ(f->failureProbability, 5.0 / 4000);
    EXPECT_DOUBLE_EQ(*f->returnPeriod, 800.0);
}

TEST(FailureFigures, ReturnPeriodIsSamplesOverFailuresExactly) {
    // 1 / (2 / 50000) is 24999.999999999996 in doubles.
    const std::vector<RepetitionTally> tallies{tally(3, 1, 25000), tally(4, 1, 25000)};
    const auto f = failureFigures(tallies, 2, RunStatus::Completed);
    ASSERT_TRUE(f);
    EXPECT_EQ(*f->returnPeriod, 25000.0);
}

TEST(FailureFigures, BetaAtPfOneHalfIsPlusZero) {
    const std::vector<RepetitionTally> tallies{tally(3, 5, 10)};
    const auto f = failureFigures(tallies, 1, RunStatus::Completed);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->reliabilityIndex, 0.0);
    EXPECT_FALSE(std::signbit(f->reliabilityIndex));
}

TEST(FailureFigures, BadTalliesGiveAProblemAndNoFigures) {
    struct Case {
        std::vector<RepetitionTally> tallies;
        std::string_view problem;
    };
    const Case cases[] = {
        {{}, "No repetition has completed."},
        {{tally(1, 0, 10), tally(2, 0, 0)}, "A repetition holds no samples."},
        {{tally(1, 11, 10)}, "A repetition counts more failures than samples."},
        {{tally(1, -1, 10)}, "A repetition counts more failures than samples."},
        {{tally(31329, 0, 10)}, "A repetition's seed lies outside 0 to 31328."},
        {{tally(-1, 0, 10)}, "A repetition's seed lies outside 0 to 31328."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(talliesProblem(c.tallies), c.problem);
        EXPECT_FALSE(failureFigures(c.tallies, 3, RunStatus::Running));
        EXPECT_TRUE(convergence(c.tallies).empty());
    }
    EXPECT_EQ(talliesProblem(std::vector<RepetitionTally>{tally(0, 10, 10)}), "");
}

TEST(Convergence, OnePointARepetitionOnTheRunningSums) {
    const std::vector<RepetitionTally> tallies{tally(3, 0, 100), tally(4, 1, 100),
                                               tally(5, 3, 200)};
    const std::vector<ConvergencePoint> points = convergence(tallies);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].samples, 100);
    EXPECT_EQ(points[0].failureProbability, 0.0);
    EXPECT_NEAR(points[0].wilson.upper, 0.0370, 0.00005);
    EXPECT_EQ(points[1].samples, 200);
    EXPECT_EQ(points[1].failureProbability, 1.0 / 200);
    EXPECT_EQ(points[2].samples, 400);
    EXPECT_EQ(points[2].failureProbability, 4.0 / 400);
    EXPECT_GT(points[2].wilson.lower, 0.0);
}

}  // namespace
}  // namespace ferrolith
