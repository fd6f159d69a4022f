#include "reliability/sampling_end.hpp"

namespace ferrolith::reliability {

std::string_view samplingEndName(SamplingEnd end) {
    switch (end) {
        case SamplingEnd::TargetCov:
            return "target-cov";
        case SamplingEnd::Cap:
            return "cap";
        case SamplingEnd::Count:
            break;
    }
    return "count";
}

}  // namespace ferrolith::reliability
