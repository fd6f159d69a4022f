#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reliability/input_fault.hpp"
#include "reliability/limit_state_function.hpp"
#include "reliability/multinormal.hpp"

namespace ferrolith::reliability {

struct FormOptions {
    // Per start. An input of huge scale (Log-Normal 225,10) makes the HL-RF steps short: several
    // hundred lead to its design point.
    int maxIterations = 1000;
    double stepTolerance = 1e-4;   // the last step, in the standard normal space
    double valueTolerance = 1e-6;  // |g| at the design point, relative to |g| at the origin
    double gradientStep = 1e-5;    // of the central differences
    // |g| / |grad g| at or below this counts as on the limit state whatever |g| at the origin:
    // its figures resolve no finer, and beta near 0 is an answer like any other.
    double resolvedDistance = 1e-9;
    // After the origin and both directions of each axis, starts along spread random directions
    // until quietStarts in a row find no design point within margin of the nearest one, or
    // mostStarts have been drawn. A start whose direction is within nearDirection (a cosine) of a
    // point already found is not searched from: it would end there.
    double startDistance = 2.0;  // the starts' distance from the origin
    int quietStarts = 6;
    int mostStarts = 60;  // the origin and the axes' included
    double nearDirection = 0.9;
    // Design points further than this beyond the nearest one's beta are not kept: their share
    // of the probability is below Phi(-beta - margin) / Phi(-beta), under 1% for any beta.
    double margin = 1.5;
};

// Where the search from one start ended.
struct FormStart {
    std::vector<double> start;
    bool converged = false;
    std::vector<double> end;                                 // the last point reached
    double beta = std::numeric_limits<double>::quiet_NaN();  // signed distance of end, if converged
    int iterations = 0;
    bool otherDesignPoint = false;  // converged, but not at the design point taken
    std::string message;  // one line when it did not converge or ended at another design point
};

// A design point: a converged end of the search, apart from every other one found.
struct DesignPoint {
    double beta = std::numeric_limits<double>::quiet_NaN();  // signed distance from the origin
    std::vector<double> point;                               // standard normal coordinates
    std::vector<double> alpha;                               // -grad g / |grad g| there
    double gradientNorm = std::numeric_limits<double>::quiet_NaN();
};

// The first-order reliability method's answer. When converged is false, beta, the failure
// probability and the design point are not figures: beta and Pf are NaN, message says why.
struct FormResult {
    std::optional<InputFault> fault;  // faulty data ended the method: message is its text
    bool converged = false;
    std::string message;
    double beta = std::numeric_limits<double>::quiet_NaN();  // negative: the origin fails
    double failureProbability = std::numeric_limits<double>::quiet_NaN();  // Phi(-beta)
    std::vector<double> designPoint;  // u*, standard normal coordinates
    std::vector<double> alpha;        // -grad g / |grad g| at u*: u* = beta alpha
    double gradientNorm = std::numeric_limits<double>::quiet_NaN();  // |grad g| at u*
    double valueAtOrigin = std::numeric_limits<double>::quiet_NaN();
    // Every distinct design point found, nearest first, those beyond the nearest one's beta plus
    // the margin left out: the first is the one above. The nearest alone when the origin fails:
    // the union of half-spaces is no first-order picture of a failure domain around the origin.
    std::vector<DesignPoint> designPoints;
    // The system's first-order estimate: the probability of the union of the design points'
    // half-spaces alpha . u > beta, with its error estimate; Phi(-beta) exactly for one point.
    ProbabilityEstimate system{std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::quiet_NaN()};
    double systemBeta = std::numeric_limits<double>::quiet_NaN();  // -Phi^-1(system Pf)
    // Set when a further design point carries more than 1% of the nearest one's probability: Pf
    // from the nearest point alone is too low. Every view shows it as it is.
    std::string severalPointsWarning;
    std::int64_t evaluations = 0;   // of the limit state, every start included
    int designStart = -1;           // the start that gave the design point
    std::vector<FormStart> starts;  // the origin first
};

// Why a method that goes on from FORM's design point on a limit state of the given dimension
// cannot: the message of the fault that ended FORM, that FORM found no design point, or that its
// point has another dimension; empty when it can.
std::string_view missingDesignPoint(const FormResult& form, int dimension);

// The design points of g: the points of the limit state g = 0 nearest the origin, searched from
// the origin and from the other starts of the options; the nearest converged end is taken.
FormResult form(const LimitStateFunction& g, const FormOptions& options = {});

}  // namespace ferrolith::reliability
