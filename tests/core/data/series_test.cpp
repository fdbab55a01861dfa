#include "core/data/series.h"

#include <gtest/gtest.h>

#include "core/services/errors.h"
#include "tests/support/recording_ui.h"

namespace cv {
namespace {

TEST(Series, LabelsAndIndexesFollowTheLowBound) {
    const TSeries abc(7, "Letters", 1, {"A", "B", "C"});
    EXPECT_EQ(abc.Lo(), 1);
    EXPECT_EQ(abc.Hi(), 3);
    EXPECT_EQ(abc.Count(), 3);
    EXPECT_EQ(abc.GetLabel(2), "B");
    EXPECT_EQ(abc.GetLabel(0), "Undefined");
    EXPECT_EQ(abc.GetLabel(4), "Undefined");
    EXPECT_EQ(abc.IndexOf("b"), 2);
    EXPECT_EQ(abc.IndexOf("D"), 127);
    EXPECT_EQ(abc.IndexOf(""), 127);

    // With lo = 0 the first label is 0 and a missing one still 127, never -1.
    const TSeries zeroBased(1, "Z", 0, {"First", "Second"});
    EXPECT_EQ(zeroBased.IndexOf("FIRST"), 0);
    EXPECT_EQ(zeroBased.IndexOf("Third"), 127);

    // A negative low bound: periods -1..1.
    const TSeries periods(2, "Periods", -1, {"P-1", "P0", "P1"});
    EXPECT_EQ(periods.IndexOf("P-1"), -1);
    EXPECT_EQ(periods.GetLabel(1), "P1");
}

TEST(Series, DuplicateLabelsAnswerTheFirstMatch) {
    const TSeries twice(1, "Twice", 5, {"X", "Y", "x"});
    EXPECT_EQ(twice.IndexOf("X"), 5);
    EXPECT_EQ(twice.IndexOf("x"), 5);
}

TEST(Series, TextsAreComparedOnTheirFirstSixteenCharacters) {
    const TSeries series(1, "NameLongerThanSixteen", 1, {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQRSTU"});
    EXPECT_EQ(series.Name(), "NameLongerThanSi");
    // The second label keeps its first 16 characters, the same as the first label.
    EXPECT_EQ(series.GetLabel(2), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(series.IndexOf("abcdefghijklmnopXYZ"), 1);
    EXPECT_EQ(series.IndexOf("ABCDEFGHIJKLMNO"), 127);
}

TEST(Series, LetterCaseIsIgnoredForAccentedLettersToo) {
    // cp1252: "Été" is C9 74 E9, "ÉTÉ" C9 54 C9; "Œuvre" starts with 8C, "œuvre" with 9C.
    const TSeries series(1, "Accents", 1, {"\xC9t\xE9", "\x8Cuvre"});
    EXPECT_EQ(series.IndexOf("\xC9T\xC9"), 1);
    EXPECT_EQ(series.IndexOf("\x9Cuvre"), 2);
    // The division sign F7 is not the lower case of the multiplication sign D7.
    const TSeries signs(1, "Signs", 1, {"\xD7"});
    EXPECT_EQ(signs.IndexOf("\xF7"), 127);
}

TEST(Series, InsertingAtTheFrontOfACopyBuildsTheAllMarketsSeries) {
    const TSeries markets(4, "Markets", 1, {"M1", "M2"});
    TSeries allOrOne;
    allOrOne.Assign(markets);
    allOrOne.SetName("AllOrOneMkt");
    allOrOne.InsertLabel(0, "AllMkts");
    EXPECT_EQ(allOrOne.Lo(), 1);
    EXPECT_EQ(allOrOne.Hi(), 3);
    EXPECT_EQ(allOrOne.Id(), 4);
    EXPECT_EQ(allOrOne.Name(), "AllOrOneMkt");
    EXPECT_EQ(allOrOne.Labels(), (std::vector<std::string>{"AllMkts", "M1", "M2"}));
    EXPECT_EQ(allOrOne.IndexOf("M2"), 3);
    // The copy is deep: the market series is unchanged.
    EXPECT_EQ(markets.Count(), 2);
    EXPECT_EQ(markets.GetLabel(1), "M1");
}

TEST(Series, InsertingOutsideTheListOrPastSixteenBitsIsRefused) {
    TSeries series(1, "S", 1, {"A"});
    EXPECT_THROW(series.InsertLabel(2, "Z"), ERangeError);
    EXPECT_THROW(series.InsertLabel(-1, "Z"), ERangeError);
    series.InsertLabel(1, "B");  // at the end
    EXPECT_EQ(series.Labels(), (std::vector<std::string>{"A", "B"}));

    TSeries full(1, "Full", 32767, {"Last"});
    EXPECT_THROW(full.InsertLabel(0, "More"), EOverflowError);
    EXPECT_EQ(full.Hi(), 32767);
    EXPECT_EQ(full.Labels().size(), 1u);
    // Bounds that would run past 32767 are refused when the series is made.
    EXPECT_THROW(TSeries(1, "TooLong", 32767, {"A", "B"}), EOverflowError);
}

TEST(SeriesList, FindsByNameWithoutCaseAndByPositionWithAReport) {
    test::RecordingUi ui;
    TCvSeries list;
    EXPECT_FALSE(list.Modified());
    TSeries& periods = list.AddSeries(TSeries(1, "Periods", -1, {"P-1", "P0"}));
    list.AddSeries(TSeries(2, "Firms", 1, {"A", "B"}));
    list.AddSeries(TSeries(3, "FIRMS", 1, {"Other"}));
    EXPECT_TRUE(list.Modified());
    EXPECT_EQ(list.Count(), 3);

    EXPECT_EQ(list.FindSeries("periods"), &periods);
    ASSERT_NE(list.FindSeries("firms"), nullptr);
    EXPECT_EQ(list.FindSeries("firms")->Id(), 2);  // the first of two equal names
    EXPECT_EQ(list.FindSeries("Zones"), nullptr);
    EXPECT_EQ(list.FindSeries("Period"), nullptr);
    EXPECT_TRUE(ui.plainBoxes.empty());

    EXPECT_EQ(list.GetSeries(0), &periods);
    EXPECT_EQ(list.GetSeries(2)->Id(), 3);
    EXPECT_EQ(list.GetSeries(3), nullptr);
    EXPECT_EQ(list.GetSeries(-1), nullptr);
    EXPECT_EQ(ui.plainBoxes,
              (std::vector<std::string>{"[GetSeries] Bad series position : 3", "[GetSeries] Bad series position : -1"}));
}

}  // namespace
}  // namespace cv
