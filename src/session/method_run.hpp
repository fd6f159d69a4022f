#pragma once

#include <cstdint>
#include <optional>

#include "model/run_result.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/method_result.hpp"
#include "session/run_observer.hpp"

namespace ferrolith {

struct MethodOptions {
    reliability::Method method = reliability::Method::Form;
    // With a target, the most samples importance sampling draws.
    std::int64_t importanceSamples = reliability::defaultImportanceSamples;
    // The sampling methods stop once Pf's coefficient of variation is at or below it.
    std::optional<double> targetCov = std::nullopt;
    // Subset simulation's samples a level, and the runs pooled (with a target, the most runs
    // pooled; none: one run, or targetSubsetRuns with a target), at Au and Beck's p0 and the
    // default level cap.
    std::int64_t subsetSamples = reliability::defaultSubsetSamples;
    std::optional<int> subsetRuns = std::nullopt;
};

// One run of FORM, SORM, importance sampling, independent Monte Carlo (with the study's counts) or
// subset simulation on the request's study: a count or parameter text that does not convert and
// faulty data are the design run's message boxes, through observer. A study without a seed takes
// one from the clock; the result records it. observer's messageBox is
// called on the calling thread. progress is told of importance sampling's blocks, independent
// Monte Carlo's repetitions or subset simulation's samples on the method's worker threads; a
// method it cancels ends Stopped. Subset simulation's options that cannot be run end it Failed
// with their message.
reliability::MethodResult runMethod(const RunRequest& request, const MethodOptions& options,
                                    RunObserver& observer,
                                    const reliability::MethodProgress& progress = {});

}  // namespace ferrolith
