#pragma once

#include <vector>

#include "model/run_result.hpp"

namespace ferrolith {

// The overall block's figures of completed repetitions over totalSimulations samples: each
// figure's mean and standard deviation over the repetitions, summed in repetition order, and the
// safe fraction's confidence limits. The timing is left at 0.
OverallFigures overallFigures(const std::vector<RepetitionFigures>& repetitions,
                              double totalSimulations);

}  // namespace ferrolith
