// Which methods disagree beyond their intervals, and what each pair's disagreement suggests.
#include "analysis/agreement.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace ferrolith::test {
namespace {

using reliability::Method;

Estimate sampled(Method m, double pf, double lower, double upper) {
    Estimate e;
    e.method = m;
    e.kind = EstimateKind::Value;
    e.failureProbability = pf;
    e.interval = ProbabilityInterval{lower, upper};
    return e;
}

Estimate approximate(Method m, double pf) {
    Estimate e;
    e.method = m;
    e.kind = EstimateKind::Value;
    e.failureProbability = pf;
    return e;
}

Estimate bound(Method m, double upper) {
    Estimate e;
    e.method = m;
    e.kind = EstimateKind::Bound;
    e.failureProbability = upper;
    return e;
}

TEST(Disagreement, PairsApartBeyondTheirIntervalsAreNamedWithWhatTheySuggest) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        Estimate a;
        Estimate b;
        const char* text;  // empty: they agree
    } cases[] = {
        // The two-point study: sampling around one point finds half of Pf.
        {sampled(Method::ImportanceSampling, 1.23e-4, 1.2e-4, 1.26e-4),
         sampled(Method::IndependentMonteCarlo, 2.5e-4, 2.47e-4, 2.53e-4),
         "Importance sampling and independent Monte Carlo differ by a factor of 2.033: a design "
         "point may be "
         "missing; trust the methods that need none."},
        {sampled(Method::ImportanceSampling, 1.0e-4, 0.9e-4, 1.2e-4),
         sampled(Method::IndependentMonteCarlo, 1.1e-4, 1.15e-4, 1.3e-4), ""},
        // FORM's Pf outside the interval by less than a factor of 2 is its curvature error.
        {approximate(Method::Form, 1.0e-6),
         sampled(Method::ImportanceSampling, 1.3e-6, 1.2e-6, 1.4e-6), ""},
        {approximate(Method::Form, 9.7e-10),
         sampled(Method::IndependentMonteCarlo, 8.4e-5, 8.0e-5, 8.8e-5),
         "FORM and independent Monte Carlo differ by a factor of 86598: the limit state may be "
         "curved or "
         "have another design point; trust the sampling methods."},
        {approximate(Method::Form, 1.0e-6), approximate(Method::Sorm, 1.0e-5), ""},
        // No failure seen where the other's interval lies wholly above the bound.
        {bound(Method::IndependentMonteCarlo, 3.7e-5),
         sampled(Method::ImportanceSampling, 2.0e-4, 1.9e-4, 2.1e-4),
         "Independent Monte Carlo and importance sampling differ by a factor of at least 5.405: a "
         "design "
         "point may be missing; trust the methods that need none."},
        {bound(Method::IndependentMonteCarlo, 3.7e-5), approximate(Method::Form, 1.0e-5), ""},
        {bound(Method::IndependentMonteCarlo, nan), approximate(Method::Form, 1.0e-2), ""},
        {bound(Method::IndependentMonteCarlo, 3.7e-5), bound(Method::ImportanceSampling, 1e-6), ""},
        // The design run's generator is judged by the tail warning, not here.
        {sampled(Method::MonteCarlo, 1e-3, 0.9e-3, 1.1e-3), approximate(Method::Form, 1e-6), ""},
    };
    for (const auto& c : cases) {
        const std::vector<Disagreement> found = disagreements({{c.a, {}}, {c.b, {}}});
        if (*c.text == '\0') {
            EXPECT_TRUE(found.empty()) << (found.empty() ? "" : found.front().text);
            continue;
        }
        ASSERT_EQ(found.size(), 1u) << c.text;
        EXPECT_EQ(found[0].text, c.text);
        EXPECT_EQ(found[0].first, c.a.method);
        EXPECT_EQ(found[0].second, c.b.method);
    }
}

}  // namespace
}  // namespace ferrolith::test
