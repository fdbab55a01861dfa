#include "core/store/series.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

#include "core/base/errors.h"
#include "core/store/series_index.h"

namespace cv {
namespace {

void ExpectSameSeries(const TSeries& actual, const TSeries& expected) {
    const auto fields = [](const TSeries& s) { return std::tuple(s.Id(), s.Name(), s.Lo(), s.Hi(), s.Labels()); };
    EXPECT_EQ(fields(actual), fields(expected));
}

// Texts compare on their first sixteen characters, letter case ignored for
// cp1252 letters too: "Été" is C9 74 E9, "ÉTÉ" C9 54 C9; "Œuvre" starts with 8C,
// "œuvre" with 9C; the division sign F7 is not the lower case of the sign D7.
TEST(Series, TextsCompareOnSixteenCharactersIgnoringCaseOfAccentedLettersToo) {
    const TSeries series(1, "NameLongerThanSixteen", 1, {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQRSTU", "\xC9t\xE9",
                                                         "\x8Cuvre", "\xD7"});
    EXPECT_EQ(series.Name(), "NameLongerThanSi");
    EXPECT_EQ(series.GetLabel(2), "ABCDEFGHIJKLMNOP");
    for (const auto& [text, index] : {std::pair{"abcdefghijklmnopXYZ", 1}, {"ABCDEFGHIJKLMNO", 127}, {"\xC9T\xC9", 3},
                                      {"\x9Cuvre", 4}, {"\xF7", 127}})
        EXPECT_EQ(series.IndexOf(text), index) << text;
}

TEST(Series, InsertingOutsideTheListOrPastSixteenBitsIsRefused) {
    const TSeries markets(4, "Markets", 1, {"M1", "M2"});
    TSeries series;
    series.Assign(markets);
    series.InsertLabel(2, "End");
    series.InsertLabel(0, "Front");
    ExpectSameSeries(series, TSeries(4, "Markets", 1, {"Front", "M1", "M2", "End"}));
    ExpectSameSeries(markets, TSeries(4, "Markets", 1, {"M1", "M2"}));  // the copy is deep
    EXPECT_THROW(series.InsertLabel(5, "Z"), ERangeError);
    EXPECT_THROW(series.InsertLabel(-1, "Z"), ERangeError);
    TSeries full(1, "Full", 32767, {"Last"});
    EXPECT_THROW(full.InsertLabel(0, "More"), EOverflowError);
    EXPECT_EQ(full.Labels().size(), 1u);
    EXPECT_THROW(TSeries(1, "TooLong", 32767, {"A", "B"}), EOverflowError);
}

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
