#include "tools/sample_industry/sample_industry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/store/cv_data.h"
#include "core/base/ini_file.h"
#include "core/base/random_generator.h"
#include "core/zip/xceed_zip.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_quantities.h"
#include "core/session/team_password.h"

namespace cv::sample {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::RecordingUi;
using test::TempDir;

// The sample, opened through the data store. Closing resets the series-index table.
class OpenSample {
public:
    explicit OpenSample(const fs::path& file) { industry.Open(std::string(kIndustrySignature), file.string()); }
    ~OpenSample() {
        try {
            industry.Close();
        } catch (const std::exception& error) {
            ADD_FAILURE() << "closing the sample: " << error.what();
        }
    }
    OpenSample(const OpenSample&) = delete;
    OpenSample& operator=(const OpenSample&) = delete;

    TCvData industry;
};

// The sample opens with every series in place, each cell finding its own through
// the positions of the constant part; its archive holds the industry file, and
// each team's descriptor the industry's key of that firm.
TEST(SampleIndustry, OpensWithItsSeriesAndTheArchiveAndDescriptorsMatchIt) {
    TempDir dir;
    RecordingUi ui;
    const TSampleFiles files = WriteSampleIndustry(dir.path());
    EXPECT_EQ(files.archive, dir.path() / "SAMPLE.rzx");
    ASSERT_EQ(files.descriptors.size(), 4u);
    // The archive's one entry, without directory, is the industry file under the extension ".tmp".
    TempDir extracted;
    TXceedZip zip;
    zip.ZipFileName = files.archive.string();
    zip.ExtractDirectory = extracted.path().string();
    zip.Overwrite = xowAlways;
    ASSERT_EQ(zip.Unzip(), 0);
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator(extracted.path())) entries.insert(entry.path().filename().string());
    EXPECT_EQ(entries, (std::set<std::string>{"SAMPLE.tmp"}));
    EXPECT_EQ(ReadFileBytes(extracted.path() / "SAMPLE.tmp"), ReadFileBytes(files.industry));
    EXPECT_FALSE(fs::exists(dir.path() / "SAMPLE.tmp"));
    {
        OpenSample sample(files.industry);
        const TCvData& industry = sample.industry;
        EXPECT_EQ(industry.IndustryName() + industry.ScenarioName(), "SAMPLESAMPLE");
        EXPECT_EQ(industry.CurPeriod(), 3);
        ASSERT_TRUE(industry.PerSeries() && industry.FirSeries() && industry.FtaSeries());
        EXPECT_EQ(industry.PerSeries()->Lo() + industry.PerSeries()->Hi(), 12);  // periods 0..12
        EXPECT_EQ(industry.FirSeries()->Labels(), (std::vector<std::string>{"A", "E", "I", "O"}));
        EXPECT_EQ(industry.FtaSeries()->Labels(), (std::vector<std::string>{"North", "South"}));
        EXPECT_EQ(industry.AllOrOneMkt().Labels(), (std::vector<std::string>{"AllMkts", "M1", "M2"}));
        const std::pair<const char*, TCellIndex> cellSeries[] = {
            {"ChaSouth", {0, 2, 0}}, {"SegSouthM1", {0, 2, 1}}, {"SemM2", {0, 0, 2}}, {"DimM2", {0, 0, 2}}};
        for (const auto& [name, cell] : cellSeries) {
            const std::string kind = std::string(name).substr(0, 3) + "Series";
            const TSeries* series = industry.GetCellSeries(kind, SampleContext(kCurrentPeriod, cell));
            EXPECT_EQ(series ? series->Name() : "none", name);
        }
        for (std::int16_t firm = 1; firm <= kFirmCount; ++firm) {
            const std::string letter = industry.FirSeries()->GetLabel(firm);
            const fs::path& descriptor = files.descriptors[static_cast<std::size_t>(firm - 1)];
            EXPECT_EQ(descriptor, dir.path() / ("SAMPLE.mr" + letter));
            const TIniFile ini(descriptor.string());
            const TDataContext firmCell = SampleContext(kCurrentPeriod, {firm, 0, 0});
            EXPECT_EQ(ini.ReadInteger("Team", "KeyPwd", 0),
                      industry.ConstPart().GetReal(kCategoryFirm, firmCell, "TeamPwdKey"))
                << letter;
            EXPECT_EQ(ini.ReadInteger("Team", "CurPer", 0), 4) << letter;  // the decision period
        }
    }
    EXPECT_TRUE(ui.plainBoxes.empty());
    EXPECT_TRUE(ui.errorBoxes.empty());
    EXPECT_TRUE(ui.progressBoxes.empty());  // the forecasts behind the history show no wait notice

}

TEST(SampleIndustry, EveryRunWritesTheSameBytesAndKeepsTheCallersSeed) {
    TempDir first;
    TempDir second;
    SetRandomSeed(12345);
    const TSampleFiles a = WriteSampleIndustry(first.path());
    EXPECT_EQ(RandomSeed(), 12345u);
    const TSampleFiles b = WriteSampleIndustry(second.path());
    // A second run over the first directory replaces the files and leaves nothing else.
    WriteSampleIndustry(first.path());
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(first.path())) names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"SAMPLE.ind", "SAMPLE.rzx", "SAMPLE.mrA", "SAMPLE.mrE", "SAMPLE.mrI",
                                            "SAMPLE.mrO"}));

    EXPECT_EQ(ReadFileBytes(a.industry), ReadFileBytes(b.industry));
    EXPECT_EQ(ReadFileBytes(a.archive), ReadFileBytes(b.archive));
    for (std::size_t i = 0; i < a.descriptors.size(); ++i)
        EXPECT_EQ(ReadFileBytes(a.descriptors[i]), ReadFileBytes(b.descriptors[i]));
}

TEST(SampleIndustry, AnUnusableDirectoryIsAnErrorAndWritesNothing) {
    TempDir dir;
    const fs::path notADirectory = dir.path() / "plain";
    test::WriteFileBytes(notADirectory, "x");
    EXPECT_THROW(WriteSampleIndustry(notADirectory / "out"), fs::filesystem_error);
    EXPECT_EQ(ReadFileBytes(notADirectory), "x");
}

// The CRC-32 check value: "123456789" gives 0xCBF43926, read as a signed 32-bit integer
// 3421780262 - 2^32 = -873187034; the empty text gives 0.
TEST(SampleIndustry, TeamPasswordChecksumIsTheZipCrc) {
    EXPECT_EQ(TeamPasswordChecksum("123456789"), -873187034);
    EXPECT_EQ(TeamPasswordChecksum(""), 0);
    EXPECT_NE(TeamPasswordChecksum("ACV3-4817"), TeamPasswordChecksum("aCV3-4817"));
}

}  // namespace
}  // namespace cv::sample
