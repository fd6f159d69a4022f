#pragma once

#include <charconv>
#include <cmath>
#include <string>

namespace ferrolith {

// The shortest decimal text that reads back to x exactly, "." as the separator, independent of
// the locale; empty for a non-finite x.
inline std::string shortestText(double x) {
    if (!std::isfinite(x)) return {};
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
    return std::string(buffer, end);
}

}  // namespace ferrolith
