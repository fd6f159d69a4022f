#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "reliability/subset_simulation.hpp"

namespace ferrolith::reliability {

// The stream of chain c of level l (0: the samples drawn directly, in blocks of one chain's
// length) of run r: one for each, within subsetStreamBase's range for up to 2^20 runs, 256 levels
// and 2^32 chains.
std::uint64_t subsetStream(int run, int level, std::int64_t chain);

// One run, or why it has no figures.
struct SubsetRunOutcome {
    SubsetRun run;
    std::optional<InputFault> fault;  // the first faulty point, in chain order
    std::string message;              // the level cap was reached
    bool cancelled = false;
};

// Run number run of subset simulation with checked options. progress is told of the samples drawn
// of the levels begun, counting on from drawnBefore, which the run advances.
SubsetRunOutcome subsetRun(const LimitStateFunction& g, const SubsetOptions& options, int run,
                           const MethodProgress& progress, std::int64_t& drawnBefore);

}  // namespace ferrolith::reliability
