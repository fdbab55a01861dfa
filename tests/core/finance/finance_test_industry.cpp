#include "tests/core/finance/finance_test_industry.h"

#include <stdexcept>

#include "core/store/industry_file.h"
#include "core/store/series_index.h"
#include "tools/sample_industry/sample_industry.h"
#include "tools/sample_industry/sample_layout.h"

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

OpenSampleIndustry::OpenSampleIndustry() {
    const std::filesystem::path file = sample::WriteSampleIndustryFile(dir_.path());
    industry_.Open(std::string(kIndustrySignature), file.string());
    industry_.InitSeries();
}

OpenSampleIndustry::~OpenSampleIndustry() {
    try {
        industry_.Close();
    } catch (const std::exception&) {
        // The temporary copy goes with the directory; a failed save loses nothing.
    }
}

TDataContext OpenSampleIndustry::Context(int firm, int zone) {
    TDataContext context;
    context.SelFirm = static_cast<std::int16_t>(firm);
    context.SelFta = static_cast<std::int16_t>(zone);
    context.CurPeriod = sample::kCurrentPeriod;
    context.DecPeriod = sample::kDecisionPeriod;
    return context;
}

}  // namespace cv::test
