#include "ui/widgets/work_thread.hpp"

#include <QThread>

namespace ferrolith {

WorkThread::~WorkThread() {
    if (!thread_) return;
    thread_->wait();
    delete thread_;
}

void WorkThread::start(std::function<void()> work) {
    if (thread_) return;
    thread_ = QThread::create(std::move(work));
    // Sent on the work's thread, answered on this object's.
    connect(thread_, &QThread::finished, this, &WorkThread::threadEnded);
    thread_->start();
}

void WorkThread::threadEnded() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    emit ended();
}

}  // namespace ferrolith
