#include "reliability/reliability_text.hpp"

#include "failure_statistics/figure_text.hpp"

namespace ferrolith::reliability::text {

std::string tooFewHits(std::int64_t hits, bool failureDomain, std::int64_t least) {
    return std::to_string(hits) + (hits == 1 ? " sample" : " samples") + " fell in the " +
           (failureDomain ? "failure" : "safe") + " domain; Pf's interval needs at least " +
           std::to_string(least) + ", so it is 0 to 1 and Pf is no figure to judge by.";
}

std::string subsetSamplesRange(std::int64_t largest) {
    return "Subset simulation's samples a level must be a whole number from 2 to " +
           std::to_string(largest) + ".";
}

std::string levelCapRange(int largest) {
    return "Subset simulation's level cap must be a whole number from 1 to " +
           std::to_string(largest) + ".";
}

std::string subsetRunsRange(int largest) {
    return "Subset simulation's runs must be a whole number from 1 to " + std::to_string(largest) +
           ".";
}

std::string_view subsetEndText(SamplingEnd end) {
    switch (end) {
        case SamplingEnd::TargetCov:
            return "the target coefficient of variation, reached";
        case SamplingEnd::Cap:
            return "the most runs asked for, before the target coefficient of variation";
        case SamplingEnd::Count:
            break;
    }
    return "the runs asked for (no target coefficient of variation)";
}

std::string levelCapReached(int cap, double bound) {
    return "Subset simulation reached its cap of " + std::to_string(cap) +
           " levels with the threshold still above 0: Pf lies below about " + formatFigure(bound) +
           ", an estimate and no bound to judge by, so there is no figure.";
}

std::string notConverged(int iterations) {
    return "The search did not converge within " + std::to_string(iterations) + " iterations.";
}

std::string noDesignPoint(std::string_view originMessage) {
    return "FORM found no design point. " + std::string(originMessage);
}

std::string otherDesignPoint(double beta) {
    return "This start ended at another design point, beta " + formatFigure(beta) + ".";
}

std::string formulaUndefined(std::string_view formula, double kappa, double factor) {
    return std::string(formula) + " is undefined: the curvature " + formatFigure(kappa) +
           " makes a factor 1 + c kappa of " + formatFigure(factor) + ", which is not positive.";
}

std::string tailWarning(InputVariable variable, double z, bool falls) {
    return std::string(info(variable).caption) +
           (falls ? " is a resistance that must fall" : " is a load that must rise") +
           " to the standard normal value " + formatFigure(z) +
           " at the design point, further out than the design's generator samples, so the run's "
           "failure probability is wrong there: use importance sampling (failure probability "
           "below about 1e-6) or Monte Carlo with independent streams.";
}

}  // namespace ferrolith::reliability::text
