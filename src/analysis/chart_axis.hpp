#pragma once

#include <string>
#include <vector>

namespace ferrolith {

// One axis of a chart as the results window and the calculation record both draw it: its range
// and scale, the values it marks with their labels, and its title.
struct ChartAxis {
    double low = 0.0;
    double high = 1.0;
    bool logarithmic = false;
    std::vector<double> ticks;
    std::vector<std::string> labels;  // one a tick
    std::string title;

    // Where a value is plotted along the axis: the value, or on a logarithmic axis its base-10
    // logarithm.
    double coordinate(double value) const;
    // Where a value lies between low (0) and high (1).
    double fraction(double value) const;
};

// A point of a chart's line or outline, in the values of its axes.
struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const ChartPoint&) const = default;
};

// Linear from low to high widened to whole steps of 1, 2 or 5 times a power of ten, about five of
// them, with a tick and its label at every step. A range of no width (or too narrow to tell its
// ends apart) is widened to one unit above low, or a millionth of low where that is more; one that
// is not finite gives 0 to 1.
ChartAxis roundedAxis(double low, double high, std::string title);

// Linear over exactly low to high (as roundedAxis for a range of no width), with ticks at the
// whole steps inside it.
ChartAxis exactAxis(double low, double high, std::string title);

// Counts from 0: below wholeTicksUpTo a tick at every whole count up to top rounded up, above it
// as roundedAxis.
inline constexpr double wholeTicksUpTo = 10.0;
ChartAxis countAxis(double top, std::string title);

// Logarithmic from low to high, with ticks at the powers of ten between them, or at its ends
// where fewer than two lie between them. A low that is not above 0 is read as 1, a high not above
// low as a decade above it.
ChartAxis logarithmicAxis(double low, double high, std::string title);

}  // namespace ferrolith
