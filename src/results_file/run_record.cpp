#include "results_file/run_record.hpp"

namespace ferrolith {

std::optional<RunRecord> RunRecord::of(const SimulationRun& run, std::string report) {
    const auto outcome = run.recordedOutcome();
    if (!outcome) return std::nullopt;
    return RunRecord{run.state(),       *run.lastStudy(), run.engine(),
                     run.threadsUsed(), *outcome,         std::move(report)};
}

}  // namespace ferrolith
