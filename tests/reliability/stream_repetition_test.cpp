#include "reliability/stream_repetition.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/draw_input.hpp"
#include "reliability/standard_normal.hpp"
#include "simd/scalar_math.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

using test::beamInputs;

bool near(double a, double b) { return std::abs(a - b) <= 1e-12 * std::abs(b); }

// The lanes against one sample at a time, which maps through BeamSpace::physical with the C
// library's functions: the same first fault, the same samples and failures, and every sum to
// its last bits, over every law, faults of both kinds, inputs read over other periods, and counts
// on and across the blocks' edges.
TEST(StreamRepetition, LanesMatchOneSampleAtATime) {
    if (!math::hasVectorKernels()) GTEST_SKIP() << "no vector kernel on this processor";
    BeamInputs converted = beamInputs({{InputVariable::UdlValue, "4,0.5", "Gumbel"},
                                       {InputVariable::PointLoadValue, "2.3,0.1", "Log-Normal"}});
    converted.periods[5] = 50.0;
    converted.periods[6] = 0.02;
    const struct {
        std::string name;
        BeamInputs inputs;
    } studies[] = {
        {"default", beamInputs()},
        {"mix", beamInputs({{InputVariable::BeamLength, "1.386,0.0125", "Log-Normal"},
                            {InputVariable::BeamDepth, "220,0.2", "Gumbel"},
                            {InputVariable::AllowableStress, "0.05,0.5", "Gamma"},
                            {InputVariable::PointLoadValue, "12,2", "Poisson"},
                            {InputVariable::UdlValue, "1.3,0.5", "Log-Normal"}})},
        {"Gamma overflows", beamInputs({{InputVariable::PointLoadLocation, "1,1.01", "Gamma"}})},
        {"Poisson mean", beamInputs({{InputVariable::PointLoadValue, "10,2", "Poisson"}})},
        {"other periods", converted},
    };
    for (const auto& study : studies) {
        const BeamSpace space(study.inputs);
        for (int samples : {1, 15, 64, 65, 1000}) {
            for (int repetition : {1, 2, 3}) {
                SCOPED_TRACE(study.name + " " + std::to_string(samples) + " " +
                             std::to_string(repetition));
                const RepetitionOutcome lanes =
                    avx2::streamRepetition(space, 11, repetition, samples);
                const RepetitionOutcome one =
                    streamRepetitionOneAtATime(space, 11, repetition, samples);
                ASSERT_EQ(lanes.fault.has_value(), one.fault.has_value());
                if (one.fault) {
                    EXPECT_EQ(lanes.fault->fault, one.fault->fault);
                    EXPECT_EQ(lanes.fault->sample, one.fault->sample);
                    continue;
                }
                const StreamRepetition& a = lanes.repetition;
                const StreamRepetition& b = one.repetition;
                EXPECT_EQ(a.stream, b.stream);
                EXPECT_EQ(a.tally.samples, b.tally.samples);
                EXPECT_EQ(a.tally.failures, b.tally.failures);
                EXPECT_EQ(a.safeFraction, b.safeFraction);
                for (auto [x, y] : {std::pair{a.effectMean, b.effectMean},
                                    {a.effectStdDev, b.effectStdDev},
                                    {a.resistMean, b.resistMean},
                                    {a.resistStdDev, b.resistStdDev}})
                    EXPECT_TRUE(near(x, y) || (samples == 1 && std::isnan(y))) << x << " " << y;
                for (std::size_t i = 0; i < inputVariableCount; ++i) {
                    EXPECT_TRUE(near(a.tally.inputSum[i], b.tally.inputSum[i])) << i;
                    EXPECT_TRUE(near(a.tally.inputSumSquares[i], b.tally.inputSumSquares[i])) << i;
                    EXPECT_TRUE(near(a.tally.failedInputSum[i], b.tally.failedInputSum[i])) << i;
                }
            }
        }
    }
}

// The lanes' ln Phi, one logarithm for both tails, against logNormalCdf's from erfc, log and log1p,
// from the far lower tail through 0 to where Phi rounds to 1.
TEST(StreamRepetition, LanesLogDistributionFunctionKeepsBothTails) {
    if (!math::hasVectorKernels()) GTEST_SKIP() << "no vector kernel on this processor";
    for (double z = -37.5; z <= 38.5; z += 0.0625) {
        const double expected = logNormalCdf(z);
        EXPECT_NEAR(avx2::laneLogNormalCdf(z), expected, 1e-14 * std::abs(expected)) << z;
    }
}

}  // namespace
}  // namespace ferrolith::reliability
