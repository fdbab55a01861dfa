// The brand-portfolio dialog on the sample: team A keeps ALBA and ARNO in
// market 1 and launches ALTO there in the decision period, from the prototypes
// PALBA, PARNO and PALTO, all completed; market 3 has no brand and no prototype.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/mix/mix_dialog.h"
#include "decisions/portfolio/brand_naming_dialog.h"
#include "decisions/portfolio/project_list_dialog.h"
#include "shell/selector/cv_bar.h"
#include "tests/decisions/portfolio/portfolio_fixture.h"
#include "ui/fields/qn_edit.h"
#include "ui/report/qn_table.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {
namespace {

// Texts of the language file: "BrdPortfolio" lines 1..4.
constexpr char kWithdrawn[] = "Withdrawn";
constexpr char kModified[] = "Modified";
constexpr char kKept[] = "Kept";
constexpr char kNew[] = "New";

TEST_F(PortfolioTest, CurrentBrandsComeFirstThenTheNewOnes) {
    Open();
    TPortfolioGrid& marketed = Grid("SGMktBrd");
    EXPECT_EQ(marketed.Names(), (std::vector<std::string>{"ALBA", "ARNO", "ALTO"}));
    EXPECT_EQ(marketed.Row(0).Status, kKept);
    EXPECT_EQ(marketed.Row(1).Project, "PARNO");
    EXPECT_EQ(marketed.Row(2).Status, kNew);
    EXPECT_TRUE(Grid("SGDelBrd").Names().empty());
}

// ARNO, the second of three, is withdrawn: ALTO moves up to row 2 of the
// stored portfolio and takes its decision rows along; row 3 is emptied.
TEST_F(PortfolioTest, WithdrawingTheSecondOfThreeBrandsMovesTheThirdsRows) {
    Open();
    TSimArr decisions, segments, allocation;
    decisions.Assign(Stored("DecBrdCv3"));
    segments.Assign(Stored("SegStrat"));
    allocation.Assign(Stored("SlfAlloc"));
    ASSERT_NE(decisions.GetReal48({3, si::Price}), 0);

    ClickRow("SGMktBrd", 1);
    EXPECT_EQ(dialog->SelBrand(), "ARNO");
    Click("BBWithDraw");
    EXPECT_EQ(Grid("SGDelBrd").Row(0).Name, "ARNO");
    EXPECT_EQ(Grid("SGDelBrd").Row(0).Status, kWithdrawn);
    Click("BBOk");

    TCvInd& industry = *Session->Industry();
    EXPECT_EQ(industry.PerDecisions(4).GetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds"), 2);
    EXPECT_EQ(StoredBrand(1), "ALBA");
    EXPECT_EQ(StoredBrand(2), "ALTO");
    EXPECT_EQ(Stored("DecBrdPort").GetZts({2, si::ProName}), "PALTO");
    EXPECT_EQ(StoredBrand(3), "");
    EXPECT_TRUE(Stored("DecBrdCv3").RowEquals(decisions, 3, 2));
    EXPECT_TRUE(Stored("SegStrat").RowEquals(segments, 3, 2));
    EXPECT_TRUE(Stored("DecBrdCv3").RowEquals(decisions, 1, 1));
    for (int channel = allocation.LB(1); channel <= allocation.UB(1); ++channel)
        EXPECT_EQ(Stored("SlfAlloc").GetReal48({channel, 2}), allocation.GetReal48({channel, 3})) << channel;
    EXPECT_EQ(Stored("DecBrdCv3").GetReal48({3, si::Price}), 0);
}

TEST_F(PortfolioTest, ButtonsFollowTheSelectedBrand) {
    Open();
    EXPECT_TRUE(Enabled("BBIntro"));
    EXPECT_FALSE(Enabled("BBModif"));
    EXPECT_FALSE(Enabled("BBWithDraw"));
    EXPECT_FALSE(Enabled("BBUndo"));
    ClickRow("SGMktBrd", 0);  // ALBA, kept
    EXPECT_TRUE(Enabled("BBModif"));
    EXPECT_TRUE(Enabled("BBWithDraw"));
    EXPECT_FALSE(Enabled("BBUndo"));
    ClickRow("SGMktBrd", 2);  // ALTO, new: undone rather than withdrawn
    EXPECT_FALSE(Enabled("BBWithDraw"));
    EXPECT_TRUE(Enabled("BBUndo"));
    // An empty row cannot be chosen: ALTO stays selected.
    ClickRow("SGMktBrd", 4);
    EXPECT_EQ(dialog->SelBrand(), "ALTO");
    EXPECT_TRUE(Grid("SGMktBrd").item(2, 0)->isSelected());
    EXPECT_TRUE(Enabled("BBUndo"));
    Click("BBUndo");
    EXPECT_EQ(Grid("SGMktBrd").Names(), (std::vector<std::string>{"ALBA", "ARNO"}));
    EXPECT_EQ(dialog->SelBrand(), "");
    EXPECT_FALSE(Enabled("BBModif"));
}

// The marketed grid is one stop of the Tab key: the arrow keys choose a brand
// inside it, Tab leaves it at once and Shift+Tab comes back.
TEST_F(PortfolioTest, GridIsOneTabStopWithTheArrowsInside) {
    Open();
    dialog->show();
    dialog->activateWindow();
    QTRY_VERIFY(dialog->isActiveWindow());
    TPortfolioGrid& marketed = Grid("SGMktBrd");
    ClickRow("SGMktBrd", 0);
    QTRY_VERIFY(marketed.hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(dialog->SelBrand(), "ARNO");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(dialog->SelBrand(), "ARNO") << "the whole row stays chosen";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(!marketed.hasFocus());
    EXPECT_FALSE(marketed.isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(dialog->SelBrand(), "ARNO");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTRY_VERIFY(marketed.hasFocus());
    SaveScreenshotOfRunningTest(*dialog);
}

// Two more brands fill the market: nothing can be introduced until one goes.
TEST_F(PortfolioTest, FiveBrandsInTheMarketStopIntroduction) {
    Open();
    Stored("DecBrdPort").SetZts({4, si::BrdName}, "MAB1");
    Stored("DecBrdPort").SetZts({5, si::BrdName}, "MAB2");
    Session->Industry()->PerDecisions(4).SetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds", 5);
    dialog->LoadDecisions();
    EXPECT_FALSE(Enabled("BBIntro"));
    ClickRow("SGMktBrd", 0);
    Click("BBWithDraw");
    EXPECT_TRUE(Enabled("BBIntro"));
    // ALBA, withdrawn, selected: there is a free row to take it back.
    EXPECT_EQ(dialog->SelBrand(), "ALBA");
    EXPECT_TRUE(Enabled("BBUndo"));
    Click("BBUndo");
    EXPECT_EQ(Marketed("ALBA").Status, kKept);
    EXPECT_EQ(Grid("SGMktBrd").Names().size(), 5u);
    EXPECT_FALSE(Enabled("BBIntro"));
}

TEST_F(PortfolioTest, NoPrototypeInTheMarketRefusesIntroduction) {
    Open(3);
    root.ui.messageBoxes.clear();
    Click("BBIntro");
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].key, "BFolioDecs");
    EXPECT_EQ(root.ui.messageBoxes[0].lines, std::vector<int>{1});
    EXPECT_TRUE(Grid("SGMktBrd").Names().empty());
}

// ARNO is based on PALTO, then put back on its own prototype by Undo.
TEST_F(PortfolioTest, UndoingAModificationRestoresTheCurrentProject) {
    Open();
    ClickRow("SGMktBrd", 1);
    WhenModalShown naming([](QWidget& shown) {
        EXPECT_EQ(shown.objectName(), "FoNewBrd");
        EXPECT_EQ(shown.windowTitle(), "Modify a brand");
        EXPECT_TRUE(Child<QWidget>(shown, "LModifBrd").isVisible());
        EXPECT_FALSE(Child<QWidget>(shown, "LNewBrdName").isVisible());
        EXPECT_FALSE(Child<QLineEdit>(shown, "MEBrdName").isEnabled());
        EXPECT_EQ(Child<QLineEdit>(shown, "MEBrdName").text(), "ARNO");
        EXPECT_EQ(Child<QLineEdit>(shown, "MEProjName").text(), "PARNO");
        EXPECT_EQ(Child<QListWidget>(shown, "LBExistProto").currentItem()->text(), "PARNO");
        // The projects button shows the available prototypes over the naming dialog.
        WhenModalShown report([](QWidget& list) {
            EXPECT_EQ(list.objectName(), "FoScrDlg");
            const TQNTable& table = *static_cast<TFoScrDlg&>(list).Screen().Table();
            EXPECT_EQ(table.CellText(table.OriginRow() + 2, 1), "PALBA");
            QTest::mouseClick(&Child<QPushButton>(list, "BBClose"), Qt::LeftButton);
        });
        QTest::mouseClick(&Child<QPushButton>(shown, "BBViewRnDReport"), Qt::LeftButton);
        EXPECT_TRUE(report.Ran());
        ClickItem(Child<QListWidget>(shown, "LBExistProto"), "PALTO");
        QTest::mouseClick(&Child<QPushButton>(shown, "BBOK"), Qt::LeftButton);
    });
    Click("BBModif");
    EXPECT_TRUE(naming.Ran());
    EXPECT_EQ(Marketed("ARNO").Status, kModified);
    EXPECT_EQ(Marketed("ARNO").Project, "PALTO");
    EXPECT_FALSE(Enabled("BBWithDraw"));
    Click("BBUndo");
    EXPECT_EQ(Marketed("ARNO").Status, kKept);
    EXPECT_EQ(Marketed("ARNO").Project, "PARNO");
}

// Based on another prototype and then on its own again, a brand is kept.
TEST_F(PortfolioTest, ModifiedBackToItsOwnPrototypeIsKept) {
    Open();
    ClickRow("SGMktBrd", 0);
    for (const char* prototype : {"PALTO", "PALBA"}) {
        WhenModalShown naming([prototype](QWidget& shown) {
            ClickItem(Child<QListWidget>(shown, "LBExistProto"), prototype);
            QTest::mouseClick(&Child<QPushButton>(shown, "BBOK"), Qt::LeftButton);
        });
        Click("BBModif");
        EXPECT_TRUE(naming.Ran());
    }
    EXPECT_EQ(Marketed("ALBA").Project, "PALBA");
    EXPECT_EQ(Marketed("ALBA").Status, kKept);
    EXPECT_FALSE(Enabled("BBUndo"));
}

// Saved and opened again: ALTO, new, keeps the decisions entered since; ARNO,
// withdrawn, taken back, starts from its default decisions.
TEST_F(PortfolioTest, ReopenedPortfolioKeepsWhatWasEnteredSince) {
    Open();
    ClickRow("SGMktBrd", 1);
    Click("BBWithDraw");
    Click("BBOk");
    Stored("DecBrdCv3").SetReal48({2, si::Price}, 1234);

    dialog = std::make_unique<TFoBFolio>(page, context);
    EXPECT_EQ(Marketed("ALTO").Status, kNew);
    EXPECT_EQ(Grid("SGDelBrd").Row(0).Name, "ARNO");
    ClickRow("SGDelBrd", 0);
    Click("BBUndo");
    Click("BBOk");

    EXPECT_EQ(StoredBrand(2), "ALTO");
    EXPECT_EQ(Stored("DecBrdCv3").GetReal48({2, si::Price}), 1234);
    EXPECT_EQ(StoredBrand(3), "ARNO");
    TCvPerData& defaults = Session->Industry()->PerDefaults(4);
    const int defaultRow =
        TFoBrdDec::FindBrand("ARNO", defaults.FindSimArr(kCategoryFirmFtaMarket, context, "DecBrdPort"));
    ASSERT_GT(defaultRow, 0);
    const TSimArr& defaultDecisions = *defaults.FindSimArr(kCategoryFirmFtaMarket, context, "DecBrdCv3");
    ASSERT_NE(defaultDecisions.GetReal48({defaultRow, si::Price}), 0);
    EXPECT_TRUE(Stored("DecBrdCv3").RowEquals(defaultDecisions, defaultRow, 3));
}

// The page's market changes while the dialog is open: the market left is
// stored, the new one shown.
TEST_F(PortfolioTest, MarketChangeStoresTheMarketLeft) {
    ShowPage(sample::TSampleDecisions::Complete);
    context = page->Data;
    context.SelFta = 1;
    context.SelMarket = 1;
    WhenModalShown inspect([this](QWidget& shown) {
        auto& marketed = Child<TPortfolioGrid>(shown, "SGMktBrd");
        QTest::mouseClick(marketed.viewport(), Qt::LeftButton, {}, marketed.visualRect(marketed.model()->index(1, 0)).center());
        QTest::mouseClick(&Child<QPushButton>(shown, "BBWithDraw"), Qt::LeftButton);
        TBarGrpBtn* markets = CvBar->Group(Session->Industry()->MktSeries()->Name());
        CvBar->SelectionChanged(*markets, markets->Buttons.at(1));
        EXPECT_EQ(marketed.Names(), (std::vector<std::string>{"AMOR", "AVEN"}));
        EXPECT_TRUE(Child<TPortfolioGrid>(shown, "SGDelBrd").Names().empty());
        EXPECT_EQ(StoredBrand(2), "ALTO");
        static_cast<TFoBFolio&>(shown).CancelClick();
    });
    page->OpenArea(TDecisionArea::BrandPortfolio);
    EXPECT_TRUE(inspect.Ran());
    EXPECT_EQ(StoredBrand(1), "ALBA");
    EXPECT_EQ(StoredBrand(3), "");
}

// A brand introduced and saved gets its tab in the marketing mix; it was not
// on the market last period, so the last period's values show "-". Its
// decisions count as taken once its mix is saved.
TEST_F(PortfolioTest, NewBrandHasItsMixTabWithoutLastPeriodValues) {
    Open();
    WhenModalShown naming([](QWidget& shown) {
        ClickItem(Child<QListWidget>(shown, "LBExistProto"), "PALBA");
        TypeName(Child<QLineEdit>(shown, "MEBrdName"), "z9");
        Press(shown, "BBOK");
    });
    Click("BBIntro");
    ASSERT_TRUE(naming.Ran());
    Click("BBOk");
    dialog.reset();
    // The mix opens on the tab it is told to remember.
    TMixMemory memory{3, "MAZ9"};
    TFoMktMix mix(page, context, memory);
    auto& tabs = Child<TBrandTabBar>(mix, "QNTSBrand");
    ASSERT_EQ(tabs.count(), 4);
    EXPECT_EQ(tabs.tabText(3), "MAZ9");
    EXPECT_EQ(tabs.currentIndex(), 3);
    for (const char* last : {"QNEProdLevelSimPer", "QNEMassComSimPer", "QNEAdvResSimPer", "QNEPriceSimPer"})
        EXPECT_EQ(Child<QLineEdit>(mix, last).text(), "-") << last;
    EXPECT_EQ(Child<QLineEdit>(mix, "QNEBaseProtoCurPer").text(), "PALBA");
    mix.show();
    QTRY_VERIFY(mix.isVisible());
    SaveScreenshotOfRunningTest(mix);

    // Until its mix is saved the page lists the new brand as not taken.
    page->RefreshErrors();
    EXPECT_EQ(page->LastReview().DecStatusResult, 0);
    const std::pair<const char*, int> entries[] = {{"QNEProdLevelCurPer", 20}, {"QNEMassComCurPer", 300},
                                                   {"QNEAdvResCurPer", 20},    {"QNEPriceCurPer", 600},
                                                   {"QNESegCurPer1", 40},      {"QNESegCurPer2", 30},
                                                   {"QNESegCurPer3", 30}};
    for (const auto& [field, value] : entries) Child<TQNEdit>(mix, field).SetValueInt(value);
    mix.OkClick();
    EXPECT_EQ(mix.result(), QDialog::Accepted);
    EXPECT_EQ(Stored("DecBrdCv3").GetReal48({4, si::BrdDecStatus}), 1);
    page->RefreshErrors();
    EXPECT_EQ(page->LastReview().DecStatusResult, 1);
}

}  // namespace
}  // namespace cv::test
