#include "failure_statistics/stream_spread.hpp"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <vector>

namespace ferrolith {

namespace {

struct StreamSum {
    double fractionSum = 0.0;  // in repetition order
    int repetitions = 0;
};

double studentQuantile975(int degreesOfFreedom) {
    return boost::math::quantile(
        boost::math::students_t_distribution<double>(static_cast<double>(degreesOfFreedom)), 0.975);
}

}  // namespace

int generatorStream(std::int16_t seed) { return seed == 0 ? 1 : seed; }

StreamSpread streamSpread(std::span<const RepetitionTally> tallies) {
    std::vector<StreamSum> byStream(largestRepetitionSeed + 1);
    std::int64_t repeated = 0;
    for (const RepetitionTally& t : tallies) {
        StreamSum& sum = byStream[static_cast<std::size_t>(generatorStream(t.seed))];
        if (sum.repetitions > 0) ++repeated;
        sum.fractionSum += static_cast<double>(t.failures) / static_cast<double>(t.samples);
        ++sum.repetitions;
    }

    // The stream averages, in stream order.
    std::vector<double> averages;
    for (const StreamSum& sum : byStream) {
        if (sum.repetitions > 0) averages.push_back(sum.fractionSum / sum.repetitions);
    }
    StreamSpread spread = averagesSpread(averages);
    spread.repeatedRepetitions = repeated;
    return spread;
}

StreamSpread averagesSpread(std::span<const double> averages) {
    StreamSpread spread;
    spread.streams = static_cast<int>(averages.size());
    if (spread.streams < 2) return spread;

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
