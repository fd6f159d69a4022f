// FORM and SORM on studies far out in a Gumbel tail, at the origin and behind it, against
// OpenTURNS 1.20's figures for the same limit state (AbdoRackwitz to 1e-10, its own SORM) or a
// closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "reliability/sorm.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

struct ReferenceStudy {
    std::vector<test::InputChange> changes;
    double beta;          // signed: negative where the origin fails
    double breitung;      // Pf
    double hohenbichler;  // Pf
};

void PrintTo(const ReferenceStudy& s, std::ostream* os) {
    for (const test::InputChange& c : s.changes)
        *os << info(c.variable).name << "=" << c.text << " " << c.distName << "; ";
}

class ReferenceStudies : public ::testing::TestWithParam<ReferenceStudy> {};

TEST_P(ReferenceStudies, FormAndSormMatchTheReference) {
    const ReferenceStudy& s = GetParam();
    const LimitStateFunction g = BeamSpace(test::beamInputs(s.changes)).limitState();
    const FormResult f = form(g);
    ASSERT_TRUE(f.converged) << f.message;
    EXPECT_NEAR(f.beta, s.beta, 1e-6);
    const SormResult r = sorm(g, f);
    ASSERT_TRUE(r.breitung.defined && r.hohenbichlerRackwitz.defined) << r.message;
    EXPECT_NEAR(r.breitung.failureProbability, s.breitung, 1e-3 * s.breitung);
    EXPECT_NEAR(r.hohenbichlerRackwitz.failureProbability, s.hohenbichler, 1e-3 * s.hohenbichler);
}

// A narrow Gumbel UDL on a well-made beam: beta from 5 to 7 as the stress rises.
std::vector<test::InputChange> gumbelTail(const char* stress) {
    return {{InputVariable::UdlValue, "4,1", "Gumbel"},
            {InputVariable::BeamWidth, "75,2"},
            {InputVariable::BeamDepth, "225,2"},
            {InputVariable::AllowableStress, stress}};
}

INSTANTIATE_TEST_SUITE_P(
    OpenTurns, ReferenceStudies,
    ::testing::Values(ReferenceStudy{gumbelTail("52,1"), 4.963554558628193, 3.2650800319308226e-07,
                                     3.2586740829418647e-07},
                      ReferenceStudy{gumbelTail("62,1"), 5.783900514694692, 3.4270645334825194e-09,
                                     3.421568086003197e-09},
                      ReferenceStudy{gumbelTail("64,1"), 5.934478186185364, 1.3831715855089117e-09,
                                     1.3810336045146133e-09},
                      ReferenceStudy{gumbelTail("66,1"), 6.081307460018675, 5.589940630254472e-10,
                                     5.581604153940618e-10},
                      ReferenceStudy{gumbelTail("68,1"), 6.224637245482, 2.2621085216079418e-10,
                                     2.2588501568792132e-10},
                      ReferenceStudy{gumbelTail("78,1"), 6.895852852767097, 2.503767557977834e-12,
                                     2.500691869064075e-12},
                      // R and E balance at the means: g at the origin is a rounding error from 0.
                      ReferenceStudy{{{InputVariable::BeamLength, "3,0.05"},
                                      {InputVariable::PointLoadLocation, "1.2,0.25"},
                                      {InputVariable::PointLoadValue, "5,1.5"},
                                      {InputVariable::UdlValue, "2,0.5"},
                                      {InputVariable::BeamWidth, "90,10"},
                                      {InputVariable::BeamDepth, "250,10"},
                                      {InputVariable::AllowableStress, "4.16,0.5"}},
                                     0.0,
                                     0.5,
                                     0.4796546441813267},
                      // A span of e^225 m: any positive UDL fails it, so the design point is the
                      // UDL at 0, z = -4 / 2.5, and the limit state is flat there (a closed form,
                      // not OpenTURNS, which stops at the origin).
                      ReferenceStudy{{{InputVariable::BeamLength, "225,10", "Log-Normal"}},
                                     -1.6,
                                     0.9452007083004421,
                                     0.9452007083004421},
                      // A weak beam: the origin fails.
                      ReferenceStudy{{{InputVariable::AllowableStress, "14,3"}},
                                     -0.7380927875601705,
                                     0.7668875055068749,
                                     0.764128508272434}));

}  // namespace
}  // namespace ferrolith::reliability
