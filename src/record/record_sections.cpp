#include "record/record_sections.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "analysis/agreement.hpp"
#include "analysis/answer_summary.hpp"
#include "analysis/design_points_text.hpp"
#include "analysis/design_values.hpp"
#include "analysis/input_laws.hpp"
#include "analysis/period_text.hpp"
#include "failure_statistics/figure_text.hpp"
#include "record/design_section.hpp"
#include "record/method_blocks.hpp"
#include "record/record_blocks.hpp"
#include "record/record_plots.hpp"
#include "record/record_texts.hpp"
#include "record/report_lines.hpp"

namespace ferrolith {

namespace {

void titleBlock(PageFlow& flow, const CalculationRecord& record) {
    addParagraph(flow, record_text::title, flow.style().title);
    addParagraph(flow,
                 record_text::programLine() + ". " +
                     record_text::runTimeLine(record.analysis.startedAt()) + ".",
                 flow.style().body);
}

// The question, the answer with the estimate that gives it and those that check it, and who
// signs for it.
void summarySection(PageFlow& flow, const Analysis& analysis) {
    addHeading(flow, record_text::summaryHeading);
    const AnswerSummary summary = answerSummary(analysis);
    RecordLines lines{
        {record_text::question, record_text::questionText + basisText(analysis.target()) + "?"}};
    if (summary.answer) {
        const Estimate& answer = summary.answer->estimate;
        lines.emplace_back(record_text::answer,
                           verdictText(summary.answer->verdict, analysis.target()) + ": " +
                               estimateFiguresText(answer));
        lines.emplace_back(record_text::givenBy, record_text::methodTitle(answer.method));
    } else {
        const auto& form = analysis.form();
        lines.emplace_back(
            record_text::answer,
            record_text::noAnswer + (form ? estimateFiguresText(formEstimate(*form, std::nullopt))
                                          : std::string(record_text::noForm)));
    }
    if (summary.checks.empty())
        lines.emplace_back(record_text::checkedBy, record_text::nothingChecks);
    for (const JudgedEstimate& check : summary.checks)
        lines.emplace_back(record_text::checkedBy,
                           record_text::methodTitle(check.estimate.method) + ": " +
                               estimateFiguresText(check.estimate) + ", " +
                               verdictText(check.verdict, analysis.target()));
    addLabelledLines(flow, lines);
    const ProjectDetails& project = analysis.study().project;
    const auto given = [](const std::string& text) {
        return text.empty() ? std::string(record_text::notGiven) : text;
    };
    addLabelledLines(flow, {{record_text::project, given(project.project)},
                            {record_text::engineer, given(project.engineer)},
                            {"", record_text::signatureLine},
                            {record_text::checker, given(project.checker)},
                            {"", record_text::signatureLine}});
}

// E and R as the program computes them, and when the beam fails.
void limitStateSection(PageFlow& flow) {
    addHeading(flow, record_text::limitStateHeading);
    for (const char* text :
         {record_text::effectFormula, record_text::resistanceFormula, record_text::failureRule})
        addParagraph(flow, text, flow.style().body);
}

// What the variable loads' laws describe, each load's role, and that the inputs are independent.
void basisSection(PageFlow& flow, const Study& study) {
    addHeading(flow, record_text::basisHeading);
    RecordLines lines{
        {record_text::referencePeriod, record_text::periodText(years(study.target.period))},
        {record_text::target, basisText(study.target)}};
    for (InputVariable load : loadVariables)
        lines.emplace_back(std::string(info(load).caption),
                           roleOf(study, load) == LoadRole::Variable
                               ? record_text::variableLoadMeaning
                               : record_text::permanentLoadMeaning);
    addLabelledLines(flow, lines);
    addParagraph(flow, record_text::independence, flow.style().body);
}

std::string figureOrNone(const std::optional<double>& figure) {
    return figure ? formatFigure(*figure) : record_text::noFigure;
}

std::string characteristicText(const InputLaw& law) {
    if (!law.characteristic || std::isnan(law.characteristic->value)) return record_text::noFigure;
    return formatFigure(law.characteristic->value) + " (" + law.characteristic->basis + ")";
}

void studySection(PageFlow& flow, const Study& study) {
    addHeading(flow, record_text::studyHeading);
    addParagraph(flow, record_text::studyIntro, flow.style().body);
    std::vector<std::vector<std::string>> rows;
    for (const InputLaw& law : inputLaws(study)) {
        const auto i = static_cast<std::size_t>(law.variable);
        rows.push_back(
            {std::string(info(law.variable).caption),
             law.distribution + (study.distributions[i].empty() ? record_text::noDistribution : ""),
             typedLawText(law), figureOrNone(law.mean), figureOrNone(law.standardDeviation),
             figureOrNone(law.variation), characteristicText(law)});
    }
    const auto& heads = record_text::inputHeads;
    addTable(flow, {heads.begin(), heads.end()}, rows,
             {{0.17, 0.14, 0.19, 0.10, 0.10, 0.09, 0.21}});
    addLabelledLines(flow, {{record_text::repetitions, study.repetitions},
                            {record_text::samples, study.samples},
                            {record_text::seed, study.seed ? std::to_string(*study.seed) : ""}});
}

void figuresSection(PageFlow& flow, const Analysis& analysis, const DesignFigures& design) {
    addHeading(flow, record_text::figuresHeading);
    addParagraph(flow, statusLine(design.status, design.completed, design.planned),
                 flow.style().bold);
    const DesignRun& run = *analysis.design();
    if (!run.figures) {
        addParagraph(flow, record_text::noFigures, flow.style().body);
        return;
    }
    const FailureFigures& f = *run.figures;
    RecordLines lines;
    for (const FigureLine& line : figureLines(f)) lines.emplace_back(line.label, line.value);
    lines.push_back(verdictLine(analysis, run.estimate));
    addLabelledLines(flow, lines);
    addParagraph(flow, adviceLine(f), flow.style().body);
}

void warningsSection(PageFlow& flow, const Analysis& analysis) {
    const auto warning = analysis.tailWarning();
    const auto points = analysis.severalPointsWarning();
    if (!warning && !points && analysis.rangeWarnings().empty()) return;
    addHeading(flow, record_text::warningsHeading);
    if (warning) addParagraph(flow, *warning, flow.style().body);
    if (points) addParagraph(flow, *points, flow.style().body);
    for (const RangeWarning& range : analysis.rangeWarnings())
        addParagraph(flow, range.text, flow.style().body);
}

void importanceSection(PageFlow& flow, const FailureFigures& figures) {
    addHeading(flow, record_text::importanceHeading);
    const auto rows = importanceRows(figures);
    if (rows.empty()) {
        addParagraph(flow, record_text::noImportance, flow.style().body);
        return;
    }
    addParagraph(flow, importanceCaption, flow.style().body);
    std::vector<std::vector<std::string>> cells;
    for (const auto& row : rows) cells.emplace_back(row.begin(), row.end());
    addTable(flow, {importanceHeads.begin(), importanceHeads.end()}, cells,
             {{0.40, 0.20, 0.20, 0.20}, 1});
}

// A drawing under its title of at most two lines, in the small bold font.
Drawing titled(const std::string& title, Drawing drawing) {
    return [title, drawing](QPainter& p, const QRectF& area, const RecordStyle& s) {
        QFont font = s.small;
        font.setBold(true);
        // Room for two lines: a title too long for one wraps.
        const double height = QFontMetricsF(font, p.device()).lineSpacing() * 2.4;
        p.setFont(font);
        p.drawText(QRectF(area.left(), area.top(), area.width(), height),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(title));
        drawing(p, area.adjusted(0, height, 0, 0), s);
    };
}

void chartsSection(PageFlow& flow, const DesignFigures& design) {
    if (design.convergence.empty() && !design.distributions) return;
    constexpr double convergenceHeight = 190;
    constexpr double histogramHeight = 170;
    addHeading(flow, record_text::chartsHeading,
               design.convergence.empty() ? histogramHeight : convergenceHeight);
    if (!design.convergence.empty())
        addDrawings(flow, convergenceHeight,
                    {titled(record_text::convergenceTitle,
                            [points = design.convergence](QPainter& p, const QRectF& area,
                                                          const RecordStyle& s) {
                                drawConvergence(p, area, s, points);
                            })});
    if (!design.distributions) return;
    const DistributionHistograms& h = *design.distributions;
    const std::string which =
        ", " + record_text::distributionsLine(design.planned, design.planned, design.sampleSize);
    const std::vector<HistogramSeries> moments{{"E", QColor(200, 90, 20), h.effect},
                                               {"R", QColor(30, 110, 180), h.resist}};
    const std::vector<HistogramSeries> margin{{"R - E", QColor(60, 140, 60), h.margin}};
    addDrawings(flow, histogramHeight,
                {titled(record_text::effectResistTitle + which,
                        [moments](QPainter& p, const QRectF& a, const RecordStyle& s) {
                            drawHistograms(p, a, s, moments, std::nullopt);
                        }),
                 titled(record_text::marginTitle + which,
                        [margin](QPainter& p, const QRectF& a, const RecordStyle& s) {
                            drawHistograms(p, a, s, margin, 0.0);
                        })});
}

void designPointTable(PageFlow& flow, const reliability::BeamDesignPoint& point) {
    std::vector<std::vector<std::string>> rows;
    for (const reliability::InputDesignPoint& input : point.inputs)
        rows.push_back({std::string(info(input.variable).caption), formatFigure(input.value),
                        formatFigureList(input.standard), formatFigureList(input.alpha),
                        formatFigure(input.importance)});
    const auto& heads = record_text::designPointHeads;
    addTable(flow, {heads.begin(), heads.end()}, rows, {{0.32, 0.14, 0.20, 0.20, 0.14}, 1});
}

std::string factorText(const std::optional<double>& factor) {
    return factor ? formatFigure(*factor) : record_text::noFactor;
}

// The characteristic values with both sets of design values, then how each is taken.
void designValuesTable(PageFlow& flow, const DesignValues& values, const TargetBasis& target) {
    addParagraph(flow, record_text::designValuesTitle + designValuesCaption(values, target),
                 flow.style().body, 40);
    std::vector<std::vector<std::string>> rows;
    RecordLines bases;
    for (const InputDesignValues& input : values.inputs) {
        const std::string caption(info(input.variable).caption);
        rows.push_back({caption, formatFigure(input.characteristic),
                        formatFigure(input.atDesignPoint), factorText(input.factorAtDesignPoint),
                        formatFigure(input.atTarget), factorText(input.factorAtTarget)});
        bases.emplace_back(caption, input.basis);
    }
    const auto& heads = record_text::designValuesHeads;
    addTable(flow, {heads.begin(), heads.end()}, rows, {{0.32, 0.14, 0.14, 0.10, 0.14, 0.10}, 1});
    addLabelledLines(flow, bases);
}

void formSection(PageFlow& flow, const CalculationRecord& record) {
    addHeading(flow, record_text::formHeading);
    const auto& form = record.analysis.form();
    if (!form) {
        addParagraph(flow, record_text::noForm, flow.style().body);
        return;
    }
    addLabelledLines(flow, formLines(record.analysis, *form));
    if (form->designPoints.size() > 1) {
        // A point's title stays with its table's first rows.
        for (std::size_t i = 0; i < form->designPoints.size(); ++i) {
            addParagraph(flow, designPointTitle(*form, i), flow.style().bold, 40);
            designPointTable(flow, form->designPoints[i]);
        }
    } else if (form->designPoint) {
        designPointTable(flow, *form->designPoint);
    }
    const Study& study = record.analysis.study();
    if (const auto values = designValues(study, *form))
        designValuesTable(flow, *values, study.target);
}

// The methods besides FORM, which has its section.
void methodsSection(PageFlow& flow, const Analysis& analysis) {
    std::vector<const reliability::MethodResult*> methods;
    for (const reliability::MethodResult& m : analysis.methods())
        if (m.method() != reliability::Method::Form) methods.push_back(&m);
    if (methods.empty()) return;
    addHeading(flow, record_text::methodsHeading);
    for (const reliability::MethodResult* method : methods) {
        // A method's title stays with its first lines.
        addParagraph(flow, record_text::methodTitle(method->method()), flow.style().bold, 40);
        if (method->outcome != RunOutcome::Completed)
            addParagraph(flow, methodEstimate(*method).why, flow.style().body);
        addLabelledLines(flow, methodLines(analysis, *method));
    }
    for (const Disagreement& d : disagreements(analysis.estimates()))
        addParagraph(flow, record_text::disagreement + d.text, flow.style().body);
}

void reportSection(PageFlow& flow, const std::string& report) {
    addHeading(flow, record_text::reportHeading);
    const double lineHeight = QFontMetricsF(flow.style().mono, flow.device()).lineSpacing();
    const auto linesAPage = static_cast<std::size_t>(flow.pageHeight() / lineHeight);
    addMonospacedLines(flow, reportLines(report, reportPageLimit * linesAPage).lines);
}

}  // namespace

void layOutRecord(PageFlow& flow, const CalculationRecord& record) {
    const Analysis& analysis = record.analysis;
    titleBlock(flow, record);
    summarySection(flow, analysis);
    limitStateSection(flow);
    basisSection(flow, analysis.study());
    studySection(flow, analysis.study());
    if (record.design) figuresSection(flow, analysis, *record.design);
    warningsSection(flow, analysis);
    if (record.design) {
        if (const auto& figures = analysis.design()->figures) importanceSection(flow, *figures);
        chartsSection(flow, *record.design);
    }
    formSection(flow, record);
    methodsSection(flow, analysis);
    designSection(flow, analysis);
    if (const auto& design = analysis.design()) reportSection(flow, design->run.report);
}

}  // namespace ferrolith
