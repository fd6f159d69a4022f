#pragma once

#include <cstdint>
#include <optional>

#include "run/window_operations.hpp"
#include "study/study.hpp"

namespace ferrolith {

// The study a window's inputs describe, texts as they stand, with the given seed.
Study studyOf(WindowOperations& window, std::optional<std::uint64_t> seed);

}  // namespace ferrolith
