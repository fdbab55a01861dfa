#include "core/store/series_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/errors.h"

namespace cv {
namespace {

// The table is global: every test starts and ends with it reset.
class SeriesIndexTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSeriesIndexes(); }
    void TearDown() override { ResetSeriesIndexes(); }
};

std::vector<std::string> Labels(std::span<const std::string_view> names) {
    return {names.begin(), names.end()};
}

// A series list holding every series of the table, each with lo = 1 and its
// element names as labels, so that element k of a series resolves to k.
void AddWholeTable(TListSeries& list) {
    std::uint16_t id = 1;
    for (const TSeriesIndexEntry& entry : SeriesIndexTable())
        list.AddSeries(TSeries(id++, entry.name, 1, Labels(entry.elements)));
}

bool TableIsReset() {
    for (std::size_t s = 0; s < kIndexedSeriesCount; ++s)
        if (IndexedSeries(static_cast<TIndexedSeries>(s)) != nullptr) return false;
    for (std::size_t e = 0; e < kIndexedElementCount; ++e)
        if (ElementIndex(static_cast<TIndexedElement>(e)) != kSeriesMissing) return false;
    return true;
}

TEST_F(SeriesIndexTest, IndexesComeFromTheIndustrysOwnSeries) {
    TCvSeries list;
    list.AddSeries(TSeries(1, "uorv", 1, {"UNIT", "Value"}));
    // "StuMkt" without "Conjoint", from lo = 0.
    list.AddSeries(TSeries(2, "StuMkt", 0,
                           {"ConsumerSurvey", "ConsumerPanel", "DistributPanel", "SemanticScales", "PerceptualMap",
                            "MarketForecast", "CompetitiveAdv", "CompetitiveSlf", "ExperimentAdv", "ExperimentSlf"}));
    list.AddSeries(TSeries(3, "BegEnd", -1, {"End", "Beg"}));
    InitSeriesIndexes(list);

    EXPECT_EQ(si::UorV, list.FindSeries("UorV"));
    EXPECT_EQ(si::Unit, 1);
    EXPECT_EQ(si::Value, 2);
    EXPECT_EQ(si::ConsumerSurvey, 0);
    EXPECT_EQ(si::ExperimentSlf, 9);
    EXPECT_EQ(si::Conjoint, 127);  // the series lacks the label
    EXPECT_EQ(si::End, -1);        // lo = -1: the first label
    EXPECT_EQ(si::Beg, 0);
    // Series the industry lacks: no reference, and their elements -1.
    EXPECT_EQ(si::Cct, nullptr);
    EXPECT_EQ(si::BrdRpt, nullptr);
    EXPECT_EQ(si::brRev, kSeriesMissing);
    EXPECT_EQ(si::StuMktCateg, kSeriesMissing);
    // A renamed element keeps its data name and the series it belongs to.
    EXPECT_EQ(ElementName(TIndexedElement::StuMktCateg), "StuMkt");
    EXPECT_EQ(SeriesOfElement(TIndexedElement::StuMktCateg), TIndexedSeries::RestrictCateg);
}

TEST_F(SeriesIndexTest, ASecondIndustryReplacesEveryValue) {
    TCvSeries first;
    AddWholeTable(first);
    InitSeriesIndexes(first);
    ASSERT_NE(si::Cct, nullptr);

    TCvSeries second;
    second.AddSeries(TSeries(1, "UorV", 5, {"Value", "Unit"}));
    InitSeriesIndexes(second);
    EXPECT_EQ(si::UorV, second.FindSeries("UorV"));
    EXPECT_EQ(si::Unit, 6);
    EXPECT_EQ(si::Value, 5);
    EXPECT_EQ(si::Cct, nullptr);
    EXPECT_EQ(si::Price, kSeriesMissing);
}

TEST_F(SeriesIndexTest, ClosingTheIndustryLeavesNothingPointingAtItsSeries) {
    {
        TCvSeries list;
        AddWholeTable(list);
        InitSeriesIndexes(list);
        ASSERT_FALSE(TableIsReset());
        ResetSeriesIndexes();  // what closing the industry does before its series go
    }
    EXPECT_TRUE(TableIsReset());
}

TEST_F(SeriesIndexTest, AnIndexBeyondEightBitsFailsAndLeavesTheTableReset) {
    TCvSeries first;
    AddWholeTable(first);
    InitSeriesIndexes(first);

    // "FFXRpt" from lo = 100: its 28th element "ffxCumSlf" would be 127, the
    // 29th "ffxIP" 128, past a signed byte.
    TCvSeries second;
    second.AddSeries(TSeries(1, "UorV", 1, {"Unit", "Value"}));
    const TSeriesIndexEntry& ffx = SeriesIndexTable()[44];
    second.AddSeries(TSeries(2, "FFXRpt", 100, Labels(ffx.elements)));
    EXPECT_THROW(InitSeriesIndexes(second), ERangeError);
    EXPECT_TRUE(TableIsReset());
}

}  // namespace
}  // namespace cv
