#include "model/draw_input.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/distribution_formulas.hpp"

namespace ferrolith {
namespace {

const double pi = 4.0 * std::atan(1.0);

struct RecordedMessages : DataFaultMessages {
    std::vector<std::string> shown;
    void showDataFault(std::string_view m) override { shown.emplace_back(m); }
};

// A run state with one variable under test at index 0.
struct Fixture {
    ParameterArray paramA{};
    ParameterArray paramB{};
    NameArray distName;
    clsRNG rng;
    SystemRandom systemRandom{11};
    RecordedMessages messages;
    bool abortFlag = false;
    DrawContext context{paramA, paramB, distName, pi, rng, systemRandom, messages, abortFlag};

    Fixture(std::string name, double a, double b) {
        distName[0] = std::move(name);
        paramA[0] = a;
        paramB[0] = b;
        rng.seed(123);
    }
    double draw() { return drawInput(context, 0); }
};

TEST(DrawFormulas, BoxMullerPairOfTheHandExample) {
    // u1 = exp(-0.5) gives r = 1 and u2 = 0.5 the angle pi: z1 = 10 - 2 = 8, z2 = 10 + 0.
    EXPECT_NEAR(formulas::normalValue(10.0, 2.0, std::exp(-0.5), 0.5, pi, true), 8.0, 1e-12);
    EXPECT_NEAR(formulas::normalValue(10.0, 2.0, std::exp(-0.5), 0.5, pi, false), 10.0, 1e-12);
    EXPECT_NEAR(formulas::logNormalValue(1.0, 2.0, std::exp(-0.5), 0.5, pi, true), std::exp(-1.0),
                1e-12);
    // The Poisson approximation centres on a - 0.5 with standard deviation sqrt(b).
    EXPECT_NEAR(formulas::poissonValue(20.0, 4.0, std::exp(-0.5), 0.5, pi, true), 17.5, 1e-12);
}

TEST(DrawFormulas, BoxMullerValuesAreTheCosineAndTheSine) {
    for (double u2 : {0.01, 0.2, 0.3337, 0.5, 0.74, 0.999}) {
        const double angle = 2 * pi * u2;
        for (double u1 : {1e-9, 0.3, 0.9}) {
            const double r = std::sqrt(-2 * std::log(u1));
            EXPECT_NEAR(formulas::normalValue(1.0, 3.0, u1, u2, pi, true),
                        3 * r * std::cos(angle) + 1, 1e-13 * (1 + 3 * r));
            EXPECT_NEAR(formulas::normalValue(1.0, 3.0, u1, u2, pi, false),
                        3 * r * std::sin(angle) + 1, 1e-13 * (1 + 3 * r));
        }
    }
}

TEST(DrawFormulas, GammaAndGumbelHandExamples) {
    const auto g = formulas::gammaValue(1.0, 0.5, 0.25, 0.5, std::exp(-1.0));
    EXPECT_NEAR(g.value, 0.2, 1e-15);
    EXPECT_FALSE(g.overflow);
    EXPECT_NEAR(formulas::gumbelValue(10.0, 2.0, std::exp(-std::exp(1.0))), 9.5, 1e-12);
}

TEST(DrawFormulas, GammaPowersAtTheEdgesOfTheShape) {
    // Shape 0: P1 = u1^inf = 0, the draw is 0 and no fault is signalled.
    const auto zero = formulas::gammaValue(1.0, 0.0, 0.3, 0.4, 0.5);
    EXPECT_EQ(zero.value, 0.0);
    EXPECT_FALSE(zero.overflow);
    // Shape 1: P2 = u2^-inf would be infinite, but from an infinite exponent: no fault.
    const auto one = formulas::gammaValue(2.0, 1.0, 0.3, 0.4, 0.5);
    EXPECT_FALSE(one.overflow);
    // Just above 1 the exponent is finite and huge: the power overflows, a signalled fault.
    const auto above = formulas::gammaValue(2.0, 1.0 + 1e-12, 0.3, 0.4, 0.5);
    EXPECT_TRUE(above.overflow);
    // A rate of 0 divides by zero silently.
    EXPECT_FALSE(std::isfinite(formulas::gammaValue(0.0, 0.5, 0.3, 0.4, 0.5).value));
}

TEST(DrawInput, BranchSelectionIsExactAndCaseSensitive) {
    EXPECT_EQ(branchFor("Log-Normal"), Branch::LogNormal);
    EXPECT_EQ(branchFor("Gamma"), Branch::Gamma);
    EXPECT_EQ(branchFor("Gumbel"), Branch::Gumbel);
    EXPECT_EQ(branchFor("Poisson"), Branch::Poisson);
    for (const char* other : {"Normal", "Others to follow", "", "gamma", "Gamma ", "POISSON"})
        EXPECT_EQ(branchFor(other), Branch::Normal) << other;
}

TEST(DrawInput, ZeroSpreadGivesTheMeanAndStillConsumesBothStreams) {
    Fixture normal("Normal", 3.25, 0.0);
    Fixture logNormal("Log-Normal", 0.5, 0.0);
    Fixture poisson("Poisson", 12.0, 0.0);
    for (int call = 0; call < 5; ++call) {
        EXPECT_EQ(normal.draw(), 3.25);
        EXPECT_EQ(logNormal.draw(), math::exp(0.5));
        EXPECT_EQ(poisson.draw(), 11.5);
    }
    for (Fixture* f : {&normal, &logNormal, &poisson}) {
        clsRNG expected;
        expected.seed(123);
        for (int i = 0; i < 15; ++i) expected.rand();
        EXPECT_EQ(f->rng.state(), expected.state());
        SystemRandom sr(11);
        sr.advance(5);
        EXPECT_EQ(f->systemRandom.nextBits(), sr.nextBits());
        EXPECT_FALSE(f->abortFlag);
    }
    EXPECT_EQ(poisson.paramA[0], 12.0);
    EXPECT_EQ(poisson.paramB[0], 0.0);
}

TEST(DrawInput, GammaAndGumbelTakeNoSystemRandomNumber) {
    for (const char* name : {"Gamma", "Gumbel"}) {
        Fixture f(name, 10.0, 2.0);
        f.draw();
        f.draw();
        clsRNG expected;
        expected.seed(123);
        for (int i = 0; i < 6; ++i) expected.rand();
        EXPECT_EQ(f.rng.state(), expected.state());
        EXPECT_EQ(f.systemRandom.nextBits(), SystemRandom(11).nextBits()) << name;
    }
}

TEST(DrawInput, DrawsMatchTheFormulasOnTheSameUniforms) {
    for (const char* name : {"Normal", "Log-Normal", "Gamma", "Gumbel", "Poisson"}) {
        Fixture f(name, 15.0, 0.4);
        clsRNG mirror;
        mirror.seed(123);
        SystemRandom pick(11);
        for (int call = 0; call < 200; ++call) {
            const double u1 = mirror.rand(), u2 = mirror.rand(), u3 = mirror.rand();
            const double expected =
                formulas::drawVariable(branchFor(name), 15.0, 0.4, u1, u2, u3, pi, [&pick] {
                    return SystemRandom::picksFirst(pick.nextBits());
                }).value;
            ASSERT_EQ(f.draw(), expected) << name << " call " << call;
        }
    }
}

TEST(DrawInput, PoissonMeanOfTenOrLessIsFaultyData) {
    Fixture ten("Poisson", 10.0, 4.0);
    const double value = ten.draw();
    EXPECT_TRUE(ten.abortFlag);
    EXPECT_EQ(ten.messages.shown, std::vector<std::string>{"Poisson Parameter < 10"});
    EXPECT_TRUE(std::isfinite(value));  // the value is still computed and returned

    Fixture above("Poisson", 10.0001, 4.0);
    above.draw();
    EXPECT_FALSE(above.abortFlag);
    EXPECT_TRUE(above.messages.shown.empty());
}

TEST(DrawInput, GammaOverflowIsErrorInData) {
    Fixture f("Gamma", 2.0, 1.0 + 1e-12);
    EXPECT_EQ(f.draw(), 0.0);
    EXPECT_TRUE(f.abortFlag);
    EXPECT_EQ(f.messages.shown, std::vector<std::string>{"Error in Data"});
}

TEST(DrawInput, NonFiniteResultsFlowOnSilently) {
    Fixture gumbel("Gumbel", 1.0, 0.0);
    EXPECT_FALSE(std::isfinite(gumbel.draw()));
    Fixture poisson("Poisson", 20.0, -4.0);
    EXPECT_TRUE(std::isnan(poisson.draw()));
    EXPECT_FALSE(gumbel.abortFlag || poisson.abortFlag);
    EXPECT_TRUE(gumbel.messages.shown.empty() && poisson.messages.shown.empty());
}

TEST(DrawInput, StatisticsOfTheNormalBranch) {
    Fixture f("Normal", 5.0, 2.0);
    const int n = 100000;
    double sum = 0, sumSq = 0;
    for (int i = 0; i < n; ++i) {
        if (i % 30000 == 0) f.rng.seed(static_cast<std::int16_t>(i / 30000 + 1));
        const double x = f.draw();
        sum += x;
        sumSq += x * x;
    }
    const double mean = sum / n;
    EXPECT_NEAR(mean, 5.0, 5 * 2.0 / std::sqrt(n));
    EXPECT_NEAR(std::sqrt(sumSq / n - mean * mean), 2.0, 0.03);
}

TEST(DrawInput, GumbelMatchesItsDistributionFunction) {
    // The share of draws below x is exp(-exp(-b (x - a))).
    Fixture f("Gumbel", 10.0, 2.0);
    const int n = 60000;
    int below = 0;
    for (int i = 0; i < n; ++i) below += f.draw() < 10.5;
    const double expected = std::exp(-std::exp(-2.0 * 0.5));
    EXPECT_NEAR(static_cast<double>(below) / n, expected, 5 * std::sqrt(0.25 / n));
}

}  // namespace
}  // namespace ferrolith
