#include "reliability/beam_space.hpp"

#include <cmath>
#include <stdexcept>

#include "model/distribution_formulas.hpp"
#include "model/draw_input.hpp"
#include "reliability/input_mapping.hpp"
#include "reliability/period_conversion.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/standard_normal.hpp"

namespace ferrolith::reliability {

BeamInputs::BeamInputs(const ParameterArray& a, const ParameterArray& b, const NameArray& distName)
    : paramA(a), paramB(b) {
    for (std::size_t i = 0; i < inputVariableCount; ++i) branch[i] = branchFor(distName[i]);
}

BeamSpace::BeamSpace(const BeamInputs& inputs) : inputs_(inputs) {
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        ranges_[i] = {dimension_, coordinateCount(inputs.branch[i])};
        dimension_ += ranges_[i].count;
    }
}

namespace {

// The tails of one standard normal coordinate in doubles, with the C library's functions.
struct ScalarTails {
    static double logNormalCdf(double z) { return reliability::logNormalCdf(z); }
    // u^e for the uniform u = Phi(z), from ln u: exact in both tails.
    static double uniformPower(double z, double e) { return std::exp(e * logNormalCdf(z)); }
    static double maximaCoordinate(double z, double n) {
        return reliability::maximaCoordinate(z, n);
    }
};

}  // namespace

PhysicalPoint BeamSpace::physical(std::span<const double> z) const {
    if (z.size() != static_cast<std::size_t>(dimension_))
        throw std::invalid_argument(text::wrongPoint);
    PhysicalPoint point;
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        const auto draw =
            inputFromNormals<ScalarTails>(inputs_.branch[i], inputs_.paramA[i], inputs_.paramB[i],
                                          inputs_.periods[i], z.data() + ranges_[i].first);
        // An overflowed power leaves nothing to return; the Poisson value is still returned.
        point.values[i] = draw.overflow ? 0.0 : draw.value;
        if (draw.overflow || draw.poissonFault) {
            point.fault = InputFault{draw.overflow ? dataFaultMessage : poissonFaultMessage,
                                     static_cast<InputVariable>(i)};
            break;  // the run ends at its first faulty draw
        }
    }
    return point;
}

LimitStateValues<double> effectAndResistance(const std::array<double, inputVariableCount>& x) {
    return limitStateValues(x[0], x[1], x[2], x[3], x[4], x[5], x[6]);
}

LimitStateFunction BeamSpace::limitState() const {
    return {dimension_, [space = *this](std::span<const double> z) {
                const PhysicalPoint point = space.physical(z);
                if (point.fault) throw InputFaultError(*point.fault);
                const auto values = effectAndResistance(point.values);
                return values.resistance - values.effect;
            }};
}

}  // namespace ferrolith::reliability
