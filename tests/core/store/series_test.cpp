#include "core/store/series.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/base/errors.h"
#include "tests/support/damage.h"
#include "tests/support/recording_ui.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A short-text field of capacity 16 as the writer leaves it in a zeroed buffer.
void AppendShortText16(Bytes& bytes, std::string_view text) {
    bytes.insert(bytes.end(), {static_cast<std::uint8_t>(text.size()), 16, static_cast<std::uint8_t>(text.size())});
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.insert(bytes.end(), 16 - text.size(), 0);
}

constexpr auto Written = [](const auto& stored) { return test::StoredForm(stored); };

// A series' stored form from bounds and label fields of capacity 16.
Bytes SeriesBytes(std::int16_t lo, std::int16_t hi, std::initializer_list<std::string_view> labels) {
    Bytes bytes{3, static_cast<std::uint8_t>(lo), static_cast<std::uint8_t>(lo >> 8), 4, static_cast<std::uint8_t>(hi),
                static_cast<std::uint8_t>(hi >> 8)};
    for (std::string_view label : labels) {
        bytes.push_back(5);
        AppendShortText16(bytes, label);
    }
    bytes.push_back(255);
    return bytes;
}

TSeries ReadSeries(const Bytes& bytes) {
    TSeries series;
    std::uint16_t pos = 0;
    series.ReadFromBuffer(bytes, pos);
    return series;
}

void ExpectSameSeries(const TSeries& actual, const TSeries& expected) {
    EXPECT_EQ(actual.Id(), expected.Id());
    EXPECT_EQ(actual.Name(), expected.Name());
    EXPECT_EQ(actual.Lo(), expected.Lo());
    EXPECT_EQ(actual.Hi(), expected.Hi());
    EXPECT_EQ(actual.Labels(), expected.Labels());
}

TEST(Series, LabelsAndIndexesFollowTheLowBound) {
    const TSeries abc(7, "Letters", 1, {"A", "B", "C"});
    EXPECT_EQ(abc.Hi(), 3);
    EXPECT_EQ(abc.Count(), 3);
    EXPECT_EQ(abc.GetLabel(2) + abc.GetLabel(0) + abc.GetLabel(3) + abc.GetLabel(4), "BUndefinedCUndefined");
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
    // Of duplicate labels the first answers.
    EXPECT_EQ(TSeries(1, "Twice", 5, {"X", "Y", "x"}).IndexOf("x"), 5);
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
    ExpectSameSeries(allOrOne, TSeries(4, "AllOrOneMkt", 1, {"AllMkts", "M1", "M2"}));
    EXPECT_EQ(allOrOne.IndexOf("M2"), 3);
    // The copy is deep: the market series is unchanged.
    ExpectSameSeries(markets, TSeries(4, "Markets", 1, {"M1", "M2"}));
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

TEST(SeriesStoredForm, ASeriesIsWrittenTagByTag) {
    const TSeries series(0x0102, "AB", -1, {"X", "YZ"});
    Bytes expected{1, 0x02, 0x01, 2};        // tag 1, id low byte first; tag 2
    AppendShortText16(expected, "AB");       // name: 02 10 02 'A' 'B' and 14 zeros
    expected.insert(expected.end(), {3, 0xFF, 0xFF, 4, 0x00, 0x00});  // lo -1, hi 0
    expected.push_back(5);
    AppendShortText16(expected, "X");
    expected.push_back(5);
    AppendShortText16(expected, "YZ");
    expected.push_back(255);
    // 3 + 20 + 3 + 3 + 2 x 20 + 1 bytes
    ASSERT_EQ(expected.size(), 70u);
    EXPECT_EQ(Written(series), expected);

    TSeries read(9, "Old", 3, {"Gone"});
    std::uint16_t pos = 0;
    read.ReadFromBuffer(expected, pos);
    EXPECT_EQ(pos, 70);
    ExpectSameSeries(read, series);
}

TEST(SeriesStoredForm, AListReadsBackInOrderAndUnmodified) {
    TCvSeries list;
    list.AddSeries(TSeries(1, "PerSeries", -1, {"P-1", "P0", "P1", "P2"}));
    list.AddSeries(TSeries(2, "Firms", 1, {"Alpha", "Beta"}));
    list.AddSeries(TSeries(3, "CjaLevel", 1, {}));
    const Bytes bytes = Written(list);
    // Tag 6 opens each series; the last series' 255 is followed by the list's 255.
    EXPECT_EQ(bytes.front(), 6);
    EXPECT_EQ(bytes[bytes.size() - 2], 255);
    EXPECT_EQ(bytes.back(), 255);

    TCvSeries read;
    read.AddSeries(TSeries(8, "Stale", 1, {"S"}));
    std::uint16_t pos = 0;
    read.ReadFromBuffer(bytes, pos);
    EXPECT_EQ(pos, bytes.size());
    EXPECT_FALSE(read.Modified());
    ASSERT_EQ(read.Count(), 3);
    for (int i = 0; i < 3; ++i) ExpectSameSeries(*read.GetSeries(i), *list.GetSeries(i));
    EXPECT_EQ(read.FindSeries("Stale"), nullptr);
    EXPECT_EQ(read.FindSeries("cjalevel")->Count(), 0);
    EXPECT_EQ(Written(read), bytes);

    // An empty list is the single end tag.
    TCvSeries empty;
    EXPECT_EQ(Written(empty), Bytes{255});
}

TEST(SeriesStoredForm, UnknownTagsAreSkippedWithoutPayload) {
    Bytes bytes{9, 6, 7, 1, 0x05, 0x00, 8, 2};  // list tag 9, series tag 7 and 8 skipped
    AppendShortText16(bytes, "S");
    bytes.insert(bytes.end(), {3, 1, 0, 4, 1, 0, 5});
    AppendShortText16(bytes, "Only");
    bytes.insert(bytes.end(), {255, 200, 255});  // series end, list tag 200 skipped, list end
    TCvSeries list;
    std::uint16_t pos = 0;
    list.ReadFromBuffer(bytes, pos);
    EXPECT_EQ(pos, bytes.size());
    ASSERT_EQ(list.Count(), 1);
    ExpectSameSeries(*list.GetSeries(0), TSeries(5, "S", 1, {"Only"}));
}

// The element count comes from lo and hi, whatever number of labels was stored.
TEST(SeriesStoredForm, BoundsAndStoredLabelsMayDisagree) {
    TSeries series = ReadSeries(SeriesBytes(1, 4, {"One", "Two"}));  // elements 1..4, two labels
    EXPECT_EQ(series.Count(), 4);
    EXPECT_EQ(series.GetLabel(2), "Two");
    EXPECT_EQ(series.GetLabel(3), "Undefined");
    EXPECT_EQ(series.IndexOf("two"), 2);

    series = ReadSeries(SeriesBytes(1, 1, {"One", "Extra"}));  // element 1 only, two labels
    EXPECT_EQ(series.Count(), 1);
    EXPECT_EQ(series.IndexOf("Extra"), 127);  // not an element: index 2 lies outside 1..1
    EXPECT_EQ(Written(series).size(), 3 + 20 + 3 + 3 + 2 * 20 + 1u);  // id and empty name written too
}

TEST(SeriesStoredForm, AFieldWiderThanSixteenKeepsSixteenCharacters) {
    // A label field of capacity 20 holding 20 characters, then another label.
    Bytes bytes = SeriesBytes(1, 2, {"Next"});
    const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
    bytes.insert(bytes.begin() + 6, {5, 20, 20, 20});
    bytes.insert(bytes.begin() + 10, twenty.begin(), twenty.end());
    const TSeries series = ReadSeries(bytes);
    EXPECT_EQ(series.Labels(), (std::vector<std::string>{"ABCDEFGHIJKLMNOP", "Next"}));
    EXPECT_EQ(series.IndexOf(twenty), 1);
}

TEST(SeriesStoredForm, BoundsWithoutACountAreDataErrors) {
    TSeries series(4, "Kept", 1, {"K"});
    const Bytes backwards{3, 5, 0, 4, 2, 0, 255};  // hi 2 below lo 5 - 1
    std::uint16_t pos = 0;
    EXPECT_THROW(series.ReadFromBuffer(backwards, pos), EDataError);
    const Bytes tooWide{3, 0x00, 0x80, 4, 0xFF, 0x7F, 255};  // -32768..32767: 65,536 elements
    EXPECT_THROW(series.ReadFromBuffer(tooWide, pos), EDataError);
    EXPECT_EQ(pos, 0);
    ExpectSameSeries(series, TSeries(4, "Kept", 1, {"K"}));
    EXPECT_EQ(ReadSeries(SeriesBytes(1, 0, {})).Count(), 0);  // 1..0: no element, allowed
}

TEST(SeriesStoredForm, AListTooLargeForTheBufferIsRefused) {
    TCvSeries list;
    list.AddSeries(TSeries(1, "Big", 1, std::vector<std::string>(10, "Label")));
    Bytes small(100, 0);  // the list needs 1 + 30 + 10 x 20 + 1 bytes
    std::uint16_t pos = 0;
    EXPECT_THROW(list.WriteToBuffer(small, pos), ERangeError);
}

class SeriesCorruption : public ::testing::Test {
protected:
    void SetUp() override {
        TCvSeries list;
        list.AddSeries(TSeries(1, "PerSeries", -1, {"P-1", "P0", "P1"}));
        list.AddSeries(TSeries(2, "Firms", 1, {"Alpha", "Beta", "Gamma"}));
        list.AddSeries(TSeries(3, "UorV", 1, {"Unit", "Value"}));
        bytes_ = Written(list);
        stale_.AddSeries(TSeries(7, "Before", 1, {"B"}));
    }

    // Reading Bytes either succeeds or raises EDataError, leaving the list as it was.
    void ExpectReadOrDataError(const Bytes& bytes) {
        std::uint16_t pos = 0;
        try {
            stale_.ReadFromBuffer(bytes, pos);
            stale_.Clear();
            stale_.AddSeries(TSeries(7, "Before", 1, {"B"}));
        } catch (const EDataError&) {
            EXPECT_EQ(pos, 0);
            ASSERT_EQ(stale_.Count(), 1);
            EXPECT_EQ(stale_.GetSeries(0)->Name(), "Before");
        }
    }

    Bytes bytes_;
    TCvSeries stale_;
};

TEST_F(SeriesCorruption, EveryTruncationIsADataError) {
    for (const Bytes& cut : test::Truncations(bytes_)) {
        std::uint16_t pos = 0;
        EXPECT_THROW(stale_.ReadFromBuffer(cut, pos), EDataError) << "cut at " << cut.size();
        EXPECT_EQ(stale_.FindSeries("Before")->Id(), 7);
    }
}

TEST_F(SeriesCorruption, RandomBitFlipsNeverCrash) {
    for (const Bytes& flipped : test::FlippedCopies(bytes_, 2000, 20260101)) ExpectReadOrDataError(flipped);
}

}  // namespace
}  // namespace cv
