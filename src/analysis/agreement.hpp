#pragma once

#include <string>
#include <vector>

#include "analysis/analysis.hpp"

namespace ferrolith {

// Two methods whose figures disagree by more than their intervals allow, and what that suggests.
struct Disagreement {
    reliability::Method first = reliability::Method::Form;  // in the order of the estimates
    reliability::Method second = reliability::Method::Form;
    // The larger failure probability over the smaller; over an upper bound, at least this.
    double ratio = 1.0;
    std::string text;  // one sentence, as every view shows it
};

// Every pair of the methods' estimates that disagree, in the order of the estimates. The design
// run's estimate takes no part: its generator's reach is what the tail warning speaks of.
// Sampled figures disagree when their 95% intervals do not overlap; FORM or SORM and a sampled
// figure when FORM's or SORM's Pf lies outside the interval by a factor of 2 or more (their
// curvature error alone seldom reaches it); a method that saw no failure and one whose Pf lies
// above its bound always.
std::vector<Disagreement> disagreements(const std::vector<JudgedEstimate>& estimates);

}  // namespace ferrolith
