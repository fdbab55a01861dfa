#include "core/store/series.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

#include "core/base/errors.h"
#include "core/store/series_index.h"
#include "tests/support/damage.h"
#include "tests/support/recording_ui.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr auto Written = [](const auto& stored) { return test::StoredForm(stored); };

// A short-text field of capacity 16 as the writer leaves it in a zeroed buffer.
void AppendShortText16(Bytes& bytes, std::string_view text) {
    bytes.insert(bytes.end(), {static_cast<std::uint8_t>(text.size()), 16, static_cast<std::uint8_t>(text.size())});
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.insert(bytes.end(), 16 - text.size(), 0);
}

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
    EXPECT_EQ(pos, bytes.size());
    return series;
}

void ExpectSameSeries(const TSeries& actual, const TSeries& expected) {
    const auto fields = [](const TSeries& s) { return std::tuple(s.Id(), s.Name(), s.Lo(), s.Hi(), s.Labels()); };
    EXPECT_EQ(fields(actual), fields(expected));
}

TEST(Series, LabelsAndIndexesFollowTheLowBound) {
    const TSeries abc(7, "Letters", 1, {"A", "B", "C"});
    EXPECT_EQ((std::vector<int>{abc.Hi(), abc.Count()}), (std::vector<int>{3, 3}));
    EXPECT_EQ(abc.GetLabel(2) + abc.GetLabel(0) + abc.GetLabel(3) + abc.GetLabel(4), "BUndefinedCUndefined");
    EXPECT_EQ((std::vector<int>{abc.IndexOf("b"), abc.IndexOf("D"), abc.IndexOf("")}), (std::vector<int>{2, 127, 127}));
    // lo = 0 and lo = -1: a missing label is still 127, never -1.
    EXPECT_EQ(TSeries(1, "Z", 0, {"First", "Second"}).IndexOf("FIRST"), 0);
    const TSeries periods(2, "Periods", -1, {"P-1", "P0", "P1"});
    EXPECT_EQ(periods.IndexOf("P-1"), -1);
    EXPECT_EQ(periods.GetLabel(1), "P1");
    EXPECT_EQ(TSeries(1, "Twice", 5, {"X", "Y", "x"}).IndexOf("x"), 5);  // of duplicates the first answers
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

TEST(SeriesList, FindsByNameWithoutCaseAndByPositionWithAReport) {
    test::RecordingUi ui;
    TCvSeries list;
    EXPECT_FALSE(list.Modified());
    TSeries& periods = list.AddSeries(TSeries(1, "Periods", -1, {"P-1", "P0"}));
    list.AddSeries(TSeries(2, "Firms", 1, {"A", "B"}));
    list.AddSeries(TSeries(3, "FIRMS", 1, {"Other"}));
    EXPECT_TRUE(list.Modified());
    EXPECT_EQ(list.FindSeries("periods"), &periods);
    EXPECT_EQ(list.FindSeries("firms")->Id(), 2);  // the first of two equal names
    EXPECT_EQ(list.FindSeries("Period"), nullptr);
    EXPECT_TRUE(ui.plainBoxes.empty());
    EXPECT_EQ(list.GetSeries(2)->Id(), 3);
    EXPECT_EQ((std::vector<TSeries*>{list.GetSeries(3), list.GetSeries(-1)}), (std::vector<TSeries*>(2, nullptr)));
    EXPECT_EQ(ui.plainBoxes, (std::vector<std::string>{"[GetSeries] Bad series position : 3",
                                                        "[GetSeries] Bad series position : -1"}));
}

TEST(SeriesStoredForm, ASeriesIsWrittenTagByTagAndAListReadsBackUnmodified) {
    const TSeries series(0x0102, "AB", -1, {"X", "YZ"});
    Bytes expected{1, 0x02, 0x01, 2};  // tag 1, id low byte first; tag 2; then lo -1 as FF FF, hi 0 as 00 00
    AppendShortText16(expected, "AB");
    const Bytes rest = SeriesBytes(-1, 0, {"X", "YZ"});
    expected.insert(expected.end(), rest.begin(), rest.end());
    ASSERT_EQ(expected.size(), 70u);  // 3 + 20 + 3 + 3 + 2 x 20 + 1 bytes
    EXPECT_EQ(Written(series), expected);

    // Tag 6 opens each series of a list; the list ends with its own 255.
    TCvSeries list;
    list.AddSeries(series);
    list.AddSeries(TSeries(3, "CjaLevel", 1, {}));
    Bytes listBytes{6};
    listBytes.insert(listBytes.end(), expected.begin(), expected.end());
    const Bytes bytes = Written(list);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 71), listBytes);
    TCvSeries read;
    read.AddSeries(TSeries(8, "Stale", 1, {"S"}));
    std::uint16_t pos = 0;
    read.ReadFromBuffer(bytes, pos);
    EXPECT_EQ(pos, bytes.size());
    EXPECT_FALSE(read.Modified());
    ASSERT_EQ(read.Count(), 2);
    ExpectSameSeries(*read.GetSeries(0), series);
    EXPECT_EQ(read.FindSeries("cjalevel")->Count(), 0);
    EXPECT_EQ(Written(TCvSeries()), Bytes{255});
}

TEST(SeriesStoredForm, UnknownTagsAreSkippedAndWideFieldsKeepSixteenCharacters) {
    Bytes bytes{9, 6, 7, 1, 0x05, 0x00, 8, 2};  // list tag 9, series tag 7 and 8 skipped
    AppendShortText16(bytes, "S");
    bytes.insert(bytes.end(), {3, 1, 0, 4, 2, 0, 5, 20, 20, 20});  // a label field of capacity 20 ...
    const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
    bytes.insert(bytes.end(), twenty.begin(), twenty.end());
    bytes.push_back(5);
    AppendShortText16(bytes, "Only");
    bytes.insert(bytes.end(), {255, 200, 255});  // series end, list tag 200 skipped, list end
    TCvSeries list;
    std::uint16_t pos = 0;
    list.ReadFromBuffer(bytes, pos);
    EXPECT_EQ(pos, bytes.size());
    ASSERT_EQ(list.Count(), 1);
    ExpectSameSeries(*list.GetSeries(0), TSeries(5, "S", 1, {"ABCDEFGHIJKLMNOP", "Only"}));
}

// The element count comes from lo and hi, whatever number of labels was stored;
// bounds without a count are data errors that leave the series as it was.
TEST(SeriesStoredForm, BoundsDecideTheElements) {
    TSeries series = ReadSeries(SeriesBytes(1, 4, {"One", "Two"}));
    EXPECT_EQ(series.Count(), 4);
    EXPECT_EQ(series.GetLabel(3), "Undefined");
    EXPECT_EQ(series.IndexOf("two"), 2);
    series = ReadSeries(SeriesBytes(1, 1, {"One", "Extra"}));
    EXPECT_EQ(series.IndexOf("Extra"), 127);  // not an element: index 2 lies outside 1..1
    EXPECT_EQ(Written(series).size(), 3 + 20 + 3 + 3 + 2 * 20 + 1u);
    EXPECT_EQ(ReadSeries(SeriesBytes(1, 0, {})).Count(), 0);  // 1..0: no element, allowed

    TSeries kept(4, "Kept", 1, {"K"});
    std::uint16_t pos = 0;
    EXPECT_THROW(kept.ReadFromBuffer(SeriesBytes(5, 3, {}), pos), EDataError);        // hi below lo - 1
    EXPECT_THROW(kept.ReadFromBuffer(SeriesBytes(-32768, 32767, {}), pos), EDataError);  // 65,536 elements
    EXPECT_EQ(pos, 0);
    ExpectSameSeries(kept, TSeries(4, "Kept", 1, {"K"}));
    TCvSeries big;
    big.AddSeries(TSeries(1, "Big", 1, std::vector<std::string>(10, "Label")));
    Bytes small(100, 0);  // the list needs 1 + 30 + 10 x 20 + 1 bytes
    EXPECT_THROW(big.WriteToBuffer(small, pos), ERangeError);
}

// Every truncation is a data error, and random bit flips read or raise one;
// a failed read leaves the list as it was.
TEST(SeriesStoredForm, DamagedListsReadOrRaiseDataErrors) {
    TCvSeries list;
    list.AddSeries(TSeries(1, "PerSeries", -1, {"P-1", "P0", "P1"}));
    list.AddSeries(TSeries(2, "Firms", 1, {"Alpha", "Beta", "Gamma"}));
    const Bytes bytes = Written(list);
    auto read = [](const Bytes& damaged) {
        TCvSeries stale;
        stale.AddSeries(TSeries(7, "Before", 1, {"B"}));
        std::uint16_t pos = 0;
        try {
            stale.ReadFromBuffer(damaged, pos);
        } catch (const EDataError&) {
            EXPECT_EQ(pos, 0);
            EXPECT_EQ(stale.FindSeries("Before")->Id(), 7);
            return false;
        }
        return true;
    };
    for (const Bytes& cut : test::Truncations(bytes)) EXPECT_FALSE(read(cut)) << "cut at " << cut.size();
    int refused = 0;
    for (const Bytes& flipped : test::FlippedCopies(bytes, 2000, 20260101)) refused += !read(flipped);
    EXPECT_GT(refused, 0);
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
