// Importance sampling over both design points, subset simulation and FORM's system estimate on
// the two-point beam studies, against crude Monte Carlo over 1e8 samples
// (support/crude_references).
#include "support/crude_references.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "reliability/beam_space.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/subset_simulation.hpp"

namespace ferrolith::reliability {
namespace {

using test::CrudeReference;

// An estimate agrees with crude Monte Carlo when the two are within 1.96 standard errors of their
// difference.
void expectAgree(double pf, double standardError, const CrudeReference& crude) {
    EXPECT_NEAR(pf, crude.failureProbability(),
                interval95Z * std::hypot(standardError, crude.standardError()));
}

// The standard error of subset simulation's pooled Pf from its runs' own spread: the stated one
// leaves out the correlation between levels and is about half of it (bench/coverage_bench.cpp).
double runsStandardError(const SubsetSimulationResult& r) {
    double squares = 0.0;
    for (const SubsetRun& run : r.runs)
        squares += std::pow(run.failureProbability - r.failureProbability, 2);
    const auto n = static_cast<double>(r.runs.size());
    return std::sqrt(squares / (n - 1) / n);
}

class CrudeReferences : public ::testing::TestWithParam<CrudeReference> {};

TEST_P(CrudeReferences, MethodsAgreeWithCrudeMonteCarlo) {
    const CrudeReference& crude = GetParam();
    // The table's interval is the one the crude run printed.
    const ProbabilityInterval wilson = wilsonInterval(crude.failures, crude.samples);
    EXPECT_NEAR(wilson.lower, crude.lower, 5e-4 * crude.lower);
    EXPECT_NEAR(wilson.upper, crude.upper, 5e-4 * crude.upper);

    const LimitStateFunction g = BeamSpace(test::beamInputs(crude.changes)).limitState();
    const FormResult f = form(g);
    ASSERT_TRUE(f.converged) << f.message;
    ASSERT_EQ(f.designPoints.size(), 2u);
    EXPECT_FALSE(f.severalPointsWarning.empty());
    // First order on a limit state curved towards the failure side (SORM's largest curvature is
    // 0.3 on each): the system estimate is about 40% above crude Monte Carlo on all three.
    EXPECT_GT(f.system.probability, crude.upper);
    EXPECT_LT(f.system.probability, 1.5 * crude.lower);

    const ImportanceSamplingResult importance = importanceSampling(g, f, {7, 20000, 0});
    ASSERT_TRUE(importance.hasInterval());
    expectAgree(importance.failureProbability, importance.standardError, crude);

    SubsetOptions options;
    options.seed = 7;
    options.runs = 40;
    const SubsetSimulationResult subset = subsetSimulation(g, options);
    ASSERT_EQ(subset.message, "");
    ASSERT_EQ(subset.runs.size(), 40u);
    expectAgree(subset.failureProbability, runsStandardError(subset), crude);
}

INSTANTIATE_TEST_SUITE_P(TwoPointStudies, CrudeReferences,
                         ::testing::ValuesIn(test::crudeReferences()), [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) ch = ch == ' ' || ch == '-' ? '_' : ch;
                             return name;
                         });

}  // namespace
}  // namespace ferrolith::reliability
