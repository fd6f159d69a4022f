#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "run/default_counts.hpp"
#include "run/window_operations.hpp"
#include "support/report_helpers.hpp"

namespace ferrolith::testing {

struct ShownBox {
    std::string prompt;
    std::string title;  // the application's title when the box has none of its own
    MessageIcon icon;
    MessageButtons buttons;
};

// A window that records every operation the run performs and answers from scripts.
class FakeWindow : public WindowOperations {
  public:
    std::string repetitions{defaultRepetitionsText};
    std::string sampleSize{defaultSampleSizeText};
    std::array<std::string, inputVariableCount> params = defaultParamTexts();
    std::array<std::string, inputVariableCount> dists;
    std::string report = "Header\r\n";
    float barMin = 0, barMax = 100, barValue = 0;
    std::string label = "0/100";
    std::vector<std::string> labels;
    std::vector<ShownBox> boxes;
    std::vector<SaveDialogSettings> dialogs;
    std::deque<SaveDialogResult> dialogAnswers;  // empty: Cancel
    MessageResult saveQuestionAnswer = MessageResult::No;
    std::string folder = "/tmp";
    int appends = 0;
    int eventsProcessed = 0;
    bool closing = false;
    std::function<void(FakeWindow&)> onEvents;  // what the user does while events are processed

    std::string repetitionsText() override { return repetitions; }
    std::string sampleSizeText() override { return sampleSize; }
    std::string paramText(InputVariable v) override { return params[static_cast<int>(v)]; }
    std::string distText(InputVariable v) override { return dists[static_cast<int>(v)]; }
    std::string reportText() override { return report; }
    void setReportText(const std::string& text) override { report = text; }
    void appendReport(std::string_view piece) override {
        report.append(piece);
        ++appends;
    }
    void setProgressMin(float v) override { barMin = v; }
    void setProgressMax(float v) override { barMax = v; }
    void setProgressValue(float v) override { barValue = v; }
    float progressMax() override { return barMax; }
    float progressValue() override { return barValue; }
    void setProgressLabel(const std::string& caption) override {
        label = caption;
        labels.push_back(caption);
    }
    void processEvents() override {
        ++eventsProcessed;
        if (onEvents) onEvents(*this);
    }
    bool closeRequested() override { return closing; }
    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override {
        boxes.push_back(
            {std::string(prompt), std::string(title.value_or(applicationTitle)), icon, buttons});
        return buttons == MessageButtons::Ok ? MessageResult::Ok : saveQuestionAnswer;
    }
    SaveDialogResult showSaveDialog(const SaveDialogSettings& settings) override {
        dialogs.push_back(settings);
        if (dialogAnswers.empty()) return {true, {}};
        SaveDialogResult r = dialogAnswers.front();
        dialogAnswers.pop_front();
        return r;
    }
    std::string saveFolder() override { return folder; }
};

}  // namespace ferrolith::testing
