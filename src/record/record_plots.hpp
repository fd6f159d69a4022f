#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/design_for_target.hpp"
#include "failure_statistics/failure_figures.hpp"
#include "failure_statistics/sample_histogram.hpp"
#include "record/record_style.hpp"

namespace ferrolith {

// The record's charts, drawn as lines and shapes (vector graphics) from the data the results
// window's charts show, on the axes and outlines of the layouts both take.

// Pf after each repetition over the samples on a logarithmic axis, in its 95% Wilson band.
void drawConvergence(QPainter& painter, const QRectF& area, const RecordStyle& style,
                     std::span<const ConvergencePoint> points);

struct HistogramSeries {
    std::string name;
    QColor colour;
    SampleHistogram histogram;
};

// Histograms over one value axis as shaded steps, with an optional vertical line at marker.
void drawHistograms(QPainter& painter, const QRectF& area, const RecordStyle& style,
                    const std::vector<HistogramSeries>& series, std::optional<double> marker);

// FORM's beta over the searched range, the target across it and the value found (or the best in
// the range).
void drawDesignCurve(QPainter& painter, const QRectF& area, const RecordStyle& style,
                     const DesignForTarget& design);

}  // namespace ferrolith
