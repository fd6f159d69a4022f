#pragma once

#include <QColor>
#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "failure_statistics/sample_histogram.hpp"

class QAreaSeries;
class QCategoryAxis;
class QChart;
class QLineSeries;

namespace ferrolith {

// Histograms drawn as shaded steps over one value axis, overlaid, on the axes of histogramLayout
// as the record draws them; optionally a vertical line that marks a value, such as the failure
// threshold.
class HistogramChart {
  public:
    struct Series {
        QString name;
        QColor colour;
    };
    struct Marker {
        QString name;
        double value;
    };

    HistogramChart(QString title, std::vector<Series> series, std::optional<Marker> marker);

    QChart* chart() const { return chart_; }
    // One histogram a series, in the order given; subtitle says which samples they count.
    void show(const std::vector<SampleHistogram>& histograms, const QString& subtitle);
    // Empties the chart and says why in its title.
    void clear(const QString& note);

  private:
    // Shows or hides the series, the axes and the legend.
    void setDrawn(bool drawn);
    // The chart's title over a second line that says which samples it counts.
    QString titled(const QString& subtitle) const;

    QString title_;
    QChart* chart_;
    std::vector<QLineSeries*> steps_;
    std::vector<QAreaSeries*> areas_;
    QLineSeries* marker_ = nullptr;
    std::optional<double> markerValue_;
    QCategoryAxis* valueAxis_;
    QCategoryAxis* countAxis_;
};

// "repetition 3 of 25, 1000 samples": which samples the histograms count.
QString distributionsSubtitle(int repetition, int planned, std::size_t samples);

}  // namespace ferrolith
