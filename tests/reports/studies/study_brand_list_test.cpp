// The brand list of the study screens: firm by firm, a line between firms,
// and every brand its own row even when more brands are marketed than the
// usual 31 body rows, so that none runs into the footer.
#include <gtest/gtest.h>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "tests/reports/studies/study_fixture.h"

namespace cv {
namespace {

class StudyBrandListTest : public test::StudyTest {
protected:
    // Brands named B1..Bn, brand b marketed by firm 1 + (b - 1) / 10 (ten a firm),
    // with purchase intention b / 100 in every segment.
    void SetBrands(const TDataContext& context, int brands) {
        SetMarketedBrands(context, brands);
        TSimArr& names = PlaceArray(context, kCategoryFtaMarket, "BrdNames", {brands}, dkZts);
        TSimArr& links = PlaceArray(context, kCategoryFtaMarket, "XFMLinks", {brands, si::XFMLinks->Hi()}, dkByte);
        TSimArr& intentions = PlaceArray(context, kCategoryFtaMarket, "StuBrdSegPI", {brands, 3});
        for (int b = 1; b <= brands; ++b) {
            names.SetZts({b}, "B" + std::to_string(b));
            links.SetByte({b, si::Dfix}, 1 + (b - 1) / 10);
            for (int s = 1; s <= 3; ++s) intentions.SetReal48({b, s}, 10.0 * b);
        }
    }
};

TEST_F(StudyBrandListTest, MoreBrandsThanBodyRowsKeepTheirRowsAndTheFooter) {
    const TDataContext context = Context();
    BuyEveryStudy(context, true);
    SetBrands(context, 33);
    const auto shown = MarketScreen(2, context);
    const TQNTable& table = *shown->Table();
    const int body = table.OriginRow() + 1;
    // Market 1 has three segments: two columns each, the values in 4, 6 and 8; the total in 9.
    EXPECT_EQ(test::CellText(table, body, 1), "A");
    EXPECT_EQ(test::CellText(table, body + 10, 1), "E");
    EXPECT_EQ(test::CellText(table, body + 32, 2), "B33");
    EXPECT_EQ(test::CellText(table, body + 32, 4), "33.0%");  // 33 x 10 thousandths
    EXPECT_EQ(table.Sheet().Geometry().bodyRows, 33);
    const int footer = body + 33;
    EXPECT_EQ(test::CellText(table, footer, 1), "Total");
    EXPECT_EQ(test::CellText(table, footer, 2), "");
    EXPECT_EQ(test::CellText(table, footer, 4), "100.0%");
}

TEST_F(StudyBrandListTest, AFewBrandsLeaveTheRestOfTheBodyEmptyBeforeTheFooter) {
    const TDataContext context = Context();
    BuyEveryStudy(context, true);
    SetBrands(context, 12);
    const auto shown = MarketScreen(2, context);
    const TQNTable& table = *shown->Table();
    const int body = table.OriginRow() + 1;
    EXPECT_EQ(test::CellText(table, body + 11, 2), "B12");
    EXPECT_EQ(test::CellText(table, body + 11, 1), "");  // B11 opened firm E's rows
    EXPECT_EQ(test::CellText(table, body + 12, 2), "");
    // Firms C to F have no brands: their lines fall on the row after the last brand.
    EXPECT_FALSE(shown->IsEmpty());
}

}  // namespace
}  // namespace cv
