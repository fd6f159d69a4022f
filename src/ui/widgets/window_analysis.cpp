#include "ui/widgets/window_analysis.hpp"

namespace ferrolith {

void WindowAnalysis::replace(Analysis analysis) {
    analysis_ = std::move(analysis);
    emit replaced();
    emit changed();
}

void WindowAnalysis::load(Analysis analysis) {
    replace(std::move(analysis));
    emit loaded();
}

void WindowAnalysis::setTarget(const TargetBasis& target) {
    if (target == analysis_.target()) return;
    analysis_.setTarget(target);
    emit changed();
}

void WindowAnalysis::setLoadRole(InputVariable load, LoadRole role) {
    if (role == roleOf(analysis_.study(), load)) return;
    analysis_.setLoadRole(load, role);
    emit changed();
}

void WindowAnalysis::setProjectDetails(const ProjectDetails& details) {
    if (details == analysis_.study().project) return;
    analysis_.setProjectDetails(details);
    emit changed();
}

void WindowAnalysis::setStudyName(std::string name) {
    analysis_.setStudyName(std::move(name));
    emit changed();
}

bool WindowAnalysis::addMethod(reliability::MethodResult method) {
    if (!analysis_.addMethod(std::move(method))) return false;
    emit changed();
    return true;
}

bool WindowAnalysis::setDesignForTarget(const Study& searched, DesignForTarget design) {
    if (!analysis_.setDesignForTarget(searched, std::move(design))) return false;
    emit changed();
    return true;
}

}  // namespace ferrolith
