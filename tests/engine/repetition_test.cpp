#include "engine/repetition.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine/repetition_schedule.hpp"
#include "model/limit_state.hpp"
#include "session/simulation_run.hpp"
#include "simd/scalar_math.hpp"
#include "support/recording_observer.hpp"

namespace ferrolith {
namespace {

using testing::RecordingObserver;
using testing::runSeeded;
using testing::studyOf;

const double pi = 4.0 * std::atan(1.0);

RepetitionInputs inputsFor(const std::array<std::string, 7>& dists, const ParameterArray& a,
                           const ParameterArray& b, int n) {
    NameArray names;
    for (int i = 0; i < 7; ++i) names[i] = dists[i];
    return RepetitionInputs(a, b, names, pi, n);
}

// Room for n samples and one more, which a repetition must leave as it was.
constexpr double untouched = -12345.5;
struct Kept {
    std::vector<double> e, r;
    explicit Kept(int n) : e(n + 1, untouched), r(n + 1, untouched) {}
    SampleArrays arrays() { return {e.data(), r.data()}; }
};

// Bit for bit, NaN included.
bool sameBits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

void expectSameTally(const RepetitionTally& a, const RepetitionTally& b, const std::string& what) {
    EXPECT_EQ(a.seed, b.seed) << what;
    EXPECT_EQ(a.samples, b.samples) << what;
    EXPECT_EQ(a.failures, b.failures) << what;
    for (int i = 0; i < inputVariableCount; ++i) {
        EXPECT_TRUE(sameBits(a.inputSum[i], b.inputSum[i])) << what << " variable " << i;
        EXPECT_TRUE(sameBits(a.inputSumSquares[i], b.inputSumSquares[i])) << what << " " << i;
        EXPECT_TRUE(sameBits(a.failedInputSum[i], b.failedInputSum[i])) << what << " " << i;
    }
}

void expectSameResult(const RepetitionResult& fast, const RepetitionResult& plain,
                      const std::string& what) {
    ASSERT_EQ(fast.fault.has_value(), plain.fault.has_value()) << what;
    if (plain.fault) {
        EXPECT_EQ(fast.fault->sample, plain.fault->sample) << what;
        EXPECT_EQ(fast.fault->variable, plain.fault->variable) << what;
        EXPECT_EQ(fast.fault->message, plain.fault->message) << what;
        return;
    }
    // Bit for bit, NaN included.
    const RepetitionFigures& f = fast.figures;
    const RepetitionFigures& p = plain.figures;
    for (auto [x, y] : {std::pair{f.effectMean, p.effectMean},
                        {f.effectStdDev, p.effectStdDev},
                        {f.resistMean, p.resistMean},
                        {f.resistStdDev, p.resistStdDev},
                        {f.safeFraction, p.safeFraction}}) {
        if (std::isnan(y)) {
            EXPECT_TRUE(std::isnan(x)) << what;
        } else {
            EXPECT_EQ(x, y) << what;
        }
    }
    expectSameTally(fast.tally, plain.tally, what);
}

TEST(Repetition, VectorKernelMatchesDrawingOneAtATime) {
    if (!math::hasVectorKernels()) GTEST_SKIP() << "no vector kernel on this processor";
    const std::array<const char*, 6> names{"Normal", "Log-Normal", "Gamma",
                                           "Gumbel", "Poisson",    "Others to follow"};
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> pickName(0, 5);
    std::uniform_real_distribution<double> spread(0.0, 1.0);
    for (int trial = 0; trial < 300; ++trial) {
        std::array<std::string, 7> dists;
        ParameterArray a{}, b{};
        // Around the default beam, with every branch somewhere, including faulty Poisson
        // means and Gamma shapes near 1.
        const ParameterArray mean{4, 75, 225, 20, 2, 10, 4};
        for (int i = 0; i < 7; ++i) {
            dists[i] = names[pickName(random)];
            a[i] = mean[i] * (0.5 + spread(random));
            b[i] = mean[i] * 0.2 * spread(random);
            if (dists[i] == "Log-Normal") {
                a[i] = std::log(mean[i]);
                b[i] = 0.3 * spread(random);
            } else if (dists[i] == "Gamma") {
                a[i] = 1.0 / mean[i];
                b[i] = trial % 7 == 0 ? 1.0 + 1.0 / 300 : 0.9 * spread(random) + 0.05;
            } else if (dists[i] == "Gumbel") {
                b[i] = 1.0 / (b[i] + 0.01);
            } else if (dists[i] == "Poisson") {
                a[i] = trial % 11 == 0 ? 10.0 : 10.5 + mean[i];
            }
        }
        const int n = 1 + static_cast<int>(random() % 1100);  // across chunks, every tail
        const RepetitionInputs in = inputsFor(dists, a, b, n);
        const SystemRandom stream(random());
        Kept fastKept(n), plainKept(n);
        const auto fastArrays = fastKept.arrays();
        const auto plainArrays = plainKept.arrays();
        const RepetitionResult fast = computeRepetition(in, stream, &fastArrays);
        const RepetitionResult plain = computeRepetitionScalar(in, stream, &plainArrays);
        expectSameResult(fast, plain, "trial " + std::to_string(trial));
        if (!plain.fault) {
            // Sample s at index s - 1: every sample written, nothing past the last.
            for (const Kept* kept : {&fastKept, &plainKept}) {
                ASSERT_EQ(kept->r[n], untouched);
                ASSERT_EQ(kept->e[n], untouched);
                for (int i = 0; i < n; ++i) ASSERT_NE(kept->r[i], untouched);
            }
            for (int s = 0; s < n; ++s) {
                if (!std::isnan(plainKept.e[s])) {
                    ASSERT_EQ(fastKept.e[s], plainKept.e[s]);
                }
                ASSERT_EQ(fastKept.r[s], plainKept.r[s]);
            }
        }
    }
}

TEST(Repetition, SeedZeroRunsAsOneOnBothPaths) {
    // A stream whose first number gives the seed 0, and one whose first gives 1.
    auto streamForSeed = [](int wanted) {
        for (std::uint64_t seed = 0;; ++seed) {
            SystemRandom s(seed);
            if (repetitionSeed(SystemRandom(seed).next()) == wanted) return s;
        }
    };
    const SystemRandom zero = streamForSeed(0);
    const SystemRandom one = streamForSeed(1);
    // The section from Gumbel draws, which take no pick.
    const RepetitionInputs in =
        inputsFor({"", "Gumbel", "Gumbel", "Gumbel", "", "", ""}, {4, 75, 225, 20, 2, 10, 4},
                  {0.05, 0.1, 0.1, 0.3, 0.25, 1.5, 2.5}, 40);
    Kept fromZero(40), fromOne(40), scalarZero(40);
    const auto a = fromZero.arrays(), b = fromOne.arrays(), c = scalarZero.arrays();
    EXPECT_EQ(computeRepetition(in, zero, &a).tally.seed, 0);
    computeRepetition(in, one, &b);
    computeRepetitionScalar(in, zero, &c);
    // The picks differ between the two streams; the resistance depends on none.
    EXPECT_EQ(fromZero.r, fromOne.r);
    EXPECT_EQ(scalarZero.r, fromZero.r);
}

TEST(Repetition, SeedComesFromTheStreamRoundedHalfToEven) {
    EXPECT_EQ(repetitionSeed(0.0f), 0);
    EXPECT_EQ(repetitionSeed(0.5f), 15664);
    EXPECT_EQ(repetitionSeed(1.0f / 62656 * 0.999f), 0);
    EXPECT_EQ(repetitionSeed(1.0f - 0x1p-24f), 31328);
    // u = 1/64 and 3/64 give the ties 489.5 and 1468.5, which go to the even seed.
    EXPECT_EQ(repetitionSeed(1.0f / 64), 490);
    EXPECT_EQ(repetitionSeed(3.0f / 64), 1468);
}

TEST(Repetition, StreamTakenPerRepetition) {
    std::array<std::string, 7> dists{"Normal", "Gamma",      "Gumbel",          "Poisson",
                                     "",       "Log-Normal", "Others to follow"};
    const RepetitionInputs in = inputsFor(dists, {}, {}, 1000);
    EXPECT_EQ(in.picksPerSample(), 5);
    EXPECT_EQ(in.streamPerRepetition(), 5001u);
}

TEST(Repetition, OneAtATimeEndsAtTheFaultyDrawWithItsValueLeftAtZero) {
    // Gamma shape 1 + 1/441 overflows for about one draw in five: one of 20 samples faults.
    const RepetitionInputs in =
        inputsFor({"Normal", "Normal", "Normal", "Normal", "Normal", "Normal", "Gamma"},
                  {4, 75, 225, 20, 2, 10, 2}, {0.05, 10, 10, 3, 0.25, 1.5, 1.0 + 1.0 / 441}, 20);
    SystemRandom stream(5);
    clsRNG rng;
    bool abortFlag = false;
    std::array<double, inputVariableCount> sampleVector{};
    sampleVector.fill(untouched);
    const RepetitionResult r =
        computeRepetitionOneAtATime(in, {rng, stream, nullptr, abortFlag, sampleVector}, nullptr);
    ASSERT_TRUE(r.fault.has_value());
    EXPECT_EQ(r.fault->variable, 6);
    EXPECT_EQ(r.fault->message, "Error in Data");
    EXPECT_TRUE(abortFlag);
    EXPECT_EQ(sampleVector[6], 0.0);
    EXPECT_NE(sampleVector[5], untouched);  // drawn before the fault in the same sample
}

// Whole reports: the reference engine against the fast one at several thread counts.
std::string reportOf(Engine engine, int threads, const std::function<void(Study&)>& set,
                     RunOutcome* outcome = nullptr) {
    RecordingObserver o;
    Study study;
    set(study);
    const RunResult run = runSeeded(o, study, 424242, {engine, threads});
    if (outcome) *outcome = run.outcome;
    std::string report = run.report.substr(0, run.report.find("Total time taken was"));
    for (const auto& box : o.boxes) report += "\n[box] " + box.prompt;
    return report;
}

void expectEnginesAgree(const std::function<void(Study&)>& set, RunOutcome expected) {
    RunOutcome outcome{};
    const std::string reference = reportOf(Engine::Reference, 1, set, &outcome);
    EXPECT_EQ(outcome, expected);
    for (int threads : {1, 2, 8}) {
        EXPECT_EQ(reportOf(Engine::Fast, threads, set, &outcome), reference) << threads;
        EXPECT_EQ(outcome, expected);
    }
}

TEST(Engines, DefaultInputsGiveTheSameReport) {
    expectEnginesAgree(
        [](Study& s) {
            s.repetitions = "30";
            s.samples = "999";
        },
        RunOutcome::Completed);
}

TEST(Engines, EveryDistributionGivesTheSameReport) {
    expectEnginesAgree(
        [](Study& s) {
            s.repetitions = "17";
            s.samples = "1001";
            s.distributions = {"Log-Normal",       "Normal",  "Gumbel",    "Gamma",
                               "Others to follow", "Poisson", "Log-Normal"};
            s.parameters = {"1.386,0.0125", "75,10", "220,0.2", "0.05,0.5",
                            "2,0.25",       "12,2",  "1.3,0.5"};
        },
        RunOutcome::Completed);
}

TEST(Engines, FaultyDataAbortsAtTheSameDraw) {
    expectEnginesAgree([](Study& s) { s.distributions[4] = "Poisson"; }, RunOutcome::Aborted);
    // Gamma shape 1 + 1/154: the power overflows for about one draw in a hundred, somewhere
    // in the run.
    expectEnginesAgree(
        [](Study& s) {
            s.repetitions = "40";
            s.samples = "7";
            s.distributions[6] = "Gamma";
            s.parameters[6] = "2," + std::to_string(1.0 + 1.0 / 154);
        },
        RunOutcome::Aborted);
}

TEST(Engines, LastRepetitionSamplesAreKept) {
    RecordingObserver o;
    const RunResult reference = runSeeded(o, studyOf("5", "37"), 8, {Engine::Reference, 1});
    const RunResult fast = runSeeded(o, studyOf("5", "37"), 8, {Engine::Fast, 0});
    EXPECT_EQ(reference.lastEffect, fast.lastEffect);
    EXPECT_EQ(reference.lastResist, fast.lastResist);

    // Recomputed from the session stream at the start of repetition 5, sample s at index s - 1.
    std::array<std::string, 7> normal;
    normal.fill("Normal");
    const RepetitionInputs in =
        inputsFor(normal, {4, 75, 225, 20, 2, 10, 4}, {0.05, 10, 10, 3, 0.25, 1.5, 2.5}, 37);
    SystemRandom stream(8);
    stream.advance(4 * in.streamPerRepetition());
    Kept last(37);
    const SampleArrays arrays = last.arrays();
    computeRepetitionScalar(in, stream, &arrays);
    EXPECT_EQ(reference.lastEffect, std::vector<double>(last.e.begin(), last.e.end() - 1));
    EXPECT_EQ(reference.lastResist, std::vector<double>(last.r.begin(), last.r.end() - 1));
    // The figures of repetition 5 are those of its kept samples.
    EXPECT_EQ(sampleMean(reference.lastEffect), reference.repetitions[4].effectMean);
    EXPECT_EQ(sampleStdDev(reference.lastResist), reference.repetitions[4].resistStdDev);
}

std::vector<RepetitionTally> talliesOf(Engine engine, int threads) {
    RecordingObserver o;
    Study study = studyOf("23", "333");
    study.distributions = {"Log-Normal", "Normal", "Gumbel", "Gamma", "", "Poisson", "Normal"};
    study.parameters = {"1.386,0.0125", "75,10", "220,0.2", "0.05,0.5", "2,0.25", "12,2", "4,2.5"};
    const RunResult run = runSeeded(o, study, 99, {engine, threads});
    EXPECT_EQ(run.outcome, RunOutcome::Completed);
    return run.tallies;
}

TEST(Engines, FailureTalliesAreTheSameAndFollowTheirDefinition) {
    const std::vector<RepetitionTally> reference = talliesOf(Engine::Reference, 1);
    for (int threads : {1, 2, 8}) {
        const std::vector<RepetitionTally> fast = talliesOf(Engine::Fast, threads);
        ASSERT_EQ(fast.size(), reference.size());
        for (std::size_t r = 0; r < fast.size(); ++r)
            expectSameTally(fast[r], reference[r], "repetition " + std::to_string(r + 1));
    }

    // Recomputed draw by draw: sample s into stripe (s - 1) mod 16, stripes added in order.
    ASSERT_EQ(reference.size(), 23u);
    const RepetitionInputs in =
        inputsFor({"Log-Normal", "Normal", "Gumbel", "Gamma", "", "Poisson", "Normal"},
                  {1.386, 75, 220, 0.05, 2, 12, 4}, {0.0125, 10, 0.2, 0.5, 0.25, 2, 2.5}, 333);
    SystemRandom stream(99);
    std::int64_t allFailures = 0;
    for (const RepetitionTally& tally : reference) {
        struct Silent : DataFaultMessages {
            void showDataFault(std::string_view) override {}
        } silent;
        clsRNG rng;
        const std::int16_t seed = repetitionSeed(stream.next());
        rng.seed(seed);
        bool abortFlag = false;
        DrawContext c{in.paramA, in.paramB, in.distName, pi, rng, stream, silent, abortFlag};
        double sum[7][16] = {}, squares[7][16] = {}, failed[7][16] = {};
        std::int64_t failures = 0;
        for (int s = 1; s <= 333; ++s) {
            std::array<double, 7> x;
            for (std::int16_t i = 0; i < 7; ++i) x[i] = drawInput(c, i);
            const bool fails = evaluateLimitState(x).safe == 0.0;
            failures += fails;
            for (int i = 0; i < 7; ++i) {
                sum[i][(s - 1) % 16] += x[i];
                squares[i][(s - 1) % 16] += x[i] * x[i];
                if (fails) failed[i][(s - 1) % 16] += x[i];
            }
        }
        EXPECT_EQ(tally.seed, seed);
        EXPECT_EQ(tally.samples, 333);
        EXPECT_EQ(tally.failures, failures);
        allFailures += failures;
        for (int i = 0; i < 7; ++i) {
            double total = 0, totalSquares = 0, totalFailed = 0;
            for (int k = 0; k < 16; ++k) {
                total += sum[i][k];
                totalSquares += squares[i][k];
                totalFailed += failed[i][k];
            }
            EXPECT_EQ(tally.inputSum[i], total) << i;
            EXPECT_EQ(tally.inputSumSquares[i], totalSquares) << i;
            EXPECT_EQ(tally.failedInputSum[i], totalFailed) << i;
        }
    }
    EXPECT_GT(allFailures, 0);  // the mix fails now and then, so the failed sums are exercised
}

TEST(Engines, AStopRequestStopsTheWorkers) {
    RecordingObserver o;
    o.stopAfter = 3;
    const RunResult run = runSimulation({studyOf("32767", "2000"), {}}, o);
    EXPECT_EQ(run.outcome, RunOutcome::Stopped);
    EXPECT_EQ(o.labels.back(), "3/32767");
    EXPECT_EQ(run.completedRepetitions(), 3);
}

}  // namespace
}  // namespace ferrolith
