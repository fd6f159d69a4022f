#include "results_file/run_record.hpp"

namespace ferrolith {

RunRecord RunRecord::of(const SimulationRun& run, RunOutcome outcome, std::string report) {
    return RunRecord{run.state(),       *run.lastStudy(), run.engine(),
                     run.threadsUsed(), outcome,          std::move(report)};
}

}  // namespace ferrolith
