#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis.hpp"

namespace ferrolith {

// Which estimate answers whether the beam reaches its target, and which check that answer.
// FORM answers where it found a design point: it gives the design values the answer rests on.
// Without it the sampling estimate with a figure and the smallest coefficient of variation
// answers, else one with a bound. The sampling methods that are not the answer (the design run,
// importance sampling, independent Monte Carlo, subset simulation) check it when they have a
// figure or a bound (importance sampling without a failing sample has neither); SORM, which rests
// on FORM's design point, checks nothing.
struct AnswerSummary {
    std::optional<JudgedEstimate> answer;  // none when no method gives a figure
    std::vector<JudgedEstimate> checks;    // in the analysis's order; empty: nothing checks it
};

AnswerSummary answerSummary(const Analysis& analysis);

// Whether a method samples the limit state, and so can check an answer from a design point.
bool isSamplingMethod(reliability::Method method);

// "beta 4.123, Pf 1.866e-5", "beta above 2.078, Pf below 0.01884", or why there is no figure.
std::string estimateFiguresText(const Estimate& estimate);

}  // namespace ferrolith
