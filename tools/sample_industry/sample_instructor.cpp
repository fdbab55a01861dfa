#include "tools/sample_industry/sample_instructor.h"

#include <stdexcept>

#include "core/session/industry.h"
#include "core/store/industry_file.h"
#include "core/store/series_index.h"
#include "core/zip/xceed_zip.h"
#include "tools/sample_industry/sample_exchange.h"
#include "tools/sample_industry/sample_files.h"
#include "tools/sample_industry/sample_forecasts.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_quantities.h"
#include "tools/sample_industry/sample_teams.h"

namespace cv::sample {

namespace fs = std::filesystem;

namespace {

std::string SampleName(std::string_view extension) { return std::string(kIndustryName) + std::string(extension); }

// The team's working copy out of its archive, into Directory.
fs::path ExtractTeamCopy(const fs::path& archive, const fs::path& directory) {
    TXceedZip zip;
    zip.ZipFileName = archive.string();
    zip.ExtractDirectory = directory.string();
    zip.FilesToProcess = {SampleName(".tmp")};
    zip.UsePaths = false;
    zip.UseTempFile = false;
    zip.Overwrite = xowAlways;
    const int result = zip.Unzip();
    const fs::path copy = directory / SampleName(".tmp");
    if (result != 0 || !fs::exists(copy))
        throw std::runtime_error("cannot read " + archive.string() + ": zip result " + std::to_string(result));
    return copy;
}

// Firm's decisions of Period in Industry become those of the team's copy.
void TakeTeamDecisions(TCvInd& industry, std::int16_t firm, std::int16_t period, const fs::path& teamCopy) {
    {
        TCvData team;
        team.Open(std::string(kIndustrySignature), teamCopy.string());
        industry.PerDecisions(period).CopyFirmCells(firm, team.PerDecisions(period));
        team.Close();
    }
    // The team's file had the series-index table while it was open.
    industry.InitSeries();
    InitSeriesIndexes(industry.SeriesList());
}

TInstructorPeriod RunOn(const fs::path& industryFile, const fs::path& exchangeDir, std::vector<fs::path>& taken) {
    TInstructorPeriod run;
    TCvInd industry([] { return kSampleDateTime; });
    industry.Open(std::string(kIndustrySignature), industryFile.string());
    industry.InitSeries();
    run.period = static_cast<std::int16_t>(industry.CurPeriod() + 1);
    if (run.period > industry.PerSeries()->Hi())
        throw std::logic_error("sample industry: period " + std::to_string(run.period) + " is past the last");
    for (std::int16_t firm = 1; firm <= kFirmCount; ++firm) {
        const std::string letter(TeamLetter(firm));
        const fs::path archive = exchangeDir / SampleName(".dz" + letter);
        if (!fs::exists(archive)) continue;
        const fs::path copy = ExtractTeamCopy(archive, industryFile.parent_path());
        TakeTeamDecisions(industry, firm, run.period, copy);
        fs::remove(copy);
        run.teams.push_back(letter);
        taken.push_back(archive);
    }
    run.warnings = ForecastPeriod(industry, run.period);
    CompleteSampleResults(industry, run.period);
    industry.SetCurPeriod(run.period);
    industry.InitSeries();
    industry.Close();
    return run;
}

}  // namespace

TInstructorPeriod RunInstructorPeriod(const fs::path& instructorDir, const fs::path& exchangeDir) {
    const fs::path industryFile = instructorDir / SampleName(".ind");
    TInstructorPeriod run;
    std::vector<fs::path> taken;
    WriteReplacing(industryFile, [&](const fs::path& part) {
        fs::copy_file(industryFile, part, fs::copy_options::overwrite_existing);
        run = RunOn(part, exchangeDir, taken);
    });
    for (const fs::path& archive : taken) fs::remove(archive);
    WriteIndustryArchive(industryFile, exchangeDir);
    WriteTeamDescriptors(exchangeDir, static_cast<std::int16_t>(run.period + 1));
    return run;
}

}  // namespace cv::sample
