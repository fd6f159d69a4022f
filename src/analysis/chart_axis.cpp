#include "analysis/chart_axis.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ferrolith {

namespace {

constexpr int wantedSteps = 5;

// printf's text of one number.
std::string printed(const char* format, int precision, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, precision, value);
    return buffer;
}

// 1, 2 or 5 times a power of ten, the first at or above span / wantedSteps.
struct RoundStep {
    double mantissa;
    int exponent;

    double size() const { return multiple(1.0); }
    // k steps, as the decimal number they make rounded once: 0.3, not 3 x 0.1.
    double multiple(double k) const {
        return k == 0          ? 0.0
               : exponent >= 0 ? k * mantissa * std::pow(10.0, exponent)
                               : k * mantissa / std::pow(10.0, -exponent);
    }
};

RoundStep roundStep(double span) {
    const double raw = span / wantedSteps;
    const int exponent = static_cast<int>(std::floor(std::log10(raw)));
    const double power = std::pow(10.0, exponent);
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power * (1 + 1e-9)) return {m, exponent};
    return {1.0, exponent + 1};
}

// The labels of ticks a step apart: as many decimals as the step needs, in powers of ten where
// fixed decimals would be too many or too long.
std::vector<std::string> stepLabels(const std::vector<double>& ticks, double step) {
    const int stepDigit = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    double largest = 0.0;
    for (double v : ticks) largest = std::max(largest, std::abs(v));
    const bool fixed = stepDigit >= -4 && largest < 1e6;
    const int topDigit = largest > 0 ? static_cast<int>(std::floor(std::log10(largest))) : 0;
    std::vector<std::string> labels;
    for (double v : ticks) {
        if (v == 0.0)
            labels.emplace_back("0");
        else if (fixed)
            labels.push_back(printed("%.*f", std::max(0, -stepDigit), v));
        else
            labels.push_back(printed("%.*e", std::max(0, topDigit - stepDigit), v));
    }
    return labels;
}

// The multiples of step from the first-th to the last-th.
std::vector<double> multiples(const RoundStep& step, double first, double last) {
    std::vector<double> ticks;
    for (double k = first; k <= last; ++k) ticks.push_back(step.multiple(k));
    return ticks;
}

// A range the axes can scale to: one that is not finite is 0 to 1, and one too narrow to tell
// its ends apart (of no width, say) is widened to a unit above low, or a millionth of low.
void usable(double& low, double& high) {
    if (!std::isfinite(low) || !std::isfinite(high) || !std::isfinite(high - low)) {
        low = 0.0;
        high = 1.0;
    } else if (!(high - low > std::max(std::abs(low), std::abs(high)) * 1e-9)) {
        high = low + std::max(1.0, std::abs(low) * 1e-6);
    }
}

ChartAxis linearAxis(double low, double high, std::string title, bool widened) {
    usable(low, high);
    const RoundStep step = roundStep(high - low);
    const double size = step.size();
    ChartAxis axis;
    axis.title = std::move(title);
    if (widened) {
        axis.ticks = multiples(step, std::floor(low / size + 1e-9), std::ceil(high / size - 1e-9));
        axis.low = axis.ticks.front();
        axis.high = axis.ticks.back();
    } else {
        axis.ticks = multiples(step, std::ceil(low / size - 1e-9), std::floor(high / size + 1e-9));
        axis.low = low;
        axis.high = high;
    }
    axis.labels = stepLabels(axis.ticks, size);
    return axis;
}

}  // namespace

double ChartAxis::coordinate(double value) const { return logarithmic ? std::log10(value) : value; }

double ChartAxis::fraction(double value) const {
    return (coordinate(value) - coordinate(low)) / (coordinate(high) - coordinate(low));
}

ChartAxis roundedAxis(double low, double high, std::string title) {
    return linearAxis(low, high, std::move(title), true);
}

ChartAxis exactAxis(double low, double high, std::string title) {
    return linearAxis(low, high, std::move(title), false);
}

ChartAxis countAxis(double top, std::string title) {
    if (!(top >= wholeTicksUpTo)) {
        ChartAxis axis;
        axis.title = std::move(title);
        axis.low = 0.0;
        axis.high = std::isfinite(top) ? std::max(1.0, std::ceil(top)) : 1.0;
        axis.ticks = multiples({1.0, 0}, 0.0, axis.high);
        axis.labels = stepLabels(axis.ticks, 1.0);
        return axis;
    }
    return roundedAxis(0.0, top, std::move(title));
}

ChartAxis logarithmicAxis(double low, double high, std::string title) {
    if (!(low > 0.0 && std::isfinite(low))) low = 1.0;
    if (!(high > low && std::isfinite(high))) high = low * 10;
    ChartAxis axis;
    axis.logarithmic = true;
    axis.low = low;
    axis.high = high;
    axis.title = std::move(title);
    const double first = std::ceil(std::log10(low) - 1e-9);
    const double last = std::floor(std::log10(high) + 1e-9);
    for (double k = first; k <= last; ++k) axis.ticks.push_back(std::pow(10.0, k));
    if (axis.ticks.size() < 2) axis.ticks = {low, high};
    // Whole numbers from 1 up, powers of ten below it: "1e-05".
    for (double v : axis.ticks)
        axis.labels.push_back(v >= 1 ? printed("%.*f", 0, v) : printed("%.*e", 0, v));
    return axis;
}

}  // namespace ferrolith
