#include "analysis/agreement.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "analysis/analysis_text.hpp"
#include "failure_statistics/figure_text.hpp"

namespace ferrolith {

namespace {

using reliability::Method;

// FORM and SORM approximate; their figures carry no interval.
bool approximates(Method m) { return m == Method::Form || m == Method::Sorm; }

// An estimate that another can disagree with: a figure, or a bound below which Pf lies.
bool comparable(const Estimate& e) {
    if (e.method == Method::MonteCarlo) return false;
    if (e.kind == EstimateKind::Value) return e.failureProbability > 0.0;
    return e.kind == EstimateKind::Bound && std::isfinite(e.failureProbability);
}

// The least factor between a figure and an interval that leaves it out; none when it holds it.
std::optional<double> factorOutside(double pf, const ProbabilityInterval& interval) {
    if (pf > interval.upper && interval.upper > 0.0) return pf / interval.upper;
    if (pf < interval.lower) return interval.lower / pf;
    return std::nullopt;
}

// Two figures with intervals: disagree when the intervals do not overlap.
std::optional<double> sampledApart(const Estimate& a, const Estimate& b) {
    const bool apart =
        a.interval->upper < b.interval->lower || b.interval->upper < a.interval->lower;
    if (!apart) return std::nullopt;
    return std::max(a.failureProbability, b.failureProbability) /
           std::min(a.failureProbability, b.failureProbability);
}

// How far apart two estimates are, when they disagree.
std::optional<double> apart(const Estimate& a, const Estimate& b) {
    if (a.kind == EstimateKind::Bound && b.kind == EstimateKind::Bound) return std::nullopt;
    if (a.kind == EstimateKind::Bound || b.kind == EstimateKind::Bound) {
        const Estimate& bound = a.kind == EstimateKind::Bound ? a : b;
        const Estimate& value = a.kind == EstimateKind::Bound ? b : a;
        const double least = value.interval ? value.interval->lower : value.failureProbability;
        if (least <= bound.failureProbability || bound.failureProbability <= 0.0)
            return std::nullopt;
        return value.failureProbability / bound.failureProbability;
    }
    if (a.interval && b.interval) return sampledApart(a, b);
    if (!a.interval && !b.interval) return std::nullopt;  // FORM and SORM: SORM corrects FORM
    const Estimate& sampled = a.interval ? a : b;
    const Estimate& approximate = a.interval ? b : a;
    const std::optional<double> factor =
        factorOutside(approximate.failureProbability, *sampled.interval);
    if (!factor || *factor < 2.0) return std::nullopt;
    return std::max(a.failureProbability, b.failureProbability) /
           std::min(a.failureProbability, b.failureProbability);
}

// What the pair's disagreement suggests.
const char* suggestion(Method a, Method b) {
    if (approximates(a) || approximates(b)) return analysis_text::curvedOrAnotherPoint;
    if (a == Method::ImportanceSampling || b == Method::ImportanceSampling)
        return analysis_text::designPointMissing;
    return analysis_text::tooFewSamples;
}

std::string disagreementText(Method a, Method b, double ratio, bool bounded) {
    std::string text = analysis_text::methodInText(a);
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + " and " + analysis_text::methodInText(b) +
           (bounded ? analysis_text::differAtLeast : analysis_text::differBy) +
           formatFigure(ratio) + ": " + suggestion(a, b);
}

}  // namespace

std::vector<Disagreement> disagreements(const std::vector<JudgedEstimate>& estimates) {
    std::vector<Disagreement> found;
    for (std::size_t i = 0; i < estimates.size(); ++i) {
        const Estimate& a = estimates[i].estimate;
        if (!comparable(a)) continue;
        for (std::size_t j = i + 1; j < estimates.size(); ++j) {
            const Estimate& b = estimates[j].estimate;
            if (!comparable(b)) continue;
            const std::optional<double> ratio = apart(a, b);
            if (!ratio) continue;
            const bool bounded = a.kind == EstimateKind::Bound || b.kind == EstimateKind::Bound;
            found.push_back({a.method, b.method, *ratio,
                             disagreementText(a.method, b.method, *ratio, bounded)});
        }
    }
    return found;
}

}  // namespace ferrolith
