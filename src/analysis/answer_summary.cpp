#include "analysis/answer_summary.hpp"

#include <algorithm>
#include <cmath>

#include "analysis/analysis_text.hpp"
#include "failure_statistics/figure_text.hpp"

namespace ferrolith {

namespace {

using reliability::Method;

// A value, or a bound that bounds something: importance sampling without a failing sample has
// none.
bool hasFigure(const Estimate& e) {
    return e.kind == EstimateKind::Value ||
           (e.kind == EstimateKind::Bound && !std::isnan(e.failureProbability));
}

// The sampling estimates with a figure or a bound, in the analysis's order.
std::vector<JudgedEstimate> samplingEstimates(const Analysis& analysis) {
    std::vector<JudgedEstimate> list;
    for (JudgedEstimate& e : analysis.estimates())
        if (isSamplingMethod(e.estimate.method) && hasFigure(e.estimate))
            list.push_back(std::move(e));
    return list;
}

// The most precise value among them, else the first bound.
std::size_t answeringSample(const std::vector<JudgedEstimate>& sampled) {
    const auto precision = [](const JudgedEstimate& e) {
        return e.estimate.variation.value_or(INFINITY);
    };
    std::size_t best = sampled.size();
    for (std::size_t i = 0; i < sampled.size(); ++i) {
        if (sampled[i].estimate.kind != EstimateKind::Value) continue;
        if (best == sampled.size() || precision(sampled[i]) < precision(sampled[best])) best = i;
    }
    return best == sampled.size() ? 0 : best;
}

}  // namespace

bool isSamplingMethod(Method method) {
    switch (method) {
        case Method::MonteCarlo:
        case Method::ImportanceSampling:
        case Method::IndependentMonteCarlo:
        case Method::SubsetSimulation:
            return true;
        case Method::Form:
        case Method::Sorm:
            break;
    }
    return false;
}

AnswerSummary answerSummary(const Analysis& analysis) {
    AnswerSummary summary;
    summary.checks = samplingEstimates(analysis);
    if (const auto& form = analysis.form()) {
        const JudgedEstimate judged = analysis.judged(formEstimate(*form, analysis.formSeconds()));
        if (hasFigure(judged.estimate)) {
            summary.answer = judged;
            return summary;
        }
    }
    if (summary.checks.empty()) return summary;
    const auto answer =
        summary.checks.begin() + static_cast<std::ptrdiff_t>(answeringSample(summary.checks));
    summary.answer = *answer;
    summary.checks.erase(answer);
    return summary;
}

std::string estimateFiguresText(const Estimate& e) {
    switch (e.kind) {
        case EstimateKind::Value:
            return "beta " + formatFigure(e.beta) + ", Pf " + formatFigure(e.failureProbability);
        case EstimateKind::Bound:
            if (std::isnan(e.failureProbability)) return analysis_text::noBound;
            return "beta above " + formatFigure(e.beta) + ", Pf below " +
                   formatFigure(e.failureProbability);
        case EstimateKind::None:
            break;
    }
    return e.why;
}

}  // namespace ferrolith
