#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "engine/repetition.hpp"

namespace ferrolith {

// Computes a run's repetitions on worker threads and on the collecting thread while it waits,
// taken in order, and hands them to the collecting thread in order. Each repetition starts at its
// own place in the session stream, so the results do not depend on the number of threads.
class RepetitionSchedule {
  public:
    // stream: the session stream where the first repetition starts. lastRepetition receives
    // the per-sample results of repetition M.
    RepetitionSchedule(const RepetitionInputs& inputs, const SystemRandom& stream, int repetitions,
                       int threads, SampleArrays lastRepetition);
    ~RepetitionSchedule();  // stops and waits for the workers

    RepetitionSchedule(const RepetitionSchedule&) = delete;
    RepetitionSchedule& operator=(const RepetitionSchedule&) = delete;

    // Blocks until repetition r (1 to M) is computed, computing the next ones meanwhile.
    const RepetitionResult& wait(int r);

    // Starts no further repetition and waits for those under way.
    void stop();

  private:
    struct Workers;
    // Computes the next repetition not taken yet: false when none is left.
    bool computeNext();

    const RepetitionInputs inputs_;
    const SystemRandom stream_;
    const int repetitions_;
    const SampleArrays lastRepetition_;
    std::vector<RepetitionResult> results_;
    std::unique_ptr<std::atomic<int>[]> done_;
    std::atomic<int> next_{1};
    std::atomic<int> last_;  // no repetition after a faulty one is started
    std::atomic<bool> stopping_{false};
    std::unique_ptr<Workers> workers_;
};

}  // namespace ferrolith
