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

TEST_F(SeriesIndexTest, TheTableHoldsItsSeriesAndElementsInOrder) {
    const auto table = SeriesIndexTable();
    ASSERT_EQ(table.size(), 55u);
    std::size_t elements = 0;
    for (const TSeriesIndexEntry& entry : table) elements += entry.elements.size();
    EXPECT_EQ(elements, 294u);
    EXPECT_EQ(table.front().name, "CjaLevel");
    EXPECT_TRUE(table.front().elements.empty());
    EXPECT_EQ(table[19].name, "DecBrdCV3");
    EXPECT_EQ(table[19].elements.size(), 13u);
    EXPECT_EQ(table[19].elements[5], "Price");
    EXPECT_EQ(table[44].name, "FFXRpt");
    EXPECT_EQ(table[44].elements.size(), 50u);
    EXPECT_EQ(table[44].elements.back(), "ffxCumRMI");
    EXPECT_EQ(table.back().name, "rcNewsletter");
    EXPECT_EQ(table.back().elements.back(), "NoMarketReport");
    // The renamed elements keep their data names.
    EXPECT_EQ(ElementName(TIndexedElement::StuMktCateg), "StuMkt");
    EXPECT_EQ(SeriesOfElement(TIndexedElement::StuMktCateg), TIndexedSeries::RestrictCateg);
    EXPECT_EQ(ElementName(TIndexedElement::brRev), "brRev");
    EXPECT_EQ(SeriesOfElement(TIndexedElement::brRev), TIndexedSeries::BrdRpt);
}

TEST_F(SeriesIndexTest, BeforeAnyIndustryEverythingIsMissing) {
    EXPECT_TRUE(TableIsReset());
    EXPECT_EQ(si::UorV, nullptr);
    EXPECT_EQ(si::Price, -1);
}

TEST_F(SeriesIndexTest, EveryNamedAccessorReadsItsOwnEntry) {
    TCvSeries list;
    AddWholeTable(list);
    InitSeriesIndexes(list);
    // Element k of its series (lo = 1) resolves to k.
    EXPECT_EQ(si::Beg, 1);
    EXPECT_EQ(si::End, 2);
    EXPECT_EQ(si::Price, 6);         // BrdDecStatus, Production, SellStock, AdvertBgt, AdvertQual, Price
    EXPECT_EQ(si::PortStatus, 13);   // last of DecBrdCV3's 13
    EXPECT_EQ(si::ProReqBgtRQ, 18);  // last of ProFinances' 18
    EXPECT_EQ(si::brRSales, 19);
    EXPECT_EQ(si::ffmCumRnD, 26);
    EXPECT_EQ(si::ffxCumRMI, 50);
    EXPECT_EQ(si::Benchmark, 1);
    EXPECT_EQ(si::Conjoint, 11);
    EXPECT_EQ(si::rcDecisionsCateg, 1);
    EXPECT_EQ(si::StuFtaCateg, 2);
    EXPECT_EQ(si::StuMktCateg, 3);
    EXPECT_EQ(si::rcReportCateg, 6);
    EXPECT_EQ(si::NoMarketReport, 4);
    // The series of the same names are the series, not the elements.
    EXPECT_EQ(si::StuMkt, list.FindSeries("StuMkt"));
    EXPECT_EQ(si::StuMkt->Count(), 11);
    EXPECT_EQ(si::StuFta->Count(), 1);
    EXPECT_EQ(si::rcReport->Count(), 7);
    EXPECT_EQ(si::CjaLevel, list.FindSeries("CjaLevel"));
    EXPECT_EQ(si::DecBrdCV3->GetLabel(si::Price), "Price");

    // Every element of the table, through the generic view: its position + 1.
    for (const TSeriesIndexEntry& entry : SeriesIndexTable()) {
        const TSeries* series = list.FindSeries(entry.name);
        for (std::size_t k = 0; k < entry.elements.size(); ++k)
            EXPECT_EQ(series->GetLabel(static_cast<int>(k) + 1), entry.elements[k]);
    }
    for (std::size_t e = 0; e < kIndexedElementCount; ++e) {
        const auto element = static_cast<TIndexedElement>(e);
        const TSeries* series = IndexedSeries(SeriesOfElement(element));
        ASSERT_NE(series, nullptr);
        EXPECT_EQ(series->GetLabel(ElementIndex(element)), ElementName(element));
    }
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
