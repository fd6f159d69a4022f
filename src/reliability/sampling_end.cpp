#include "reliability/sampling_end.hpp"

#include "reliability/reliability_text.hpp"

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

std::string_view samplingEndText(SamplingEnd end) {
    switch (end) {
        case SamplingEnd::TargetCov:
            return text::endedOnTarget;
        case SamplingEnd::Cap:
            return text::endedOnCap;
        case SamplingEnd::Count:
            break;
    }
    return text::endedOnCount;
}

}  // namespace ferrolith::reliability
