#pragma once

#include <span>

namespace ferrolith {

// The sum and the sum of squares of values taken one after the other, each step as the one-pass
// standard deviation takes it. The order of the values fixes the last bits of both.
struct RunningSums {
    double sum = 0.0;
    double sumSq = 0.0;

    void add(double x) {
        sum = sum + x;
        sumSq = x * x + sumSq;
    }
};

// Mean and sample standard deviation (divisor n - 1) of the n values, summed in their order.
double sampleMean(std::span<const double> values);
double sampleStdDev(std::span<const double> values);

// The same figures from sums already accumulated in slot order, for engines that sum on the fly.
double meanFromSum(double sum, int n);
double stdDevFromSums(double sum, double sumSq, int n);

}  // namespace ferrolith
