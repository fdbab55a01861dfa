// The listings of volume sets: in an industry file each volume decoded by its
// type, and a volume that does not decode shown as such without stopping the
// listing; the dates of the listing.

#include <gtest/gtest.h>
#include <cmath>
#include <sstream>

#include "core/store/cv_data.h"
#include "core/store/industry_dump.h"
#include "core/store/volume_set.h"
#include "core/store/volume_set_dump.h"
#include "tests/support/checks.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_industry.h"
#include "tests/support/volume_set_util.h"

namespace cv {
namespace {

using test::Contains;

std::string Listing(const std::string& file) {
    std::ostringstream out;
    DumpVolSetFile(file, out);
    return out.str();
}

TEST(IndustryDump, EveryVolumeIsDecodedByItsType) {
    test::RecordingUi ui;
    test::TempDir dir;
    const std::string file = dir / "DUMP.IND";
    {
        TCvData industry;
        industry.Open(std::string(kIndustrySignature), file);
        const TSeries& brands = industry.SeriesList().AddSeries(TSeries(4, "Brands", 1, {"B1", "B2"}));
        const TSeries& segments = industry.SeriesList().AddSeries(TSeries(5, "Segs", 0, {"S0", "S1", "S2"}));
        industry.PerResults(-1)
            .CreateSimArr(kCategoryFirm, test::CellContext(2, 0, 0), "Share", dkSmallint, 0, {&brands, &segments})
            .SetSmallint({2, 1}, -7);
        industry.ConstPart().SetReal(kCategoryIndustry, {}, "Rate", 0.1L);
        industry.ConstPart().SetString(kCategoryIndustry, {}, "Title", "Gamma");
        industry.ConstPart().CreateSimArr(kCategoryIndustry, {}, "Names", dkZts, 6, {&brands}).SetZts({1}, "Ab");
        industry.SetCurPeriod(2);
        industry.SetScenarioName("Demo");
        industry.Close();
    }
    const std::string text = Listing(file);
    EXPECT_PRED2(Contains, text, "(1,32767,32767,32767,32767)");
    EXPECT_PRED2(Contains, text, "        info: current period 2, scenario \"Demo\"\n");
    EXPECT_PRED2(Contains, text,
                 "        series list: 2 series\n        series 0 \"Brands\" id 4 1..2: \"B1\" \"B2\"\n"
                 "        series 1 \"Segs\" id 5 0..2: \"S0\" \"S1\" \"S2\"\n");
    EXPECT_PRED2(Contains, text,
                 "        scalar \"Rate\" kind 4 = 0.1\n"  // 12 significant digits of the stored 0.1
                 "        scalar \"Title\" kind 5 max length 0 = \"Gamma\"\n"
                 "        array \"Names\" kind 5 max length 6 [1..2 \"Brands\"]\n           \"Ab\" \"\"\n");
    // Firm 2's cell of period -1: one line per brand, the segments 0..2 along it.
    EXPECT_PRED2(Contains, text, "(4,-1,32767,32767,2)");
    EXPECT_PRED2(Contains, text,
                 "        array \"Share\" kind 2 [1..2 \"Brands\", 0..2 \"Segs\"]\n"
                 "          [1,*] 0 0 0\n          [2,*] 0 -7 0\n");
}

TEST(IndustryDump, AVolumeThatDoesNotDecodeIsShownAndTheListingGoesOn) {
    test::TempDir dir;
    const std::string file = dir / "BROKEN.IND";
    {
        TVolSet volumes;
        test::CreateIndustrySet(volumes, file);
        const std::uint8_t cut[] = {101, 9, 9, 9, 'A', 'r'};  // an array name cut short
        volumes.VolumeSet(cut, sizeof cut, {4, 2, 32767, 32767, 1});
        const std::uint8_t empty[] = {255};
        volumes.VolumeSet(empty, sizeof empty, {4, 2, 32767, 32767, 2});
        volumes.Close();
    }
    const std::string text = Listing(file);
    EXPECT_PRED2(Contains, text, "        undecodable: bag: array name at offset 0");
    EXPECT_PRED2(Contains, text, "        bytes: 65 09 09 09 41 72\n");
    EXPECT_PRED2(Contains, text, "(4,2,32767,32767,2)");
    // Another volume set is listed with the first bytes of its volumes.
    const std::string other = dir / "OTHER.VS";
    {
        TVolSet volumes;
        test::CreateWithOneKey(volumes, other);
        test::Store(volumes, "\1\2\3", {4});
        volumes.Close();
    }
    EXPECT_PRED2(Contains, Listing(other), "        bytes: 01 02 03\n");
}

// Date-times count days from 30 December 1899, the fraction being the time of day.
TEST(VolSetDump, DateTimeTextCountsDaysFrom1899) {
    const std::pair<double, const char*> cases[] = {
        // Day 36526 is 1 January 2000 (25569 days to 1970 plus 10957 to 2000); .5 is noon.
        {36526.5, "2000-01-01 12:00:00"},
        // Day 2 is 1 January 1900; .75 is 18:00.
        {2.75, "1900-01-01 18:00:00"},
        // One second before midnight, and a fraction that rounds up to the next day.
        {36526.0 + 86399.0 / 86400.0, "2000-01-01 23:59:59"},
        {36526.0 + 86399.9 / 86400.0, "2000-01-02 00:00:00"},
        // The first and the last day that have a date: 1 January 0001 and 31 December 9999.
        {-693593.0, "0001-01-01 00:00:00"},
        {2958465.5, "9999-12-31 12:00:00"},
        {-693593.5, "invalid"},
        {2958466.0, "invalid"},
        {0, "never"},
        {NAN, "invalid"},
        {1e12, "invalid"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(DateTimeText(value), text) << value;
}

}  // namespace
}  // namespace cv
