#include "core/store/series.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

#include "core/base/errors.h"
#include "core/store/series_index.h"
#include "tests/support/damage.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Letter case is ignored for every cp1252 letter: the accented small letters
// E0..FE are their capitals plus 20 (the division sign F7 is no letter and
// the multiplication sign D7 not its capital), and four small letters have
// their capitals in 80..9F: \x9A \x8A, \x9C \x8C, \x9E \x8E, \xFF \x9F.
TEST(Series, LabelsAreFoundWithoutRegardToTheCaseOfEveryAccentedLetter) {
    std::vector<std::pair<unsigned char, unsigned char>> pairs = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
    for (unsigned small = 0xE0; small <= 0xFE; ++small)
        if (small != 0xF7) pairs.emplace_back(static_cast<unsigned char>(small), static_cast<unsigned char>(small - 0x20));
    for (const auto& [small, capital] : pairs) {
        const std::string lower = std::string("x") + static_cast<char>(small);
        const std::string upper = std::string("X") + static_cast<char>(capital);
        const TSeries series(1, "Letters", 1, {"other", lower});
        EXPECT_EQ(series.IndexOf(upper), 2) << std::hex << unsigned{small};
        EXPECT_EQ(TSeries(1, "Letters", 1, {upper}).IndexOf(lower), 1) << std::hex << unsigned{small};
    }
    // Signs and letters of other ranges keep their own case.
    for (const auto& [a, b] : {std::pair{"\xF7", "\xD7"}, {"\xDF", "\xBF"}, {"\xE0", "\xE1"}, {"\x9F", "\x7F"}})
        EXPECT_EQ(TSeries(1, "Signs", 1, {a}).IndexOf(b), kLabelAbsent) << a;
    // Names compare alike: the list finds "\xC9T\xC9" as "\xE9t\xE9".
    TCvSeries list;
    list.AddSeries(TSeries(3, "\xC9T\xC9", 1, {}));
    EXPECT_NE(list.FindSeries("\xE9t\xE9"), nullptr);
}

TEST(SeriesList, ClearingEmptiesTheListAndItsStoredForm) {
    TCvSeries list;
    list.AddSeries(TSeries(1, "Periods", -1, {"P-1", "P0"}));
    list.AddSeries(TSeries(2, "Firms", 1, {"A", "B"}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FindSeries("Firms"), nullptr);
    EXPECT_EQ(test::StoredForm(list), Bytes{255});
    list.AddSeries(TSeries(3, "Zones", 1, {"North"}));
    EXPECT_EQ(list.GetSeries(0)->Name(), "Zones");
}

// Every truncation is a data error, and random bit flips read or raise one,
// never a crash; a refused list, or series in it, leaves what the reader held.
TEST(SeriesStoredForm, DamagedListsReadOrRaiseDataErrorsAndARefusalKeepsWhatWasThere) {
    TCvSeries list;
    list.AddSeries(TSeries(1, "PerSeries", -1, {"P-1", "P0", "P1"}));
    list.AddSeries(TSeries(2, "Firms", 1, {"Alpha", "Beta", "Gamma"}));
    const Bytes bytes = test::StoredForm(list);
    auto read = [](const Bytes& damaged) {
        TCvSeries stale;
        stale.AddSeries(TSeries(7, "Before", 1, {"B"}));
        std::uint16_t pos = 0;
        try {
            stale.ReadFromBuffer(damaged, pos);
        } catch (const EDataError&) {
            EXPECT_EQ(pos, 0);
            EXPECT_EQ(stale.Count(), 1);
            const TSeries* kept = stale.FindSeries("Before");
            EXPECT_EQ(kept ? kept->Id() : 0, 7);
            return false;
        }
        return true;
    };
    for (const Bytes& cut : test::Truncations(bytes)) EXPECT_FALSE(read(cut)) << "cut at " << cut.size();
    int refused = 0;
    for (const Bytes& flipped : test::FlippedCopies(bytes, 2000, 20260101)) refused += !read(flipped);
    EXPECT_GT(refused, 0);

    // A series whose bounds give no element count: tags 3 and 4 with lo 5 and
    // hi 3, then 255. The series keeps what it was.
    TSeries kept(4, "Kept", 1, {"K"});
    std::uint16_t pos = 0;
    EXPECT_THROW(kept.ReadFromBuffer(Bytes{3, 5, 0, 4, 3, 0, 255}, pos), EDataError);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ((std::tuple(kept.Id(), kept.Name(), kept.Lo(), kept.Hi(), kept.Labels())),
              (std::tuple(std::uint16_t{4}, std::string("Kept"), std::int16_t{1}, std::int16_t{1},
                          std::vector<std::string>{"K"})));
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
