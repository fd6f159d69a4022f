#include "reliability/beam_space.hpp"

#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <vector>

#include "model/distribution_formulas.hpp"
#include "model/draw_input.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

using test::beamInputs;

const double pi = 4.0 * std::atan(1.0);

double quantile(double u) {
    return boost::math::quantile(boost::math::normal_distribution<double>(), u);
}

TEST(BeamSpace, GammaInputsTakeThreeCoordinates) {
    const BeamSpace space(beamInputs({{InputVariable::BeamWidth, "0.05,0.5", "Gamma"},
                                      {InputVariable::UdlValue, "0.1,0.3", "Gamma"}}));
    EXPECT_EQ(space.dimension(), 7 + 2 * 2);
    EXPECT_EQ(space.coordinates(InputVariable::BeamLength).first, 0);
    EXPECT_EQ(space.coordinates(InputVariable::BeamWidth).first, 1);
    EXPECT_EQ(space.coordinates(InputVariable::BeamWidth).count, 3);
    EXPECT_EQ(space.coordinates(InputVariable::BeamDepth).first, 4);
    EXPECT_EQ(space.coordinates(InputVariable::UdlValue).first, 8);
    EXPECT_EQ(space.coordinates(InputVariable::UdlValue).count, 3);
}

// The sampler's Box-Muller value with u2 = 0 is (r b) sin(pi/2) + a with r = sqrt(-2 ln u1): the
// branch's value at the standard normal z = r, to the last bit.
TEST(BeamSpace, BoxMullerInputsAreTheSamplersValueAtTheirStandardNormal) {
    struct Case {
        const char* name;
        double a, b;
    };
    for (const Case c : {Case{"Normal", 4.0, 0.05}, Case{"Log-Normal", 1.3, 0.5},
                         Case{"Poisson", 12.0, 2.0}, Case{"Others to follow", -3.0, 2.0}}) {
        for (double u1 : {1e-9, 0.02, 0.6, 0.999}) {
            BeamInputs in = beamInputs({{InputVariable::BeamLength, "1,1", c.name}});
            in.paramA[0] = c.a;
            in.paramB[0] = c.b;
            const double z = math::sqrt(math::log(u1) * -2.0);
            std::vector<double> point(7, 0.0);
            point[0] = z;
            const auto draw = formulas::drawVariable(branchFor(c.name), c.a, c.b, u1, 0.0, 0.5, pi,
                                                     [] { return true; });
            EXPECT_EQ(BeamSpace(in).physical(point).values[0], draw.value) << c.name << " " << u1;
        }
    }
}

TEST(BeamSpace, GumbelAndGammaTakeTheirUniformsAsPhiOfZ) {
    // The sampler's hand examples: Gumbel 10,2 at u1 = exp(-e) gives 9.5; Gamma 1,0.5 at
    // u = 0.25, 0.5, exp(-1) gives 0.2.
    const BeamSpace space(beamInputs({{InputVariable::BeamLength, "10,2", "Gumbel"},
                                      {InputVariable::BeamWidth, "1,0.5", "Gamma"}}));
    const std::vector<double> z{quantile(std::exp(-std::exp(1.0))),
                                quantile(0.25),
                                quantile(0.5),
                                quantile(std::exp(-1.0)),
                                0,
                                0,
                                0,
                                0,
                                0};
    const PhysicalPoint p = space.physical(z);
    EXPECT_NEAR(p.values[0], 9.5, 1e-12);
    EXPECT_NEAR(p.values[1], 0.2, 1e-12);
    EXPECT_FALSE(p.fault);
}

struct FaultCase {
    std::vector<test::InputChange> changes;
    InputFault fault;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.fault.message << " at " << info(c.fault.variable).name << " of " << c.changes.size()
        << " faulty inputs";
}

class BeamSpaceFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(BeamSpaceFaults, FirstFaultyInputInInputOrder) {
    const BeamSpace space(beamInputs(GetParam().changes));
    const std::vector<double> origin(static_cast<std::size_t>(space.dimension()), 0.0);
    const PhysicalPoint p = space.physical(origin);
    ASSERT_TRUE(p.fault);
    EXPECT_EQ(*p.fault, GetParam().fault);
    try {
        space.limitState().value(origin);
        FAIL() << "no fault";
    } catch (const InputFaultError& e) {
        EXPECT_EQ(e.fault(), GetParam().fault);
        EXPECT_EQ(std::string(e.what()), GetParam().fault.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BeamSpaceFaults,
    ::testing::Values(FaultCase{{{InputVariable::PointLoadValue, "10,2", "Poisson"}},
                                {poissonFaultMessage, InputVariable::PointLoadValue}},
                      // A shape just above 1 overflows the second power at u2 = 1/2.
                      FaultCase{{{InputVariable::BeamDepth, "1,1.000001", "Gamma"}},
                                {dataFaultMessage, InputVariable::BeamDepth}},
                      FaultCase{{{InputVariable::UdlValue, "9,2", "Poisson"},
                                 {InputVariable::BeamDepth, "1,1.000001", "Gamma"}},
                                {dataFaultMessage, InputVariable::BeamDepth}}));

TEST(BeamSpace, PointOfAnotherDimensionIsRefused) {
    const BeamSpace space(beamInputs({{InputVariable::BeamWidth, "0.05,0.5", "Gamma"}}));
    EXPECT_THROW(space.physical(std::vector<double>(7, 0.0)), std::invalid_argument);
    EXPECT_THROW(space.limitState().value(std::vector<double>(10, 0.0)), std::invalid_argument);
    EXPECT_NO_THROW(space.physical(std::vector<double>(9, 0.0)));
}

TEST(BeamSpace, PoissonMeanAboveTenIsNoFault) {
    const BeamSpace space(beamInputs({{InputVariable::PointLoadValue, "10.0001,2", "Poisson"}}));
    EXPECT_FALSE(space.physical(std::vector<double>(7, 0.0)).fault);
}

}  // namespace
}  // namespace ferrolith::reliability
