#include "reliability/sorm.hpp"

#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <cmath>
#include <vector>

namespace ferrolith::reliability {
namespace {

// Phi(-3), phi(3) and psi(3) = phi(3) / Phi(-3), from published tables.
constexpr double phiMinus3 = 1.3498980316301035e-3;
constexpr double density3 = 4.4318484119380075e-3;
constexpr double psi3 = density3 / phiMinus3;

// g = beta - v_n + 1/2 sum kappa_i v_i^2 in coordinates v = Q^T z turned by a fixed rotation Q,
// so that neither the design point nor alpha lies along an axis.
LimitStateFunction turnedParaboloid(double beta, std::vector<double> kappa) {
    const int n = static_cast<int>(kappa.size()) + 1;
    Eigen::MatrixXd m(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m(i, j) = std::sin(1.0 + 3 * i + 7 * j);
    const Eigen::MatrixXd q = Eigen::HouseholderQR<Eigen::MatrixXd>(m).householderQ();
    return {n, [=](std::span<const double> z) {
                const Eigen::VectorXd v =
                    q.transpose() * Eigen::Map<const Eigen::VectorXd>(z.data(), n);
                double g = beta - v(n - 1);
                for (int i = 0; i < n - 1; ++i) g += 0.5 * kappa[i] * v(i) * v(i);
                return g;
            }};
}

TEST(Sorm, CurvaturesOfATurnedParaboloid) {
    const LimitStateFunction g = turnedParaboloid(3.0, {0.1, -0.05, 0.2});
    const FormResult f = form(g);
    ASSERT_TRUE(f.converged) << f.message;
    EXPECT_NEAR(f.beta, 3.0, 1e-8);
    const SormResult s = sorm(g, f);
    ASSERT_EQ(s.curvatures.size(), 3u);
    EXPECT_NEAR(s.curvatures[0], -0.05, 1e-6);
    EXPECT_NEAR(s.curvatures[1], 0.1, 1e-6);
    EXPECT_NEAR(s.curvatures[2], 0.2, 1e-6);
    EXPECT_GT(s.evaluations, 0);

    // By hand: Breitung's factors 1 + 3 kappa are 0.85, 1.3 and 1.6.
    ASSERT_TRUE(s.breitung.defined);
    EXPECT_NEAR(s.breitung.failureProbability, phiMinus3 / std::sqrt(0.85 * 1.3 * 1.6), 1e-9);
    // Hohenbichler-Rackwitz's factors 1 + psi(3) kappa, psi(3) = 3.28310...
    ASSERT_TRUE(s.hohenbichlerRackwitz.defined);
    const double hr =
        phiMinus3 / std::sqrt((1 - 0.05 * psi3) * (1 + 0.1 * psi3) * (1 + 0.2 * psi3));
    EXPECT_NEAR(s.hohenbichlerRackwitz.failureProbability, hr, 1e-9);
    EXPECT_NEAR(s.hohenbichlerRackwitz.beta, 3.0916155, 1e-6);
}

TEST(Sorm, OriginOnTheFailingSideTakesTheSafeSidesProbability) {
    // beta -1.5: the safe side v_n < -1.5 + 1/2 sum kappa_i v_i^2 is, seen from the origin, a
    // paraboloid at 1.5 of curvatures -kappa, whose factors 1 - 1.5 kappa are 0.85 and 1.3.
    const LimitStateFunction g = turnedParaboloid(-1.5, {0.1, -0.2});
    const FormResult f = form(g);
    ASSERT_TRUE(f.converged) << f.message;
    EXPECT_NEAR(f.beta, -1.5, 1e-8);
    const SormResult s = sorm(g, f);
    constexpr double phiMinus1point5 = 6.680720126885809e-2;
    ASSERT_TRUE(s.breitung.defined);
    EXPECT_NEAR(s.breitung.failureProbability, 1 - phiMinus1point5 / std::sqrt(0.85 * 1.3), 1e-9);
    EXPECT_NEAR(s.breitung.beta, -1.5256069, 1e-6);
}

struct UndefinedCase {
    std::vector<double> kappa;
    bool breitungDefined;
    bool hohenbichlerRackwitzDefined;
};

void PrintTo(const UndefinedCase& c, std::ostream* os) {
    for (double k : c.kappa) *os << k << " ";
}

class SormUndefined : public ::testing::TestWithParam<UndefinedCase> {};

// At beta 3 Breitung needs kappa > -1/3 and Hohenbichler-Rackwitz kappa > -1/psi(3) = -0.3046.
TEST_P(SormUndefined, CurvatureThatLeavesNoPositiveFactorIsReported) {
    const auto& c = GetParam();
    const CurvatureCorrection b = breitung(3.0, c.kappa);
    const CurvatureCorrection h = hohenbichlerRackwitz(3.0, c.kappa);
    EXPECT_EQ(b.defined, c.breitungDefined);
    EXPECT_EQ(h.defined, c.hohenbichlerRackwitzDefined);
    EXPECT_EQ(std::isnan(b.failureProbability), !c.breitungDefined);
    EXPECT_EQ(std::isnan(h.failureProbability), !c.hohenbichlerRackwitzDefined);
    EXPECT_EQ(b.message.empty(), c.breitungDefined);
    EXPECT_EQ(h.message.empty(), c.hohenbichlerRackwitzDefined);
}

INSTANTIATE_TEST_SUITE_P(Curvatures, SormUndefined,
                         ::testing::Values(UndefinedCase{{0.1, -0.31}, true, false},
                                           UndefinedCase{{-0.4, 0.1}, false, false},
                                           UndefinedCase{{-1.0 / 3.0}, false, false},
                                           UndefinedCase{{-0.3, 0.5}, true, true}));

TEST(Sorm, UndefinedMessageNamesTheCurvatureAndItsFactor) {
    EXPECT_EQ(breitung(3.0, std::vector<double>{0.1, -0.5}).message,
              "Breitung's formula is undefined: the curvature -0.5000 makes a factor 1 + c kappa "
              "of -0.5000, which is not positive.");
}

TEST(Sorm, NeedsAConvergedDesignPoint) {
    const LimitStateFunction bowl{
        2, [](std::span<const double> z) { return 1 + z[0] * z[0] + z[1] * z[1]; }};
    const SormResult s = sorm(bowl, form(bowl));
    EXPECT_EQ(s.message, "FORM found no design point to start from.");
    EXPECT_TRUE(s.curvatures.empty());
    EXPECT_FALSE(s.breitung.defined);
    EXPECT_FALSE(s.hohenbichlerRackwitz.defined);

    const LimitStateFunction paraboloid = turnedParaboloid(2.0, {0.1, 0.2});
    const SormResult other = sorm(bowl, form(paraboloid));
    EXPECT_EQ(other.message, "FORM's design point has another dimension than this limit state.");
    EXPECT_EQ(other.evaluations, 0);
}

}  // namespace
}  // namespace ferrolith::reliability
