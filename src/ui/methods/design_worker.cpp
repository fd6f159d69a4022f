#include "ui/methods/design_worker.hpp"

#include <QThread>
#include <chrono>

#include "model/parse_parameter.hpp"

namespace ferrolith {

DesignWorker::DesignWorker(QObject* parent) : QObject(parent) {}

DesignWorker::~DesignWorker() {
    if (!thread_) return;
    thread_->wait();
    delete thread_;
}

void DesignWorker::start(const Study& study, const DesignRequest& request) {
    if (thread_) return;
    study_ = study;
    result_.reset();
    failure_.clear();
    thread_ = QThread::create([this, request] {
        const auto start = std::chrono::steady_clock::now();
        try {
            result_ = designForTarget(study_, request);
        } catch (const ParameterError& e) {
            failure_ = e.what();
        }
        seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    // Sent on the search's thread, answered on this object's.
    connect(thread_, &QThread::finished, this, &DesignWorker::threadEnded);
    thread_->start();
}

void DesignWorker::threadEnded() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    emit finished();
}

}  // namespace ferrolith
