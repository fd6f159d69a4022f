#include "engine/repetition_schedule.hpp"

#include <tbb/parallel_for.h>
#include <tbb/task_group.h>

#include <algorithm>
#include <new>

#include "engine/thread_arena.hpp"

namespace ferrolith {

struct RepetitionSchedule::Workers {
    explicit Workers(int threads) : arena(threadArena(threads)), helpers(threads - 1) {}
    tbb::task_arena arena;
    tbb::task_group group;
    int helpers;  // one thread fewer than asked for: the collecting thread is the last, in wait
};

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
        w.group.run([this, &w] {
            tbb::parallel_for(0, w.helpers, [this](int) {
                while (!stopping_.load(std::memory_order_relaxed) && computeNext()) {
                }
            });
        });
    });
}

RepetitionSchedule::~RepetitionSchedule() { stop(); }

bool RepetitionSchedule::computeNext() {
    const int r = next_.fetch_add(1);
    if (r > last_.load()) return false;
    SystemRandom stream = stream_;
    stream.advance(static_cast<std::uint64_t>(r - 1) * inputs_.streamPerRepetition());
    try {
        results_[r] =
            computeRepetition(inputs_, stream, r == repetitions_ ? &lastRepetition_ : nullptr);
    } catch (const std::bad_alloc&) {
        // The vector kernel's buffer could not be had: the run ends as at faulty data, as a
        // failed draw ends it, and the collecting thread hears of it rather than waits for a
        // repetition that never comes.
        results_[r] = RepetitionResult::faulty({dataFaultMessage, 1, 0});
    }
    if (results_[r].fault) {
        for (int last = last_.load(); r < last && !last_.compare_exchange_weak(last, r);) {
        }
    }
    done_[r].store(1, std::memory_order_release);
    done_[r].notify_all();
    return true;
}

const RepetitionResult& RepetitionSchedule::wait(int r) {
    // The collecting thread computes repetitions of its own in the arena until r is done or
    // none is left to take.
    while (done_[r].load(std::memory_order_acquire) == 0 &&
           workers_->arena.execute([this] { return computeNext(); })) {
    }
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
