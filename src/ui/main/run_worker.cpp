#include "ui/main/run_worker.hpp"

#include <exception>
#include <optional>

#include "session/simulation_run.hpp"

namespace ferrolith {

// The worker's observer on the run's thread. The report's pieces wait there until the repetition
// they belong to is complete, or a question or the end comes, and are then gathered for the
// window with the repetitions' figures.
class RunWorker::RunSide : public RunObserver {
  public:
    RunSide(RunWorker& worker, std::chrono::milliseconds interval)
        : worker_(worker), interval_(interval) {}

    void runStarted(const RunResult& run) override {
        {
            std::lock_guard lock(worker_.mutex_);
            worker_.news_.started = run;
        }
        // The report box empties as soon as the run starts.
        pushNow();
    }
    void reportAppended(std::string_view piece) override { pieces_ += piece; }
    void repetitionFinished(const RunResult& run) override {
        gatherRepetitions(run);
        if (Clock::now() - lastPush_ >= interval_) pushNow();
    }
    void runEnded(const RunResult&) override { gatherPieces(); }

    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override {
        gatherPieces();
        // A box the window no longer shows counts as closed: OK, or No to Yes and No.
        const MessageResult closed =
            buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::No;
        return worker_.ask<MessageResult>(
            [&] { return worker_.questions_->messageBox(prompt, title, icon, buttons); }, closed);
    }
    SaveOutcome saveReport(const RunResult&) override {
        gatherPieces();
        // The window saves what it shows, with everything the run wrote.
        return worker_.ask<SaveOutcome>(
            [&] { return worker_.questions_->saveReport(worker_.shown_); }, SaveOutcome::Cancelled);
    }
    bool stopRequested() override { return worker_.stop_; }

  private:
    using Clock = std::chrono::steady_clock;

    void gatherPieces() {
        if (pieces_.empty()) return;
        std::lock_guard lock(worker_.mutex_);
        worker_.news_.trailing += pieces_;
        pieces_.clear();
    }

    void gatherRepetitions(const RunResult& run) {
        const auto from = static_cast<std::ptrdiff_t>(gathered_);
        std::lock_guard lock(worker_.mutex_);
        RunNews& news = worker_.news_;
        news.report += pieces_;
        news.repetitions.insert(news.repetitions.end(), run.repetitions.begin() + from,
                                run.repetitions.end());
        news.tallies.insert(news.tallies.end(), run.tallies.begin() + from, run.tallies.end());
        if (!run.lastEffect.empty()) {
            news.lastEffect = run.lastEffect;
            news.lastResist = run.lastResist;
        }
        gathered_ = run.repetitions.size();
        pieces_.clear();
    }

    void pushNow() {
        if (worker_.push()) lastPush_ = Clock::now();
    }

    RunWorker& worker_;
    const std::chrono::milliseconds interval_;
    std::string pieces_;
    std::size_t gathered_ = 0;  // repetitions gathered so far
    Clock::time_point lastPush_;
};

RunWorker::RunWorker(QObject* parent) : QObject(parent) {
    // Queued from the run's thread after every push the run made.
    connect(&thread_, &WorkThread::ended, this, &RunWorker::threadEnded);
}

RunWorker::~RunWorker() {
    stop_ = true;
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
    }
    answered_.notify_all();
}

void RunWorker::start(const RunRequest& request, RunQuestions& questions,
                      std::vector<RunListener*> listeners) {
    if (thread_.running()) return;
    questions_ = &questions;
    listeners_ = std::move(listeners);
    std::erase(listeners_, nullptr);
    stop_ = false;
    failure_.clear();
    news_ = RunNews{};
    thread_.start([this, request, interval = pushInterval_] {
        RunSide side(*this, interval);
        try {
            result_ = runSimulation(request, side);
        } catch (const std::exception& e) {
            // The run reports its own failures; this keeps the window alive should one slip past.
            result_ = RunResult{};
            failure_ = e.what();
        }
    });
}

bool RunWorker::push() {
    if (pushWaiting_.exchange(true)) return false;
    QMetaObject::invokeMethod(this, &RunWorker::tellNews, Qt::QueuedConnection);
    return true;
}

template <class Answer>
Answer RunWorker::ask(const std::function<Answer()>& question, Answer ifAbandoned) {
    std::optional<Answer> answer;
    QMetaObject::invokeMethod(
        this,
        [this, &question, &answer] {
            tellNews();
            const Answer given = question();
            std::lock_guard lock(mutex_);
            answer = given;
            answered_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [&] { return answer.has_value() || abandoned_; });
    return answer.value_or(ifAbandoned);
}

void RunWorker::tellNews() {
    pushWaiting_ = false;
    RunNews news;
    {
        std::lock_guard lock(mutex_);
        std::swap(news, news_);
    }
    news.tell(shown_, listeners_);
}

void RunWorker::threadEnded() {
    tellNews();
    for (RunListener* l : listeners_) l->runEnded(result_);
    emit finished();
}

}  // namespace ferrolith
