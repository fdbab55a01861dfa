#include "team/document_charts.h"

#include <QWidget>

#include "graphs/maps/cja_utils_graph.h"
#include "graphs/maps/document_charts.h"
#include "graphs/maps/perc_map.h"

namespace cv {
namespace {

// The picture of a chart that has something to show; a null image otherwise.
template <class Chart>
QImage PictureOf(QWidget& panel, Chart&& make) {
    panel.show();
    auto chart = make();
    QImage picture = chart && !chart->NoData ? chart->GetPicture() : QImage();
    panel.hide();
    return picture;
}

}  // namespace

TDocumentCharts DocumentChartsOn(QWidget& panel) {
    return {[&panel](const TDataContext& context, int kind) {
                return PictureOf(panel, [&] { return BuildDocumentMap(&panel, context, kind); });
            },
            [&panel](const TDataContext& context) {
                return PictureOf(panel, [&] { return BuildDocumentConjointChart(&panel, context); });
            }};
}

}  // namespace cv
