#include "ui/methods/method_worker.hpp"

namespace ferrolith {

namespace {

// The method's message boxes, kept for the window to show once the method has ended.
class MessageCollector : public RunObserver {
  public:
    explicit MessageCollector(std::vector<std::string>& messages) : messages_(messages) {}
    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view>, MessageIcon,
                             MessageButtons) override {
        messages_.emplace_back(prompt);
        return MessageResult::Ok;
    }
    SaveOutcome saveReport(const RunResult&) override { return SaveOutcome::NotAsked; }
    bool stopRequested() override { return false; }

  private:
    std::vector<std::string>& messages_;
};

}  // namespace

MethodWorker::MethodWorker(QObject* parent) : QObject(parent) {
    connect(&thread_, &WorkThread::ended, this, &MethodWorker::threadEnded);
}

MethodWorker::~MethodWorker() { cancel_ = true; }

void MethodWorker::start(const RunRequest& request, const MethodOptions& options) {
    if (thread_.running()) return;
    cancel_ = false;
    messages_.clear();
    const reliability::MethodProgress progress{
        [this](std::int64_t done, std::int64_t total) { report(done, total); }, &cancel_};
    thread_.start([this, request, options, progress] {
        MessageCollector collector(messages_);
        result_ = runMethod(request, options, collector, progress);
    });
}

void MethodWorker::report(std::int64_t done, std::int64_t total) {
    done_ = done;
    total_ = total;
    // One update waits at a time; it shows the latest count when it is handled.
    if (reportWaiting_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            reportWaiting_ = false;
            if (running()) emit progressed(done_.load(), total_.load());
        },
        Qt::QueuedConnection);
}

void MethodWorker::threadEnded() {
    // The last count, should its update still be waiting.
    if (total_ > 0) emit progressed(done_.load(), total_.load());
    done_ = 0;
    total_ = 0;
    emit finished();
}

}  // namespace ferrolith
