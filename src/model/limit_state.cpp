#include "model/limit_state.hpp"

namespace ferrolith {

LimitState evaluateLimitState(const std::array<double, inputVariableCount>& v) {
    const auto r = limitStateValues(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    return {r.effect, r.resistance, r.resistance > r.effect ? 1.0 : 0.0};
}

}  // namespace ferrolith
