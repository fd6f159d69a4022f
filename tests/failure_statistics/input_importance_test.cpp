#include "failure_statistics/input_importance.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "support/tally_builders.hpp"

namespace ferrolith {
namespace {

// Four samples over two repetitions; samples 3 and 4 fail. Beam length takes 1, 2, 3, 4, beam
// width is 5 throughout, beam depth takes 10, 0, 0, 0; the other inputs are 0.
RunTotals fourSamples() {
    RepetitionTally first = test::tally(1, 0, 2);
    first.inputSum[0] = 1 + 2;
    first.inputSumSquares[0] = 1 + 4;
    first.inputSum[1] = 10;
    first.inputSumSquares[1] = 50;
    first.inputSum[2] = 10;
    first.inputSumSquares[2] = 100;
    RepetitionTally second = test::tally(2, 2, 2);
    second.inputSum[0] = 3 + 4;
    second.inputSumSquares[0] = 9 + 16;
    second.failedInputSum[0] = 3 + 4;
    second.inputSum[1] = 10;
    second.inputSumSquares[1] = 50;
    second.failedInputSum[1] = 10;
    RunTotals totals;
    totals.add(first);
    totals.add(second);
    return totals;
}

TEST(InputImportance, ShiftsInStandardDeviationsLargestFirst) {
    const std::vector<InputImportance> rows = inputImportance(fourSamples());
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0].variable, InputVariable::BeamLength);
    EXPECT_DOUBLE_EQ(rows[0].mean, 2.5);
    EXPECT_DOUBLE_EQ(rows[0].failedMean, 3.5);
    EXPECT_DOUBLE_EQ(rows[0].stdDev, std::sqrt(5.0 / 3));
    EXPECT_DOUBLE_EQ(rows[0].shift, 1 / std::sqrt(5.0 / 3));
    EXPECT_EQ(rows[1].variable, InputVariable::BeamDepth);
    EXPECT_DOUBLE_EQ(rows[1].stdDev, 5.0);
    EXPECT_DOUBLE_EQ(rows[1].shift, -0.5);
    // Inputs that do not vary have no shift and keep their order.
    const InputVariable rest[] = {InputVariable::BeamWidth, InputVariable::AllowableStress,
                                  InputVariable::PointLoadLocation, InputVariable::PointLoadValue,
                                  InputVariable::UdlValue};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rows[2 + i].variable, rest[i]);
        EXPECT_EQ(rows[2 + i].stdDev, 0.0);
        EXPECT_EQ(rows[2 + i].shift, 0.0);
    }
    EXPECT_EQ(rows[2].failedMean, 5.0);
}

TEST(InputImportance, NothingWithoutFailuresOrWithOneSample) {
    RunTotals none = fourSamples();
    none.failures = 0;
    EXPECT_TRUE(inputImportance(none).empty());
    RunTotals one;
    one.add(test::tally(1, 1, 1));
    EXPECT_TRUE(inputImportance(one).empty());
}

TEST(InputImportance, ConstantInputWithRoundingIsNoSpread) {
    // 0.1 a thousand times: the sums carry rounding, the deviations must still count as none.
    RepetitionTally t = test::tally(1, 1, 1000);
    for (int s = 0; s < 1000; ++s) {
        t.inputSum[3] += 0.1;
        t.inputSumSquares[3] += 0.1 * 0.1;
    }
    t.failedInputSum[3] = 0.1;
    RunTotals totals;
    totals.add(t);
    for (const InputImportance& row : inputImportance(totals)) {
        EXPECT_EQ(row.stdDev, 0.0) << info(row.variable).name;
        EXPECT_EQ(row.shift, 0.0) << info(row.variable).name;
    }
}

}  // namespace
}  // namespace ferrolith
