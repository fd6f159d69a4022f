// Each input's law as the record lists it: the text as typed, the numbers it gives, and the
// moments and characteristic value of what the design draws, against closed forms and, for the
// design's own Gamma, against its formula sampled.
#include "analysis/input_laws.hpp"

#include <gtest/gtest.h>

#include <boost/math/constants/constants.hpp>
#include <cmath>
#include <random>

#include "analysis/law_quantile.hpp"
#include "model/distribution_formulas.hpp"

namespace ferrolith::test {
namespace {

constexpr auto stress = InputVariable::AllowableStress;
constexpr auto udl = InputVariable::UdlValue;
constexpr auto width = InputVariable::BeamWidth;

Study studyWith(InputVariable variable, const std::string& distribution, const std::string& text) {
    Study study;
    study.distributions[static_cast<std::size_t>(variable)] = distribution;
    study.parameters[static_cast<std::size_t>(variable)] = text;
    return study;
}

TEST(InputLaws, EachLawGivesItsMomentsAndCharacteristicValue) {
    const double pi = boost::math::constants::pi<double>();
    const double euler = boost::math::constants::euler<double>();
    const double z05 = -1.6448536269514726;  // Phi^-1(0.05)
    const double nan = std::nan("");
    const double logMean = std::exp(1.0 + 0.1 * 0.1 / 2);
    const struct {
        InputVariable variable;
        const char* distribution;
        const char* typed;
        const char* text;
        double mean, sd, characteristic;
        const char* basis;
    } cases[] = {
        // The rare case's stress: "90,3" is two numbers, never 90.3.
        {stress, "", "90,3", "typed \"90,3\": mean 90, sd 3", 90, 3, 90 + 3 * z05, "5% fractile"},
        {stress, "Normal", "20,3", "typed \"20,3\": mean 20, sd 3", 20, 3, 20 + 3 * z05,
         "5% fractile"},
        {width, "Log-Normal", "1,0.1", "typed \"1,0.1\": mean of ln 1, sd of ln 0.1", logMean,
         logMean * std::sqrt(std::expm1(0.01)), logMean, "nominal (mean)"},
        {width, "Gumbel", "10,2", "typed \"10,2\": location 10, inverse scale 2", 10 + euler / 2,
         pi / (2 * std::sqrt(6.0)), 10 + euler / 2, "nominal (mean)"},
        // The normal approximation the design draws: mean a - 0.5, variance b.
        {width, "Poisson", "20,4", "typed \"20,4\": mean 20, variance 4", 19.5, 2, 19.5,
         "nominal (mean)"},
        // A Poisson mean of 10 or less draws nothing.
        {width, "Poisson", "10,4", "typed \"10,4\": mean 10, variance 4", nan, nan, nan, ""},
        {width, "Others to follow", "75,10", "typed \"75,10\": mean 75, sd 10", 75, 10, 75,
         "nominal (mean)"},
        {width, "", "75;10", "typed \"75;10\": does not convert", nan, nan, nan, ""},
        // A variable load's characteristic value is the 98% fractile of its annual maximum, the
        // 0.98^50 fractile of a law of 50-year maxima (Python's statistics.NormalDist).
        {udl, "", "4,2.5", "typed \"4,2.5\": mean 4, sd 2.5", 4, 2.5, 4 + 2.5 * -0.3473353983196156,
         "98% fractile of the annual maximum (36.42% of the 50-year law)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const InputLaw law = inputLaws(
            studyWith(c.variable, c.distribution, c.typed))[static_cast<std::size_t>(c.variable)];
        EXPECT_EQ(typedLawText(law), c.text);
        EXPECT_EQ(law.typed, c.typed);
        if (std::isnan(c.mean)) {
            EXPECT_FALSE(law.mean);
            EXPECT_FALSE(law.characteristic);
            continue;
        }
        ASSERT_TRUE(law.mean && law.standardDeviation && law.variation && law.characteristic);
        EXPECT_NEAR(*law.mean, c.mean, 1e-9 * c.mean);
        EXPECT_NEAR(*law.standardDeviation, c.sd, 1e-9 * c.sd);
        EXPECT_NEAR(*law.variation, c.sd / c.mean, 1e-9);
        EXPECT_NEAR(law.characteristic->value, c.characteristic, 1e-9 * c.characteristic);
        EXPECT_EQ(law.characteristic->basis, c.basis);
    }
}

// The design's Gamma is no Gamma law: its moments are checked against its own formula, drawn.
TEST(InputLaws, TheDesignsGammaMomentsAreThoseOfItsFormula) {
    for (const double shape : {0.05, 0.3, 0.7}) {
        SCOPED_TRACE(shape);
        const double rate = 4.0;
        std::mt19937_64 stream(7);
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        constexpr int draws = 200000;
        double sum = 0.0, squares = 0.0;
        for (int i = 0; i < draws; ++i) {
            const double u1 = 1.0 - uniform(stream), u2 = 1.0 - uniform(stream),
                         u3 = 1.0 - uniform(stream);
            const double x = formulas::gammaValue(rate, shape, u1, u2, u3).value;
            sum += x;
            squares += x * x;
        }
        const double mean = sum / draws;
        const double sd = std::sqrt(squares / draws - mean * mean);
        EXPECT_NEAR(lawMean(Branch::Gamma, rate, shape), mean, 4 * sd / std::sqrt(draws));
        // The standard deviation's own error is about sd / sqrt(2 n) for a law with light tails;
        // these tails are heavier, so the band is wider.
        EXPECT_NEAR(lawStandardDeviation(Branch::Gamma, rate, shape), sd, 0.02 * sd);
    }
}

}  // namespace
}  // namespace ferrolith::test
