// The summary and budget dialog opened by the decisions page on the sample:
// its tabs and their screens, the market group that follows the tab, the
// period and zone lent on the bar, the small screen's sizes, and a budget
// that cannot be recomputed.
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "core/base/text_format.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/summary/summary_dialog.h"
#include "reports/budget/bgt_screen.h"
#include "shell/selector/cv_bar.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/shown_title.h"
#include "tests/ui/support/window_test.h"
#include "ui/fields/bar.h"
#include "ui/qn_tab_set.h"
#include "ui/report/qn_table.h"
#include "ui/screen_room.h"
#include "ui/sheet/cell_format.h"
#include "ui/sheet/qn_sheet.h"
#include "ui/sheet/sheet_model.h"

namespace cv::test {
namespace {

class SummaryDialogTest : public DecisionPageTest {
protected:
    void SetUp() override { ShowPage({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::None}); }

    // Opens the dialog of Area through the page's protocol and runs Steps while it is shown.
    void WithDialog(TDecisionArea area, const std::function<void(TFoSummary&)>& steps) {
        WhenModalShown inspect([&steps](QWidget& window) { steps(static_cast<TFoSummary&>(window)); });
        page->OpenArea(area);
        EXPECT_TRUE(inspect.Ran());
    }
    static TQNTabSet& Tabs(TFoSummary& dialog) { return Child<TQNTabSet>(dialog, "TSSections"); }
    static QStringList TabTexts(TFoSummary& dialog) {
        QStringList texts;
        // As shown: a single "&" marks the shortcut letter, "&&" shows one.
        for (int i = 0; i < Tabs(dialog).count(); ++i)
            texts << Tabs(dialog).tabText(i).replace("&&", "\x01").remove('&').replace('\x01', '&');
        return texts;
    }
    // The screen's first caption line.
    static std::string Title(TFoSummary& dialog) {
        if (!dialog.Screen() || !dialog.Screen()->Table()) return {};
        const std::vector<std::string>& lines = dialog.Screen()->Table()->Sheet().Captions().titleLines;
        return lines.empty() ? std::string() : lines.front();
    }
    bool MarketGroupActive() const { return CvBar->IsGroupActive(Session->Industry()->MktSeries()->Name()); }
    // Clicks element Element of the bar's group of Series, as the user does.
    static void Click(const std::string& series, int element) {
        TBarGrpBtn* group = CvBar->Group(series);
        QTest::mouseClick(group->Buttons.at(static_cast<std::size_t>(element - 1)), Qt::LeftButton);
    }
    static void ChoosePeriod(int period) {
        TBarGrpBtn* periods = CvBar->Group(Session->Industry()->PerSeries()->Name());
        auto* spin = static_cast<TBarSpinBtn*>(periods->Buttons.at(0));
        spin->SetValueQuietly(period);
        CvBar->SelectionChanged(*periods, spin);
    }
};

// Five tabs captioned like the results page's past decisions; the brands
// and the R&D projects are per market, the others are not.
TEST_F(SummaryDialogTest, TheSummaryTabsAndTheMarketGroup) {
    WithDialog(TDecisionArea::Summary, [this](TFoSummary& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Summary of the decisions");
        EXPECT_EQ(TabTexts(dialog), (QStringList{"Brands", "Sales force", "R&D", "Studies", "Loans"}));
        ASSERT_NE(dialog.Screen(), nullptr);
        EXPECT_EQ(dialog.Screen()->Context().DecPeriod, 4);
        EXPECT_EQ(Title(dialog), "Brand decisions for period 4 in market M1 of zone NORTH, firm A");
        EXPECT_TRUE(MarketGroupActive());
        SaveScreenshot(dialog, "SummaryDialog_Brands");
        Tabs(dialog).setCurrentIndex(1);
        EXPECT_EQ(Title(dialog), "Sales force decisions for period 4 in zone NORTH, firm A");
        EXPECT_FALSE(MarketGroupActive());
        Tabs(dialog).setCurrentIndex(2);
        EXPECT_TRUE(MarketGroupActive());
    });
    EXPECT_TRUE(root.ui.errorBoxes.empty());
}

// The bar's period is lent to the dialog: choosing period 3 shows the
// decisions taken for it; closing brings the page back to the current period.
TEST_F(SummaryDialogTest, ThePeriodLentShowsEarlierDecisions) {
    WithDialog(TDecisionArea::Summary, [this](TFoSummary& dialog) {
        TBarGrpBtn* periods = CvBar->Group(Session->Industry()->PerSeries()->Name());
        EXPECT_EQ(periods->parentWidget(), &dialog);
        ChoosePeriod(3);
        EXPECT_EQ(page->Data.SelPeriod, 2);
        EXPECT_EQ(Title(dialog), "Brand decisions for period 3 in market M1 of zone NORTH, firm A");
        Click(Session->Industry()->MktSeries()->Name(), 2);
        EXPECT_EQ(Title(dialog), "Brand decisions for period 3 in market M2 of zone NORTH, firm A");
    });
    EXPECT_EQ(page->Data.SelPeriod, 3);
}

// The budget's tabs; the brand budget alone reads one market. Changing the
// zone rebuilds the tab shown for the new zone.
TEST_F(SummaryDialogTest, TheBudgetTabsFollowTheBar) {
    WithDialog(TDecisionArea::Budget, [this](TFoSummary& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Budget");
        EXPECT_EQ(ShownTitle(dialog).toStdString(), "Budget");
        EXPECT_EQ(TabTexts(dialog), (QStringList{"Total budget", "Budget by brand", "R&D budget"}));
        EXPECT_FALSE(MarketGroupActive());
        Tabs(dialog).setCurrentIndex(1);
        EXPECT_TRUE(MarketGroupActive());
        EXPECT_EQ(Title(dialog), "Brand budget of firm A in zone NORTH - period 4");
        SaveScreenshot(dialog, "SummaryDialog_BrandBudget");
        Tabs(dialog).setCurrentIndex(0);
        EXPECT_FALSE(MarketGroupActive());
        const TCVScreen* shown = dialog.Screen();
        Click(Session->Industry()->FtaSeries()->Name(), 2);
        EXPECT_EQ(dialog.Screen(), shown) << "the same screen, built again";
        EXPECT_EQ(shown->Context().SelFta, 2);
        EXPECT_EQ(static_cast<const TBgtScreen*>(shown)->Kind(), TBgtScreen::kTotalBudget);
        EXPECT_EQ(Title(dialog), "Budget of firm A in zone SOUTH - period 4");
    });
}

// The budget opens on a tab that reads no market, yet the market group is
// lent with the others: clicking "Budget by brand" shows it on the dialog,
// where a click on the second market rebuilds the tab for that market.
TEST_F(SummaryDialogTest, TheBrandBudgetChangesMarketOnTheDialog) {
    WithDialog(TDecisionArea::Budget, [this](TFoSummary& dialog) {
        TBarGrpBtn* markets = CvBar->Group(Session->Industry()->MktSeries()->Name());
        ASSERT_NE(markets, nullptr);
        TQNTabSet& tabs = Tabs(dialog);
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
        QTRY_COMPARE(tabs.currentIndex(), 1);
        EXPECT_EQ(markets->window(), &dialog);
        QWidget* second = markets->Buttons.at(1);
        QTRY_VERIFY(second->isVisible());
        QTest::mouseClick(second, Qt::LeftButton);
        ASSERT_NE(dialog.Screen(), nullptr);
        EXPECT_EQ(dialog.Screen()->Context().SelMarket, 2);
        SaveScreenshot(dialog, "SummaryDialog_BrandBudgetSecondMarket");
    });
}

// A brand advertising budget past 32 bits cannot be recomputed: the dialog
// says so and shows no screen, and builds it again once the figure is mended.
TEST_F(SummaryDialogTest, ABudgetThatCannotBeRecomputedIsReported) {
    TCvInd& industry = *Session->Industry();
    TDataContext context = page->Data;
    context.SelFta = 1;
    context.SelMarket = 1;
    TSimArr* mix = industry.PerDecisions(industry.DecPeriod()).FindSimArr(kCategoryFirmFtaMarket, context, "DecBrdCV3");
    ASSERT_NE(mix, nullptr);
    const double kept = mix->GetReal48({1, si::AdvertBgt});
    mix->SetReal48({1, si::AdvertBgt}, 3e9);
    WithDialog(TDecisionArea::Budget, [&](TFoSummary& dialog) {
        EXPECT_EQ(dialog.Screen(), nullptr);
        ASSERT_EQ(root.ui.errorBoxes.size(), 1u);
        EXPECT_EQ(Tabs(dialog).count(), 3);
        mix->SetReal48({1, si::AdvertBgt}, kept);
        Click(industry.FtaSeries()->Name(), 2);
        EXPECT_NE(dialog.Screen(), nullptr);
    });
}

// On a 640-pixel screen the dialog is 640 wide, less what the window
// manager's frame takes, with a 620-pixel tab set and bevel.
TEST_F(SummaryDialogTest, SmallScreenSizes) {
    WithDialog(TDecisionArea::Budget, [](TFoSummary& dialog) {
        const bool small = ScreenSize().width() <= 640;
        EXPECT_EQ(dialog.width(), small ? std::min(640, RoomOnScreen(dialog).width()) : 780);
        EXPECT_EQ(Tabs(dialog).width(), small ? 620 : 770);
        EXPECT_EQ(Child<QFrame>(dialog, "Bevel").width(), small ? 620 : 770);
        // Every tab shows whole above the frame.
        for (int tab = 0; tab < Tabs(dialog).count(); ++tab)
            EXPECT_LE(Tabs(dialog).tabRect(tab).bottom(), Tabs(dialog).height() - 1) << tab;
        EXPECT_GT(Child<QFrame>(dialog, "Bevel").y(), Tabs(dialog).geometry().bottom());
        const QPushButton& ok = Child<QPushButton>(dialog, "BBOK");
        EXPECT_NEAR(ok.x() + ok.width() / 2.0, dialog.width() / 2.0, 1);
        SaveScreenshot(dialog, "SummaryDialog_Budget");
    });
}

// The loans tab reads amounts of money with thousands separators: a loan of
// 1,000,000 stands as 1,000 thousands, a budget increase of 12,500,000 as 12,500.
TEST_F(SummaryDialogTest, SmallScreenLoanAmountsHaveThousandsSeparators) {
    TCvInd& industry = *Session->Industry();
    TSimArr* loan = industry.PerDecisions(industry.DecPeriod()).FindSimArr(kCategoryFirm, page->Data, "LoanVal");
    ASSERT_NE(loan, nullptr);
    loan->SetReal48({si::LoanCap}, 1000000);
    loan->SetReal48({si::BgtChg}, 12500000);
    WithDialog(TDecisionArea::Summary, [](TFoSummary& dialog) {
        Tabs(dialog).setCurrentIndex(4);
        ASSERT_NE(dialog.Screen(), nullptr);
        const TQNTable& table = *dialog.Screen()->Table();
        const TSheetModel& model = table.Sheet().Model();
        const std::string separator(1, ThousandsSeparator());
        const int h = table.OriginRow();
        EXPECT_EQ(model.Text(h + 2, 5), "12" + separator + "500");
        EXPECT_EQ(model.Text(h + 5, 5), "1" + separator + "000");
        SaveScreenshotOfRunningTest(dialog);
    });
}

// Each budget tab shows its table whole in the frame, every market's column
// in view, drawn smaller where it needs: no scroll bar hides a column or a row.
TEST_F(SummaryDialogTest, SmallScreenBudgetTablesShowWhole) {
    WithDialog(TDecisionArea::Budget, [](TFoSummary& dialog) {
        for (int tab = 0; tab < Tabs(dialog).count(); ++tab) {
            Tabs(dialog).setCurrentIndex(tab);
            ASSERT_NE(dialog.Screen(), nullptr);
            const TQNTable& table = *dialog.Screen()->Table();
            const TTableGeometry& g = table.Sheet().Geometry();
            EXPECT_EQ(g.visibleBodyCols, g.bodyCols) << tab;
            EXPECT_EQ(g.visibleBodyRows, g.bodyRows) << tab;
            EXPECT_TRUE(!table.HorizontalBar() || table.HorizontalBar()->isHidden()) << tab;
            EXPECT_TRUE(!table.VerticalBar() || table.VerticalBar()->isHidden()) << tab;
            EXPECT_LE(table.RightEdge(), Child<QWidget>(dialog, "paScreen").width()) << tab;
            if (tab == 0) SaveScreenshotOfRunningTest(dialog);
        }
    });
}

// Each budget tab's title starts at the top of the frame's area, with no
// empty band above it; on the total and brand budgets the units and the
// firm's Total column, heading and figures, read right-aligned like the
// markets' and brands' figures beside them.
TEST_F(SummaryDialogTest, SmallScreenBudgetTitlesAtTheTopAndTotalsRightAligned) {
    struct TBudgetTab {
        int tab;
        bool totalColumn;
        const char* shot;
    };
    WithDialog(TDecisionArea::Budget, [](TFoSummary& dialog) {
        const QWidget& area = Child<QWidget>(dialog, "paScreen");
        for (const TBudgetTab& c : {TBudgetTab{0, true, "SummaryDialog_TotalBudgetAtTheTop"},
                                    TBudgetTab{1, true, "SummaryDialog_BrandBudgetAtTheTop"},
                                    TBudgetTab{2, false, "SummaryDialog_RnDBudgetAtTheTop"}}) {
            Tabs(dialog).setCurrentIndex(c.tab);
            ASSERT_NE(dialog.Screen(), nullptr) << c.tab;
            const TQNTable& table = *dialog.Screen()->Table();
            ASSERT_NE(table.TitleLabel(), nullptr) << c.tab;
            EXPECT_EQ(table.TitleLabel()->parentWidget(), &area) << c.tab;
            EXPECT_EQ(table.TitleLabel()->y(), 0) << c.tab;
            SaveScreenshot(dialog, c.shot);
            if (!c.totalColumn) continue;
            const TSheetModel& model = table.Sheet().Model();
            const int h = table.OriginRow();
            EXPECT_EQ(model.Text(h, 5), "Total") << c.tab;
            for (int row : {0, 1, 2, 7})
                for (int column : {4, 5})
                    EXPECT_EQ(model.Format(h + row, column).horizontal, kAlignRight)
                        << c.tab << " row " << row << " column " << column;
        }
    });
}

// The R&D budget's cost column of each market, heading, projects and total,
// reads right-aligned like the figures of the other budgets; the projects'
// names beside it keep their place.
TEST_F(SummaryDialogTest, SmallScreenRnDBudgetFiguresRightAligned) {
    const int markets = Session->Industry()->NbMarkets();
    WithDialog(TDecisionArea::Budget, [markets](TFoSummary& dialog) {
        Tabs(dialog).setCurrentIndex(2);
        ASSERT_NE(dialog.Screen(), nullptr);
        const TQNTable& table = *dialog.Screen()->Table();
        const TSheetModel& model = table.Sheet().Model();
        const int h = table.OriginRow();
        ASSERT_GE(markets, 1);
        EXPECT_EQ(model.Text(h + 1, 2), "Budget (K$)");
        EXPECT_FALSE(model.Text(h + 2, 2).empty()) << "the first market's first project";
        for (int market = 1; market <= markets; ++market) {
            const int names = 2 * market - 1, costs = names + 1;
            for (int row = h + 1; row <= h + 7; ++row) {
                EXPECT_EQ(model.Format(row, costs).horizontal, kAlignRight) << "market " << market << " row " << row;
                if (row > h + 1) {
                    EXPECT_EQ(model.Format(row, names).horizontal, kAlignCentre)
                        << "market " << market << " row " << row;
                }
            }
        }
        SaveScreenshotOfRunningTest(dialog);
    });
}

// The summary and the budget fit the screen with the window manager's frame,
// OK and the tabs in view.
TEST_F(SummaryDialogTest, SmallScreenSummaryAndBudgetFitTheScreen) {
    for (TDecisionArea area : {TDecisionArea::Summary, TDecisionArea::Budget}) {
        WithDialog(area, [area](TFoSummary& dialog) {
            ExpectFitsTheScreen(dialog, {"BBOK", "TSSections", "Bevel"});
            SaveScreenScreenshot(area == TDecisionArea::Budget ? "SummaryDialog_BudgetOnScreen"
                                                               : "SummaryDialog_SummaryOnScreen");
        });
    }
}

}  // namespace
}  // namespace cv::test
