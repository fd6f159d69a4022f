#include "reliability/tail_check.hpp"

#include <cmath>

#include "reliability/reliability_text.hpp"

namespace ferrolith::reliability {

std::vector<TailWarning> tailCheck(const BeamDesignPoint& point) {
    std::vector<TailWarning> warnings;
    for (const InputDesignPoint& input : point.inputs) {
        if (!usesBoxMuller(input.branch)) continue;
        const double z = input.standard.front();
        if (!(std::abs(z) > tailLimit)) continue;
        const TailDirection direction =
            input.value < input.originValue ? TailDirection::Falls : TailDirection::Rises;
        warnings.push_back(
            {input.variable, z, input.value, direction,
             text::tailWarning(input.variable, z, direction == TailDirection::Falls)});
    }
    return warnings;
}

}  // namespace ferrolith::reliability
