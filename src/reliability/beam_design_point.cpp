#include "reliability/beam_design_point.hpp"

namespace ferrolith::reliability {

std::optional<BeamDesignPoint> beamDesignPoint(const BeamSpace& space, const FormResult& form) {
    if (!form.converged || static_cast<int>(form.designPoint.size()) != space.dimension())
        return std::nullopt;
    const PhysicalPoint at = space.physical(form.designPoint);
    const PhysicalPoint origin = space.physical(std::vector<double>(form.designPoint.size(), 0.0));
    if (at.fault || origin.fault) return std::nullopt;
    BeamDesignPoint point;
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        const auto variable = static_cast<InputVariable>(i);
        const CoordinateRange range = space.coordinates(variable);
        InputDesignPoint& input = point.inputs[i];
        input.variable = variable;
        input.branch = space.inputs().branch[i];
        input.value = at.values[i];
        input.originValue = origin.values[i];
        const auto first = form.designPoint.begin() + range.first;
        input.standard.assign(first, first + range.count);
        const auto alpha = form.alpha.begin() + range.first;
        input.alpha.assign(alpha, alpha + range.count);
        for (double a : input.alpha) input.importance += a * a;
    }
    const auto values = effectAndResistance(at.values);
    point.effect = values.effect;
    point.resistance = values.resistance;
    return point;
}

}  // namespace ferrolith::reliability
