#pragma once

#include <array>
#include <string>

#include "reliability/method_result.hpp"

// Why an estimate has no figure, as every view says it.
namespace ferrolith::analysis_text {

inline constexpr const char* methodFailed =
    "The method did not run: a count or parameter text does not convert.";
inline constexpr const char* methodAborted = "The method was ended by faulty input data.";
inline constexpr const char* methodCancelled = "The method was cancelled before it completed.";
inline constexpr const char* noRepetition = "No repetition completed.";

// A target's basis: "RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)".
inline constexpr const char* yearLoads = "-year loads";
inline constexpr const char* tableSource = "EN 1990 Table B2";

// How a characteristic value is taken: "5% fractile", "98% fractile of the annual maximum (36.42%
// of the 50-year law)", "nominal (mean)", "mean".
inline constexpr const char* fractile = " fractile";
inline constexpr const char* annualFractile = " fractile of the annual maximum";
inline constexpr const char* yearLaw = "-year law";
inline constexpr const char* nominalMean = "nominal (mean)";
inline constexpr const char* mean = "mean";

// The two sets of design values: "design point at beta 0.1475, target RC2, ...".
inline constexpr const char* atDesignPoint = "design point at beta ";
inline constexpr const char* atTarget = "target ";

}  // namespace ferrolith::analysis_text

// An input's range warning: "Beam Length (m), Gamma "4,0.05": 0.1% to 99.9% of its values lie
// from 3.754e-61 to 0.7192, median 3.580e-7; as a Normal the same numbers give 3.845 to 4.155."
// and then each reason.
namespace ferrolith::analysis_text {

inline constexpr const char* rangeDrawn = "0.1% to 99.9% of its values lie from ";
inline constexpr const char* rangeMedian = "median ";
inline constexpr const char* rangeNormal = "as a Normal the same numbers give ";
inline constexpr const char* rangeBelowZero = "It gives values below zero.";
inline constexpr const char* rangeMedianOutside = "Its median lies outside the Normal's range.";
inline constexpr const char* rangeSpreadTooWide =
    "Its spread is more than 1000 times the Normal's.";

}  // namespace ferrolith::analysis_text

// Two methods that disagree: "Importance sampling and subset simulation differ by a factor
// of 2.013: a design point may be missing; trust the methods that need none."
namespace ferrolith::analysis_text {

// A method as a sentence names it.
std::string methodInText(reliability::Method method);

inline constexpr const char* differBy = " differ by a factor of ";
inline constexpr const char* differAtLeast = " differ by a factor of at least ";
inline constexpr const char* curvedOrAnotherPoint =
    "the limit state may be curved or have another design point; trust the sampling methods.";
inline constexpr const char* designPointMissing =
    "a design point may be missing; trust the methods that need none.";
inline constexpr const char* tooFewSamples =
    "one of them may have too few samples; run both with more.";

}  // namespace ferrolith::analysis_text

// Design for the target: the search's and its check's words.
namespace ferrolith::analysis_text {

inline constexpr const char* secondKept = "second number kept";
inline constexpr const char* variationKept = "coefficient of variation kept";
inline constexpr const char* designFor = "Design for the target: ";
inline constexpr const char* designTarget = "Target: ";
inline constexpr const char* designRange = "Searched from ";
inline constexpr const char* designFound = "Found: ";
inline constexpr const char* designOutOfReach = "The target is out of reach in the range: ";
inline constexpr const char* designBest = "the best value is ";
inline constexpr const char* designSorm = "Check, SORM: ";
inline constexpr const char* designSampling = "Check, importance sampling: ";

}  // namespace ferrolith::analysis_text

// An input's law as typed and read: `typed "90,3": mean 90, sd 3`. The names of the two numbers
// follow the branches' order (model/branch.hpp).
namespace ferrolith::analysis_text {

inline constexpr const char* typed = "typed ";
inline constexpr const char* doesNotConvert = ": does not convert";
inline constexpr std::array<std::array<const char*, 2>, 5> parameterNames{{
    {"mean", "sd"},
    {"mean of ln", "sd of ln"},
    {"rate", "shape"},
    {"location", "inverse scale"},
    {"mean", "variance"},
}};

// An estimate's figures when importance sampling saw no failing sample.
inline constexpr const char* noBound = "no failing sample, so no figure and no bound";

}  // namespace ferrolith::analysis_text
