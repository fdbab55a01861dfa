#include "core/store/series.h"

#include <gtest/gtest.h>
#include <vector>

#include "core/base/errors.h"
#include "core/store/series_index.h"

namespace cv {
namespace {

// The table is global: every test starts and ends with it reset.
class SeriesIndexTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSeriesIndexes(); }
    void TearDown() override { ResetSeriesIndexes(); }
};

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
    // Conjoint: the series lacks the label; End: lo = -1, the first label.
    EXPECT_EQ((std::vector<int>{si::Unit, si::Value, si::ConsumerSurvey, si::ExperimentSlf, si::Conjoint, si::End,
                                si::Beg}),
              (std::vector<int>{1, 2, 0, 9, 127, -1, 0}));
    // Series the industry lacks: no reference, and their elements -1.
    EXPECT_EQ(si::Cct, nullptr);
    EXPECT_EQ((std::vector<int>{si::brRev, si::StuMktCateg}), (std::vector<int>(2, kSeriesMissing)));
    // A renamed element keeps its data name and the series it belongs to.
    EXPECT_EQ(ElementName(TIndexedElement::StuMktCateg), "StuMkt");
    EXPECT_EQ(SeriesOfElement(TIndexedElement::StuMktCateg), TIndexedSeries::RestrictCateg);
}

// Each industry replaces every value; an element past a signed byte fails and
// leaves the table reset, as closing the industry does.
TEST_F(SeriesIndexTest, ASecondIndustryReplacesEveryValueAndAFailureLeavesTheTableReset) {
    TCvSeries first;
    first.AddSeries(TSeries(1, "Cct", 1, {"Any"}));
    first.AddSeries(TSeries(2, "UorV", 1, {"Unit", "Value"}));
    InitSeriesIndexes(first);
    ASSERT_NE(si::Cct, nullptr);
    TCvSeries second;
    second.AddSeries(TSeries(1, "UorV", 126, {"Value", "Unit"}));  // Unit at 127, the largest that fits
    InitSeriesIndexes(second);
    EXPECT_EQ(si::UorV, second.FindSeries("UorV"));
    EXPECT_EQ((std::vector<int>{si::Unit, si::Value}), (std::vector<int>{127, 126}));
    EXPECT_EQ(si::Cct, nullptr);
    TCvSeries third;
    third.AddSeries(TSeries(1, "UorV", 127, {"Value", "Unit"}));  // Unit at 128
    EXPECT_THROW(InitSeriesIndexes(third), ERangeError);
    EXPECT_TRUE(TableIsReset());
    InitSeriesIndexes(first);
    ResetSeriesIndexes();
    EXPECT_TRUE(TableIsReset());
}

}  // namespace
}  // namespace cv
