#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reliability/input_fault.hpp"
#include "reliability/limit_state_function.hpp"

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
    int otherStarts = 4;         // starts besides the origin
    double startDistance = 2.0;  // their distance from the origin
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
    // Every distinct design point found, nearest first: the first is the one above.
    std::vector<DesignPoint> designPoints;
    std::int64_t evaluations = 0;   // of the limit state, every start included
    int designStart = -1;           // the start that gave the design point
    std::vector<FormStart> starts;  // the origin first
};

// Why a method that goes on from FORM's design point on a limit state of the given dimension
// cannot: the message of the fault that ended FORM, that FORM found no design point, or that its
// point has another dimension; empty when it can.
std::string_view missingDesignPoint(const FormResult& form, int dimension);

// The design point of g: the point of the limit state g = 0 nearest the origin, searched from
// the origin and from options.otherStarts other points; the nearest converged end is taken.
FormResult form(const LimitStateFunction& g, const FormOptions& options = {});

}  // namespace ferrolith::reliability
