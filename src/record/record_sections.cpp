#include "record/record_sections.hpp"

#include <QFontMetricsF>
#include <QPainter>

#include "analysis/agreement.hpp"
#include "analysis/design_points_text.hpp"
#include "analysis/design_values.hpp"
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

void studySection(PageFlow& flow, const Study& study) {
    addHeading(flow, record_text::studyHeading);
    addParagraph(flow, record_text::studyIntro, flow.style().body);
    std::vector<std::vector<std::string>> rows;
    for (const InputVariableInfo& v : inputVariables) {
        const auto i = static_cast<std::size_t>(v.variable);
        const std::string& choice = study.distributions[i];
        rows.push_back({std::string(v.caption),
                        choice.empty() ? record_text::noDistribution : choice,
                        study.parameters[i]});
    }
    const auto& heads = record_text::inputHeads;
    addTable(flow, {heads.begin(), heads.end()}, rows, {{0.40, 0.30, 0.30}});
    std::string roles;
    for (InputVariable load : loadVariables)
        roles +=
            (roles.empty() ? "" : "; ") + std::string(info(load).caption) + roleText(study, load);
    addLabelledLines(flow, {{record_text::repetitions, study.repetitions},
                            {record_text::samples, study.samples},
                            {record_text::seed, study.seed ? std::to_string(*study.seed) : ""},
                            {record_text::target, basisText(study.target)},
                            {record_text::loadRoles, roles}});
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
