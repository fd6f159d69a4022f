#include "reliability/method_result.hpp"

namespace ferrolith::reliability {

MethodAnswer emptyAnswer(Method method) {
    switch (method) {
        case Method::Sorm:
            return SormAnswer{};
        case Method::ImportanceSampling:
            return ImportanceAnswer{};
        case Method::IndependentMonteCarlo:
            return StreamsAnswer{};
        case Method::SubsetSimulation:
            return SubsetAnswer{};
        case Method::Form:
        case Method::MonteCarlo:
            break;
    }
    return FormAnswer{};
}

}  // namespace ferrolith::reliability
