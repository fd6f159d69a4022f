#include "failure_statistics/failure_figures.hpp"

#include <algorithm>
#include <cmath>

#include "failure_statistics/reliability_index.hpp"

namespace ferrolith {

std::string_view talliesProblem(std::span<const RepetitionTally> tallies) {
    if (tallies.empty()) return "No repetition has completed.";
    for (const RepetitionTally& t : tallies) {
        if (t.samples < 1) return "A repetition holds no samples.";
        if (t.failures < 0 || t.failures > t.samples)
            return "A repetition counts more failures than samples.";
        if (t.seed < 0 || t.seed > largestRepetitionSeed)
            return "A repetition's seed lies outside 0 to 31328.";
    }
    return {};
}

std::optional<FailureFigures> failureFigures(std::span<const RepetitionTally> tallies,
                                             int plannedRepetitions, RunStatus status) {
    if (!talliesProblem(tallies).empty()) return std::nullopt;
    RunTotals totals;
    for (const RepetitionTally& t : tallies) totals.add(t);

    FailureFigures f;
    f.status = status;
    f.repetitions = static_cast<int>(tallies.size());
    f.plannedRepetitions = plannedRepetitions;
    f.samples = totals.samples;
    f.fewestSamples =
        std::min_element(tallies.begin(), tallies.end(), [](const auto& a, const auto& b) {
            return a.samples < b.samples;
        })->samples;
    f.failures = totals.failures;
    f.failureProbability = static_cast<double>(f.failures) / static_cast<double>(f.samples);
    f.wilson = wilsonInterval(f.failures, f.samples);
    f.reliabilityIndex = reliabilityIndex(f.failureProbability);
    f.reliabilityInterval = {reliabilityIndex(f.wilson.upper), reliabilityIndex(f.wilson.lower)};
    if (f.failures > 0) {
        const double pf = f.failureProbability;
        f.variation = std::sqrt((1 - pf) / (pf * static_cast<double>(f.samples)));
        // Samples over failures: 1 / pf would round twice (50000 / 2 gives 24999.999999999996).
        f.returnPeriod = static_cast<double>(f.samples) / static_cast<double>(f.failures);
    }
    f.streams = streamSpread(tallies);
    f.importance = inputImportance(totals);
    return f;
}

std::vector<ConvergencePoint> convergence(std::span<const RepetitionTally> tallies) {
    std::vector<ConvergencePoint> points;
    if (!talliesProblem(tallies).empty()) return points;
    points.reserve(tallies.size());
    std::int64_t samples = 0;
    std::int64_t failures = 0;
    for (const RepetitionTally& t : tallies) {
        samples += t.samples;
        failures += t.failures;
        points.push_back({samples, static_cast<double>(failures) / static_cast<double>(samples),
                          wilsonInterval(failures, samples)});
    }
    return points;
}

}  // namespace ferrolith
