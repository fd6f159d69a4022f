#pragma once

#include <string_view>

namespace ferrolith {

// The counts every start offers, as the window shows them: 25 repetitions of 1000 samples.
inline constexpr std::string_view defaultRepetitionsText = "25";
inline constexpr std::string_view defaultSampleSizeText = "1000";

}  // namespace ferrolith
