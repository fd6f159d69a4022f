#include "engine/repetition_schedule.hpp"

#include <tbb/global_control.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>
#include <tbb/task_group.h>

namespace ferrolith {

struct RepetitionSchedule::Workers {
    explicit Workers(int threads)
        : parallelism(tbb::global_control::max_allowed_parallelism,
                      static_cast<std::size_t>(threads) + 1),
          arena(threads, 0),  // no slot kept for the window's thread: it only collects
          count(threads) {}
    tbb::global_control parallelism;
    tbb::task_arena arena;
    tbb::task_group group;
    int count;
};

int defaultThreadCount() { return tbb::info::default_concurrency(); }

RepetitionSchedule::RepetitionSchedule(const RepetitionInputs& inputs, const SystemRandom& stream,
                                       int repetitions, int threads, SampleArrays lastRepetition)
    : inputs_(inputs),
      stream_(stream),
      repetitions_(repetitions),
      lastRepetition_(lastRepetition),
      results_(static_cast<std::size_t>(repetitions) + 1),
      done_(new std::atomic<int>[static_cast<std::size_t>(repetitions) + 1]),
      last_(repetitions),
      workers_(std::make_unique<Workers>(std::max(threads, 1))) {
    for (int r = 0; r <= repetitions; ++r) done_[r].store(0, std::memory_order_relaxed);
    Workers& w = *workers_;
    w.arena.execute([this, &w] {
        w.group.run([this, &w] { tbb::parallel_for(0, w.count, [this](int) { work(); }); });
    });
}

RepetitionSchedule::~RepetitionSchedule() { stop(); }

void RepetitionSchedule::work() {
    while (!stopping_.load(std::memory_order_relaxed)) {
        const int r = next_.fetch_add(1);
        if (r > last_.load()) return;
        SystemRandom stream = stream_;
        stream.advance(static_cast<std::uint64_t>(r - 1) * inputs_.streamPerRepetition());
        try {
            results_[r] =
                computeRepetition(inputs_, stream, r == repetitions_ ? &lastRepetition_ : nullptr);
        } catch (...) {
            // A failure while drawing is faulty data, as drawInput treats it; the window's
            // thread must hear of it rather than wait for a repetition that never comes.
            results_[r] = RepetitionResult{};
            results_[r].fault = DataFault{dataFaultMessage, 1, 0};
        }
        if (results_[r].fault) {
            for (int last = last_.load(); r < last && !last_.compare_exchange_weak(last, r);) {
            }
        }
        done_[r].store(1, std::memory_order_release);
        done_[r].notify_all();
    }
}

const RepetitionResult& RepetitionSchedule::wait(int r) {
    done_[r].wait(0, std::memory_order_acquire);
    return results_[r];
}

void RepetitionSchedule::stop() {
    if (!workers_) return;
    stopping_ = true;
    Workers& w = *workers_;
    w.arena.execute([&w] { w.group.wait(); });
    workers_.reset();
}

}  // namespace ferrolith
