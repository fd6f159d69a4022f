#include "ui/results/project_form.hpp"

#include <QFormLayout>
#include <QLineEdit>

#include "ui/widgets/results_texts.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

ProjectForm::ProjectForm(WindowAnalysis& analysis, WindowDialogs& dialogs)
    : QGroupBox(text(results_text::projectCaption)), analysis_(analysis), dialogs_(dialogs) {
    setObjectName(QStringLiteral("projectForm"));
    setToolTip(text(results_text::projectHint));
    auto* layout = new QFormLayout(this);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        auto* field = new QLineEdit;
        field->setObjectName(QString::fromUtf8(
            projectFieldNames[i].data(), static_cast<qsizetype>(projectFieldNames[i].size())));
        field->setMaxLength(static_cast<int>(longestProjectText));
        connect(field, &QLineEdit::editingFinished, this,
                [this, i] { edited(static_cast<ProjectField>(i)); });
        layout->addRow(text(results_text::projectLabels[i]), field);
        fields_[i] = field;
    }
    connect(&analysis_, &WindowAnalysis::changed, this, &ProjectForm::showDetails);
    showDetails();
}

void ProjectForm::showDetails() {
    const ProjectDetails& details = analysis_.current().study().project;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const QString shown = text(fieldOf(details, static_cast<ProjectField>(i)));
        // Setting the same text again would move the cursor of the field being typed in.
        if (fields_[i]->text() != shown) fields_[i]->setText(shown);
    }
}

void ProjectForm::edited(ProjectField which) {
    const std::string typed = field(which).text().toStdString();
    ProjectDetails details = analysis_.current().study().project;
    if (typed == fieldOf(details, which)) return;
    if (const auto fault = projectTextFault(typed)) {
        showDetails();
        dialogs_.tell(window(),
                      std::string(results_text::projectLabels[static_cast<std::size_t>(which)]) +
                          " the text " + *fault + ".");
        return;
    }
    fieldOf(details, which) = typed;
    analysis_.setProjectDetails(details);
}

}  // namespace ferrolith
