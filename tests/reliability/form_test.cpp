#include "reliability/form.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/owens_t.hpp>
#include <cmath>
#include <vector>

#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

double phi(double z) { return boost::math::cdf(boost::math::normal_distribution<double>(), z); }

struct LinearCase {
    double beta;
    std::vector<double> direction;
    double scale = 1.0;  // of g
};

void PrintTo(const LinearCase& c, std::ostream* os) {
    *os << "beta " << c.beta << " in " << c.direction.size() << " dimensions, g times " << c.scale;
}

class FormLinear : public ::testing::TestWithParam<LinearCase> {};

// On a hyperplane at distance beta every start ends at beta a, alpha is a and Pf = Phi(-beta).
TEST_P(FormLinear, BetaAndDesignPointAreExact) {
    const auto& c = GetParam();
    const LimitStateFunction g = test::linearLimitState(c.beta, c.direction, c.scale);
    const FormResult r = form(g);
    ASSERT_TRUE(r.converged) << r.message;
    EXPECT_NEAR(r.beta, c.beta, 1e-9);
    EXPECT_NEAR(r.failureProbability, phi(-c.beta), 1e-9 * phi(-c.beta));
    double norm = 0.0;
    for (double a : c.direction) norm += a * a;
    norm = std::sqrt(norm);
    for (std::size_t i = 0; i < c.direction.size(); ++i) {
        EXPECT_NEAR(r.alpha[i], c.direction[i] / norm, 1e-9);
        EXPECT_NEAR(r.designPoint[i], c.beta * c.direction[i] / norm, 1e-9);
    }
    EXPECT_EQ(r.valueAtOrigin, c.scale * c.beta);
    EXPECT_EQ(r.designStart, 0);
    for (const FormStart& s : r.starts) {
        EXPECT_TRUE(s.converged);
        EXPECT_FALSE(s.otherDesignPoint);
        EXPECT_EQ(s.message, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Hyperplanes, FormLinear,
                         ::testing::Values(LinearCase{3.0, {1.0, 2.0, -2.0}},
                                           LinearCase{6.5, {0.3, -1.0, 0.2, 0.0, 4.0, 1.0, -0.5}},
                                           // The origin fails: beta is negative.
                                           LinearCase{-1.5, {0.0, 1.0}}, LinearCase{0.5, {-1.0}},
                                           // |grad g|^2 is beyond the doubles.
                                           LinearCase{2.0, {1.0, -1.0}, 1e200}));

TEST(Form, CountsEveryEvaluation) {
    const LimitStateFunction linear = test::linearLimitState(2.0, {1.0, 1.0, 1.0});
    std::int64_t calls = 0;
    const LimitStateFunction counted{3, [&](std::span<const double> z) {
                                         ++calls;
                                         return linear.value(z);
                                     }};
    const FormResult r = form(counted);
    EXPECT_EQ(r.evaluations, calls);
    EXPECT_GT(calls, 0);
}

// A paraboloid of curvature 4 at beta 3: the plain HL-RF step overshoots by a factor beta kappa =
// 12 from any point off its axis, so only the step length rule brings the starts to (0, 3).
TEST(Form, StrongCurvatureConvergesFromEveryStart) {
    const LimitStateFunction g{
        2, [](std::span<const double> z) { return 3.0 - z[1] + 2.0 * z[0] * z[0]; }};
    const FormResult r = form(g);
    ASSERT_TRUE(r.converged) << r.message;
    EXPECT_NEAR(r.beta, 3.0, 1e-7);
    for (const FormStart& s : r.starts) {
        EXPECT_TRUE(s.converged) << s.message;
        EXPECT_NEAR(s.beta, 3.0, 1e-7);
        EXPECT_FALSE(s.otherDesignPoint);
    }
}

TEST(Form, KeepsEveryDesignPointAndWarnsOfTheOnesThatCount) {
    // g = 12 + z - z^2 is zero at -3 and 4: the origin's search ends at -3, the start at +2 at
    // 4, and the start at -2 lies towards -3, so it is not searched from.
    const LimitStateFunction g{1,
                               [](std::span<const double> z) { return 12 + z[0] - z[0] * z[0]; }};
    const FormResult r = form(g);
    ASSERT_TRUE(r.converged);
    EXPECT_NEAR(r.beta, 3.0, 1e-8);
    EXPECT_NEAR(r.designPoint[0], -3.0, 1e-8);
    EXPECT_EQ(r.alpha[0], -1.0);
    ASSERT_EQ(r.starts.size(), 2u);
    EXPECT_EQ(r.starts[1].start[0], 2.0);
    EXPECT_TRUE(r.starts[1].otherDesignPoint);
    EXPECT_NEAR(r.starts[1].beta, 4.0, 1e-8);
    EXPECT_EQ(r.starts[1].message, "This start ended at another design point, beta 4.000.");
    ASSERT_EQ(r.designPoints.size(), 2u);
    EXPECT_EQ(r.designPoints[0].point, r.designPoint);
    EXPECT_NEAR(r.designPoints[1].beta, 4.0, 1e-8);
    EXPECT_EQ(r.designPoints[1].alpha[0], 1.0);
    // Opposite half-spaces are disjoint: their probabilities add. 4 carries 2.3% of 3's.
    const double system = phi(-3.0) + phi(-4.0);
    EXPECT_NEAR(r.system.probability, system, 1e-9 * system);
    EXPECT_EQ(r.severalPointsWarning,
              "FORM found 2 design points; the second carries 2% of the first one's probability: "
              "Pf from one point alone is too low. The system estimate from both is Pf 0.001382, "
              "beta 2.993.");
}

// P(Y1 > h, Y2 > k), h and k above 0, for standard normals of correlation rho (Owen 1956).
double jointUpper(double h, double k, double rho) {
    const double s = std::sqrt(1 - rho * rho);
    return 0.5 * phi(-h) + 0.5 * phi(-k) - boost::math::owens_t(h, (k - rho * h) / (h * s)) -
           boost::math::owens_t(k, (h - rho * k) / (k * s));
}

// A series system of two planes at 3 and 3.4, at 100 degrees, in five dimensions: FORM finds
// both, and its system estimate is the union's exact probability.
TEST(Form, SeriesSystemOfTwoPlanesIsItsUnionsProbability) {
    const double angle = 100.0 * std::acos(-1.0) / 180.0;
    const LimitStateFunction g{5, [angle](std::span<const double> z) {
                                   const double second =
                                       std::cos(angle) * z[0] + std::sin(angle) * z[2];
                                   return std::min(3.0 - z[0], 3.4 - second);
                               }};
    const FormResult r = form(g);
    ASSERT_TRUE(r.converged) << r.message;
    ASSERT_EQ(r.designPoints.size(), 2u);
    EXPECT_NEAR(r.designPoints[0].beta, 3.0, 1e-7);
    EXPECT_NEAR(r.designPoints[1].beta, 3.4, 1e-7);
    const double union_ = phi(-3.0) + phi(-3.4) - jointUpper(3.0, 3.4, std::cos(angle));
    EXPECT_NEAR(r.system.probability, union_, 1e-4 * union_);
    EXPECT_FALSE(r.severalPointsWarning.empty());
}

// One point: the system is Phi(-beta) exactly, and nothing to warn of.
TEST(Form, OnePointIsItsOwnSystem) {
    const FormResult r = form(test::linearLimitState(6.0, {1.0, -2.0, 0.5}));
    ASSERT_EQ(r.designPoints.size(), 1u);
    EXPECT_EQ(r.system.probability, r.failureProbability);
    EXPECT_NEAR(r.system.probability, phi(-6.0), 1e-12 * phi(-6.0));
    EXPECT_EQ(r.system.error, 0.0);
    EXPECT_EQ(r.systemBeta, r.beta);
    EXPECT_EQ(r.severalPointsWarning, "");
}

struct NoDesignPoint {
    const char* name;
    LimitStateFunction g;
    const char* message;
};

void PrintTo(const NoDesignPoint& c, std::ostream* os) { *os << c.name; }

class FormWithoutDesignPoint : public ::testing::TestWithParam<NoDesignPoint> {};

TEST_P(FormWithoutDesignPoint, SaysSoAndGivesNoFigures) {
    const FormResult r = form(GetParam().g, {.maxIterations = 100});
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(r.message, GetParam().message);
    EXPECT_TRUE(std::isnan(r.beta));
    EXPECT_TRUE(std::isnan(r.failureProbability));
    EXPECT_TRUE(r.designPoint.empty());
    EXPECT_TRUE(r.alpha.empty());
    EXPECT_EQ(r.designStart, -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormWithoutDesignPoint,
    ::testing::Values(
        // Never fails; flat at its lowest point, where every search ends.
        NoDesignPoint{"bowl",
                      {2, [](std::span<const double> z) { return 1 + z[0] * z[0] + z[1] * z[1]; }},
                      "FORM found no design point. The limit state does not change near a point "
                      "of the search, so it gives no direction."},
        // Approaches zero without reaching it: every step is one unit further out.
        NoDesignPoint{"exponential",
                      {1, [](std::span<const double> z) { return std::exp(z[0] / 100); }},
                      "FORM found no design point. The search did not converge within 100 "
                      "iterations."},
        // A number at the origin alone.
        NoDesignPoint{
            "not a number",
            {2,
             [](std::span<const double> z) { return 1 + std::sqrt(-(z[0] * z[0] + z[1] * z[1])); }},
            "FORM found no design point. The limit state is not a finite number near a "
            "point of the search."},
        NoDesignPoint{"not a number at the origin",
                      {2, [](std::span<const double> z) { return std::log(z[0]) + z[1]; }},
                      "FORM found no design point. The limit state is not a finite number at the "
                      "origin."}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) c = c == ' ' ? '_' : c;
        return name;
    });

TEST(Form, FaultyDataEndsTheMethodWithTheSamplersMessage) {
    const LimitStateFunction g{
        2, [](std::span<const double>) -> double {
            throw InputFaultError({"Error in Data", InputVariable::UdlValue});
        }};
    const FormResult r = form(g);
    ASSERT_TRUE(r.fault);
    EXPECT_EQ(*r.fault, (InputFault{"Error in Data", InputVariable::UdlValue}));
    EXPECT_EQ(r.message, "Error in Data");
    EXPECT_FALSE(r.converged);
    EXPECT_TRUE(std::isnan(r.beta));
}

}  // namespace
}  // namespace ferrolith::reliability
