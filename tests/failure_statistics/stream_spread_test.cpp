#include "failure_statistics/stream_spread.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/tally_builders.hpp"

namespace ferrolith {
namespace {

using test::tally;

// t(0.975, 3) from published tables of Student's t.
constexpr double t975with3 = 3.182446305284263;

TEST(StreamSpread, AveragesRepeatedStreamsBeforeTheInterval) {
    // Seeds 5 and 5 share a stream, and so do 0 and 1.
    const std::vector<RepetitionTally> tallies{tally(5, 10, 100), tally(7, 20, 100),
                                               tally(5, 30, 100), tally(0, 5, 100),
                                               tally(1, 15, 100), tally(9, 40, 100)};
    const StreamSpread s = streamSpread(tallies);
    EXPECT_EQ(s.repeatedRepetitions, 2);
    EXPECT_EQ(s.streams, 4);
    // Stream averages 0.1 (seeds 0, 1), 0.2 (5), 0.2 (7), 0.4 (9).
    const double mean = 0.225;
    const double sd = std::sqrt((0.125 * 0.125 + 0.025 * 0.025 * 2 + 0.175 * 0.175) / 3);
    const double half = t975with3 * sd / 2;
    ASSERT_TRUE(s.mean && s.interval);
    EXPECT_NEAR(*s.mean, mean, 1e-15);
    EXPECT_NEAR(s.interval->lower, mean - half, 1e-13);
    EXPECT_NEAR(s.interval->upper, mean + half, 1e-13);
}

TEST(StreamSpread, OneStreamGivesNoInterval) {
    const std::vector<RepetitionTally> tallies{tally(0, 1, 10), tally(1, 2, 10), tally(1, 3, 10)};
    const StreamSpread s = streamSpread(tallies);
    EXPECT_EQ(s.repeatedRepetitions, 2);
    EXPECT_EQ(s.streams, 1);
    EXPECT_FALSE(s.mean);
    EXPECT_FALSE(s.interval);
}

TEST(StreamSpread, IntervalIsClippedToProbabilities) {
    const std::vector<RepetitionTally> tallies{tally(3, 0, 10), tally(4, 0, 10), tally(8, 10, 10)};
    const StreamSpread s = streamSpread(tallies);
    ASSERT_TRUE(s.interval);
    EXPECT_EQ(s.interval->lower, 0.0);
    EXPECT_EQ(s.interval->upper, 1.0);
    EXPECT_EQ(s.repeatedRepetitions, 0);
}

TEST(StreamSpread, StreamsThatAllGiveTheSamePfHaveNoSpreadAndNoInterval) {
    struct Case {
        const char* name;
        std::vector<RepetitionTally> tallies;
        double pf;
    };
    const Case cases[] = {
        {"nothing fails", {tally(3, 0, 10), tally(4, 0, 10)}, 0.0},
        {"one failure each", {tally(3, 1, 25000), tally(4, 1, 25000)}, 4e-5},
        // Stream 5 averages 0.1 and 0.3; the averages must agree exactly, not to rounding.
        {"a repeated stream", {tally(5, 1, 10), tally(7, 2, 10), tally(5, 3, 10)}, 0.2},
        {"three thirds", {tally(3, 1, 3), tally(4, 1, 3), tally(5, 1, 3)}, 1.0 / 3},
    };
    for (const Case& c : cases) {
        const StreamSpread s = streamSpread(c.tallies);
        EXPECT_GE(s.streams, 2) << c.name;
        ASSERT_TRUE(s.mean) << c.name;
        EXPECT_EQ(*s.mean, c.pf) << c.name;
        EXPECT_FALSE(s.interval) << c.name;
    }
}

}  // namespace
}  // namespace ferrolith
