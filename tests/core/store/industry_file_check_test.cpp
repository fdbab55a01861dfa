#include "core/store/industry_file_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/session/industry.h"
#include "core/store/cv_data.h"
#include "tests/support/checks.h"
#include "tests/support/damage.h"
#include "tests/support/recording_ui.h"
#include "tests/support/series_damage.h"
#include "tests/support/table_damage.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_industry.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

constexpr std::size_t kGarbageSize = 4096;

// Loads every set of the industry and builds every cell, as the pages would
// over time; raises what the first part that does not read raises.
void UseEveryCell(const std::string& file) {
    TCvData industry;
    industry.Open(std::string(kIndustrySignature), file);
    const auto build = [](TCvPerData& set) { ForEachCell([&set](const TCellIndex& cell) { set.Cell(cell); }); };
    build(industry.ConstPart());
    for (int period = kFirstResultPeriod; period <= kLastStoredPeriod; ++period) build(industry.PerResults(period));
    for (int period = kFirstDecisionPeriod; period <= kLastStoredPeriod; ++period) {
        build(industry.PerDecisions(period));
        build(industry.PerDefaults(period));
    }
}

class IndustryFileCheckTest : public ::testing::Test {
protected:
    IndustryFileCheckTest() : sample_(sample::WriteSampleIndustryFile(dir_.path())), bytes_(ReadFileBytes(sample_)) {}

    TIndustryFileVerdict CheckBytes(const std::string& bytes) {
        WriteFileBytes(copy_, bytes);
        return CheckWholeIndustryFile(copy_.string()).verdict;
    }

    test::TempDir dir_;
    fs::path sample_;
    std::string bytes_;
    fs::path copy_ = dir_.path() / "COPY.MTA";
};

TEST_F(IndustryFileCheckTest, TheSampleIndustryIsSound) {
    const TIndustryFileCheck check = CheckWholeIndustryFile(sample_.string());
    EXPECT_TRUE(check.Sound()) << check.reason;
    // Nothing was written: not even the load dates of the volumes.
    EXPECT_TRUE(ReadFileBytes(sample_) == bytes_);
    // Nor does a variant lack anything: restrictions, fresh or complete decisions.
    for (const sample::TSampleVariant& variant : test::EverySampleVariant()) {
        const test::TempDir dir;
        const TIndustryFileCheck variantCheck =
            CheckWholeIndustryFile(sample::WriteSampleIndustryFile(dir.path(), variant).string());
        EXPECT_TRUE(variantCheck.Sound()) << test::VariantName(variant) << ": " << variantCheck.reason;
    }
}

// 4 KiB of garbage at 10, 50 or 90 % of the file is found wherever it lands.
TEST_F(IndustryFileCheckTest, GarbageAnywhereInTheFileIsFound) {
    for (const double fraction : {0.1, 0.5, 0.9}) {
        SCOPED_TRACE(fraction);
        WriteFileBytes(copy_, test::WithGarbage(bytes_, fraction, kGarbageSize, 28));
        const TIndustryFileCheck check = CheckWholeIndustryFile(copy_.string());
        EXPECT_EQ(check.verdict, TIndustryFileVerdict::damaged);
        EXPECT_FALSE(check.reason.empty());
    }
}

TEST_F(IndustryFileCheckTest, AFileWithoutTheSignatureIsNoIndustryAndACutOneIsDamaged) {
    EXPECT_EQ(CheckBytes("SAMPLE industry, but a text file"), TIndustryFileVerdict::notAnIndustry);
    EXPECT_EQ(CheckWholeIndustryFile((dir_.path() / "missing").string()).verdict, TIndustryFileVerdict::notAnIndustry);
    for (const std::size_t length : {std::size_t{400}, bytes_.size() / 2, bytes_.size() - 1})
        EXPECT_EQ(CheckBytes(bytes_.substr(0, length)), TIndustryFileVerdict::damaged) << length;
}

// Each series position the opening reads, missing or beyond either end of the
// series list: the opening refuses the file, and so does the check, naming the
// series, without a box of the bag's or the list's.
TEST_F(IndustryFileCheckTest, AFileWithoutASeriesTheOpeningNeedsIsDamaged) {
    const int seriesCount = test::SeriesListCount(sample_);
    test::RecordingUi ui;
    for (const test::TSeriesCell& position : test::OpeningSeriesCells(sample_)) {
        for (const std::optional<int> value : {std::optional<int>{}, std::optional{-1}, std::optional{seriesCount}}) {
            SCOPED_TRACE(test::SeriesCellText(position) + (value ? " at " + std::to_string(*value) : " missing"));
            WriteFileBytes(copy_, bytes_);
            if (value)
                test::SetSeriesPosition(copy_, position, static_cast<std::int16_t>(*value));
            else
                test::RemoveSeriesPosition(copy_, position);
            const std::string damaged = ReadFileBytes(copy_);
            const TIndustryFileCheck check = CheckWholeIndustryFile(copy_.string());
            EXPECT_EQ(check.verdict, TIndustryFileVerdict::damaged);
            EXPECT_NE(check.reason.find(position.name), std::string::npos) << check.reason;
            EXPECT_TRUE(ReadFileBytes(copy_) == damaged);
            TCvInd industry;
            industry.Open(std::string(kIndustrySignature), copy_.string());
            EXPECT_THROW(industry.InitSeries(), EDataError);
            EXPECT_TRUE(ui.messageBoxes.empty() && ui.plainBoxes.empty() && ui.errorBoxes.empty());
        }
    }
}

// Every position set to every series of the list: each of the sample's series
// is of one kind (an index-table series, or the series of one position), and
// the arrays of the cells are dimensioned with their positions' series, so only
// the position's own series leaves the file sound.
TEST_F(IndustryFileCheckTest, APositionNamingASeriesOfAnotherKindIsDamaged) {
    const int seriesCount = test::SeriesListCount(sample_);
    for (const test::TSeriesCell& position : test::OpeningSeriesCells(sample_)) {
        const std::int16_t own = test::SeriesPosition(sample_, position);
        const test::TSeriesPositionPlace place(sample_, position);
        WriteFileBytes(copy_, bytes_);
        for (std::int16_t value = 0; value < seriesCount; ++value) {
            SCOPED_TRACE(test::SeriesCellText(position) + " at " + std::to_string(value));
            place.Write(copy_, value);
            ASSERT_EQ(test::SeriesPosition(copy_, position), value);
            const TIndustryFileCheck check = CheckWholeIndustryFile(copy_.string());
            EXPECT_EQ(check.verdict, value == own ? TIndustryFileVerdict::sound : TIndustryFileVerdict::damaged)
                << check.reason;
        }
    }
}

// The positions of a kind moved round among their markets or zones, a series,
// a scalar or an element the program looks up renamed: what the arrays of each
// market's and zone's cells are dimensioned with, the firms, zones, markets and
// periods the cells are kept for, and the names the program reads without a
// default tell each one apart. The names it does without stay sound: the zone,
// market and firm series are found by their positions; the parameters of the
// checks, the model and the R&D estimates, the home zone, the statuses of the
// decisions, the count of simulation messages and the team's letter are read
// with a default; the password is read from the team's descriptor.
TEST_F(IndustryFileCheckTest, PositionsMovedRoundAndNamesChangedAreDamaged) {
    std::set<std::string> unneeded = {"series Firms",
                                      "series Ftas",
                                      "series Markets",
                                      "scalar DecStatus of period 4",
                                      "scalar SlfDecStatus of period 4",
                                      "scalar StudiesDecStatus of period 4",
                                      "scalar NbMsgSim of period 3"};
    for (const char* scalar :
         {"AdjustProdPlan", "ExpEffBatch", "ExpEffMult", "ExpEffReduc", "MaxPriVar1", "WhichTeam", "HomeFta",
          "IHCCoef", "ISCCoef", "SlpBaseCost", "SlpFireCost", "SlpHireCost", "TeamPwdKey", "TeamPwdVal",
          "MinRnDBgtRatio", "MinRnDBgt", "MaxRnDBgt", "MinRUC", "MaxRUC", "MinUCOverEst", "MaxUCOverEst",
          "MinDBOverEst", "MaxDBOverEst"})
        unneeded.insert(std::string("scalar ") + scalar + " of the constant part");
    std::vector<test::TFileDamage> damages = test::MovedSeriesPositions(sample_);
    for (auto& renamed : {test::RenamedNames(sample_), test::RenamedLabels(sample_)})
        damages.insert(damages.end(), renamed.begin(), renamed.end());
    for (const test::TFileDamage& damage : damages) {
        SCOPED_TRACE(damage.text);
        WriteFileBytes(copy_, bytes_);
        damage.apply(copy_);
        EXPECT_EQ(CheckWholeIndustryFile(copy_.string()).verdict,
                  unneeded.contains(damage.text) ? TIndustryFileVerdict::sound : TIndustryFileVerdict::damaged);
    }
}

// Every name the program reads without a default, lost from every cell of its
// kind, and the faults of kinds, counts, indexes, shapes and cells the table
// tells: each refused, naming what does not read.
TEST_F(IndustryFileCheckTest, WhatTheProgramReadsIsInEveryCellItReadsOfItsKindAndShape) {
    std::vector<test::TTableBreach> breaches = test::TableBreaches(sample_);
    for (test::TFileDamage& lost : test::LostNames()) {
        const std::string name = lost.text.substr(lost.text.find(' ') + 1, lost.text.find(" of ") - lost.text.find(' ') - 1);
        breaches.push_back({std::move(lost), name});
    }
    ASSERT_GT(breaches.size(), 70U);
    for (const test::TTableBreach& breach : breaches) {
        SCOPED_TRACE(breach.damage.text);
        WriteFileBytes(copy_, bytes_);
        breach.damage.apply(copy_);
        const TIndustryFileCheck check = CheckWholeIndustryFile(copy_.string());
        EXPECT_EQ(check.verdict, TIndustryFileVerdict::damaged);
        EXPECT_NE(check.reason.find(breach.named), std::string::npos) << check.reason;
    }
}

// Bits flipped anywhere: an answer, never a crash; and whatever the check calls
// sound reads whole, every set and every cell.
TEST_F(IndustryFileCheckTest, AFileCalledSoundReadsWholeWhereverItsBitsFlipped) {
    int damagedCount = 0;
    for (const std::string& flipped : test::FlippedCopies(bytes_, 200, 28)) {
        if (CheckBytes(flipped) != TIndustryFileVerdict::sound) {
            ++damagedCount;
            continue;
        }
        EXPECT_EQ(test::ErrorText<ECvError>([&] { UseEveryCell(copy_.string()); }), "");
    }
    // Flips among the volumes' numbers leave a sound file; flips elsewhere do not.
    EXPECT_GT(damagedCount, 0);
}

}  // namespace
}  // namespace cv
