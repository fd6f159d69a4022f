#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/input_variable.hpp"
#include "reliability/sampling_end.hpp"

// Every message of the reliability methods.
namespace ferrolith::reliability::text {

inline constexpr const char* notFiniteAtOrigin =
    "The limit state is not a finite number at the origin.";
inline constexpr const char* notFiniteNearDesignPoint =
    "The limit state is not a finite number near the design point.";
inline constexpr const char* notFinite =
    "The limit state is not a finite number near a point of the search.";
inline constexpr const char* flatGradient =
    "The limit state does not change near a point of the search, so it gives no direction.";
inline constexpr const char* noMeritStep =
    "No step along the search direction lowers the merit function.";
inline constexpr const char* needsDesignPoint = "FORM found no design point to start from.";
inline constexpr const char* otherDimension =
    "FORM's design point has another dimension than this limit state.";
inline constexpr const char* wrongPoint =
    "A point of the beam's standard normal space needs one coordinate for each input, three for "
    "a Gamma input.";
inline constexpr const char* needsSamples = "At least one sample is needed.";
inline constexpr const char* badTargetCov =
    "The target coefficient of variation must lie above 0 and below 1.";
// What ended a sampling method, as its reports say it.
inline constexpr const char* endedOnCount = "the samples asked for were drawn";
inline constexpr const char* endedOnTarget = "its CoV reached the target";
inline constexpr const char* endedOnCap = "the cap was drawn before its CoV reached the target";
inline constexpr const char* needsCounts =
    "At least one repetition of at least one sample is needed.";
inline constexpr const char* cancelled = "Cancelled before it completed: no figures.";
inline constexpr const char* failureDomainEstimator = "the failure domain around the design point";
inline constexpr const char* safeDomainEstimator =
    "the safe domain around the design point (FORM's beta is not above 0), Pf = 1 - its "
    "probability";
inline constexpr const char* levelProbabilityRange =
    "Subset simulation's level probability p0 must lie above 0 and at most 0.5.";
inline constexpr const char* subsetChains =
    "Subset simulation needs p0 times the samples a level to be a whole number that divides the "
    "samples: the chains of a level, each of the same length.";
inline constexpr const char* targetCovRange =
    "The target coefficient of variation must be a number above 0.";
// Measured by bench/coverage_bench.cpp (ferrolith_coverage).
inline constexpr const char* subsetCovNote =
    "levels taken as uncorrelated, as Au and Beck's estimate takes them: it may understate the "
    "spread; its 95% interval held the reference in 88% of 1,000 seeds at Pf 1.3e-6 (one run of "
    "1000 samples a level)";
inline constexpr const char* subsetSpreadNote =
    "Au and Beck's estimate, or the runs' measured spread about their mean where that is the "
    "larger, as it is at small Pf";
inline constexpr const char* subsetIntervalNote =
    "from the coefficient of variation on the log scale, Pf taken as lognormal";
inline constexpr const char* sormNearestOnly =
    "SORM's curvatures are of the nearest design point only; FORM found others that carry a "
    "share of the probability.";
inline constexpr const char* breitungName = "Breitung's formula";
inline constexpr const char* hohenbichlerRackwitzName = "The Hohenbichler-Rackwitz formula";
inline constexpr const char* gammaLoadPeriod =
    "A variable load drawn by the Gamma formula has no law over the other period: the design's "
    "Gamma has no closed-form distribution function to raise to a power.";
inline constexpr const char* loadsTogether =
    "both variable loads at their maxima over the period at once: on the safe side, a lower beta";

// Too few samples in the estimated domain (failure or safe) for Pf's interval.
std::string tooFewHits(std::int64_t hits, bool failureDomain, std::int64_t least);

// The ranges of subset simulation's counts.
std::string subsetSamplesRange(std::int64_t largest);
std::string levelCapRange(int largest);
std::string subsetRunsRange(int largest);

// What ended subset simulation's runs, in words.
std::string_view subsetEndText(SamplingEnd end);

// The levels reached the cap with the threshold still above 0: Pf lies below about bound.
std::string levelCapReached(int cap, double bound);

// "The search did not converge within 100 iterations."
std::string notConverged(int iterations);

// FORM's message when no start converged, followed by why the start at the origin did not.
std::string noDesignPoint(std::string_view originMessage);

// A start that converged elsewhere than the design point taken.
std::string otherDesignPoint(double beta);

// FORM found further design points, one of them carrying more than the share warned of: shares
// holds each point's Phi(-beta) over the nearest one's, nearest first.
std::string severalDesignPoints(const std::vector<double>& shares, double warned,
                                double systemProbability, double systemBeta);

// A curvature kappa whose factor 1 + c kappa is not positive.
std::string formulaUndefined(std::string_view formula, double kappa, double factor);

// An input whose design point lies beyond the design generator's reach.
std::string tailWarning(InputVariable variable, double z, bool falls);

}  // namespace ferrolith::reliability::text
