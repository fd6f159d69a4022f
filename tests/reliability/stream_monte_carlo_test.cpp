#include "reliability/stream_monte_carlo.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "model/draw_input.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/normal_stream.hpp"
#include "reliability/stream_repetition.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

using test::beamInputs;

bool sameRecord(const StreamRepetition& a, const StreamRepetition& b) {
    const RepetitionTally& s = a.tally;
    const RepetitionTally& t = b.tally;
    return a.stream == b.stream && a.effectMean == b.effectMean &&
           a.effectStdDev == b.effectStdDev && a.resistMean == b.resistMean &&
           a.resistStdDev == b.resistStdDev && a.safeFraction == b.safeFraction &&
           s.samples == t.samples && s.failures == t.failures && s.inputSum == t.inputSum &&
           s.inputSumSquares == t.inputSumSquares && s.failedInputSum == t.failedInputSum;
}

TEST(StreamMonteCarlo, SameRecordsAtAnyThreadCount) {
    const BeamSpace space(beamInputs({{InputVariable::BeamWidth, "0.05,0.5", "Gamma"},
                                      {InputVariable::UdlValue, "1.3,0.5", "Log-Normal"}}));
    const StreamMonteCarloResult one = streamMonteCarlo(space, {3, 7, 300, 1});
    ASSERT_EQ(one.repetitions.size(), 7u);
    for (int threads : {2, 8}) {
        const StreamMonteCarloResult r = streamMonteCarlo(space, {3, 7, 300, threads});
        ASSERT_EQ(r.repetitions.size(), one.repetitions.size());
        for (std::size_t i = 0; i < r.repetitions.size(); ++i)
            EXPECT_TRUE(sameRecord(r.repetitions[i], one.repetitions[i])) << threads << " " << i;
    }
}

TEST(StreamMonteCarlo, RepetitionRDrawsFromStreamR) {
    const BeamSpace space(beamInputs());
    const StreamMonteCarloResult r = streamMonteCarlo(space, {9, 3, 50, 0});
    std::set<double> means;
    for (int k = 0; k < 3; ++k) {
        const StreamRepetition& rep = r.repetitions[static_cast<std::size_t>(k)];
        EXPECT_EQ(rep.stream, static_cast<std::uint64_t>(k + 1));
        // The first sample of the repetition, drawn again from its stream: coordinate c is the
        // stream's normal c x streamBlockSamples.
        NormalStream normals(9, rep.stream);
        std::vector<double> block(7 * streamBlockSamples);
        normals.fill(block);
        std::vector<double> z(7);
        for (std::size_t c = 0; c < z.size(); ++c) z[c] = block[c * streamBlockSamples];
        const PhysicalPoint p = space.physical(z);
        const auto values = effectAndResistance(p.values);
        EXPECT_EQ(rep.tally.samples, 50);
        EXPECT_EQ(rep.tally.failures, std::llround(50 * (1 - rep.safeFraction)));
        EXPECT_GT(rep.effectStdDev, 0.0);
        means.insert(rep.effectMean);
        // With one sample a repetition, the means are that sample's E and R.
        const StreamMonteCarloResult single = streamMonteCarlo(space, {9, k + 1, 1, 0});
        EXPECT_EQ(single.repetitions.back().effectMean, values.effect);
        EXPECT_EQ(single.repetitions.back().resistMean, values.resistance);
    }
    EXPECT_EQ(means.size(), 3u);  // no repeated stream
}

TEST(StreamMonteCarlo, AgreesWithImportanceSampling) {
    // The default beam fails about 44% of the time: 40000 samples each way, within 4 standard
    // errors of their difference.
    const BeamSpace space(beamInputs());
    const auto figures = streamFigures(streamMonteCarlo(space, {2, 20, 2000, 0}));
    ASSERT_TRUE(figures);
    const LimitStateFunction g = space.limitState();
    const ImportanceSamplingResult is = importanceSampling(g, form(g), {2, 40000, 0});
    const double p = figures->failureProbability;
    const double mcError = std::sqrt(p * (1 - p) / static_cast<double>(figures->samples));
    EXPECT_NEAR(p, is.failureProbability, 4 * std::hypot(mcError, is.standardError));
}

TEST(StreamMonteCarlo, FiguresCountEveryRepetitionAsItsOwnStream) {
    const BeamSpace space(beamInputs());
    const StreamMonteCarloResult r = streamMonteCarlo(space, {4, 5, 200, 0});
    const auto f = streamFigures(r);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->status, RunStatus::Completed);
    EXPECT_EQ(f->repetitions, 5);
    EXPECT_EQ(f->samples, 1000);
    EXPECT_EQ(f->streams.streams, 5);
    EXPECT_EQ(f->streams.repeatedRepetitions, 0);
    ASSERT_TRUE(f->streams.mean);
    EXPECT_NEAR(*f->streams.mean, f->failureProbability, 1e-15);
    EXPECT_EQ(f->importance.size(), 7u);
}

TEST(StreamMonteCarlo, FaultEndsTheRunAtItsFirstFaultyDraw) {
    // A Gamma shape of 1.01 overflows its second power for u2 below about 8.3e-4: some samples
    // fault, most do not: about one repetition of 50 samples in 24.
    const BeamSpace space(beamInputs({{InputVariable::PointLoadLocation, "1,1.01", "Gamma"}}));
    const StreamMonteCarloResult one = streamMonteCarlo(space, {1, 400, 50, 1});
    ASSERT_TRUE(one.fault);
    EXPECT_EQ(one.fault->fault, (InputFault{dataFaultMessage, InputVariable::PointLoadLocation}));
    EXPECT_GT(one.fault->repetition, 1);
    EXPECT_EQ(one.repetitions.size(), static_cast<std::size_t>(one.fault->repetition - 1));
    const StreamMonteCarloResult eight = streamMonteCarlo(space, {1, 400, 50, 8});
    ASSERT_TRUE(eight.fault);
    EXPECT_EQ(eight.fault->repetition, one.fault->repetition);
    EXPECT_EQ(eight.fault->sample, one.fault->sample);
    EXPECT_EQ(streamFigures(one)->status, RunStatus::Aborted);
}

TEST(StreamMonteCarlo, BadCountsAndPoissonMean) {
    const BeamSpace space(beamInputs());
    for (auto [m, n] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-1, -1}}) {
        const StreamMonteCarloResult r = streamMonteCarlo(space, {1, m, n, 0});
        EXPECT_EQ(r.message, "At least one repetition of at least one sample is needed.");
        EXPECT_TRUE(r.repetitions.empty());
        EXPECT_FALSE(streamFigures(r));
    }
    const BeamSpace poisson(beamInputs({{InputVariable::PointLoadValue, "10,2", "Poisson"}}));
    const StreamMonteCarloResult r = streamMonteCarlo(poisson, {1, 3, 10, 0});
    ASSERT_TRUE(r.fault);
    EXPECT_EQ(r.fault->fault, (InputFault{poissonFaultMessage, InputVariable::PointLoadValue}));
    EXPECT_EQ(r.fault->repetition, 1);
    EXPECT_EQ(r.fault->sample, 1);
    EXPECT_TRUE(r.repetitions.empty());
}

}  // namespace
}  // namespace ferrolith::reliability
