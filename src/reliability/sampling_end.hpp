#pragma once

#include <optional>
#include <string_view>

namespace ferrolith::reliability {

// What ended a sampling method that may stop on its coefficient of variation.
enum class SamplingEnd {
    Count,      // no target coefficient of variation: the count asked for was drawn
    TargetCov,  // the coefficient of variation reached the target
    Cap,        // the count asked for was drawn before the target was reached
};

// The names the results files record.
std::string_view samplingEndName(SamplingEnd end);

// What ended the method, in a few words for the reports.
std::string_view samplingEndText(SamplingEnd end);

}  // namespace ferrolith::reliability
