#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

TEST(RestrictionWords, AWordOnTheReportCategoryRestrictsExactlyItsItems) {
    test::TempDir dir;
    test::RecordingUi ui;
    TCvInd industry;
    industry.Open(std::string(kIndustrySignature), sample::WriteSampleIndustryFile(dir.path()).string());
    industry.InitSeries();
    const TSeries* items = industry.FindSeries("rcReport");
    ASSERT_NE(items, nullptr);
    const std::vector<std::string> firstItems(items->Labels().begin(), items->Labels().begin() + 4);
    ASSERT_EQ(firstItems, (std::vector<std::string>{"NoReport", "NoCompanyResults", "NoBrandResults", "NoRD"}));
    const std::int16_t category = industry.FindSeries("RestrictCateg")->IndexOf("rcReport");
    TSimArr* words = industry.ConstPart().GetSimArr(kCategoryIndustry, TDataContext{}, "RestrictEnabled");
    ASSERT_NE(words, nullptr);
    // 5 = bits 0 and 2: items 1 and 3 of the series.
    words->SetWord({category}, 5);
    EXPECT_TRUE(industry.RestrictEnabled("rcReport", "NoReport"));
    EXPECT_FALSE(industry.RestrictEnabled("rcReport", "NoCompanyResults"));
    EXPECT_TRUE(industry.RestrictEnabled("rcReport", "NoBrandResults"));
    EXPECT_FALSE(industry.RestrictEnabled("rcReport", "NoRD"));
    // Names compare with letter case ignored.
    EXPECT_TRUE(industry.RestrictEnabled("RCREPORT", "nobrandresults"));
    // Another category's items and an unknown category stay free.
    EXPECT_FALSE(industry.RestrictEnabled("rcNewsletter", "NoNewsletter"));
    EXPECT_FALSE(industry.RestrictEnabled("rcUnknown", "NoReport"));
    EXPECT_FALSE(industry.RestrictHidden("rcReport", "NoReport"));
    industry.Close();
}

}  // namespace
}  // namespace cv
