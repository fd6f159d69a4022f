// The results window's charts against the calculation record's, drawn from the same data: the
// same axes with the same labels at the same places, and the same band, outlines and lines.
#include <gtest/gtest.h>

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <algorithm>
#include <functional>

#include "record/record_plots.hpp"
#include "support/paint_recorder.hpp"
#include "support/tally_builders.hpp"
#include "ui/methods/design_curve_chart.hpp"
#include "ui/results/convergence_chart.hpp"
#include "ui/results/histogram_chart.hpp"

namespace ferrolith::test {
namespace {

// A chart as seen: each axis's title and labels with where they sit along it (0 at its start, 1
// at its end), and the lines and outlines drawn, in the same fractions of the plot.
struct SeenAxis {
    QString title;
    std::vector<std::pair<QString, double>> labels;
};
struct SeenChart {
    SeenAxis x;
    SeenAxis y;
    std::vector<std::vector<QPointF>> shapes;
};

SeenAxis seenAxis(QAbstractAxis* abstract) {
    auto* axis = qobject_cast<QCategoryAxis*>(abstract);
    SeenAxis seen{axis->titleText(), {}};
    for (const QString& label : axis->categoriesLabels())
        seen.labels.emplace_back(
            label, (axis->endValue(label) - axis->min()) / (axis->max() - axis->min()));
    return seen;
}

// The screen's chart, which is then deleted; an area is drawn along its upper line and back
// along its lower one, and a line of one point draws nothing.
SeenChart onScreen(QChart* chart) {
    const auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).front());
    const auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).front());
    SeenChart seen{seenAxis(chart->axes(Qt::Horizontal).front()),
                   seenAxis(chart->axes(Qt::Vertical).front()),
                   {}};
    for (QAbstractSeries* series : chart->series()) {
        QList<QPointF> points;
        if (auto* area = qobject_cast<QAreaSeries*>(series)) {
            points = area->upperSeries()->points();
            if (area->lowerSeries()) {
                const QList<QPointF> lower = area->lowerSeries()->points();
                points.append(QList<QPointF>(lower.rbegin(), lower.rend()));
            }
        } else {
            points = static_cast<QXYSeries*>(series)->points();
        }
        if (!series->isVisible() || points.size() < (qobject_cast<QScatterSeries*>(series) ? 1 : 2))
            continue;
        std::vector<QPointF> fractions;
        for (const QPointF& p : points)
            fractions.emplace_back((p.x() - x->min()) / (x->max() - x->min()),
                                   (p.y() - y->min()) / (y->max() - y->min()));
        seen.shapes.push_back(std::move(fractions));
    }
    delete chart;
    return seen;
}

using RecordDrawing = std::function<void(QPainter&, const QRectF&, const RecordStyle&)>;

// The record's chart: its plot is its largest rectangle; below the plot are the x labels and,
// lowest, the axis's title; left of it the y labels and, leftmost, the turned title; tick marks
// are the lines outside it.
SeenChart inRecord(const RecordDrawing& draw) {
    testing::PaintRecorder drawn;
    QPainter painter(&drawn);
    const RecordStyle style(drawn);
    draw(painter, QRectF(0, 0, style.pt(480), style.pt(190)), style);
    painter.end();
    const QRectF plot = *std::max_element(
        drawn.rects.begin(), drawn.rects.end(), [](const QRectF& a, const QRectF& b) {
            return a.width() * a.height() < b.width() * b.height();
        });
    const auto fraction = [&plot](const QPointF& p) {
        return QPointF((p.x() - plot.left()) / plot.width(),
                       (plot.bottom() - p.y()) / plot.height());
    };
    const double slack = 0.01 * plot.height();
    const QRectF near = plot.adjusted(-slack, -slack, slack, slack);
    SeenChart seen;
    for (const auto& shape : drawn.shapes) {
        if (shape.line && !(near.contains(shape.points[0]) && near.contains(shape.points[1])))
            continue;
        std::vector<QPointF> fractions;
        for (const QPointF& p : shape.points) fractions.push_back(fraction(p));
        seen.shapes.push_back(std::move(fractions));
    }
    std::vector<testing::PaintedText> below;
    std::vector<testing::PaintedText> left;
    for (const auto& t : drawn.texts) {
        if (t.box.top() >= plot.bottom() - slack) below.push_back(t);
        if (t.box.right() <= plot.left() + slack) left.push_back(t);
    }
    const auto axis = [&](std::vector<testing::PaintedText>& texts, auto further, bool across) {
        const auto title = std::max_element(texts.begin(), texts.end(), further);
        SeenAxis seen{title->text, {}};
        texts.erase(title);
        for (const auto& t : texts) {
            const QPointF at = fraction(t.box.center());
            seen.labels.emplace_back(t.text, across ? at.x() : at.y());
        }
        std::sort(seen.labels.begin(), seen.labels.end(),
                  [](const auto& a, const auto& b) { return a.second < b.second; });
        return seen;
    };
    seen.x = axis(
        below, [](auto& a, auto& b) { return a.box.top() < b.box.top(); }, true);
    seen.y = axis(
        left, [](auto& a, auto& b) { return a.box.left() > b.box.left(); }, false);
    return seen;
}

void expectSameAxis(const SeenAxis& screen, const SeenAxis& record, const std::string& what) {
    EXPECT_EQ(screen.title, record.title) << what;
    ASSERT_EQ(screen.labels.size(), record.labels.size()) << what;
    for (std::size_t i = 0; i < screen.labels.size(); ++i) {
        EXPECT_EQ(screen.labels[i].first, record.labels[i].first) << what;
        // Within half a point on the record's page.
        EXPECT_NEAR(screen.labels[i].second, record.labels[i].second, 2e-3) << what;
    }
}

struct Case {
    std::string what;
    std::function<QChart*()> screen;
    RecordDrawing record;
};

Case convergenceCase(const std::string& what, const std::vector<RepetitionTally>& tallies) {
    const std::vector<ConvergencePoint> points = convergence(tallies);
    return {what,
            [points] {
                ConvergenceChart chart;
                chart.show(points);
                return chart.chart();
            },
            [points](QPainter& p, const QRectF& area, const RecordStyle& s) {
                drawConvergence(p, area, s, points);
            }};
}

Case histogramsCase(const std::string& what, const std::vector<SampleHistogram>& histograms,
                    std::optional<double> marker) {
    std::vector<HistogramChart::Series> series;
    std::vector<HistogramSeries> recorded;
    for (const SampleHistogram& h : histograms) {
        series.push_back({QString::number(series.size()), Qt::red});
        recorded.push_back({std::to_string(recorded.size()), Qt::red, h});
    }
    return {what,
            [=] {
                std::optional<HistogramChart::Marker> shown;
                if (marker) shown = HistogramChart::Marker{QStringLiteral("marker"), *marker};
                HistogramChart chart(QStringLiteral("title"), series, shown);
                chart.show(histograms, QStringLiteral("subtitle"));
                return chart.chart();
            },
            [=](QPainter& p, const QRectF& area, const RecordStyle& s) {
                drawHistograms(p, area, s, recorded, marker);
            }};
}

Case designCase(const std::string& what, const DesignForTarget& design) {
    return {what,
            [design] {
                DesignCurveChart chart;
                chart.show(&design);
                return chart.chart();
            },
            [design](QPainter& p, const QRectF& area, const RecordStyle& s) {
                drawDesignCurve(p, area, s, design);
            }};
}

TEST(ScreenAndRecordCharts, AreDrawnAlikeFromTheSameData) {
    std::vector<RepetitionTally> steady;
    for (std::int16_t i = 1; i <= 25; ++i) steady.push_back(tally(i, 400 + (i * 37) % 60, 1000));
    DesignForTarget reached;
    reached.request.input = InputVariable::BeamWidth;
    reached.range = {37.5, 150.0};
    reached.target = 3.8;
    reached.curve = {{37.5, 0.9}, {60, NAN}, {75, 3.1}, {112.5, 4.6}, {150, 5.3}};
    reached.reached = true;
    reached.value = 86.2;
    reached.beta = 3.8;
    DesignForTarget noBeta = reached;
    noBeta.target = 6.0;
    noBeta.reached = false;
    noBeta.beta = NAN;
    const std::vector<Case> cases = {
        convergenceCase("Pf near 0.43, linear", steady),
        convergenceCase("a small Pf from 0, logarithmic",
                        {tally(1, 0, 100000), tally(2, 1, 100000)}),
        convergenceCase("one repetition", {tally(1, 30, 1000)}),
        histogramsCase(
            "E and R",
            {{3.4, 0.5, {1, 4, 9, 16, 25, 18, 7, 2}, 0}, {6.1, 0.8, {2, 11, 30, 12, 3}, 0}},
            std::nullopt),
        histogramsCase("the margin with the threshold",
                       {{-17.3, 4.1, {1, 3, 12, 20, 14, 5, 2, 1, 1, 1}, 0}}, 0.0),
        histogramsCase("a few samples", {{0.2, 0.1, {0, 1, 2}, 0}}, 0.0),
        designCase("reached", reached),
        designCase("out of reach, no beta at the best", noBeta),
    };
    for (const Case& c : cases) {
        const SeenChart screen = onScreen(c.screen());
        const SeenChart record = inRecord(c.record);
        expectSameAxis(screen.x, record.x, c.what + ", x");
        expectSameAxis(screen.y, record.y, c.what + ", y");
        ASSERT_EQ(screen.shapes.size(), record.shapes.size()) << c.what;
        for (std::size_t s = 0; s < screen.shapes.size(); ++s) {
            ASSERT_EQ(screen.shapes[s].size(), record.shapes[s].size()) << c.what << " " << s;
            for (std::size_t i = 0; i < screen.shapes[s].size(); ++i) {
                EXPECT_NEAR(screen.shapes[s][i].x(), record.shapes[s][i].x(), 1e-9) << c.what;
                EXPECT_NEAR(screen.shapes[s][i].y(), record.shapes[s][i].y(), 1e-9) << c.what;
            }
        }
    }
}

}  // namespace
}  // namespace ferrolith::test
