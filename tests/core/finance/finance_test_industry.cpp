#include "tests/core/finance/finance_test_industry.h"

#include <stdexcept>

#include "core/data/series_index.h"

namespace cv::test {

TSeries& AddSeries(TCvData& industry, std::string_view name, std::int16_t lo, const std::vector<std::string>& labels) {
    TCvSeries& list = industry.SeriesList();
    const auto id = static_cast<std::uint16_t>(list.Count() + 1);
    return list.AddSeries(TSeries(id, name, lo, labels));
}

TSeries& AddIndexedSeries(TCvData& industry, std::string_view name) {
    for (const TSeriesIndexEntry& entry : SeriesIndexTable()) {
        if (entry.name != name) continue;
        return AddSeries(industry, name, 1, std::vector<std::string>(entry.elements.begin(), entry.elements.end()));
    }
    throw std::invalid_argument("not a series of the index table: " + std::string(name));
}

void IndexSeries(const TCvData& industry) { InitSeriesIndexes(industry.SeriesList()); }

}  // namespace cv::test
