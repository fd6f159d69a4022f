#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>

#include "run/default_counts.hpp"
#include "run/window_operations.hpp"

namespace ferrolith {

// What the headless driver was asked to run.
struct TerminalInputs {
    std::string repetitions{defaultRepetitionsText};
    std::string sampleSize{defaultSampleSizeText};
    std::array<std::string, inputVariableCount> paramTexts;   // the window's defaults
    std::array<std::string, inputVariableCount> distChoices;  // empty: nothing chosen
    std::optional<std::string> outputFile;  // answer the save question with Yes, saving here

    TerminalInputs();
};

// The window operations for a terminal: the report collects in memory, message boxes go to the
// error stream as one line each, and the save question is answered from the options.
class TerminalWindow : public WindowOperations {
  public:
    TerminalWindow(TerminalInputs inputs, std::ostream& messages);

    const std::string& report() const { return report_; }

    std::string repetitionsText() override { return inputs_.repetitions; }
    std::string sampleSizeText() override { return inputs_.sampleSize; }
    std::string paramText(InputVariable v) override;
    std::string distText(InputVariable v) override;

    std::string reportText() override { return report_; }
    void setReportText(const std::string& text) override { report_ = text; }
    void appendReport(std::string_view piece) override { report_.append(piece); }

    void setProgressMin(float) override {}
    void setProgressMax(float value) override { progressMax_ = value; }
    void setProgressValue(float value) override { progressValue_ = value; }
    float progressMax() override { return progressMax_; }
    float progressValue() override { return progressValue_; }
    void setProgressLabel(const std::string&) override {}

    void processEvents() override {}
    bool closeRequested() override { return false; }

    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override;
    SaveDialogResult showSaveDialog(const SaveDialogSettings& settings) override;
    std::string saveFolder() override;

  private:
    TerminalInputs inputs_;
    std::ostream& messages_;
    std::string report_;
    float progressMax_ = 100.0f;
    float progressValue_ = 0.0f;
};

}  // namespace ferrolith
