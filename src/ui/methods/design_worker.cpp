#include "ui/methods/design_worker.hpp"

#include <chrono>

#include "model/parse_parameter.hpp"

namespace ferrolith {

DesignWorker::DesignWorker(QObject* parent) : QObject(parent) {
    connect(&thread_, &WorkThread::ended, this, &DesignWorker::finished);
}

void DesignWorker::start(const Study& study, const DesignRequest& request) {
    if (thread_.running()) return;
    study_ = study;
    result_.reset();
    failure_.clear();
    thread_.start([this, request] {
        const auto start = std::chrono::steady_clock::now();
        try {
            result_ = designForTarget(study_, request);
        } catch (const ParameterError& e) {
            failure_ = e.what();
        }
        seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
}

}  // namespace ferrolith
