#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ferrolith::reliability {

// At a nearly flat design point a sample's coefficient of variation is about
// sqrt(1.25 beta - 1), 2.4 at beta 5.2: these give about 1.3% there, in well under a second.
inline constexpr std::int64_t defaultImportanceSamples = 40000;

// The most samples a caller asks for: about a minute of sampling.
inline constexpr std::int64_t largestImportanceSamples = 1'000'000'000;

// A target coefficient of variation a sampling method may stop on: above 0, below 1.
inline bool isTargetCov(double cov) { return cov > 0.0 && cov < 1.0; }

// A target as typed: a plain decimal number, with an exponent or without, no blanks; none when
// the text is not one or is no target.
std::optional<double> targetCovFrom(std::string_view text);

// What a sampling method draws.
struct SamplingOptions {
    std::uint64_t seed = 1;
    // The samples to draw; with a target, the most the method may draw.
    std::int64_t samples = defaultImportanceSamples;
    int threads = 0;  // 0: as many as the machine has; the figures do not depend on it
    // Stop once Pf's coefficient of variation is at or below it (isTargetCov); none: draw them all.
    std::optional<double> targetCov = std::nullopt;
};

}  // namespace ferrolith::reliability
