#include "analysis/histogram_layout.hpp"

#include <algorithm>

#include "analysis/chart_texts.hpp"

namespace ferrolith {

namespace {

std::vector<ChartPoint> outline(const SampleHistogram& h) {
    std::vector<ChartPoint> points;
    points.reserve(h.counts.size() * 2 + 2);
    points.push_back({h.low, 0.0});
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        const double count = static_cast<double>(h.counts[i]);
        points.push_back({h.low + h.width * static_cast<double>(i), count});
        points.push_back({h.low + h.width * static_cast<double>(i + 1), count});
    }
    points.push_back({h.low + h.width * static_cast<double>(h.counts.size()), 0.0});
    return points;
}

}  // namespace

HistogramLayout histogramLayout(const std::vector<SampleHistogram>& histograms,
                                std::optional<double> marker) {
    double low = marker.value_or(histograms.front().low);
    double high = low;
    double top = 1.0;
    HistogramLayout layout;
    for (const SampleHistogram& h : histograms) {
        layout.outlines.push_back(outline(h));
        low = std::min(low, h.low);
        high = std::max(high, h.low + h.width * static_cast<double>(h.counts.size()));
        for (std::int64_t c : h.counts) top = std::max(top, static_cast<double>(c));
    }
    layout.values = roundedAxis(low, high, chart_text::momentAxis);
    layout.counts = countAxis(top, chart_text::countAxis);
    if (marker) layout.marker = {{{*marker, layout.counts.low}, {*marker, layout.counts.high}}};
    return layout;
}

}  // namespace ferrolith
