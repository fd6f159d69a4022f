#pragma once

#include <QObject>
#include <optional>
#include <string>

#include "analysis/design_for_target.hpp"
#include "ui/widgets/work_thread.hpp"

namespace ferrolith {

// Runs one design for the target at a time on a thread of its own, so that the window stays
// responsive; finished is sent on the window's thread once it has ended. Nothing of the window
// is touched from the search's thread. Destroying it waits for a search under way: it takes a
// fraction of a second.
class DesignWorker : public QObject {
    Q_OBJECT

  public:
    explicit DesignWorker(QObject* parent = nullptr);

    bool running() const { return thread_.running(); }
    // Starts the search unless one is under way.
    void start(const Study& study, const DesignRequest& request);

    // Set when finished is sent: the study searched, the design, or why there is none.
    const Study& study() const { return study_; }
    const std::optional<DesignForTarget>& result() const { return result_; }
    const std::string& failure() const { return failure_; }
    double seconds() const { return seconds_; }

  signals:
    void finished();

  private:
    Study study_;
    std::optional<DesignForTarget> result_;
    std::string failure_;
    double seconds_ = 0.0;
    WorkThread thread_;  // last: it waits for the search before the members above go
};

}  // namespace ferrolith
