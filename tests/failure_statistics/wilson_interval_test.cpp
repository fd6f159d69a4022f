#include "failure_statistics/wilson_interval.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ferrolith {
namespace {

struct PublishedBound {
    std::int64_t failures;
    std::int64_t samples;
    double lower;
    double upper;
};

// Wilson score intervals as printed, to four decimals, in statistics texts' tables (within one
// unit of the last decimal: the tables round or cut off).
TEST(WilsonInterval, MatchesPublishedTables) {
    for (const PublishedBound& b :
         {PublishedBound{0, 100, 0.0, 0.0370}, PublishedBound{1, 10, 0.0179, 0.4041}}) {
        const ProbabilityInterval i = wilsonInterval(b.failures, b.samples);
        EXPECT_NEAR(i.lower, b.lower, 0.0001) << b.failures << " of " << b.samples;
        EXPECT_NEAR(i.upper, b.upper, 0.0001) << b.failures << " of " << b.samples;
    }
}

TEST(WilsonInterval, NoFailureGivesZeroAndTheClosedFormUpperBound) {
    const double zz = interval95Z * interval95Z;
    for (std::int64_t n : {1LL, 100LL, 25000LL, 1073676289LL}) {
        const ProbabilityInterval i = wilsonInterval(0, n);
        EXPECT_EQ(i.lower, 0.0);
        EXPECT_NEAR(i.upper, zz / (n + zz), 1e-15 * zz / (n + zz)) << n;
    }
}

TEST(WilsonInterval, AllFailedGivesOneAndMirrorsNoFailure) {
    const ProbabilityInterval none = wilsonInterval(0, 40);
    const ProbabilityInterval all = wilsonInterval(40, 40);
    EXPECT_EQ(all.upper, 1.0);
    EXPECT_NEAR(all.lower, 1 - none.upper, 1e-15);
}

TEST(WilsonInterval, MirrorsFailuresAndSurvivals) {
    const ProbabilityInterval a = wilsonInterval(3, 1000);
    const ProbabilityInterval b = wilsonInterval(997, 1000);
    EXPECT_NEAR(a.lower, 1 - b.upper, 1e-15);
    EXPECT_NEAR(a.upper, 1 - b.lower, 1e-15);
}

}  // namespace
}  // namespace ferrolith
