// Every law's map from the standard normal space, and its derivatives as FORM and SORM take them,
// against the sampler's formulas worked to 50 digits, out to 8 standard deviations either way.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "reliability/beam_space.hpp"
#include "reliability/finite_differences.hpp"
#include "reliability/form.hpp"
#include "support/precise_inputs.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

struct TailCase {
    const char* law;
    double a, b;
    std::vector<double> z;  // the input's coordinates
};

void PrintTo(const TailCase& c, std::ostream* os) {
    *os << c.law << " " << c.a << "," << c.b << " at";
    for (double z : c.z) *os << " " << z;
}

class InputTails : public ::testing::TestWithParam<TailCase> {};

TEST_P(InputTails, ValueAndDerivativesKeepTheirDigits) {
    const TailCase& c = GetParam();
    BeamInputs in = test::beamInputs({{InputVariable::BeamLength, "1,1", c.law}});
    in.paramA[0] = c.a;
    in.paramB[0] = c.b;
    const BeamSpace space(in);
    std::vector<double> point(static_cast<std::size_t>(space.dimension()), 0.0);
    std::copy(c.z.begin(), c.z.end(), point.begin());
    const std::vector<test::Precise> z(c.z.begin(), c.z.end());

    const double expected = static_cast<double>(test::preciseInput(in.branch[0], c.a, c.b, z));
    const PhysicalPoint p = space.physical(point);
    ASSERT_FALSE(p.fault);
    EXPECT_NEAR(p.values[0], expected, 1e-12 * std::abs(expected));

    // The input itself as a limit state, differenced as FORM differences g.
    const LimitStateFunction input{space.dimension(), [&space](std::span<const double> x) {
                                       return space.physical(x).values[0];
                                   }};
    CountedLimitState counted(input);
    const Eigen::VectorXd gradient =
        centralGradient(counted, Eigen::Map<const Eigen::VectorXd>(point.data(), space.dimension()),
                        FormOptions{}.gradientStep);
    const std::vector<double> reference = test::preciseInputGradient(in.branch[0], c.a, c.b, z);
    double norm = 0.0;
    for (double d : reference) norm += d * d;
    norm = std::sqrt(norm);
    for (std::size_t i = 0; i < reference.size(); ++i)
        EXPECT_NEAR(gradient(static_cast<Eigen::Index>(i)), reference[i], 1e-8 * norm) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Laws, InputTails,
    ::testing::Values(
        TailCase{"Normal", 4, 0.05, {8}}, TailCase{"Normal", 4, 0.05, {-8}},
        TailCase{"Log-Normal", 1.3, 0.5, {8}}, TailCase{"Log-Normal", 1.3, 0.5, {-8}},
        TailCase{"Poisson", 12, 2, {8}}, TailCase{"Poisson", 12, 2, {-8}},
        TailCase{"Gumbel", 4, 1, {8}}, TailCase{"Gumbel", 4, 1, {5.9}},
        TailCase{"Gumbel", 4, 1, {-8}}, TailCase{"Gumbel", 4, 1, {0.3}},
        TailCase{"Gamma", 1, 0.5, {8, 0.3, -0.4}}, TailCase{"Gamma", 1, 0.5, {-8, 0.3, 0.5}},
        TailCase{"Gamma", 1, 0.5, {0.2, 8, 0.1}}, TailCase{"Gamma", 1, 0.5, {0.2, -8, 0.1}},
        TailCase{"Gamma", 1, 0.5, {0.2, 0.1, 8}}, TailCase{"Gamma", 1, 0.5, {0.2, 0.1, -8}},
        TailCase{"Gamma", 2, 1.7, {0.5, 8, -8}}, TailCase{"Gamma", 2, 1.7, {-8, -8, 8}},
        TailCase{"Gamma", 0.004, 30, {8, 8, 8}}));

}  // namespace
}  // namespace ferrolith::reliability
