#include "tools/sample_industry/sample_writers.h"

#include <stdexcept>
#include <string>

#include "tools/sample_industry/sample_series.h"

namespace cv::sample {

const TSeries& RequireSeries(const TCvData& industry, std::string_view name) {
    const TSeries* series = industry.FindSeries(name);
    if (series == nullptr) throw std::logic_error("sample industry: no series " + std::string(name));
    return *series;
}

int RequireCellSeriesPosition(std::string_view cellName, std::int16_t zone, std::int16_t market) {
    const int position = CellSeriesPosition(cellName, zone, market);
    if (position < 0) throw std::logic_error("sample industry: no series for " + std::string(cellName));
    return position;
}

const TSeries& CellSeries(const TCvData& industry, std::string_view cellName, std::int16_t zone, std::int16_t market) {
    const TSeries* series = industry.SeriesList().GetSeries(RequireCellSeriesPosition(cellName, zone, market));
    if (series == nullptr) throw std::logic_error("sample industry: series list without " + std::string(cellName));
    return *series;
}

TSimArr& NewArray(const TSampleCell& cell, std::string_view name, std::uint8_t kind, std::uint8_t subType,
                  std::initializer_list<const TSeries*> dimensions) {
    TSimArr* existing = cell.set.FindSimArr(cell.category, cell.context, name);
    if (existing == nullptr) return cell.set.CreateSimArr(cell.category, cell.context, name, kind, subType, dimensions);
    TSimArr fresh;
    fresh.InitFromSeries(kind, subType, dimensions);
    existing->Assign(fresh);
    return *existing;
}

}  // namespace cv::sample
