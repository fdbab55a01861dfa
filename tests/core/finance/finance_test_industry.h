#pragma once
// Small in-memory industries for the budget and loan tests: series are added
// to the industry's list and the series-index table is filled from it, so that
// the finance objects address elements by label as they do on a real industry.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/cv_data.h"
#include "core/store/data_context.h"
#include "core/store/series.h"
#include "core/session/industry.h"
#include "tests/support/temp_dir.h"

namespace cv::test {

// Adds the series Name of the series-index table to Industry's list, lo 1, with
// the table's labels in order.
TSeries& AddIndexedSeries(TCvData& industry, std::string_view name);
// Adds a series of Labels starting at Lo.
TSeries& AddSeries(TCvData& industry, std::string_view name, std::int16_t lo, const std::vector<std::string>& labels);
// Fills the series-index table from Industry's list (the industry forgets it when destroyed).
void IndexSeries(const TCvData& industry);

// The sample industry (tools/sample_industry) written into a temporary
// directory and opened as the team's industry, its series filled. Tests change
// its data in memory; nothing outlives the object.
class OpenSampleIndustry {
public:
    OpenSampleIndustry();
    ~OpenSampleIndustry();
    OpenSampleIndustry(const OpenSampleIndustry&) = delete;
    OpenSampleIndustry& operator=(const OpenSampleIndustry&) = delete;

    TCvInd& Industry() { return industry_; }
    // Firm and zone of the sample's current period 3 and decision period 4.
    static TDataContext Context(int firm, int zone);

private:
    TempDir dir_;
    TCvInd industry_;
};

}  // namespace cv::test
