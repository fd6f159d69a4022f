#include "model/sample_statistics.hpp"

#include "simd/scalar_math.hpp"

namespace ferrolith {

namespace {
RunningSums sumsOf(std::span<const double> values) {
    RunningSums sums;
    for (double v : values) sums.add(v);
    return sums;
}
}  // namespace

double meanFromSum(double sum, int n) {
    return sum / n;  // NaN over no slots
}

double stdDevFromSums(double sum, double sumSq, int n) {
    if (n <= 1) return 0.0;
    const double count = n;
    const double variance = (sumSq * count - sum * sum) / ((count - 1) * count);
    // Rounding can leave the one-pass numerator just below zero when every value is equal; the
    // exact figure is then 0. The power 0.5 is taken as the correctly rounded square root.
    if (variance < 0.0) return 0.0;
    return math::sqrt(variance);
}

double sampleMean(std::span<const double> values) {
    return meanFromSum(sumsOf(values).sum, static_cast<int>(values.size()));
}

double sampleStdDev(std::span<const double> values) {
    const RunningSums sums = sumsOf(values);
    return stdDevFromSums(sums.sum, sums.sumSq, static_cast<int>(values.size()));
}

}  // namespace ferrolith
