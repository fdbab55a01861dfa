#include "tests/ui/support/chart_labels.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace cv::test {
namespace {

std::string Describe(const QRectF& rect) {
    std::ostringstream text;
    text << "(" << rect.left() << "," << rect.top() << " " << rect.width() << "x" << rect.height() << ")";
    return text.str();
}

}  // namespace

double GapToMarker(const QRectF& rect, QPointF centre, double diameter) {
    const double dx = std::max({rect.left() - centre.x(), 0.0, centre.x() - rect.right()});
    const double dy = std::max({rect.top() - centre.y(), 0.0, centre.y() - rect.bottom()});
    return std::max(0.0, std::hypot(dx, dy) - diameter / 2);
}

std::vector<std::string> MarkerLabelFaults(const TQNChart& chart, double nearness) {
    std::vector<const TQNChart::TDrawnLabel*> labels;
    for (const TQNChart::TDrawnLabel& label : chart.DrawnLabels())
        if (label.markerSize > 0) labels.push_back(&label);
    std::vector<std::string> faults;
    const QRectF plot = chart.PlotArea();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const TQNChart::TDrawnLabel& label = *labels[i];
        if (!plot.contains(label.rect))
            faults.push_back(label.text + " " + Describe(label.rect) + " leaves the plot " + Describe(plot));
        const double gap = GapToMarker(label.rect, label.point, label.markerSize);
        if (gap > nearness) faults.push_back(label.text + " stands " + std::to_string(gap) + " px from its marker");
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            if (label.rect.intersects(labels[j]->rect))
                faults.push_back(label.text + " " + Describe(label.rect) + " overlaps " + labels[j]->text + " " +
                                 Describe(labels[j]->rect));
    }
    return faults;
}

}  // namespace cv::test
