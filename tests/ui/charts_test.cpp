// The results window's charts against the calculation record's, drawn from the same data: the
// same axes with the same labels at the same places, and the same band, outlines and lines.
#include <gtest/gtest.h>

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QXYSeries>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "record/record_plots.hpp"
#include "support/paint_recorder.hpp"
#include "support/tally_builders.hpp"
#include "ui/convergence_chart.hpp"
#include "ui/design_curve_chart.hpp"
#include "ui/histogram_chart.hpp"

namespace ferrolith::test {
namespace {

using testing::PaintRecorder;
using testing::ShapeKind;

// A chart as seen: each axis's title and labels, each label where it sits along its axis (0 at
// the start, 1 at the end), and the lines and outlines drawn in the same fractions.
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

SeenChart onScreen(const QChart& chart) {
    SeenChart seen{seenAxis(chart.axes(Qt::Horizontal).front()),
                   seenAxis(chart.axes(Qt::Vertical).front()),
                   {}};
    const auto* x = qobject_cast<QValueAxis*>(chart.axes(Qt::Horizontal).front());
    const auto* y = qobject_cast<QValueAxis*>(chart.axes(Qt::Vertical).front());
    for (QAbstractSeries* series : chart.series()) {
        if (!series->isVisible()) continue;
        QList<QPointF> points;
        if (auto* area = qobject_cast<QAreaSeries*>(series)) {
            // An area is drawn as its upper line and back along its lower one.
            points = area->upperSeries()->points();
            if (area->lowerSeries()) {
                const QList<QPointF> lower = area->lowerSeries()->points();
                points.append(QList<QPointF>(lower.rbegin(), lower.rend()));
            }
        } else {
            points = static_cast<QXYSeries*>(series)->points();
        }
        // A line of one point draws nothing.
        const qsizetype least = qobject_cast<QScatterSeries*>(series) ? 1 : 2;
        if (points.size() < least) continue;
        std::vector<QPointF> fractions;
        for (const QPointF& p : points)
            fractions.emplace_back((p.x() - x->min()) / (x->max() - x->min()),
                                   (p.y() - y->min()) / (y->max() - y->min()));
        seen.shapes.push_back(std::move(fractions));
    }
    return seen;
}

// The record's plot is its largest rectangle; below it are the value labels and the axis's title
// (the lowest), left of it the labels and the turned title (the leftmost); tick marks lie outside.
SeenChart inRecord(const PaintRecorder& drawn) {
    const QRectF plot = *std::max_element(
        drawn.rects.begin(), drawn.rects.end(), [](const QRectF& a, const QRectF& b) {
            return a.width() * a.height() < b.width() * b.height();
        });
    const auto fraction = [&plot](const QPointF& p) {
        return QPointF((p.x() - plot.left()) / plot.width(),
                       (plot.bottom() - p.y()) / plot.height());
    };
    SeenChart seen;
    const double slack = 0.01 * plot.height();
    for (const auto& shape : drawn.shapes) {
        const bool inside = std::all_of(shape.points.begin(), shape.points.end(), [&](auto p) {
            return plot.adjusted(-slack, -slack, slack, slack).contains(p);
        });
        if (shape.kind == ShapeKind::Line && !inside) continue;
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
    const auto title = [](std::vector<testing::PaintedText>& texts, auto further) {
        const auto at = std::max_element(texts.begin(), texts.end(), further);
        const QString text = at->text;
        texts.erase(at);
        return text;
    };
    seen.x.title = title(below, [](auto& a, auto& b) { return a.box.top() < b.box.top(); });
    seen.y.title = title(left, [](auto& a, auto& b) { return a.box.left() > b.box.left(); });
    for (const auto& t : below) seen.x.labels.emplace_back(t.text, fraction(t.box.center()).x());
    for (const auto& t : left) seen.y.labels.emplace_back(t.text, fraction(t.box.center()).y());
    for (SeenAxis* axis : {&seen.x, &seen.y})
        std::sort(axis->labels.begin(), axis->labels.end(),
                  [](const auto& a, const auto& b) { return a.second < b.second; });
    return seen;
}

void expectSameAxis(const SeenAxis& screen, const SeenAxis& record, const std::string& what) {
    EXPECT_EQ(screen.title, record.title) << what;
    ASSERT_EQ(screen.labels.size(), record.labels.size())
        << what << " " << screen.title.toStdString();
    for (std::size_t i = 0; i < screen.labels.size(); ++i) {
        EXPECT_EQ(screen.labels[i].first, record.labels[i].first) << what;
        // Half a point on the record's page.
        EXPECT_NEAR(screen.labels[i].second, record.labels[i].second, 2e-3)
            << what << " " << screen.labels[i].first.toStdString();
    }
}

void expectSame(const SeenChart& screen, const SeenChart& record, const std::string& what) {
    expectSameAxis(screen.x, record.x, what + ", x");
    expectSameAxis(screen.y, record.y, what + ", y");
    ASSERT_EQ(screen.shapes.size(), record.shapes.size()) << what;
    for (std::size_t s = 0; s < screen.shapes.size(); ++s) {
        ASSERT_EQ(screen.shapes[s].size(), record.shapes[s].size()) << what << " shape " << s;
        for (std::size_t i = 0; i < screen.shapes[s].size(); ++i) {
            EXPECT_NEAR(screen.shapes[s][i].x(), record.shapes[s][i].x(), 1e-9) << what;
            EXPECT_NEAR(screen.shapes[s][i].y(), record.shapes[s][i].y(), 1e-9) << what;
        }
    }
}

using RecordDrawing = std::function<void(QPainter&, const QRectF&, const RecordStyle&)>;

SeenChart drawnInRecord(const RecordDrawing& draw) {
    PaintRecorder device;
    QPainter painter(&device);
    const RecordStyle style(device);
    draw(painter, QRectF(0, 0, style.pt(480), style.pt(190)), style);
    painter.end();
    return inRecord(device);
}

TEST(ScreenAndRecordCharts, ConvergenceIsDrawnAlike) {
    std::vector<RepetitionTally> steady;
    for (std::int16_t i = 1; i <= 25; ++i) steady.push_back(tally(i, 400 + (i * 37) % 60, 1000));
    const std::vector<std::pair<std::string, std::vector<RepetitionTally>>> cases = {
        {"Pf near 0.43, linear", steady},
        {"a small Pf from 0, logarithmic", {tally(1, 0, 100000), tally(2, 1, 100000)}},
        {"one repetition", {tally(1, 30, 1000)}},
    };
    for (const auto& [what, tallies] : cases) {
        const std::vector<ConvergencePoint> points = convergence(tallies);
        ConvergenceChart screen;
        screen.show(points);
        expectSame(onScreen(*screen.chart()),
                   drawnInRecord([&](QPainter& p, const QRectF& area, const RecordStyle& s) {
                       drawConvergence(p, area, s, points);
                   }),
                   what);
        delete screen.chart();
    }
}

TEST(ScreenAndRecordCharts, HistogramsAreDrawnAlike) {
    const SampleHistogram effect{3.4, 0.5, {1, 4, 9, 16, 25, 18, 7, 2}, 0};
    const SampleHistogram resist{6.1, 0.8, {2, 11, 30, 12, 3}, 0};
    const SampleHistogram margin{-17.3, 4.1, {1, 3, 12, 20, 14, 5, 2, 1, 1, 1}, 0};
    const SampleHistogram few{0.2, 0.1, {0, 1, 2}, 0};
    const struct {
        std::string what;
        std::vector<SampleHistogram> histograms;
        std::optional<double> marker;
    } cases[] = {
        {"E and R", {effect, resist}, std::nullopt},
        {"the margin with the threshold", {margin}, 0.0},
        {"a few samples", {few}, 0.0},
    };
    const QColor colours[] = {Qt::red, Qt::blue};
    for (const auto& c : cases) {
        std::vector<HistogramChart::Series> series;
        std::vector<HistogramSeries> recorded;
        for (std::size_t i = 0; i < c.histograms.size(); ++i) {
            series.push_back({QString::number(i), colours[i]});
            recorded.push_back({std::to_string(i), colours[i], c.histograms[i]});
        }
        std::optional<HistogramChart::Marker> marker;
        if (c.marker) marker = HistogramChart::Marker{QStringLiteral("threshold"), *c.marker};
        HistogramChart screen(QStringLiteral("title"), series, marker);
        screen.show(c.histograms, QStringLiteral("subtitle"));
        expectSame(onScreen(*screen.chart()),
                   drawnInRecord([&](QPainter& p, const QRectF& area, const RecordStyle& s) {
                       drawHistograms(p, area, s, recorded, c.marker);
                   }),
                   c.what);
        delete screen.chart();
    }
}

TEST(ScreenAndRecordCharts, TheDesignCurveIsDrawnAlike) {
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    DesignForTarget reached;
    reached.request.input = InputVariable::BeamWidth;
    reached.range = {37.5, 150.0};
    reached.target = 3.8;
    reached.curve = {{37.5, 0.9}, {60, none}, {75, 3.1}, {112.5, 4.6}, {150, 5.3}};
    reached.reached = true;
    reached.value = 86.2;
    reached.beta = 3.8;
    DesignForTarget outOfReach = reached;
    outOfReach.target = 6.0;
    outOfReach.reached = false;
    outOfReach.value = 150;
    outOfReach.beta = 5.3;
    DesignForTarget noBeta = outOfReach;
    noBeta.beta = none;
    const std::pair<std::string, DesignForTarget> cases[] = {
        {"reached", reached}, {"out of reach", outOfReach}, {"no beta at the best", noBeta}};
    for (const auto& [what, design] : cases) {
        DesignCurveChart screen;
        screen.show(&design);
        expectSame(onScreen(*screen.chart()),
                   drawnInRecord([&](QPainter& p, const QRectF& area, const RecordStyle& s) {
                       drawDesignCurve(p, area, s, design);
                   }),
                   what);
        delete screen.chart();
    }
}

}  // namespace
}  // namespace ferrolith::test
