#pragma once

#include <QObject>
#include <functional>

class QThread;

namespace ferrolith {

// One piece of work at a time on a thread of its own. ended is sent on this object's thread once
// the work has returned and its thread is gone, after whatever the work queued to this thread
// before it returned. Destroying it waits for work under way: an owner declares it after the
// members the work uses, so that it goes first.
class WorkThread : public QObject {
    Q_OBJECT

  public:
    WorkThread() = default;
    ~WorkThread() override;

    bool running() const { return thread_ != nullptr; }
    // Starts work unless some is under way.
    void start(std::function<void()> work);

  signals:
    void ended();

  private:
    void threadEnded();

    QThread* thread_ = nullptr;
};

}  // namespace ferrolith
