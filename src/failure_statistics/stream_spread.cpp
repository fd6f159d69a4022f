#include "failure_statistics/stream_spread.hpp"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <vector>

namespace ferrolith {

namespace {

struct StreamSum {
    std::int64_t failures = 0;
    std::int64_t samples = 0;
};

double studentQuantile975(int degreesOfFreedom) {
    return boost::math::quantile(
        boost::math::students_t_distribution<double>(static_cast<double>(degreesOfFreedom)), 0.975);
}

// The failure fraction of each stream over its repetitions' samples, in stream order. Each is one
// division of whole numbers, so streams whose fractions are equal give equal doubles.
std::vector<double> streamAverages(std::span<const RepetitionTally> tallies,
                                   std::int64_t& repeatedRepetitions) {
    std::vector<StreamSum> byStream(largestRepetitionSeed + 1);
    for (const RepetitionTally& t : tallies) {
        // rng runs a seed of 0 as 1, so seeds 0 and 1 start one stream.
        StreamSum& sum = byStream[static_cast<std::size_t>(clsRNG::startState(t.seed))];
        if (sum.samples > 0) ++repeatedRepetitions;
        sum.failures += t.failures;
        sum.samples += t.samples;
    }
    std::vector<double> averages;
    for (const StreamSum& sum : byStream) {
        if (sum.samples > 0)
            averages.push_back(static_cast<double>(sum.failures) /
                               static_cast<double>(sum.samples));
    }
    return averages;
}

}  // namespace

StreamSpread streamSpread(std::span<const RepetitionTally> tallies) {
    StreamSpread spread;
    const std::vector<double> averages = streamAverages(tallies, spread.repeatedRepetitions);
    const StreamSpread fromAverages = averagesSpread(averages);
    spread.streams = fromAverages.streams;
    spread.mean = fromAverages.mean;
    spread.interval = fromAverages.interval;
    return spread;
}

StreamSpread averagesSpread(std::span<const double> averages) {
    StreamSpread spread;
    spread.streams = static_cast<int>(averages.size());
    if (spread.streams < 2) return spread;

    // Averages that all agree have no spread to measure; an interval of zero width would claim
    // to know Pf exactly.
    const double first = averages.front();
    if (std::all_of(averages.begin(), averages.end(), [first](double a) { return a == first; })) {
        spread.mean = first;
        return spread;
    }
    const double k = spread.streams;
    double total = 0.0;
    for (double a : averages) total += a;
    const double mean = total / k;
    double squares = 0.0;
    for (double a : averages) squares += (a - mean) * (a - mean);
    const double half = studentQuantile975(spread.streams - 1) * std::sqrt(squares / (k - 1) / k);
    spread.mean = mean;
    spread.interval = ProbabilityInterval{std::max(0.0, mean - half), std::min(1.0, mean + half)};
    return spread;
}

}  // namespace ferrolith
