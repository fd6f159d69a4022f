#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "session/run_observer.hpp"
#include "ui/main/run_news.hpp"
#include "ui/widgets/work_thread.hpp"

namespace ferrolith {

// Runs one design run at a time (what Calculate does) on a thread of its own, so that the window
// only paints. What the run tells is gathered there and pushed to this object's thread at most
// once a push interval, one push waiting at a time, and at once before each question and at the
// end; the listeners are told it there. The run's message boxes and the save question are asked
// there too, with everything told first, while the run waits for the answer. Nothing of the
// window is touched from the run's thread, and nothing of the run's own result from this one.
class RunWorker : public QObject {
    Q_OBJECT

  public:
    static constexpr std::chrono::milliseconds defaultPushInterval{33};  // about 30 a second

    explicit RunWorker(QObject* parent = nullptr);
    // Stops a run under way at its next repetition, answers a question it waits on as a closed
    // box would (OK, or No to the save question) and waits for it.
    ~RunWorker() override;

    bool running() const { return thread_.running(); }
    // Starts a run of request unless one is under way. listeners are told what the run tells and
    // questions answers it, on this object's thread, until finished is sent.
    void start(const RunRequest& request, RunQuestions& questions,
               std::vector<RunListener*> listeners);
    // The run under way stops at its next repetition boundary, with nothing more asked.
    void requestStop() { stop_ = true; }
    // The shortest time between two pushes of the runs started from now on.
    void setPushInterval(std::chrono::milliseconds interval) { pushInterval_ = interval; }

    // Set when finished is sent: the run's final result (RunResult{} when the run failed with an
    // exception), and that exception's text, empty when there was none.
    RunResult& result() { return result_; }
    const std::string& failure() const { return failure_; }

  signals:
    // The run has ended and every listener was told runEnded.
    void finished();

  private:
    class RunSide;

    // On the run's thread: hands what was gathered to this object's thread, unless a push is
    // waiting already; true when this one was sent.
    bool push();
    // On the run's thread: asks question on this object's thread, after telling everything
    // gathered, and waits for the answer; ifAbandoned when the worker goes first.
    template <class Answer>
    Answer ask(const std::function<Answer()>& question, Answer ifAbandoned);
    // On this object's thread: tells the listeners everything gathered so far.
    void tellNews();
    void threadEnded();

    RunQuestions* questions_ = nullptr;
    std::vector<RunListener*> listeners_;
    std::chrono::milliseconds pushInterval_ = defaultPushInterval;
    std::atomic<bool> stop_{false};
    std::atomic<bool> pushWaiting_{false};
    std::mutex mutex_;
    std::condition_variable answered_;
    RunNews news_;            // guarded by mutex_
    bool abandoned_ = false;  // guarded by mutex_
    RunResult shown_;         // the run as the listeners were told it, on this object's thread
    RunResult result_;
    std::string failure_;
    WorkThread thread_;  // last: it waits for the run before the members above go
};

}  // namespace ferrolith
