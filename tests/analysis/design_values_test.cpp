// Characteristic values by each input's role, the design values at the design point and at the
// target, and the partial factors between them.
#include "analysis/design_values.hpp"

#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <cmath>

#include "analysis/law_quantile.hpp"

namespace ferrolith {
namespace {

using reliability::studyForm;

constexpr double z05 = -1.6448536269514722;  // Phi^-1(0.05)
constexpr double euler = 0.57721566490153286;

constexpr auto index(InputVariable v) { return static_cast<std::size_t>(v); }

// Each law's fractile and mean against its closed form.
TEST(LawQuantile, NormalLogNormalAndGumbelMatchTheirClosedForms) {
    const double annual98over50 = std::pow(0.98, 50);
    const struct {
        const char* what;
        Branch branch;
        double a, b, p;
        double quantile, mean;
    } cases[] = {
        {"Normal 5%", Branch::Normal, 20, 3, 0.05, 20 + 3 * z05, 20},
        {"Log-Normal 5%", Branch::LogNormal, 3, 0.15, 0.05, std::exp(3 + 0.15 * z05),
         std::exp(3 + 0.15 * 0.15 / 2)},
        {"Gumbel 98%", Branch::Gumbel, 4, 1.5, 0.98, 4 - std::log(-std::log(0.98)) / 1.5,
         4 + euler / 1.5},
        {"Gumbel 98% of the annual maximum of a 50-year law", Branch::Gumbel, 4, 1.5,
         annual98over50, 4 - std::log(-50 * std::log(0.98)) / 1.5, 4 + euler / 1.5},
        {"Poisson's normal approximation", Branch::Poisson, 16, 4, 0.05, 15.5 + 2 * z05, 15.5},
        {"Normal without spread", Branch::Normal, 7, 0, 0.05, 7, 7},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(lawQuantile(c.branch, c.a, c.b, c.p), c.quantile, 1e-13 * c.quantile) << c.what;
        EXPECT_NEAR(lawMean(c.branch, c.a, c.b), c.mean, 1e-13 * c.mean) << c.what;
    }
    // The design's Gamma at shape 1 is the Exponential: -ln(1 - p) / rate, mean 1 / rate.
    EXPECT_NEAR(lawQuantile(Branch::Gamma, 2, 1, 0.98), -std::log(0.02) / 2, 1e-8);
    EXPECT_NEAR(lawMean(Branch::Gamma, 2, 0.999999), 0.5, 1e-5);
    EXPECT_TRUE(std::isnan(lawQuantile(Branch::Gumbel, 4, -1, 0.5)));
}

// The inputs' characteristic values by role, the variable loads' from the annual maximum.
TEST(DesignValues, CharacteristicValuesFollowEachRole) {
    Study study;
    study.distributions = {"", "Normal", "Log-Normal", "Log-Normal", "", "Gumbel", "Gumbel"};
    study.parameters = {"4,0.05", "75,5", "5.4,0.04", "3,0.15", "2,0.25", "9,1.5", "3,2"};
    setRole(study, InputVariable::UdlValue, LoadRole::Permanent);
    for (ReferencePeriod period : {ReferencePeriod::OneYear, ReferencePeriod::FiftyYears}) {
        study.target.period = period;
        const auto values = designValues(study, studyForm(study));
        ASSERT_TRUE(values);
        const double annual = -std::log(-years(period) * std::log(0.98));
        const struct {
            InputVariable variable;
            double characteristic;
            bool factor;
        } cases[] = {
            {InputVariable::BeamLength, 4.0, false},
            {InputVariable::BeamWidth, 75.0, true},
            {InputVariable::BeamDepth, std::exp(5.4 + 0.04 * 0.04 / 2), true},
            {InputVariable::AllowableStress, std::exp(3 + 0.15 * z05), true},
            {InputVariable::PointLoadLocation, 2.0, false},
            {InputVariable::PointLoadValue, 9 + annual / 1.5, true},
            {InputVariable::UdlValue, 3 + euler / 2, true},  // permanent: the mean
        };
        for (const auto& c : cases) {
            const InputDesignValues& input = values->inputs[index(c.variable)];
            EXPECT_NEAR(input.characteristic, c.characteristic, 1e-12 * c.characteristic)
                << info(c.variable).name << " over " << years(period);
            EXPECT_EQ(input.factorAtTarget.has_value(), c.factor) << info(c.variable).name;
        }
    }
    EXPECT_EQ(designValues(study, studyForm(study))->inputs[5].basis,
              "98% fractile of the annual maximum (36.42% of the 50-year law)");
}

// Allowable Stress N(20, 3) and UDL N(4, 1), everything else fixed and the point load 0: the
// limit state c1 S - c2 w is linear, with c1 = W D^2 / 4e6 and c2 = L^2 / 8, so
// x_d = mu - alpha beta sigma with alpha_S = c1 sigma_S / |.|, alpha_w = -c2 sigma_w / |.|.
TEST(DesignValues, ALinearNormalStudyHasTheClosedFormDesignValues) {
    Study study;
    study.parameters = {"4,0", "75,0", "225,0", "20,3", "2,0", "0,0", "4,1"};
    const double c1 = 75.0 * 225 * 225 / 4e6, c2 = 4.0 * 4 / 8;
    const double norm = std::hypot(c1 * 3, c2 * 1);
    const double beta = (c1 * 20 - c2 * 4) / norm;
    const double alphaS = c1 * 3 / norm, alphaW = -c2 * 1 / norm;
    const auto at = [&](double b) { return std::pair{20 - alphaS * b * 3, 4 - alphaW * b * 1}; };
    const auto f = studyForm(study);
    ASSERT_TRUE(f.form.converged);
    EXPECT_NEAR(f.form.beta, beta, 1e-9);
    const TargetBasis targets[] = {
        {},
        {ReliabilityClass::RC3, ReferencePeriod::OneYear, std::nullopt},
        {ReliabilityClass::RC2, ReferencePeriod::FiftyYears, TypedTarget{1.25, "test"}}};
    for (const TargetBasis& target : targets) {
        study.target = target;
        const auto values = designValues(study, f);
        ASSERT_TRUE(values);
        EXPECT_EQ(values->target, target.index());
        const auto& stress = values->inputs[index(InputVariable::AllowableStress)];
        const auto& udl = values->inputs[index(InputVariable::UdlValue)];
        const double udlK = 4 + boost::math::quantile(boost::math::normal_distribution<double>(),
                                                      std::pow(0.98, years(target.period)));
        for (const auto& [b, design] :
             {std::pair{beta, at(beta)}, std::pair{target.index(), at(target.index())}}) {
            const bool own = b == beta;
            const double xS = own ? stress.atDesignPoint : stress.atTarget;
            const double xW = own ? udl.atDesignPoint : udl.atTarget;
            EXPECT_NEAR(xS, design.first, 1e-9 * design.first) << b;
            EXPECT_NEAR(xW, design.second, 1e-9 * design.second) << b;
            EXPECT_NEAR(*(own ? stress.factorAtDesignPoint : stress.factorAtTarget),
                        (20 + 3 * z05) / design.first, 1e-9)
                << b;
            EXPECT_NEAR(*(own ? udl.factorAtDesignPoint : udl.factorAtTarget), design.second / udlK,
                        1e-9)
                << b;
        }
    }
}

}  // namespace
}  // namespace ferrolith
