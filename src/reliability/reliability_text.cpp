#include "reliability/reliability_text.hpp"

#include <cmath>
#include <iterator>

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

namespace {

std::string ordinal(std::size_t i) {
    static constexpr const char* words[] = {"first", "second",  "third",  "fourth", "fifth",
                                            "sixth", "seventh", "eighth", "ninth",  "tenth"};
    return i < std::size(words) ? words[i] : "point " + std::to_string(i + 1);
}

std::string percent(double share) { return std::to_string(std::lround(100 * share)) + "%"; }

}  // namespace

std::string severalDesignPoints(const std::vector<double>& shares, double warned,
                                double systemProbability, double systemBeta) {
    std::vector<std::string> carried;
    for (std::size_t i = 1; i < shares.size(); ++i)
        if (shares[i] > warned)
            carried.push_back("the " + ordinal(i) + " carries " + percent(shares[i]));
    std::string list;
    for (std::size_t i = 0; i < carried.size(); ++i)
        list += (i == 0 ? "" : i + 1 == carried.size() ? " and " : ", ") + carried[i];
    const std::size_t n = shares.size();
    return "FORM found " + std::to_string(n) + " design points; " + list +
           " of the first one's probability: Pf from one point alone is too low. The system "
           "estimate from " +
           (n == 2 ? std::string("both") : "all " + std::to_string(n)) + " is Pf " +
           formatFigure(systemProbability) + ", beta " + formatFigure(systemBeta) + ".";
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
