#include "core/base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"

namespace cv {
namespace {

TEST(NumbersTest, SignDivisionAndRoundingKeepTheirTieRules) {
    // -0 >= 0, so its sign is 1.
    EXPECT_TRUE(test::AllEqual<double>({{Sign(0), 1}, {Sign(-0.0), 1}, {Sign(-0.001), -1}, {SafeDiv(1, 4, 9), 0.25},
                                        {SafeDiv(1, 0, 9), 9}, {SafeDiv(1, 0), 0}}));
    // 5/2 = 2.5 and 7/2 = 3.5 go to the even neighbours 2 and 4; -2.5 to -2. A zero divisor
    // rounds the default: 2.5 gives 2.
    EXPECT_TRUE(test::AllEqual<std::int32_t>({{SafeDivRound(5, 2, 0), 2}, {SafeDivRound(7, 2, 0), 4},
                                              {SafeDivRound(-5, 2, 0), -2}, {SafeDivRound(1, 0, 2.5), 2},
                                              {SafeDivRound(2147483647.0, 1, 0), 2147483647},
                                              {SafeDivRound(-2147483648.0, 1, 0), -2147483647 - 1}}));
    EXPECT_THROW(SafeDivRound(2147483648.0, 1, 0), ERangeError);
    EXPECT_THROW(SafeDivRound(1, 0, std::nan("")), ERangeError);
    EXPECT_THROW(SafeDivRound(1, 1e-320, 0), ERangeError);
}

TEST(NumbersTest, BitWordsNumberTheirBitsFromOneToSixteen) {
    // 5 = bits 1 and 3: setting bit 1 again changes nothing. 6 = binary 110.
    EXPECT_TRUE(test::AllEqual<int>({{PowerOfTwo(0), 1}, {PowerOfTwo(15), 32768}, {IsBitSet(1, 1), 1},
                                     {IsBitSet(2, 1), 0}, {IsBitSet(16, 0x8000), 1}, {SetWordBit(0, 16), 32768},
                                     {SetWordBit(5, 1), 5}, {SetWordBit(5, 2), 7}, {TestWordBit(6, 2), 1},
                                     {TestWordBit(6, 1), 0}}));
    EXPECT_THROW(PowerOfTwo(16), ERangeError);
    EXPECT_THROW(IsBitSet(0, 1), ERangeError);
    EXPECT_THROW(IsBitSet(17, 1), ERangeError);
    EXPECT_THROW(SetWordBit(0, 0), ERangeError);
    EXPECT_THROW(TestWordBit(0, 17), ERangeError);
}

TEST(NumbersTest, PowerGuardsItsArgumentsAndWarnsOncePerRun) {
    test::RecordingUi ui;
    InitNumberRoutines(1280, 960);
    // 1280 / 640 and 960 / 480.
    EXPECT_EQ(ScreenScaleX, 2.0);
    EXPECT_EQ(ScreenScaleY, 2.0);
    EXPECT_TRUE(test::AllEqual<double>({{Power(0, -1), 0}, {Power(1, 1e300), 1}, {Power(-2, 2), 0},
                                        {Power(-3, 0.5), 0}, {Power(7, 0), 1}, {Power(7, 1), 7}}));
    EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"[Basics] Error in Power : x < 0"});
    // e^(0.5 ln 4) = 2.
    EXPECT_DOUBLE_EQ(Power(4, 0.5), 2.0);
    // 100 ln 10 = 230.3 is clamped to 50, -100 ln 10 to -50.
    EXPECT_DOUBLE_EQ(Power(10, 100), 5.184705528587072464e21);
    EXPECT_DOUBLE_EQ(Power(10, -100), 1.928749847963917783e-22);

    InitNumberRoutines(1024, 768);
    EXPECT_EQ(ScreenScaleX, 1.6);
    EXPECT_EQ(ScreenScaleY, 1.6);
    Power(-1, 2);
    EXPECT_EQ(ui.plainBoxes.size(), 2u);
}

TEST(NumbersTest, RescaleAndStepRounding) {
    // 12.5 / 5 = 2.5 rounds to 2; 17.5 / 5 = 3.5 rounds to 4. With a direction, 12 rounds to 10,
    // below 12, so one step up; with a negative step 10 stays.
    EXPECT_TRUE(test::AllEqual<double>({{Rescale(15, 0, 10, 0, 100), 100}, {Rescale(-1, 0, 10, 20, 40), 20},
                                        {Rescale(2.5, 0, 10, 0, 100), 25}, {Rescale(5, 3, 3, 1, 2), 1},
                                        {RoundToStep(12.5, 5), 10}, {RoundToStep(17.5, 5), 20},
                                        {RoundToStep(12, -5), 10}, {RoundToStep(7.3, 0.5), 7.5},
                                        {RoundToStepDir(12, 5), 15}, {RoundToStepDir(12, -5), 10},
                                        {RoundToStepDir(13, 5), 15}, {RoundToStepDir(13, -5), 10},
                                        {RoundToStepDir(15, 5), 15}, {RoundToStepDir(-12, 5), -10}}));
    EXPECT_THROW(RoundToStep(1, 0), ERangeError);
    EXPECT_THROW(RoundToStepDir(1, 0), ERangeError);
}

// Rows of (key, tag, marker): the marker column lies beyond M and must not move.
TScoreTable TableOf(const std::vector<std::array<int, 3>>& rows) {
    TScoreTable table{};
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < 3; ++c) table[r][c] = ToReal48(rows[r][c]);
    return table;
}

std::vector<int> Column(const TScoreTable& table, int column, int rows) {
    std::vector<int> values;
    for (int r = 0; r < rows; ++r) values.push_back(static_cast<int>(FromReal48(table[r][column])));
    return values;
}

TEST(NumbersTest, SortRowsDescIsTheFirstMaximumSelectionSort) {
    // Keys 2(a=1) 1(b=2) 2(c=3) 3(d=4), row 5 key 9 outside N.
    // i=1: max 3 in row 4, swap 1<->4: d b c a.  i=2: keys 1 2 2, first max row 3,
    // swap 2<->3: d c b a.  i=3: keys 1 2, swap 3<->4: d c a b. So c passes a.
    TScoreTable table = TableOf({{2, 1, 10}, {1, 2, 20}, {2, 3, 30}, {3, 4, 40}, {9, 5, 50}});
    SortRowsDesc(table, 4, 2, 1);
    EXPECT_EQ(Column(table, 0, 5), (std::vector<int>{3, 2, 2, 1, 9}));
    EXPECT_EQ(Column(table, 1, 5), (std::vector<int>{4, 3, 1, 2, 5}));
    EXPECT_EQ(Column(table, 2, 5), (std::vector<int>{10, 20, 30, 40, 50}));

    // Key column 2, all five rows: 5 4 3 2 1 by tag.
    SortRowsDesc(table, 5, 2, 2);
    EXPECT_EQ(Column(table, 1, 5), (std::vector<int>{5, 4, 3, 2, 1}));

    const TScoreTable before = table;
    for (const auto& [n, m, k] : std::vector<std::array<int, 3>>{{0, 2, 1}, {51, 2, 1}, {5, 0, 1}, {5, 6, 1},
                                                                 {5, 2, 0}, {5, 2, 3}}) {
        SortRowsDesc(table, n, m, k);
        EXPECT_EQ(table, before) << n << " " << m << " " << k;
    }
}

TEST(NumbersTest, TokenReplacementTakesTheFirstOccurrenceOnly) {
    const std::string sep(1, ThousandsSeparator());
    EXPECT_TRUE(test::AllEqual<std::string>(
        {{ReplaceFirst("a@Xb@X", "@X", "1"), "a1b@X"}, {ReplaceFirst("a@xb", "@X", "1"), "a@xb"},
         {ReplaceFirst("abc", "", "1"), "abc"},
         {ReplaceTokenInt("Sales @N units @N", "@N", 1234567), "Sales 1" + sep + "234" + sep + "567 units @N"},
         {ReplaceTokenInt("@N", "@N", -1234567), "-1" + sep + "234" + sep + "567"},
         {ReplaceTokenInt("@N", "@N", 999), "999"}, {ReplaceTokenReal("@V $", "@V", 1234.4), "1" + sep + "234 $"},
         {ReplaceTokenReal("@V", "@V", 0.6), "1"}}));
}

TEST(NumbersTest, UpperCaseAccentedTurnsFiveAccentedLetters) {
    EXPECT_EQ(UpperCaseAccented("\xE9t\xE9"), "\xC9T\xC9");                           // été -> ÉTÉ
    EXPECT_EQ(UpperCaseAccented("\xE0 o\xF9 \xE8 \xEA"), "\xC0 O\xD9 \xC8 \xCA");      // à où è ê
    EXPECT_EQ(UpperCaseAccented("\xE7\xF4\xFF"), "\xE7\xF4\xFF");                     // ç ô ÿ stay
    EXPECT_EQ(UpperCaseAccented("abc XYZ 09_\xC9"), "ABC XYZ 09_\xC9");
}

}  // namespace
}  // namespace cv
