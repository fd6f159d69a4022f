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
};

// One run of FORM, SORM, importance sampling or independent Monte Carlo (with the study's counts)
// on the request's study: a count or parameter text that does not convert and faulty data are the
// design run's message boxes, through observer. A study
// without a seed takes one from the clock; the result records it. observer's messageBox is
// called on the calling thread. progress is told of importance sampling's blocks or independent
// Monte Carlo's repetitions on the method's worker threads; a method it cancels ends Stopped.
reliability::MethodResult runMethod(const RunRequest& request, const MethodOptions& options,
                                    RunObserver& observer,
                                    const reliability::MethodProgress& progress = {});

}  // namespace ferrolith
