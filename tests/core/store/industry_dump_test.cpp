// The industry file listing: each volume decoded by its type, and a volume
// that does not decode shown as such without stopping the listing.

#include <gtest/gtest.h>

#include <sstream>

#include "core/store/cv_data.h"
#include "core/store/industry_dump.h"
#include "core/store/volume_set.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

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
        TDataContext context;
        context.SelFirm = 2;
        TSimArr& shares = industry.PerResults(-1).CreateSimArr(kCategoryFirm, context, "Share", dkSmallint, 0,
                                                               {&brands, &segments});
        shares.SetSmallint({2, 1}, -7);
        industry.ConstPart().SetString(kCategoryIndustry, {}, "Title", "Gamma");
        industry.ConstPart().CreateSimArr(kCategoryIndustry, {}, "Names", dkZts, 6, {&brands}).SetZts({1}, "Ab");
        industry.SetCurPeriod(2);
        industry.SetScenarioName("Demo");
        industry.Close();
    }
    const std::string text = Listing(file);
    EXPECT_NE(text.find("(1,32767,32767,32767,32767)"), std::string::npos) << text;
    EXPECT_NE(text.find("        info: current period 2, scenario \"Demo\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("        series list: 2 series\n"
                        "        series 0 \"Brands\" id 4 1..2: \"B1\" \"B2\"\n"
                        "        series 1 \"Segs\" id 5 0..2: \"S0\" \"S1\" \"S2\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("        scalar \"Title\" kind 5 max length 0 = \"Gamma\"\n"
                        "        array \"Names\" kind 5 max length 6 [1..2 \"Brands\"]\n"
                        "           \"Ab\" \"\"\n"),
              std::string::npos)
        << text;
    // One line per brand, the segments 0..2 along it.
    EXPECT_NE(text.find("(4,-1,32767,32767,2)"), std::string::npos) << text;
    EXPECT_NE(text.find("        array \"Share\" kind 2 [1..2 \"Brands\", 0..2 \"Segs\"]\n"
                        "          [1,*] 0 0 0\n"
                        "          [2,*] 0 -7 0\n"),
              std::string::npos)
        << text;
}

TEST(IndustryDump, AVolumeThatDoesNotDecodeIsShownAndTheListingGoesOn) {
    test::TempDir dir;
    const std::string file = dir / "BROKEN.IND";
    {
        TVolSet volumes;
        volumes.Create(file, std::string(kIndustrySignature));
        for (const TIndustryKey& key : kIndustryKeys) volumes.AddKey(std::string(key.name), key.low, key.high);
        const std::uint8_t cut[] = {101, 9, 9, 9, 'A', 'r'};  // an array name cut short
        volumes.VolumeSet(cut, sizeof cut, {4, 2, 32767, 32767, 1});
        const std::uint8_t empty[] = {255};
        volumes.VolumeSet(empty, sizeof empty, {4, 2, 32767, 32767, 2});
        volumes.Close();
    }
    const std::string text = Listing(file);
    EXPECT_NE(text.find("        undecodable: bag: array name at offset 0"), std::string::npos) << text;
    EXPECT_NE(text.find("        bytes: 65 09 09 09 41 72\n"), std::string::npos) << text;
    EXPECT_NE(text.find("(4,2,32767,32767,2)"), std::string::npos) << text;

    // Another volume set is listed with the first bytes of its volumes.
    const std::string other = dir / "OTHER.VS";
    {
        TVolSet volumes;
        volumes.Create(other, "Some other set");
        volumes.AddKey("K", 1, 9);
        const std::uint8_t bytes[] = {1, 2, 3};
        volumes.VolumeSet(bytes, sizeof bytes, {4});
        volumes.Close();
    }
    EXPECT_NE(Listing(other).find("        bytes: 01 02 03\n"), std::string::npos);
}

}  // namespace
}  // namespace cv
