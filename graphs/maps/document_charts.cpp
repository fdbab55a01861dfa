#include "graphs/maps/document_charts.h"

#include "graphs/maps/cja_utils_graph.h"
#include "graphs/maps/perc_map.h"

namespace cv {
namespace {

constexpr int kCentred = kChartCentreX | kChartCentreY;
constexpr int kMapSide = 700;
constexpr int kConjointHeight = 385;

}  // namespace

std::unique_ptr<TStdPercMap> BuildDocumentMap(QWidget* host, const TDataContext& context, int kind) {
    auto map = std::make_unique<TStdPercMap>(host, context, kind, kCentred, 0, 0, kMapSide, kMapSide,
                                             kChartDocumentMode);
    map->Build(context);
    if (map->NoData) return nullptr;
    return map;
}

std::unique_ptr<TCjaUtilsGraph> BuildDocumentConjointChart(QWidget* host, const TDataContext& context) {
    auto chart = std::make_unique<TCjaUtilsGraph>(host, context, kCentred, 0, 0, kMapSide, kConjointHeight,
                                                  kChartDocumentMode);
    chart->Build(context);
    return chart;
}

}  // namespace cv
