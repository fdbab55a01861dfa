#include "tools/sample_industry/sample_industry.h"

#include <string>

#include "core/store/cv_data.h"
#include "core/store/series_index.h"
#include "core/base/random_generator.h"
#include "tools/sample_industry/sample_exchange.h"
#include "tools/sample_industry/sample_files.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_quantities.h"
#include "tools/sample_industry/sample_series.h"

namespace cv::sample {

namespace fs = std::filesystem;

namespace {

// Seeds the shared generator for the sample's draws and gives the caller's seed back afterwards.
class TSampleSeed {
public:
    TSampleSeed() : saved_(RandomSeed()) { SetRandomSeed(kSampleSeed); }
    ~TSampleSeed() { SetRandomSeed(saved_); }
    TSampleSeed(const TSampleSeed&) = delete;
    TSampleSeed& operator=(const TSampleSeed&) = delete;

private:
    std::uint32_t saved_;
};

void WriteIndustry(const fs::path& file) {
    const TSampleSeed seed;
    TCvData industry([] { return kSampleDateTime; });
    industry.Open(std::string(kIndustrySignature), file.string());
    industry.SetCurPeriod(kCurrentPeriod);
    industry.SetScenarioName(kScenarioName);
    AddSampleSeries(industry.SeriesList());
    InitSeriesIndexes(industry.SeriesList());
    WriteSampleQuantities(industry);
    industry.Close();
}

}  // namespace

fs::path WriteSampleIndustryFile(const fs::path& directory) {
    fs::create_directories(directory);
    const fs::path file = directory / (std::string(kIndustryName) + ".ind");
    WriteReplacing(file, WriteIndustry);
    return file;
}

TSampleFiles WriteSampleIndustry(const fs::path& directory) {
    TSampleFiles files;
    files.industry = WriteSampleIndustryFile(directory);
    files.archive = WriteIndustryArchive(files.industry, directory);
    files.descriptors = WriteTeamDescriptors(directory);
    return files;
}

}  // namespace cv::sample
