// The brand dialogs' base on the sample, and the tab bar of brands that asks
// before it moves.
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/dialogs/brand_decision_dialog.h"
#include "decisions/dialogs/brand_tab_bar.h"
#include "tests/decisions/page/decision_page_fixture.h"

namespace cv::test {
namespace {

class BrandDialogTest : public DecisionPageTest {
protected:
    void SetUp() override {
        ShowPage(sample::TSampleDecisions::Complete);
        context = page->Data;
        context.SelFta = 1;
        context.SelMarket = 1;
        dialog = std::make_unique<TFoBrdDec>(page, context);
        dialog->LoadDecisions();
    }
    std::unique_ptr<TFoBrdDec> dialog;
    TDataContext context;
};

// Team A sells ALBA, ARNO and ALTO in market 1 and AMOR and AVEN in market 2.
TEST_F(BrandDialogTest, LoadsTheBrandsOfTheCallersMarket) {
    EXPECT_EQ(dialog->NbMktedBrdsNew, 3);
    EXPECT_EQ(dialog->NbBrdsAllMkts, 5);
    EXPECT_EQ(dialog->NbSegments, 3);
    EXPECT_EQ(TFoBrdDec::FindBrand("alto", dialog->PortNew), 3);
    context.SelMarket = 2;
    dialog->LoadDecisions();
    EXPECT_EQ(dialog->NbMktedBrdsNew, 2);
    EXPECT_EQ(dialog->NbSegments, 5);
    EXPECT_EQ(TFoBrdDec::FindBrand("AMOR", dialog->PortNew), 1);
    EXPECT_EQ(dialog->Context.SelMarket, 1) << "the copy keeps the market of creation";
}

TEST_F(BrandDialogTest, NewWithdrawnAndModifiedBrands) {
    // ALTO comes new in the decision period, from the prototype completed in the current one.
    EXPECT_TRUE(dialog->IsNewBrand("ALTO"));
    dialog->PortNew->SetZts({1, si::BrdName}, "AZUR");
    EXPECT_TRUE(dialog->IsNewBrand("AZUR"));
    EXPECT_FALSE(dialog->IsWithdrawnBrand("AZUR"));
    EXPECT_FALSE(dialog->IsModifiedBrand("AZUR"));
    EXPECT_TRUE(dialog->IsWithdrawnBrand("ALBA"));
    dialog->PortNew->SetZts({2, si::ProName}, "parno");
    EXPECT_FALSE(dialog->IsModifiedBrand("ARNO")) << "letter case alone changes nothing";
    dialog->PortNew->SetZts({2, si::ProName}, "PALTO");
    EXPECT_TRUE(dialog->IsModifiedBrand("ARNO"));
}

// Rows beyond the fifth are never looked at, whatever the array holds.
TEST_F(BrandDialogTest, FindBrandLooksAtFiveRowsOnly) {
    TSimArr wide;
    wide.Init(dkZts, 16, 2, {1, 1}, {7, 2});
    wide.SetZts({6, si::BrdName}, "ABEL");
    EXPECT_EQ(TFoBrdDec::FindBrand("ABEL", &wide), 0);
    wide.SetZts({5, si::BrdName}, "ABEL");
    EXPECT_EQ(TFoBrdDec::FindBrand("ABEL", &wide), 5);
}

TEST(BrandTabBar, RefusedChangeKeepsTheTab) {
    TBrandTabBar tabs;
    std::vector<int> shown;
    QObject::connect(&tabs, &TBrandTabBar::BrandChanged, [&shown](int index) { shown.push_back(index); });
    for (const char* brand : {"ALBA", "ARNO", "ALTO"}) tabs.addTab(QString::fromLatin1(brand));
    bool allow = false;
    tabs.AllowChange = [&allow](int) { return allow; };
    tabs.setCurrentIndex(2);
    EXPECT_EQ(tabs.currentIndex(), 0);
    allow = true;
    tabs.setCurrentIndex(2);
    EXPECT_EQ(tabs.currentIndex(), 2);
    EXPECT_EQ(shown, (std::vector<int>{0, 2}));
}

}  // namespace
}  // namespace cv::test
