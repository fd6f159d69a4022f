#include "reliability/sampling_options.hpp"

#include <charconv>

namespace ferrolith::reliability {

std::optional<double> targetCovFrom(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !isTargetCov(value)) return std::nullopt;
    return value;
}

}  // namespace ferrolith::reliability
