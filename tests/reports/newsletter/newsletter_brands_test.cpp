// The newsletter's brand characteristics page on the sample industry (zone
// North, market 1, period 3): two brands per firm, listed firm by firm.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

using test::CellText;

class NewsletterBrandsTest : public test::ResultsTest {
protected:
    std::unique_ptr<TNewsScr> Page(const TDataContext& context) {
        return TCVScreen::Create<TNewsScr>(owner.get(), context, TNewsScr::kBrandCharacteristics,
                                           kPlaceCentreX | kPlaceCentreY, 0, 0, kWindowMode);
    }
};

TEST_F(NewsletterBrandsTest, BrandsStandFirmByFirmWithTheirDecidedStatusAndPrice) {
    TDataContext context = Context(3);
    // Firm E's first brand, EDRA, is modified and priced at 612.
    TDataContext firmE = context;
    firmE.SelFirm = 2;
    TSimArr* mix = Session->Industry()->PerDecisions(3).FindSimArr(kCategoryFirmFtaMarket, firmE, "DecBrdCV3");
    ASSERT_NE(mix, nullptr);
    mix->SetReal48({1, si::PortStatus}, 3);
    mix->SetReal48({1, si::Price}, 612);
    const auto page = Page(context);
    const TQNTable& table = *page->Table();
    const int first = table.OriginRow() + 2;
    // Eight brands, two of each of the four firms; the firm's label on its first row only.
    const char* firms[] = {"A", "", "E", "", "I", "", "O", ""};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(CellText(table, first + i, 1), firms[i]) << i;
    EXPECT_EQ(CellText(table, first + 2, 2), "EDRA");
    // Status 3 is line 7 + 3 of the page's texts; the price column follows 3 heading and 4 characteristic columns and the cost.
    EXPECT_EQ(CellText(table, first + 2, 3), "Modified");
    EXPECT_EQ(CellText(table, first + 2, 9), "612");
    EXPECT_FALSE(page->IsEmpty());
}

TEST_F(NewsletterBrandsTest, AMarketWithoutBrandsIsEmpty) {
    TDataContext context = Context(3);
    Session->Industry()->PerResults(3).SetSmallint(kCategoryFtaMarket, context, "NbMktedBrds", 0);
    const auto page = Page(context);
    EXPECT_TRUE(page->IsEmpty());
    EXPECT_EQ(CellText(*page->Table(), page->Table()->OriginRow() + 2, 2), "");
}

}  // namespace
}  // namespace cv
