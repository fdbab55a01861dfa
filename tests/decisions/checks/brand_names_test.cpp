// The naming rule of brands over the sample's history: team A markets ALBA
// from period 0 and ARNO from period 2 in market 1, and launches ALTO in the
// decision period 4.
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/brand_names.h"
#include "tests/decisions/checks/sample_decisions.h"

namespace cv::test {
namespace {

class BrandNames : public SampleDecisions {
public:
    bool Used(std::string_view name, const std::vector<std::string>& pending = {}) {
        return BrandNameUsed(Industry(), Context(1, 1), name, pending);
    }
    // Adds Name as the last brand of period Period's portfolio in the North, market 1.
    void AddToPortfolio(int period, std::string_view name) {
        TCvPerData& decisions = Industry().PerDecisions(period);
        const std::int16_t brands = decisions.GetSmallint(kCategoryFirmFtaMarket, Context(1, 1), "NbMktedBrds");
        decisions.FindSimArr(kCategoryFirmFtaMarket, Context(1, 1), "DecBrdPort")->SetZts({brands + 1, si::BrdName}, name);
        decisions.SetSmallint(kCategoryFirmFtaMarket, Context(1, 1), "NbMktedBrds", static_cast<std::int16_t>(brands + 1));
    }
};

TEST_F(BrandNames, NamesOfEveryPeriodAreTakenInAnyLetterCase) {
    EXPECT_TRUE(Used("alba"));
    EXPECT_TRUE(Used("Arno"));
    // A brand of period 1 only, withdrawn since: its name stays taken.
    AddToPortfolio(1, "MAQ7");
    EXPECT_TRUE(Used("maq7"));
    EXPECT_FALSE(Used("MAQ8"));
    // Another market and another zone keep their own names.
    EXPECT_FALSE(BrandNameUsed(Industry(), Context(1, 2), "MAQ7", {}));
    EXPECT_FALSE(BrandNameUsed(Industry(), Context(2, 1), "MAQ7", {}));
}

// The decision period's own portfolio counts through the names pending in the dialog.
TEST_F(BrandNames, TheDecisionPeriodCountsThroughThePendingNames) {
    EXPECT_FALSE(Used("ALTO"));
    EXPECT_TRUE(Used("alto", {"ALBA", "ALTO"}));
}

// A row beyond the period's brand count holds no brand of the period.
TEST_F(BrandNames, RowsBeyondTheBrandCountAreNoBrands) {
    TCvPerData& period2 = Industry().PerDecisions(2);
    // Period 2 markets ALBA and ARNO: row 3 is free.
    period2.FindSimArr(kCategoryFirmFtaMarket, Context(1, 1), "DecBrdPort")->SetZts({3, si::BrdName}, "MAZZ");
    EXPECT_FALSE(Used("MAZZ"));
}

}  // namespace
}  // namespace cv::test
