#include "tools/sample_industry/sample_industry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/store/cv_data.h"
#include "core/store/series_index.h"
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

std::vector<std::string> LabelsOf(const TSeries* series) {
    return series == nullptr ? std::vector<std::string>{} : series->Labels();
}

TDataContext ZoneMarket(std::int16_t zone, std::int16_t market) {
    return SampleContext(kCurrentPeriod, {0, zone, market});
}

TEST(SampleIndustry, OpensWithEverySeriesResolvedAndEveryCellSeriesInPlace) {
    TempDir dir;
    RecordingUi ui;
    const fs::path file = WriteSampleIndustryFile(dir.path());
    ASSERT_TRUE(IsVolSetFile(file.string(), std::string(kIndustrySignature)));
    {
        OpenSample sample(file);
        const TCvData& industry = sample.industry;
        EXPECT_EQ(industry.IndustryName(), "SAMPLE");
        EXPECT_EQ(industry.ScenarioName(), "SAMPLE");
        EXPECT_EQ(industry.CurPeriod(), 3);
        ASSERT_NE(industry.PerSeries(), nullptr);
        EXPECT_EQ(industry.PerSeries()->Lo(), 0);
        EXPECT_EQ(industry.PerSeries()->Hi(), 12);
        EXPECT_EQ(LabelsOf(industry.FirSeries()), (std::vector<std::string>{"A", "E", "I", "O"}));
        EXPECT_EQ(LabelsOf(industry.FtaSeries()), (std::vector<std::string>{"North", "South"}));
        EXPECT_EQ(LabelsOf(industry.MktSeries()), (std::vector<std::string>{"M1", "M2"}));
        EXPECT_EQ(industry.AllOrOneMkt().Labels(), (std::vector<std::string>{"AllMkts", "M1", "M2"}));

        // Each cell finds its own series through the positions of the constant part.
        auto cellSeries = [&](std::string_view name, std::int16_t zone, std::int16_t market) {
            const TSeries* series = industry.GetCellSeries(name, ZoneMarket(zone, market));
            return series == nullptr ? std::string("none") : series->Name();
        };
        EXPECT_EQ(cellSeries("ChaSeries", 1, 0), "ChaNorth");
        EXPECT_EQ(cellSeries("ChaSeries", 2, 0), "ChaSouth");
        EXPECT_EQ(cellSeries("SegSeries", 2, 1), "SegSouthM1");
        EXPECT_EQ(cellSeries("SegSeries", 1, 2), "SegNorthM2");
        EXPECT_EQ(cellSeries("SemSeries", 0, 2), "SemM2");
        EXPECT_EQ(cellSeries("MapSeries", 0, 1), "MapM1");
        EXPECT_EQ(cellSeries("DimSeries", 0, 2), "DimM2");
    }
    EXPECT_TRUE(ui.plainBoxes.empty());
    EXPECT_TRUE(ui.errorBoxes.empty());
    EXPECT_TRUE(ui.progressBoxes.empty());  // the forecasts behind the history show no wait notice
}

// The accumulated inflation is that of the stored rates: nothing up to period 0, then
// CumInflation[p, k] = (1 + CumInflation[p-1, k]) x (1 + Economics[p-1, inflation] + DeflatFacs[p-1, k]) - 1.
TEST(SampleIndustry, AccumulatedInflationFollowsTheStoredRates) {
    TempDir dir;
    OpenSample sample(WriteSampleIndustryFile(dir.path()));
    const TCvPerData& constant = sample.industry.ConstPart();
    for (std::int16_t zone = 1; zone <= kZoneCount; ++zone) {
        const TDataContext cell = ZoneMarket(zone, 0);
        const TSimArr* economics = constant.GetSimArr(kCategoryFta, cell, "Economics");
        const TSimArr* deflators = constant.GetSimArr(kCategoryFta, cell, "DeflatFacs");
        const TSimArr* cumulated = constant.GetSimArr(kCategoryFta, cell, "CumInflation");
        ASSERT_TRUE(economics && deflators && cumulated);
        // One unit of the reference money is 1 unit of zone 1's money and 1.6 units of zone 2's.
        EXPECT_NEAR(economics->GetReal48({5, si::ExchangeRate}), zone == 1 ? 1.0L : 1.6L, 1e-11L);
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(cumulated->GetReal48({0, k}), 0.0L);
            for (int p = 1; p <= 12; ++p) {
                const long double expected =
                    (1 + cumulated->GetReal48({p - 1, k})) *
                        (1 + economics->GetReal48({p - 1, si::InflationRate}) + deflators->GetReal48({p - 1, k})) -
                    1;
                EXPECT_NEAR(cumulated->GetReal48({p, k}), expected, 1e-10L) << zone << " " << p << " " << k;
            }
        }
        // Inflation rates are drawn near the zone's rate (2 % or 4.5 %, within 0.4 points).
        for (int p = 0; p <= 12; ++p)
            EXPECT_NEAR(economics->GetReal48({p, si::InflationRate}), zone == 1 ? 0.020L : 0.045L, 0.0041L);
    }
}

// The model reads a market's brands through their links: market brand m is brand Dbix of firm
// Dfix, whose FFMLinks point back to m; pMbix names the same brand one period earlier; Rpix its
// prototype among the firm's; and the firms' counts add up to the market's.
TEST(SampleIndustry, BrandLinksAgreeAcrossMarketsFirmsAndPeriods) {
    TempDir dir;
    OpenSample sample(WriteSampleIndustryFile(dir.path()));
    TCvData& industry = sample.industry;
    for (std::int16_t period = kFirstResultPeriod; period <= kCurrentPeriod; ++period)
        for (std::int16_t zone = 1; zone <= kZoneCount; ++zone)
            for (std::int16_t market = 1; market <= kMarketCount; ++market) {
                const TCvPerData& results = industry.PerResults(period);
                const TDataContext here = SampleContext(period, {0, zone, market});
                const TSimArr* names = results.GetSimArr(kCategoryFtaMarket, here, "BrdNames");
                const TSimArr* links = results.GetSimArr(kCategoryFtaMarket, here, "XFMLinks");
                ASSERT_TRUE(names && links);
                const int brandCount = results.GetSmallint(kCategoryFtaMarket, here, "NbMktedBrds");
                int firmTotal = 0;
                for (std::int16_t firm = 1; firm <= kFirmCount; ++firm) {
                    const TDataContext own = SampleContext(period, {firm, zone, market});
                    const int count = results.GetSmallint(kCategoryFirmFtaMarket, own, "NbMktedBrds");
                    firmTotal += count;
                    if (period >= kFirstDecisionPeriod) {
                        EXPECT_EQ(industry.PerDecisions(period).GetSmallint(kCategoryFirmFtaMarket, own, "NbMktedBrds"),
                                  count);
                    }
                }
                EXPECT_EQ(firmTotal, brandCount);
                for (int m = 1; m <= brandCount; ++m) {
                    const TDataContext firm = SampleContext(period, {links->GetByte({m, si::Dfix}), zone, market});
                    const int k = links->GetByte({m, si::Dbix});
                    const TSimArr* firmNames = results.GetSimArr(kCategoryFirmFtaMarket, firm, "FirMktedBrds");
                    const TSimArr* firmLinks = results.GetSimArr(kCategoryFirmFtaMarket, firm, "FFMLinks");
                    const TSimArr* firmPros = results.GetSimArr(kCategoryFirmFtaMarket, firm, "FirMktedPros");
                    const TSimArr* prototypes = results.GetSimArr(kCategoryFirmMarket, firm, "ProNames");
                    ASSERT_TRUE(firmNames && firmLinks && firmPros && prototypes);
                    EXPECT_EQ(firmNames->GetZts({k}), names->GetZts({m}));
                    EXPECT_EQ(firmLinks->GetByte({k, si::Mbix}), m);
                    EXPECT_EQ(prototypes->GetZts({links->GetByte({m, si::Rpix})}), firmPros->GetZts({k}));
                    const int previous = links->GetByte({m, si::pMbix});
                    if (previous != 0) {
                        const TSimArr* before = industry.PerResults(period - 1).GetSimArr(
                            kCategoryFtaMarket, SampleContext(period - 1, {0, zone, market}), "BrdNames");
                        ASSERT_NE(before, nullptr);
                        EXPECT_EQ(before->GetZts({previous}), names->GetZts({m}));
                    }
                }
            }
    // ARNO, firm A's second brand of market 1, is launched in period 2: new there (pMbix 0), then
    // market brand 2 of period 2 in period 3 (ALBA, ARNO, EDRA, EFOR, IBIS, IRMA, OPAL, ONYX).
    auto marketLinks = [&](std::int16_t period) {
        return industry.PerResults(period).GetSimArr(kCategoryFtaMarket, SampleContext(period, {0, 1, 1}), "XFMLinks");
    };
    const TSimArr* links2 = marketLinks(2);
    const TSimArr* links3 = marketLinks(3);
    ASSERT_TRUE(links2 && links3);
    EXPECT_EQ(links2->GetByte({2, si::pMbix}), 0);
    EXPECT_EQ(links3->GetByte({2, si::pMbix}), 2);
    EXPECT_EQ(links3->GetByte({6, si::pMbix}), 0);  // IRMA, launched in period 3
}

TEST(SampleIndustry, ArchiveHoldsTheIndustryAndDescriptorsItsKeys) {
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

    // Each descriptor: the team letter ends its name, its key is the industry's key of that firm,
    // and its period is the decision period.
    OpenSample sample(files.industry);
    for (std::int16_t firm = 1; firm <= kFirmCount; ++firm) {
        const fs::path& descriptor = files.descriptors[static_cast<std::size_t>(firm - 1)];
        const std::string letter = sample.industry.FirSeries()->GetLabel(firm);
        EXPECT_EQ(descriptor, dir.path() / ("SAMPLE.mr" + letter));
        const TIniFile ini(descriptor.string());
        const TDataContext firmCell = SampleContext(kCurrentPeriod, {firm, 0, 0});
        const long double key = sample.industry.ConstPart().GetReal(kCategoryFirm, firmCell, "TeamPwdKey");
        EXPECT_EQ(ini.ReadInteger("Team", "KeyPwd", 0), key) << letter;
        EXPECT_EQ(ini.ReadInteger("Team", "CurPer", 0), 4) << letter;
    }
    EXPECT_TRUE(ui.errorBoxes.empty());
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
