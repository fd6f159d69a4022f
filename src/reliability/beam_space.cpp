#include "reliability/beam_space.hpp"

#include <cmath>
#include <stdexcept>

#include "model/distribution_formulas.hpp"
#include "model/draw_input.hpp"
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

struct InputValue {
    double value = 0.0;
    std::optional<std::string_view> fault;
};

// u^e for the uniform u = Phi(z), from ln u: exact in both tails.
double uniformPower(double z, double e) { return std::exp(e * logNormalCdf(z)); }

// One input from its coordinates z[0 .. coordinateCount(branch)), by the sampler's formulas with
// the logarithms of their uniforms taken from the tail each is in, over n of its law's periods.
InputValue inputValue(Branch branch, double a, double b, double n, const double* z) {
    switch (branch) {
        case Branch::Gamma: {
            const auto e = formulas::gammaExponents(b);
            const auto gamma = formulas::gammaFromPowers(
                a, e, uniformPower(z[0], e.e1), uniformPower(z[1], e.e2), -logNormalCdf(z[2]));
            if (gamma.overflow) return {0.0, dataFaultMessage};
            return {gamma.value, std::nullopt};
        }
        case Branch::Gumbel:
            return {
                formulas::gumbelFromMinusLog(gumbelLocationOver(a, b, n), b, -logNormalCdf(z[0])),
                std::nullopt};
        default:
            break;
    }
    const double w = maximaCoordinate(z[0], n);
    const double value =
        formulas::fromNormal(branch, a, b, [w](double mean, double sd) { return sd * w + mean; });
    if (branch == Branch::Poisson && formulas::poissonMeanIsFaulty(a))
        return {value, poissonFaultMessage};
    return {value, std::nullopt};
}

}  // namespace

PhysicalPoint BeamSpace::physical(std::span<const double> z) const {
    if (z.size() != static_cast<std::size_t>(dimension_))
        throw std::invalid_argument(text::wrongPoint);
    PhysicalPoint point;
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        const InputValue input = inputValue(inputs_.branch[i], inputs_.paramA[i], inputs_.paramB[i],
                                            inputs_.periods[i], z.data() + ranges_[i].first);
        point.values[i] = input.value;
        if (input.fault) {
            point.fault = InputFault{*input.fault, static_cast<InputVariable>(i)};
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
