#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "reliability/method_result.hpp"
#include "session/method_run.hpp"
#include "ui/widgets/work_thread.hpp"

namespace ferrolith {

// Runs one method at a time on a thread of its own, so that the window stays responsive. The
// method's progress comes back as progressed signals, at most one waiting at a time; its
// messages are collected and handed over with the result, on the window's thread. Nothing of
// the window is touched from the method's threads.
class MethodWorker : public QObject {
    Q_OBJECT

  public:
    explicit MethodWorker(QObject* parent = nullptr);
    // Cancels a method under way and waits for it.
    ~MethodWorker() override;

    bool running() const { return thread_.running(); }
    // Starts the method unless one is under way.
    void start(const RunRequest& request, const MethodOptions& options);
    // Asks the method under way to stop before its next block or repetition.
    void cancel() { cancel_ = true; }

    // The last method's result and the messages it gave, in order; set when finished is sent.
    const reliability::MethodResult& result() const { return result_; }
    const std::vector<std::string>& messages() const { return messages_; }

  signals:
    void progressed(qint64 done, qint64 total);
    void finished();

  private:
    void report(std::int64_t done, std::int64_t total);
    void threadEnded();

    std::atomic<bool> cancel_{false};
    std::atomic<std::int64_t> done_{0};
    std::atomic<std::int64_t> total_{0};
    std::atomic<bool> reportWaiting_{false};
    reliability::MethodResult result_;
    std::vector<std::string> messages_;
    WorkThread thread_;  // last: it waits for the method before the members above go
};

}  // namespace ferrolith
