// The range check of the inputs: the quantiles of what the design draws, against Boost.Math's
// closed forms and against the sampler's own Gamma formula, and the rules that warn.
#include "analysis/input_range.hpp"

#include <gtest/gtest.h>

#include <boost/math/distributions/exponential.hpp>
#include <boost/math/distributions/extreme_value.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <random>

#include "analysis/analysis.hpp"
#include "analysis/design_gamma.hpp"
#include "model/distribution_formulas.hpp"
#include "support/range_studies.hpp"

namespace ferrolith::test {
namespace {

template <class Distribution>
LawRange boostRange(const Distribution& d) {
    using boost::math::quantile;
    return {quantile(d, 0.5), quantile(d, 0.001), quantile(d, 0.999)};
}

void expectRange(const LawRange& got, const LawRange& want, double relative = 1e-9) {
    EXPECT_NEAR(got.median, want.median, relative * std::abs(want.median));
    EXPECT_NEAR(got.lower, want.lower, relative * std::abs(want.lower));
    EXPECT_NEAR(got.upper, want.upper, relative * std::abs(want.upper));
}

TEST(DrawnRange, EachLawGivesTheQuantilesOfWhatTheSamplerDraws) {
    namespace bm = boost::math;
    const struct {
        const char* name;
        Branch branch;
        double a, b;
        LawRange want;
    } cases[] = {
        {"normal", Branch::Normal, 4, 0.05, boostRange(bm::normal(4, 0.05))},
        {"log-normal", Branch::LogNormal, 20, 3, boostRange(bm::lognormal(20, 3))},
        // The normal approximation centred on the mean minus 0.5, b the variance.
        {"poisson", Branch::Poisson, 25, 4, boostRange(bm::normal(24.5, 2))},
        // Location a, scale 1/b.
        {"gumbel", Branch::Gumbel, 10, 0.5, boostRange(bm::extreme_value(10, 2))},
        // Shape 1 leaves no fraction: the Exponential of rate a, mirrored for a negative rate.
        {"gamma of shape 1", Branch::Gamma, 4, 1, boostRange(bm::exponential(4))},
        {"gamma of negative rate",
         Branch::Gamma,
         -4,
         1,
         {-bm::quantile(bm::exponential(4), 0.5), -bm::quantile(bm::exponential(4), 0.999),
          -bm::quantile(bm::exponential(4), 0.001)}},
        // A negative standard deviation draws the same symmetric law.
        {"normal of negative sd", Branch::Normal, 4, -0.05, boostRange(bm::normal(4, 0.05))},
        {"gamma of shape 0", Branch::Gamma, 4, 0, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got = drawnRange(c.branch, c.a, c.b);
        ASSERT_TRUE(got);
        expectRange(*got, c.want);
    }
}

TEST(DrawnRange, LawsTheSamplerDoesNotDrawAreNotChecked) {
    EXPECT_FALSE(drawnRange(Branch::Poisson, 10, 4));  // faulty data
    EXPECT_FALSE(drawnRange(Branch::Poisson, 25, -4));
    EXPECT_FALSE(drawnRange(Branch::Gamma, 0, 0.5));
    EXPECT_FALSE(drawnRange(Branch::Normal, std::nan(""), 1));
}

// The share of the sampler's own Gamma draws below each figure is the figure's probability.
TEST(DesignGamma, QuantilesHoldTheirShareOfTheSamplersDraws) {
    constexpr int draws = 1'000'000;
    for (const double shape : {0.05, 0.5, 2.0, -0.5}) {
        SCOPED_TRACE(shape);
        std::mt19937_64 source(7);
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        const double ps[] = {0.001, 0.5, 0.999};
        double quantiles[3];
        for (int i = 0; i < 3; ++i) quantiles[i] = designGammaQuantile(shape, ps[i]);
        int below[3] = {};
        for (int n = 0; n < draws; ++n) {
            const double x =
                formulas::gammaValue(1.0, shape, uniform(source), uniform(source), uniform(source))
                    .value;
            for (int i = 0; i < 3; ++i) below[i] += x <= quantiles[i];
        }
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(below[i] / double(draws), ps[i],
                        4 * std::sqrt(ps[i] * (1 - ps[i]) / draws));
    }
}

TEST(InputRange, GammaLengthWarnsOfLengthsFarBelowItsNormal) {
    const auto warnings = inputRangeWarnings(gammaLengthStudy());
    ASSERT_EQ(warnings.size(), 1u);
    const RangeWarning& w = warnings.front();
    EXPECT_EQ(w.variable, InputVariable::BeamLength);
    const LawRange unit{designGammaQuantile(0.05, 0.5), designGammaQuantile(0.05, 0.001),
                        designGammaQuantile(0.05, 0.999)};
    expectRange(w.drawn, {unit.median / 4, unit.lower / 4, unit.upper / 4}, 1e-15);
    expectRange(w.normal, boostRange(boost::math::normal(4, 0.05)));
    EXPECT_EQ(w.text,
              "Beam Length (m), Gamma \"4,0.05\": 0.1% to 99.9% of its values lie from 3.754e-61 "
              "to 0.7192, median 3.580e-7; as a Normal the same numbers give 3.845 to 4.155. Its "
              "median lies outside the Normal's range.");
}

TEST(InputRange, LogNormalStressWarnsOfItsMedianAndSpread) {
    const auto warnings = inputRangeWarnings(logNormalStressStudy());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings.front().variable, InputVariable::AllowableStress);
    EXPECT_EQ(warnings.front().text,
              "Beam Allowable Stress (N/mm2), Log-Normal \"20,3\": 0.1% to 99.9% of its values "
              "lie from 45675 to 5.153e12, median 4.852e8; as a Normal the same numbers give "
              "10.73 to 29.27. Its median lies outside the Normal's range. Its spread is more "
              "than 1000 times the Normal's.");
}

TEST(InputRange, EachRuleWarnsOnItsOwn) {
    using V = InputVariable;
    const char* below = "It gives values below zero.";
    const char* spread = "Its spread is more than 1000 times the Normal's.";
    const struct {
        V variable;
        const char* law;
        const char* numbers;
        const char* reason;  // the only one; nullptr: no warning
    } cases[] = {
        {V::BeamWidth, "Normal", "5,2", below},
        {V::PointLoadLocation, "", "1,0.5", below},
        {V::PointLoadValue, "Normal", "5,2", nullptr},  // a load may be negative
        {V::UdlValue, "Log-Normal", "1,3", spread},
        {V::BeamDepth, "Poisson", "225,100", nullptr},
        {V::BeamDepth, "Gumbel", "225,10", nullptr},
        {V::BeamDepth, "Normal", "225,x", nullptr},  // does not convert: the run says so
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.law) + " " + c.numbers);
        const auto warnings = inputRangeWarnings(studyWithInput(c.variable, c.law, c.numbers));
        if (!c.reason) {
            EXPECT_TRUE(warnings.empty());
            continue;
        }
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_TRUE(warnings.front().text.ends_with(std::string(". ") + c.reason));
    }
}

TEST(InputRange, TheDefaultStudyWarnsOfNothingAndAnAnalysisHoldsItsWarnings) {
    EXPECT_TRUE(inputRangeWarnings(Study()).empty());
    EXPECT_TRUE(Analysis().rangeWarnings().empty());
    const Analysis loaded(gammaLengthStudy());
    ASSERT_EQ(loaded.rangeWarnings().size(), 1u);
    EXPECT_EQ(loaded.rangeWarnings().front().text,
              inputRangeWarnings(gammaLengthStudy()).front().text);
}

}  // namespace
}  // namespace ferrolith::test
