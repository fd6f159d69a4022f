// FORM's design points on the beam: studies whose point load may stand either side of midspan
// have two, one a side, and the warning says that Pf from the nearest alone is too low.
#include <gtest/gtest.h>

#include <vector>

#include "reliability/beam_design_point.hpp"
#include "reliability/standard_normal.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::reliability {
namespace {

struct PointsCase {
    const char* name;
    std::vector<test::InputChange> changes;
    std::vector<double> betas;  // to the 4 digits the reports give
    bool warned;
};

void PrintTo(const PointsCase& c, std::ostream* os) { *os << c.name; }

class BeamDesignPoints : public ::testing::TestWithParam<PointsCase> {};

TEST_P(BeamDesignPoints, FoundWithTheirWarning) {
    const PointsCase& c = GetParam();
    const BeamSpace space(test::beamInputs(c.changes));
    const FormResult r = form(space.limitState());
    ASSERT_TRUE(r.converged) << r.message;
    ASSERT_EQ(r.designPoints.size(), c.betas.size());
    for (std::size_t i = 0; i < c.betas.size(); ++i)
        EXPECT_NEAR(r.designPoints[i].beta, c.betas[i], 5e-4) << "point " << i + 1;
    EXPECT_EQ(r.beta, r.designPoints.front().beta);
    EXPECT_EQ(!r.severalPointsWarning.empty(), c.warned) << r.severalPointsWarning;
    // The system holds the nearest point's Pf and at most every point's.
    double sum = 0.0;
    for (const DesignPoint& p : r.designPoints) sum += normalCdf(-p.beta);
    EXPECT_GE(r.system.probability, r.failureProbability);
    EXPECT_LE(r.system.probability, sum * (1 + 1e-4));
    if (c.betas.size() < 2) return;
    // The point load at the two points: one each side of midspan.
    const std::vector<BeamDesignPoint> points = beamDesignPoints(space, r);
    ASSERT_EQ(points.size(), 2u);
    const auto side = [](const BeamDesignPoint& p) {
        const auto at = [&](InputVariable v) { return p.inputs[static_cast<int>(v)].value; };
        return at(InputVariable::PointLoadLocation) < at(InputVariable::BeamLength) / 2;
    };
    EXPECT_NE(side(points[0]), side(points[1]));
}

using V = InputVariable;

INSTANTIATE_TEST_SUITE_P(Studies, BeamDesignPoints,
                         ::testing::Values(PointsCase{"default", {}, {0.1475}, false},
                                           PointsCase{"mirror points",
                                                      {{V::PointLoadLocation, "2,2"},
                                                       {V::PointLoadValue, "0,4"},
                                                       {V::AllowableStress, "80,3"}},
                                                      {3.578, 3.579},
                                                      true},
                                           PointsCase{"mirror points far out",
                                                      {{V::PointLoadLocation, "2,2"},
                                                       {V::PointLoadValue, "0,4"},
                                                       {V::AllowableStress, "100,3"}},
                                                      {3.856, 3.857},
                                                      true},
                                           PointsCase{"off-centre load",
                                                      {{V::PointLoadLocation, "2.3,1.5"},
                                                       {V::PointLoadValue, "0,8"},
                                                       {V::AllowableStress, "100,3"}},
                                                      {3.665, 3.995},
                                                      true}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) ch = ch == ' ' || ch == '-' ? '_' : ch;
                             return name;
                         });

}  // namespace
}  // namespace ferrolith::reliability
