#pragma once

#include <QString>
#include <string_view>

namespace ferrolith {

struct MainWindowControls;

// What the two numbers of a parameter text mean for each distribution, as the sampler reads them.
namespace parameter_tip {

inline constexpr const char* normal =
    "Normal: the first number is the mean, the second the standard deviation (\"4,0.05\": mean 4, "
    "standard deviation 0.05).";
inline constexpr const char* logNormal =
    "Log-Normal: the two numbers are the mean and the standard deviation of the natural logarithm "
    "of the value, not of the value: \"1.386,0.0125\" gives values near e^1.386 = 4, and "
    "\"225,10\" values near e^225.";
inline constexpr const char* gamma =
    "Gamma: the first number is the rate (the value is inversely proportional to it), the second "
    "the shape, below 1 (it enters as the exponents 1/b and 1/(1 - b)).";
inline constexpr const char* gumbel =
    "Gumbel: the first number is the location (the mode), the second the inverse scale: the "
    "spread of the value is 1 over it.";
inline constexpr const char* poisson =
    "Poisson, approximated by a normal: the first number is the mean, which must exceed 10, the "
    "second the variance (its square root is the standard deviation). The values centre on the "
    "mean minus 0.5 and are not rounded to whole numbers.";
inline constexpr const char* othersToFollow =
    "Others to follow: read as Normal, the first number the mean, the second the standard "
    "deviation.";
inline constexpr const char* noChoice =
    "No distribution chosen: read as Normal, the first number the mean, the second the standard "
    "deviation.";

}  // namespace parameter_tip

// The tip for a distribution list's current text; any other text reads as Normal.
const char* parameterTip(std::string_view distribution);

// The same as a tooltip: rich text, which the tooltip wraps.
QString parameterToolTip(std::string_view distribution);

// Gives each Parameters box and distribution list the tip of the list's current choice, and keeps
// it so as the choice changes.
void installParameterTips(const MainWindowControls& controls);

}  // namespace ferrolith
