#include "tests/ui/support/chart_labels.h"

#include <sstream>

#include "ui/chart/labels_apart.h"

namespace cv::test {
namespace {

std::string Describe(const QRectF& rect) {
    std::ostringstream text;
    text << "(" << rect.left() << "," << rect.top() << " " << rect.width() << "x" << rect.height() << ")";
    return text.str();
}

std::string Describe(const TMarkerDisc& marker) {
    std::ostringstream text;
    text << "the marker at (" << marker.centre.x() << "," << marker.centre.y() << ") " << marker.diameter << " across";
    return text.str();
}

}  // namespace

std::vector<std::string> MarkerLabelFaults(const TQNChart& chart, double nearness) {
    std::vector<const TQNChart::TDrawnLabel*> labels;
    for (const TQNChart::TDrawnLabel& label : chart.DrawnLabels())
        if (label.marker >= 0) labels.push_back(&label);
    const std::vector<TMarkerDisc>& markers = chart.DrawnMarkers();
    std::vector<std::string> faults;
    const QRectF plot = chart.PlotArea();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const TQNChart::TDrawnLabel& label = *labels[i];
        const std::string named = label.text + " " + Describe(label.rect);
        if (!plot.contains(label.rect)) faults.push_back(named + " leaves the plot " + Describe(plot));
        const double gap = GapToMarker(label.rect, markers.at(static_cast<std::size_t>(label.marker)));
        if (gap > nearness && !label.leader)
            faults.push_back(label.text + " stands " + std::to_string(gap) + " px from its marker with no line to it");
        if (!label.leader && NearerAnotherMarker(label.rect, static_cast<std::size_t>(label.marker), markers))
            faults.push_back(named + " lies nearer another marker than its own, with no line to it");
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            if (label.rect.intersects(labels[j]->rect))
                faults.push_back(named + " overlaps " + labels[j]->text + " " + Describe(labels[j]->rect));
        for (std::size_t m = 0; m < markers.size(); ++m)
            if (static_cast<int>(m) != label.marker && LabelCoversMarker(label.rect, markers[m]))
                faults.push_back(named + " covers " + Describe(markers[m]));
    }
    return faults;
}

}  // namespace cv::test
