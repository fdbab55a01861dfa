#include "tools/sample_industry/sample_industry.h"

#include <string>

#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "core/base/random_generator.h"
#include "tools/sample_industry/sample_exchange.h"
#include "tools/sample_industry/sample_files.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_quantities.h"
#include "tools/sample_industry/sample_series.h"
#include "tools/sample_industry/sample_variants.h"

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

TCvInd& OpenSample(TCvInd& industry, const fs::path& file) {
    industry.Open(std::string(kIndustrySignature), file.string());
    return industry;
}

// The series and the constant part first: the industry's series are set up
// from them when it is opened again for the periods.
void WriteIndustry(const fs::path& file, const TSampleVariant& variant) {
    const TSampleSeed seed;
    {
        TCvInd industry([] { return kSampleDateTime; });
        OpenSample(industry, file);
        industry.SetCurPeriod(kCurrentPeriod);
        industry.SetScenarioName(kScenarioName);
        AddSampleSeries(industry.SeriesList());
        InitSeriesIndexes(industry.SeriesList());
        WriteSampleConstantPart(industry);
        industry.Close();
    }
    TCvInd industry([] { return kSampleDateTime; });
    OpenSample(industry, file).InitSeries();
    WriteSamplePeriods(industry);
    ApplySampleVariant(industry, variant);
    industry.Close();
}

}  // namespace

fs::path WriteSampleIndustryFile(const fs::path& directory, const TSampleVariant& variant) {
    fs::create_directories(directory);
    const fs::path file = directory / (std::string(kIndustryName) + ".ind");
    WriteReplacing(file, [&variant](const fs::path& part) { WriteIndustry(part, variant); });
    return file;
}

TSampleFiles WriteSampleIndustry(const fs::path& directory, const TSampleVariant& variant) {
    TSampleFiles files;
    files.industry = WriteSampleIndustryFile(directory, variant);
    files.archive = WriteIndustryArchive(files.industry, directory);
    files.descriptors = WriteTeamDescriptors(directory);
    return files;
}

}  // namespace cv::sample
