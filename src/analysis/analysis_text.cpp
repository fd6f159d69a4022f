#include "analysis/analysis_text.hpp"

namespace ferrolith::analysis_text {

std::string methodInText(reliability::Method method) {
    switch (method) {
        case reliability::Method::MonteCarlo:
            return "the design run";
        case reliability::Method::Form:
            return "FORM";
        case reliability::Method::Sorm:
            return "SORM";
        case reliability::Method::ImportanceSampling:
            return "importance sampling";
        case reliability::Method::IndependentMonteCarlo:
            return "independent Monte Carlo";
        case reliability::Method::SubsetSimulation:
            return "subset simulation";
    }
    return {};
}

}  // namespace ferrolith::analysis_text
