#include "failure_statistics/distribution_histograms.hpp"

#include <vector>

namespace ferrolith {

DistributionHistograms distributionHistograms(std::span<const double> effect,
                                              std::span<const double> resist) {
    std::vector<double> margin(effect.size());
    for (std::size_t i = 0; i < effect.size() && i < resist.size(); ++i)
        margin[i] = resist[i] - effect[i];
    const ValueRange moments = finiteRange({effect, resist});
    return {sampleHistogram(effect, moments, distributionBins),
            sampleHistogram(resist, moments, distributionBins),
            sampleHistogram(margin, finiteRange({margin}), distributionBins)};
}

}  // namespace ferrolith
