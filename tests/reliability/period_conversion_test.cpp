// A variable load's law carried to another reference period: F^n in the standard normal space.
#include "reliability/period_conversion.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "reliability/reliability_text.hpp"
#include "reliability/standard_normal.hpp"
#include "reliability/study_form.hpp"
#include "support/precise_inputs.hpp"

namespace ferrolith::reliability {
namespace {

using test::Precise;
using test::preciseUniform;

constexpr auto udl = static_cast<std::size_t>(InputVariable::UdlValue);

// Phi(w) = Phi(z)^(1/n), worked to 50 digits.
TEST(PeriodConversion, MaximaCoordinateKeepsBothTails) {
    const struct {
        double z;
        double n;
    } cases[] = {{-40.0, 50.0},   {-12.0, 50.0},   {-3.0, 50.0},     {0.0, 50.0},
                 {2.0, 50.0},     {9.0, 50.0},     {-9.0, 1 / 50.0}, {-1.0, 1 / 50.0},
                 {0.0, 1 / 50.0}, {3.0, 1 / 50.0}, {8.0, 1 / 50.0},  {1.5, 1.0}};
    const boost::math::normal_distribution<Precise> standard;
    for (const auto& c : cases) {
        const Precise phi = pow(preciseUniform(c.z), 1 / Precise(c.n));
        // Near 1 the quantile is taken of the upper tail, which keeps its digits.
        const double expected = phi > 0.5
                                    ? static_cast<double>(-boost::math::quantile(standard, 1 - phi))
                                    : static_cast<double>(boost::math::quantile(standard, phi));
        EXPECT_NEAR(maximaCoordinate(c.z, c.n), expected, 1e-12 * std::max(1.0, std::abs(expected)))
            << c.z << " over " << c.n;
    }
}

TEST(StandardNormal, FullLogDistributionFunctionGoesOnPastTheDoubles) {
    for (double z : {-29.0, -31.0, -37.0, -60.0, -300.0}) {
        const double expected = static_cast<double>(log(preciseUniform(z)));
        EXPECT_NEAR(fullLogNormalCdf(z), expected, 1e-13 * std::abs(expected)) << z;
        EXPECT_NEAR(normalQuantileOfLog(expected), z, 1e-12 * std::abs(z)) << z;
    }
}

// Inputs with UdlValue Gumbel (location 3, b = 1.2), the others Normal at the defaults.
BeamInputs gumbelUdl(double location) {
    ParameterArray a{4, 75, 225, 20, 2, 10, location}, b{0.05, 10, 10, 3, 0.25, 1.5, 1.2};
    NameArray names{"Normal", "Normal", "Normal", "Normal", "Normal", "Normal", "Gumbel"};
    return BeamInputs(a, b, names);
}

// The value drawn over n periods at z has F(x)^n = Phi(z), F the law as typed: for the Gumbel,
// n ln F(x) = -n exp(-b (x - a)); for a Normal, n ln Phi((x - a) / b).
TEST(PeriodConversion, ALoadOverNPeriodsHasTheLawFToTheN) {
    for (double n : {50.0, 1 / 50.0}) {
        BeamInputs inputs = gumbelUdl(3.0);
        inputs.periods[udl] = n;
        inputs.periods[5] = n;  // PointLoadValue, Normal 10, 1.5
        const BeamSpace space(inputs);
        for (double z : {-6.0, -1.0, 0.0, 2.5, 7.0}) {
            const auto x = space.physical(std::vector<double>(7, z)).values;
            const double logPhi = static_cast<double>(log(preciseUniform(z)));
            EXPECT_NEAR(-n * std::exp(-1.2 * (x[udl] - 3.0)), logPhi, 1e-12 * std::abs(logPhi))
                << z << " over " << n;
            const double normal =
                static_cast<double>(n * log(preciseUniform((Precise(x[5]) - 10) / Precise(1.5))));
            EXPECT_NEAR(normal, logPhi, 1e-11 * std::abs(logPhi)) << z << " over " << n;
        }
    }
    // The Gumbel's location moves by ln(50) / b and nothing else changes.
    BeamInputs over50 = gumbelUdl(3.0);
    over50.periods[udl] = 50.0;
    const BeamSpace moved(gumbelUdl(3.0 + std::log(50.0) / 1.2)), converted(over50);
    for (double z : {-3.0, 0.0, 4.0})
        EXPECT_NEAR(converted.physical(std::vector<double>(7, z)).values[udl],
                    moved.physical(std::vector<double>(7, z)).values[udl], 1e-13)
            << z;
}

// A study whose UDL is Gumbel of 1-year maxima and whose point load is permanent.
Study oneYearGumbelStudy(const std::string& udlParameters, ReferencePeriod period) {
    Study study;
    study.parameters[udl] = udlParameters;
    study.distributions[udl] = "Gumbel";
    study.parameters[3] = "40,3";
    study.target.period = period;
    setRole(study, InputVariable::PointLoadValue, LoadRole::Permanent);
    return study;
}

// FORM over 50 years of a 1-year Gumbel law is FORM of the 50-year law typed as such.
TEST(PeriodConversion, FiftyYearBetaIsThatOfTheConvertedLawTyped) {
    const StudyForm oneYear = studyForm(oneYearGumbelStudy("3,1.2", ReferencePeriod::OneYear));
    const double location = 3.0 + std::log(50.0) / 1.2;
    char typed[64];
    std::snprintf(typed, sizeof typed, "%.17g,1.2", location);
    const StudyForm fiftyYears = studyForm(oneYearGumbelStudy(typed, ReferencePeriod::FiftyYears));
    ASSERT_TRUE(oneYear.otherPeriod.form && oneYear.otherPeriod.form->converged);
    EXPECT_EQ(oneYear.otherPeriod.period, ReferencePeriod::FiftyYears);
    EXPECT_NEAR(oneYear.otherPeriod.form->beta, fiftyYears.form.beta, 1e-7);
    // And back: the 1-year beta of the 50-year law is the 1-year law's own.
    ASSERT_TRUE(fiftyYears.otherPeriod.form && fiftyYears.otherPeriod.form->converged);
    EXPECT_NEAR(fiftyYears.otherPeriod.form->beta, oneYear.form.beta, 1e-7);
    EXPECT_GT(oneYear.form.beta, fiftyYears.form.beta + 0.5);
    EXPECT_FALSE(oneYear.otherPeriod.loadsTogether);
}

// Permanent loads, sizes and stress stay as typed; the Gamma formula refuses to convert.
TEST(PeriodConversion, OnlyVariableLoadsOfAKnownLawConvert) {
    const struct {
        const char* what;
        const char* udlDistribution;
        LoadRole udlRole;
        LoadRole pointRole;
        bool refused;
        bool sameBeta;  // no load converts
    } cases[] = {
        {"both variable", "Normal", LoadRole::Variable, LoadRole::Variable, false, false},
        {"both permanent", "Normal", LoadRole::Permanent, LoadRole::Permanent, false, true},
        {"Gamma variable", "Gamma", LoadRole::Variable, LoadRole::Permanent, true, false},
        {"Gamma permanent", "Gamma", LoadRole::Permanent, LoadRole::Permanent, false, true},
    };
    for (const auto& c : cases) {
        Study study;
        study.distributions[udl] = c.udlDistribution;
        if (std::string(c.udlDistribution) == "Gamma") study.parameters[udl] = "0.5,0.6";
        setRole(study, InputVariable::UdlValue, c.udlRole);
        setRole(study, InputVariable::PointLoadValue, c.pointRole);
        const StudyForm f = studyForm(study);
        const OtherPeriodForm& other = f.otherPeriod;
        EXPECT_EQ(other.period, ReferencePeriod::OneYear) << c.what;
        EXPECT_EQ(other.loadsTogether,
                  c.udlRole == LoadRole::Variable && c.pointRole == LoadRole::Variable)
            << c.what;
        EXPECT_EQ(!other.form, c.refused) << c.what;
        EXPECT_EQ(other.refusal, c.refused ? text::gammaLoadPeriod : "") << c.what;
        const auto inputs = otherPeriodInputs(study, studyInputs(study));
        ASSERT_EQ(inputs.has_value(), !c.refused) << c.what;
        if (c.refused) continue;
        for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(inputs->periods[i], 1.0) << c.what;
        EXPECT_EQ(inputs->periods[udl], c.udlRole == LoadRole::Variable ? 1 / 50.0 : 1.0);
        if (c.sameBeta) {
            EXPECT_EQ(other.form->beta, f.form.beta) << c.what;
        } else {
            EXPECT_GT(other.form->beta, f.form.beta + 0.5) << c.what;
        }
    }
}

}  // namespace
}  // namespace ferrolith::reliability
