// The decisions page: its layout at both screen sizes, the restrictions, when
// it can be opened, and the protocol of its dialogs.
#include <QFrame>
#include <QPushButton>
#include <array>
#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "ui/help_state.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "shell/selector/cv_bar.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "ui/cv3_speed_button.h"
#include "ui/qt_ui_services.h"
#include "tools/sample_industry/sample_instructor.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {
namespace {

using sample::TSampleDecisions;
using sample::TSampleRestrictions;

QRect Geometry(QWidget& page, const char* name) { return Child<QWidget>(page, name).geometry(); }

// The rules of the layout written out for the page's own client size: gap and
// margin 5 and 30 (2 and 2 on the small screen); panel 520 x 72, area buttons
// 170 x 28 under pictures 96 high, bottom buttons 130 x 28.
void ExpectLayout(QWidget& page, int gap, int margin) {
    const int w = page.width();
    const int h = page.height();
    const int bottom = h - 28 - margin;
    const int panelLeft = (w - 520) / 2;
    EXPECT_EQ(Geometry(page, "paErrWng"), QRect(panelLeft, bottom - 72 - margin, 520, 72));
    EXPECT_EQ(Geometry(page, "BBSummary"), QRect(panelLeft, bottom, 130, 28));
    EXPECT_EQ(Geometry(page, "BBBudget"), QRect((w - 130) / 2, bottom, 130, 28));
    EXPECT_EQ(Geometry(page, "BBMktPlan"), QRect(panelLeft + 520 - 130, bottom, 130, 28));
    const int v = (h - (72 + 2 * margin + 28) - 2 * (96 + gap + 28)) / 3;
    const int s = (w - 3 * 170) / 4;
    const int row2 = v + 96 + gap + 28 + v;
    EXPECT_EQ(Geometry(page, "BBBrdPF"), QRect(s, v + 96 + gap, 170, 28));
    EXPECT_EQ(Geometry(page, "BBBrdMMix"), QRect((w - 170) / 2, v + 96 + gap, 170, 28));
    EXPECT_EQ(Geometry(page, "BBDistrib"), QRect(w - 170 - s, v + 96 + gap, 170, 28));
    EXPECT_EQ(Geometry(page, "BBStudies"), QRect(w / 3 - 85, row2 + 96 + gap, 170, 28));
    EXPECT_EQ(Geometry(page, "BBRnD"), QRect(2 * w / 3 - 85, row2 + 96 + gap, 170, 28));
    EXPECT_EQ(Geometry(page, "imBrdPF"), QRect(s, v, 170, 96));
    EXPECT_EQ(Geometry(page, "imStudies"), QRect(w / 3 - 85, row2, 170, 96));
    EXPECT_EQ(Geometry(page, "imRnD"), QRect(2 * w / 3 - 85, row2, 170, 96));
}

TEST_F(DecisionPageTest, ButtonsFollowTheLayoutRules) {
    ShowPage(TSampleDecisions::Complete);
    ExpectLayout(*page, 5, 30);
}

TEST_F(DecisionPageTest, SmallScreenUsesTheTightLayout) {
    ShowPage(TSampleDecisions::Complete);
    const bool small = ScreenSize().width() <= 640;
    ExpectLayout(*page, small ? 2 : 5, small ? 2 : 30);
}

// On the sample played by the instructor's stand-in up to period 11 the page
// opens; at the last period its button is disabled.
TEST_F(DecisionPageTest, OpensOnlyBelowTheLastPeriod) {
    const std::filesystem::path instructor = root.RootPath() / "Instructor";
    const std::filesystem::path exchange = root.RootPath() / "Exchange";
    sample::WriteSampleIndustry(instructor);
    std::filesystem::create_directories(exchange);
    for (int current = 3; current < 11; ++current) sample::RunInstructorPeriod(instructor, exchange);
    page = ShowDecisionsPage(Main(), instructor / "SAMPLE.ind", 1);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(Session->Industry()->CurPeriod(), 11);
    auto* button = Main().findChild<TCv3SpBtn*>("SpBDec");
    Main().ShowPage(windows.teamPage);
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(TFoCv3Mod::Current(), static_cast<TFoCv3Mod*>(page));
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(root.ui.messageBoxes.empty()) << root.ui.messageBoxes.front().key;
    Main().ShowPage(windows.teamPage);
    Session->Industry()->SetCurPeriod(12);
    Main().UpdatePageButtons();
    EXPECT_FALSE(button->isEnabled());
}

// An industry whose data stop before its decision period: the page says once
// what does not read and does not open; the team page stays. The program's
// own box over the page is shown on the screen too.
TEST_F(DecisionPageTest, AnIndustryThatDoesNotReadKeepsThePageClosedWithOneMessage) {
    ShowPage(TSampleDecisions::Complete);
    Main().ShowPage(windows.teamPage);
    // The sample holds decisions up to period 4.
    Session->Industry()->SetCurPeriod(11);
    Main().UpdatePageButtons();
    auto* button = Main().findChild<TCv3SpBtn*>("SpBDec");
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(TFoCv3Mod::Current(), static_cast<TFoCv3Mod*>(windows.teamPage));
    EXPECT_FALSE(page->isVisible());
    ASSERT_EQ(BoxKeys(root.ui).size(), 1u);
    EXPECT_NE(root.ui.messageBoxes[0].key.find("What does not read: array FFXRpt missing in the results of period 11, firm 1, zone 1"),
              std::string::npos)
        << root.ui.messageBoxes[0].key;
    const TQtUiServices onScreen;
    WhenModalShown box([](QWidget&) { SaveScreenScreenshot("DecisionPage_UnreadableIndustryMessage"); },
                       "DecisionPage_UnreadableIndustryBox");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(box.Ran());
    EXPECT_EQ(TFoCv3Mod::Current(), static_cast<TFoCv3Mod*>(windows.teamPage));
}

// The area dialogs come with their own work: until one is part of the
// program its button stays disabled, with its picture.
TEST_F(DecisionPageTest, AreasWithoutTheirDialogAreDisabled) {
    ShowPage(TSampleDecisions::Complete);
    // The program registers every dialog built; the portfolio's is taken away.
    page->RegisterDialog(TDecisionArea::BrandPortfolio, nullptr);
    Reactivate();
    EXPECT_TRUE(Child<QPushButton>(*page, "BBBrdMMix").isEnabled());
    EXPECT_TRUE(Child<QFrame>(*page, "imBrdMMix").isEnabled());
    EXPECT_FALSE(Child<QPushButton>(*page, "BBBrdPF").isEnabled());
    EXPECT_FALSE(Child<QFrame>(*page, "imBrdPF").isEnabled());
}

TEST_F(DecisionPageTest, SalesForceRestrictionDisablesDistribution) {
    ShowPage({TSampleDecisions::Complete, TSampleRestrictions::NoSlf});
    EXPECT_FALSE(Child<QPushButton>(*page, "BBDistrib").isEnabled());
    EXPECT_FALSE(Child<QFrame>(*page, "imDistrib").isEnabled());
    EXPECT_TRUE(Child<QPushButton>(*page, "BBDistrib").isVisible());
}

TEST_F(DecisionPageTest, HiddenRnDTakesItsPictureAlong) {
    ShowPage(TSampleDecisions::Complete);
    TCvInd& industry = *Session->Industry();
    TSimArr* hidden = industry.ConstPart().FindSimArr(kCategoryIndustry, TDataContext{}, "RestrictHidden");
    const std::int16_t category = industry.FindSeries("RestrictCateg")->IndexOf("rcDecisions");
    const std::int16_t item = industry.FindSeries("rcDecisions")->IndexOf("NoRnD");
    hidden->SetWord({category}, hidden->GetWord({category}) | (1u << (item - 1)));
    Reactivate();
    EXPECT_FALSE(Child<QPushButton>(*page, "BBRnD").isVisible());
    EXPECT_FALSE(Child<QFrame>(*page, "imRnD").isVisible());
    EXPECT_TRUE(Child<QPushButton>(*page, "BBStudies").isVisible());
}

TEST_F(DecisionPageTest, MarketingPlanRestrictionDisablesItsButton) {
    ShowPage({TSampleDecisions::Complete, TSampleRestrictions::NoMarketingPlan});
    EXPECT_FALSE(Child<QPushButton>(*page, "BBMktPlan").isEnabled());
    EXPECT_TRUE(Child<QPushButton>(*page, "BBSummary").isVisible());
}

// OK stores the dialog's price; the page saves the decisions and checks them again.
TEST_F(DecisionPageTest, DialogClosedWithOkIsSavedAndChecked) {
    ShowPage(TSampleDecisions::Complete);
    PriceDialog::PriceOnOk = 0;
    PriceDialog::Refuse = false;
    WhenModalShown inspect([this](QWidget& dialog) {
        EXPECT_EQ(page->OpenDialog(), &dialog);
        EXPECT_EQ(page->PressedButton(), TDecisionArea::MarketingMix);
        EXPECT_EQ(HelpState().HelpContext, 37);
        // The help tool button and the zone and market selectors are lent to the dialog.
        EXPECT_EQ(Main().ToolButton(2)->parentWidget(), &dialog);
        const TCvInd& industry = *Session->Industry();
        EXPECT_EQ(CvBar->Group(industry.MktSeries()->Name())->parentWidget(), &dialog);
        EXPECT_EQ(CvBar->Group(industry.FtaSeries()->Name())->parentWidget(), &dialog);
        static_cast<PriceDialog&>(dialog).OkClick();
    });
    QTest::mouseClick(&Child<QPushButton>(*page, "BBBrdMMix"), Qt::LeftButton);
    EXPECT_TRUE(inspect.Ran());
    EXPECT_FALSE(page->HasPressedButton());
    EXPECT_EQ(page->OpenDialog(), nullptr);
    EXPECT_EQ(Main().ToolButton(2)->parentWidget(), Main().Bar());
    EXPECT_EQ(page->LastReview().ErrorCount, 2);
    EXPECT_EQ(StateText().left(30), "Your decisions contain errors.");
    // Saved in the file: a second reading of it sees the price.
    const std::string file = Session->IndFullPath();
    TCvInd copy;
    copy.Open(std::string(kIndustrySignature), file);
    copy.InitSeries();
    TDataContext context = page->Data;
    context.SelFta = 1;
    context.SelMarket = 1;
    EXPECT_EQ(copy.PerDecisions(4).FindSimArr(kCategoryFirmFtaMarket, context, "DecBrdCv3")->GetReal48({1, si::Price}), 0);
    copy.Close();
}

TEST_F(DecisionPageTest, MarketingPlanRefusedWhileErrorsArePending) {
    ShowPage(TSampleDecisions::Complete);
    SetPrice(0);
    Reactivate();
    root.ui.messageBoxes.clear();
    page->OpenArea(TDecisionArea::MarketingPlan);
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].key, "MktgPlanDisabled");
}

// Stored advertising of two North brands that takes the zone's budget past
// what a budget figure holds: once a dialog closes, the page names the zone
// and counts it as an error; with the amounts made smaller again, the next
// dialog's close finds the decisions complete.
TEST_F(DecisionPageTest, AZoneBeyondItsBudgetIsNamedOnceADialogCloses) {
    ShowPage(TSampleDecisions::Complete);
    TDataContext north = page->Data;
    north.SelFta = 1;
    north.SelMarket = 1;
    TSimArr& mix = *Session->Industry()->PerDecisions(4).FindSimArr(kCategoryFirmFtaMarket, north, "DecBrdCv3");
    const std::array<long double, 2> stored{mix.GetReal48({1, si::AdvertBgt}), mix.GetReal48({2, si::AdvertBgt})};
    const auto cancelStudies = [this] {
        WhenModalShown shown([](QWidget& dialog) {
            QTest::mouseClick(&Child<QPushButton>(dialog, "BBCancel"), Qt::LeftButton);
        });
        QTest::mouseClick(&Child<QPushButton>(*page, "BBStudies"), Qt::LeftButton);
        EXPECT_TRUE(shown.Ran());
    };
    for (int brand : {1, 2}) mix.SetReal48({brand, si::AdvertBgt}, 1.5e9);
    root.ui.messageLists.clear();
    cancelStudies();
    EXPECT_TRUE(root.ui.errorBoxes.empty()) << root.ui.errorBoxes.front();
    const std::string headline = "The budget of zone North cannot be worked out.";
    ASSERT_EQ(root.ui.messageLists.size(), 1u);
    EXPECT_EQ(root.ui.messageLists[0].items.at(0).Headline, headline);
    EXPECT_EQ(StateText().left(30), "Your decisions contain errors.");
    SaveScreenshot(Main(), "DecisionPage_ZoneBeyondItsBudget");
    const std::vector<TQnInfo> listed = ListedMessages();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].Headline, headline);
    for (int brand : {1, 2}) mix.SetReal48({brand, si::AdvertBgt}, stored[static_cast<std::size_t>(brand - 1)]);
    cancelStudies();
    EXPECT_EQ(StateText().left(28), "Your decisions are complete.");
}

// While the dialog is open the page's market changes: the dialog stores and
// loads again, or, refusing to store, gets its selection back.
TEST_F(DecisionPageTest, OpenDialogFollowsTheSelector) {
    ShowPage(TSampleDecisions::Complete);
    PriceDialog::PriceOnOk = 700;
    WhenModalShown inspect([this](QWidget& dialog) {
        auto& price = static_cast<PriceDialog&>(dialog);
        const TCvInd& industry = *Session->Industry();
        TBarGrpBtn* markets = CvBar->Group(industry.MktSeries()->Name());
        PriceDialog::Refuse = false;
        CvBar->SelectionChanged(*markets, markets->Buttons.at(1));
        EXPECT_EQ(page->Data.SelMarket, 2);
        EXPECT_EQ(price.Context.SelMarket, 2);
        EXPECT_EQ(price.Loads, 2);
        PriceDialog::Refuse = true;
        CvBar->SelectionChanged(*markets, markets->Buttons.at(0));
        EXPECT_EQ(page->Data.SelMarket, 2) << "the refused selection is taken back";
        EXPECT_EQ(price.Loads, 2);
        PriceDialog::Refuse = false;
        price.CancelClick();
    });
    page->OpenArea(TDecisionArea::MarketingMix);
    EXPECT_TRUE(inspect.Ran());
}

}  // namespace
}  // namespace cv::test
