#include "failure_statistics/convergence_axis.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tally_builders.hpp"

namespace ferrolith {
namespace {

using test::tally;

double linearTop(std::int64_t failures, std::int64_t samples) {
    return wilsonInterval(failures, samples).upper * 1.05;
}

TEST(ConvergencePfAxis, LogarithmicInWholeDecadesWhenEveryUpperBoundIsBelowOnePercent) {
    struct Case {
        std::string what;
        std::vector<RepetitionTally> tallies;
        PfAxis axis;
    };
    const std::vector<Case> cases = {
        {"no points", {}, {false, 0.0, 1.0}},
        {"Pf 2.75%", {tally(1, 30, 1000), tally(2, 25, 1000)}, {false, 0.0, linearTop(30, 1000)}},
        // The upper bounds of no failure: 0.0126 in 300 samples, 0.00951 in 400.
        {"none failed in 300", {tally(1, 0, 300)}, {false, 0.0, linearTop(0, 300)}},
        {"none failed in 400", {tally(1, 0, 400)}, {true, 1e-4, 1e-2}},
        // Bounds from 1.77e-6 to 5.66e-5.
        {"Pf 1e-5 and 2e-5", {tally(1, 1, 100000), tally(2, 3, 100000)}, {true, 1e-6, 1e-4}},
        // Pf 0 and a lower bound of 8.8e-7: a decade below 1e-7.
        {"none failed at first", {tally(1, 0, 100000), tally(2, 1, 100000)}, {true, 1e-8, 1e-4}},
    };
    for (const Case& c : cases) {
        const PfAxis axis = convergencePfAxis(convergence(c.tallies));
        EXPECT_EQ(axis.logarithmic, c.axis.logarithmic) << c.what;
        EXPECT_EQ(axis.low, c.axis.low) << c.what;
        EXPECT_EQ(axis.high, c.axis.high) << c.what;
    }
    // Points without samples have no bounds: linear from 0 to 1.
    const PfAxis unbounded = convergencePfAxis(std::vector<ConvergencePoint>(2));
    EXPECT_FALSE(unbounded.logarithmic);
    EXPECT_EQ(unbounded.high, 1.0);
}

TEST(ConvergencePfAxis, ZeroIsDrawnOnTheFloorOfALogarithmicAxis) {
    const PfAxis log{true, 1e-8, 1e-4};
    EXPECT_EQ(log.drawn(0.0), 1e-8);
    EXPECT_EQ(log.drawn(3e-6), 3e-6);
    EXPECT_EQ((PfAxis{false, 0.0, 0.1}).drawn(0.0), 0.0);
}

}  // namespace
}  // namespace ferrolith
