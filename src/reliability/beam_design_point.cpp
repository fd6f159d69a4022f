#include "reliability/beam_design_point.hpp"

namespace ferrolith::reliability {

std::optional<BeamDesignPoint> beamDesignPoint(const BeamSpace& space, const FormResult& form) {
    if (!form.converged) return std::nullopt;
    return beamDesignPoint(space,
                           DesignPoint{form.beta, form.designPoint, form.alpha, form.gradientNorm});
}

std::vector<BeamDesignPoint> beamDesignPoints(const BeamSpace& space, const FormResult& form) {
    std::vector<BeamDesignPoint> points;
    if (!form.converged) return points;
    for (const DesignPoint& found : form.designPoints)
        if (auto point = beamDesignPoint(space, found)) points.push_back(std::move(*point));
    return points;
}

std::optional<BeamDesignPoint> beamDesignPoint(const BeamSpace& space, const DesignPoint& found) {
    if (static_cast<int>(found.point.size()) != space.dimension() ||
        found.alpha.size() != found.point.size())
        return std::nullopt;
    const PhysicalPoint at = space.physical(found.point);
    const PhysicalPoint origin = space.physical(std::vector<double>(found.point.size(), 0.0));
    if (at.fault || origin.fault) return std::nullopt;
    BeamDesignPoint point;
    point.beta = found.beta;
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        const auto variable = static_cast<InputVariable>(i);
        const CoordinateRange range = space.coordinates(variable);
        InputDesignPoint& input = point.inputs[i];
        input.variable = variable;
        input.branch = space.inputs().branch[i];
        input.value = at.values[i];
        input.originValue = origin.values[i];
        const auto first = found.point.begin() + range.first;
        input.standard.assign(first, first + range.count);
        const auto alpha = found.alpha.begin() + range.first;
        input.alpha.assign(alpha, alpha + range.count);
        for (double a : input.alpha) input.importance += a * a;
    }
    const auto values = effectAndResistance(at.values);
    point.effect = values.effect;
    point.resistance = values.resistance;
    return point;
}

}  // namespace ferrolith::reliability
