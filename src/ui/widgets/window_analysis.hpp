#pragma once

#include <QObject>

#include "analysis/analysis.hpp"

namespace ferrolith {

// The windows' state: the analysis of the study loaded or last run. The widgets show it and edit
// it through here, and hear of each change.
class WindowAnalysis : public QObject {
    Q_OBJECT

  public:
    const Analysis& current() const { return analysis_; }

    // A run ended: a new analysis in place of the old.
    void replace(Analysis analysis);
    // A study was opened: a new analysis, not run, in place of the old.
    void load(Analysis analysis);
    void setTarget(const TargetBasis& target);
    void setLoadRole(InputVariable load, LoadRole role);
    void setProjectDetails(const ProjectDetails& details);
    // The study was saved under this file name.
    void setStudyName(std::string name);
    // Keeps a method run on the current study's inputs; false for a method of other inputs.
    bool addMethod(reliability::MethodResult method);
    // Keeps a design for the target searched on the study searched, when it is the current
    // study's inputs and target; false otherwise.
    bool setDesignForTarget(const Study& searched, DesignForTarget design);

  signals:
    // A new analysis took the old one's place.
    void replaced();
    // What took its place is a study opened, not run.
    void loaded();
    // The target, a load's role, the project details, the methods or the design changed, or the
    // analysis was replaced.
    void changed();

  private:
    Analysis analysis_;
};

}  // namespace ferrolith
