#include "reliability/multinormal.hpp"

#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/owens_t.hpp>
#include <cmath>
#include <vector>

namespace ferrolith::reliability {
namespace {

double upper(double z) { return boost::math::cdf(boost::math::normal_distribution<double>(), -z); }

// P(Y1 > h, Y2 > k) for standard normals of correlation rho, h and k above 0, by Owen's T
// function (Owen 1956): Phi2(-h, -k; rho), with no half-correction since hk > 0.
double jointUpper(double h, double k, double rho) {
    const double s = std::sqrt(1 - rho * rho);
    return 0.5 * upper(h) + 0.5 * upper(k) - boost::math::owens_t(h, (k - rho * h) / (h * s)) -
           boost::math::owens_t(k, (h - rho * k) / (k * s));
}

Eigen::MatrixXd equicorrelated(int m, double rho) {
    Eigen::MatrixXd r = Eigen::MatrixXd::Constant(m, m, rho);
    r.diagonal().setOnes();
    return r;
}

struct UnionCase {
    const char* name;
    std::vector<double> b;
    Eigen::MatrixXd r;
    double expected;
};

void PrintTo(const UnionCase& c, std::ostream* os) { *os << c.name; }

UnionCase bivariate(const char* name, double h, double k, double rho) {
    Eigen::MatrixXd r(2, 2);
    r << 1, rho, rho, 1;
    return {name, {h, k}, r, upper(h) + upper(k) - jointUpper(h, k, rho)};
}

class UnionProbability : public ::testing::TestWithParam<UnionCase> {};

// Within 1e-4 of the reference, relatively, and the error estimate covers the difference.
TEST_P(UnionProbability, MatchesTheIndependentReference) {
    const UnionCase& c = GetParam();
    const ProbabilityEstimate p = unionProbability(c.b, c.r);
    EXPECT_NEAR(p.probability, c.expected, 1e-4 * c.expected);
    EXPECT_LE(std::abs(p.probability - c.expected), p.error + 1e-13 * c.expected);
    EXPECT_LE(p.error, 1e-4 * c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    References, UnionProbability,
    ::testing::Values(
        bivariate("mirror points", 3.578, 3.579, 0.2),
        bivariate("strongly correlated", 3.0, 3.2, 0.95), bivariate("opposed", 2.0, 2.5, -0.7),
        // Far in the tail, where 1 - Phi2 from the lower side would be rounding.
        bivariate("far tail", 6.0, 6.3, 0.5),
        // P(all below 0) of equicorrelated normals at rho 1/2 is 1/(m + 1).
        UnionCase{"trivariate orthant", {0, 0, 0}, equicorrelated(3, 0.5), 0.75},
        UnionCase{"four-variate orthant", {0, 0, 0, 0}, equicorrelated(4, 0.5), 0.8},
        // Parallel and opposite alphas: the nearer half-space holds the further, and the two
        // sides are disjoint.
        UnionCase{"parallel", {3.0, 3.5}, equicorrelated(2, 1.0), upper(3.0)},
        UnionCase{"opposite", {3.0, 4.0}, equicorrelated(2, -1.0), upper(3.0) + upper(4.0)}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) ch = ch == ' ' || ch == '-' ? '_' : ch;
        return name;
    });

TEST(UnionProbability, OneVariableIsItsUpperTailExactly) {
    const ProbabilityEstimate p = unionProbability({6.0}, Eigen::MatrixXd::Identity(1, 1));
    EXPECT_NEAR(p.probability, upper(6.0), 1e-12 * upper(6.0));
    EXPECT_EQ(p.error, 0.0);
}

}  // namespace
}  // namespace ferrolith::reliability
