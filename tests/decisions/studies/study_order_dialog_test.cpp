// The study-order dialog in the started program, on the sample: one zone
// study (the benchmark) and eleven market studies, each offered in M1, M2 and
// M3; the North's money has exchange rate 1, the South's 1.6.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "core/session/fta_budget.h"
#include "core/store/series_index.h"
#include "decisions/studies/study_order_dialog.h"
#include "shell/selector/cv_bar.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "tests/support/stored_form.h"
#include "ui/fields/qn_edit.h"
#include "ui/help_state.h"

namespace cv::test {
namespace {

using sample::TSampleDecisions;
using sample::TSampleRestrictions;

// Listed prices of the sample: the benchmark, the consumer survey and panel.
constexpr double kBenchmarkPrice = 40000;
constexpr double kSurveyPrice = 50000;
constexpr double kPanelPrice = 60000;

class StudyOrderDialogTest : public DecisionPageTest {
protected:
    void WithDialog(const std::function<void(TFoStudies&)>& inspect, const std::string& shot = {}) {
        WhenModalShown shown(
            [&inspect](QWidget& window) {
                auto* dialog = dynamic_cast<TFoStudies*>(&window);
                ASSERT_NE(dialog, nullptr);
                inspect(*dialog);
            },
            shot);
        page->OpenArea(TDecisionArea::Studies);
        EXPECT_TRUE(shown.Ran());
    }
    TCvInd& Industry() { return *Session->Industry(); }
    TCvPerData& NewDecs() { return Industry().PerDecisions(Industry().DecPeriod()); }
    TDataContext Zone(int fta, int market = 0) const {
        TDataContext context = page->Data;
        context.SelFta = static_cast<std::int16_t>(fta);
        context.SelMarket = static_cast<std::int16_t>(market);
        return context;
    }
    TSimArr& FtaOrders(int fta) { return *NewDecs().FindSimArr(kCategoryFirmFta, Zone(fta), "DecStuFta"); }
    TSimArr& MktOrders(int fta, int market) {
        return *NewDecs().FindSimArr(kCategoryFirmFtaMarket, Zone(fta, market), "DecStuMkt");
    }
    int Status(int fta) { return NewDecs().GetSmallintDef(kCategoryFirmFta, Zone(fta), "StudiesDecStatus", -1); }
    std::vector<std::vector<std::uint8_t>> StoredOrders(int fta) {
        return {StoredForm(FtaOrders(fta)), StoredForm(MktOrders(fta, 1)), StoredForm(MktOrders(fta, 2)),
                StoredForm(MktOrders(fta, 3)), {static_cast<std::uint8_t>(Status(fta))}};
    }
    // A listed price in the money of the decision period: raised by the
    // zone's cumulated inflation of salaries, the period's own included.
    double Inflated(double price, int fta) {
        return static_cast<double>(Industry().CumInflation(Industry().DecPeriod(), fta, true, price, si::Salaries));
    }
    static int Row(TFoStudies& dialog, bool fta, int study) { return dialog.RowOf(fta, study); }
};

TEST_F(StudyOrderDialogTest, ARowPerStudyAndABoxPerMarket) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::Several});
    WithDialog(
        [this](TFoStudies& dialog) {
            EXPECT_EQ(dialog.objectName(), "FoStudies");
            EXPECT_EQ(HelpState().HelpContext, 38);
            // The benchmark and ten market studies: the sales-force experiment is hidden.
            EXPECT_EQ(dialog.RowCount(), 11);
            EXPECT_EQ(Row(dialog, true, si::StuFta->Lo()), 1);
            EXPECT_EQ(Row(dialog, false, si::ExperimentSlf), 0);
            EXPECT_EQ(dialog.OrderBox(1, 1)->text(), "North");
            EXPECT_EQ(dialog.OrderBox(1, 2), nullptr);
            const int survey = Row(dialog, false, si::ConsumerSurvey);
            EXPECT_EQ(dialog.OrderBox(survey, 3)->text(), "M3");
            // The zone group is lent; the market group is not offered.
            EXPECT_EQ(CvBar->Group(Industry().FtaSeries()->Name())->parentWidget(), &dialog);
            EXPECT_FALSE(CvBar->IsGroupActive(Industry().MktSeries()->Name()));
            // The conjoint study is disabled: its boxes stay as they are.
            const int conjoint = Row(dialog, false, si::Conjoint);
            EXPECT_FALSE(dialog.OrderBox(conjoint, 1)->isEnabled());
            const bool conjointOrdered = dialog.OrderBox(conjoint, 1)->isChecked();
            QTest::mouseClick(&Child<QPushButton>(dialog, "BBOrderAll"), Qt::LeftButton);
            EXPECT_TRUE(dialog.OrderBox(survey, 2)->isChecked());
            EXPECT_EQ(dialog.OrderBox(conjoint, 1)->isChecked(), conjointOrdered);
            // Three markets of the survey at 50,000 each, inflated; shown in thousands.
            EXPECT_NEAR(dialog.CostField(survey)->RealValue(), 3 * Inflated(kSurveyPrice, 1), 1e-6);
            EXPECT_TRUE(Child<QGroupBox>(dialog, "GBStudyCost").title().contains("K$"));
            SaveScreenshot(dialog, "StudyOrders");
            QTest::mouseClick(&Child<QPushButton>(dialog, "BBNoStudies"), Qt::LeftButton);
            EXPECT_FALSE(dialog.OrderBox(survey, 2)->isChecked());
            EXPECT_EQ(Child<TQNEdit>(dialog, "QNETotalCost").RealValue(), 0);
            dialog.CancelClick();
        },
        "StudyOrders_Opened");
}

TEST_F(StudyOrderDialogTest, OkWritesTheOrdersAndTheStatus) {
    ShowPage({TSampleDecisions::Fresh, TSampleRestrictions::None});
    const int southStatus = Status(2);
    const auto south = StoredOrders(2);
    WithDialog([this](TFoStudies& dialog) {
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBNoStudies"), Qt::LeftButton);
        const int survey = Row(dialog, false, si::ConsumerSurvey);
        for (QCheckBox* box : {dialog.OrderBox(1, 1), dialog.OrderBox(survey, 1), dialog.OrderBox(survey, 3)})
            QTest::mouseClick(box, Qt::LeftButton);
        // The benchmark and the survey in two markets.
        EXPECT_NEAR(Child<TQNEdit>(dialog, "QNETotalCost").RealValue(),
                    Inflated(kBenchmarkPrice, 1) + 2 * Inflated(kSurveyPrice, 1), 1e-6);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBOk"), Qt::LeftButton);
    });
    EXPECT_EQ(FtaOrders(1).GetByte({si::StuFta->Lo()}), 1);
    for (int study = si::StuMkt->Lo(); study <= si::StuMkt->Hi(); ++study) {
        const bool survey = study == si::ConsumerSurvey;
        EXPECT_EQ(MktOrders(1, 1).GetByte({study}), survey ? 1 : 0) << study;
        EXPECT_EQ(MktOrders(1, 2).GetByte({study}), 0) << study;
        EXPECT_EQ(MktOrders(1, 3).GetByte({study}), survey ? 1 : 0) << study;
    }
    EXPECT_EQ(Status(1), 1);
    EXPECT_EQ(Status(2), southStatus);
    EXPECT_EQ(StoredOrders(2), south);
}

TEST_F(StudyOrderDialogTest, AStudyOfferedInTwoMarketsShowsTwoBoxes) {
    ShowPage({TSampleDecisions::Fresh, TSampleRestrictions::None});
    Industry().ConstPart().FindSimArr(kCategoryFtaMarket, Zone(1, 2), "StuMktParams")->SetReal48({si::ConsumerPanel, si::IsStuAvailable}, 0);
    WithDialog([this](TFoStudies& dialog) {
        const int panel = Row(dialog, false, si::ConsumerPanel);
        ASSERT_NE(dialog.OrderBox(panel, 1), nullptr);
        EXPECT_EQ(dialog.OrderBox(panel, 2), nullptr);
        ASSERT_NE(dialog.OrderBox(panel, 3), nullptr);
        dialog.OrderBox(panel, 1)->setChecked(true);
        dialog.OrderBox(panel, 3)->setChecked(true);
        EXPECT_NEAR(dialog.CostField(panel)->RealValue(), 2 * Inflated(kPanelPrice, 1), 1e-6);
        dialog.CancelClick();
    });
}

// The dialog prices a study with the zone's inflation only; the budget
// converts it into the zone's money as well. In the South (exchange rate
// 1.6) the budget's figure is 1.6 times the dialog's.
TEST_F(StudyOrderDialogTest, TheBudgetAlsoConvertsAtTheExchangeRate) {
    ShowPage({TSampleDecisions::Fresh, TSampleRestrictions::None});
    page->Data.SelFta = 2;
    double shown = 0;
    WithDialog([&shown](TFoStudies& dialog) {
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBNoStudies"), Qt::LeftButton);
        EXPECT_EQ(dialog.OrderBox(1, 1)->text(), "South");
        dialog.OrderBox(1, 1)->setChecked(true);
        shown = dialog.CostField(1)->RealValue();
        dialog.OkClick();
    });
    EXPECT_NEAR(shown, Inflated(kBenchmarkPrice, 2), 1e-6);
    TFtaBudget& budget = *Industry().Budget();
    budget.Init(Industry(), Zone(2));
    budget.Recalculate();
    EXPECT_NEAR(budget.FtaStudyCosts[0] / shown, 1.6, 1e-9);
}

// On first opening the dialog's total is what the budget charges for the
// zone's studies, on the installed sample and under the restrictions that
// disable one study and hide another (the North's money is the reference money).
TEST_F(StudyOrderDialogTest, TheTotalOnFirstOpeningIsWhatTheBudgetCharges) {
    for (const TSampleRestrictions restrictions : {TSampleRestrictions::None, TSampleRestrictions::Several}) {
        if (Session->Industry()) Session->IndClose();
        ShowPage({TSampleDecisions::Sample, restrictions});
        double shown = 0;
        WithDialog([&shown](TFoStudies& dialog) {
            shown = Child<TQNEdit>(dialog, "QNETotalCost").RealValue();
            dialog.CancelClick();
        });
        TFtaBudget& budget = *Industry().Budget();
        budget.Init(Industry(), Zone(1));
        budget.Recalculate();
        EXPECT_GT(shown, 0);
        EXPECT_NEAR(budget.FtaStudyCosts[0] + budget.MktStudyCosts[0][0], shown, 1e-6)
            << static_cast<int>(restrictions);
    }
}

// The zone changes while the dialog is open: the boxes go to the North's
// arrays, and only the North's study decisions count as taken.
TEST_F(StudyOrderDialogTest, AZoneChangeStoresTheZoneLeft) {
    ShowPage({TSampleDecisions::Fresh, TSampleRestrictions::None});
    NewDecs().SetSmallint(kCategoryFirmFta, Zone(2), "StudiesDecStatus", 0);
    NewDecs().SetSmallint(kCategoryFirmFta, Zone(1), "StudiesDecStatus", 0);
    FtaOrders(2).SetByte({si::StuFta->Lo()}, 0);
    WithDialog([this](TFoStudies& dialog) {
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBNoStudies"), Qt::LeftButton);
        dialog.OrderBox(1, 1)->setChecked(true);
        TBarGrpBtn* zones = CvBar->Group(Industry().FtaSeries()->Name());
        CvBar->SelectionChanged(*zones, zones->Buttons.at(1));
        EXPECT_EQ(dialog.Context.SelFta, 2);
        EXPECT_EQ(FtaOrders(1).GetByte({si::StuFta->Lo()}), 1);
        EXPECT_EQ(Status(1), 1);
        EXPECT_EQ(Status(2), 0) << "the South's studies are not decided yet";
        EXPECT_EQ(dialog.OrderBox(1, 1)->text(), "South");
        EXPECT_FALSE(dialog.OrderBox(1, 1)->isChecked());
        dialog.CancelClick();
    });
    EXPECT_EQ(Status(2), 0);
    EXPECT_EQ(FtaOrders(2).GetByte({si::StuFta->Lo()}), 0);
}

TEST_F(StudyOrderDialogTest, CancelLeavesTheOrdersByteForByte) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    const auto before = StoredOrders(1);
    WithDialog([](TFoStudies& dialog) {
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBOrderAll"), Qt::LeftButton);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBCancel"), Qt::LeftButton);
    });
    EXPECT_EQ(StoredOrders(1), before);
}

TEST_F(StudyOrderDialogTest, WithEveryStudyHiddenOkStillTakesTheDecision) {
    ShowPage({TSampleDecisions::Fresh, TSampleRestrictions::None});
    const TSeries* categories = Industry().FindSeries("RestrictCateg");
    TSimArr* hidden = Industry().ConstPart().FindSimArr(kCategoryIndustry, TDataContext{}, "RestrictHidden");
    ASSERT_TRUE(categories && hidden);
    for (const char* category : {"StuFta", "StuMkt"}) hidden->SetWord({categories->IndexOf(category)}, 0xFFFF);
    NewDecs().SetSmallint(kCategoryFirmFta, Zone(1), "StudiesDecStatus", 0);
    MktOrders(1, 1).SetByte({si::ConsumerSurvey}, 1);
    WithDialog([](TFoStudies& dialog) {
        EXPECT_EQ(dialog.RowCount(), 0);
        EXPECT_TRUE(Child<QLabel>(dialog, "PNoStudies").isVisible());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBOrderAll").isEnabled());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBNoStudies").isEnabled());
        dialog.OkClick();
    });
    EXPECT_EQ(Status(1), 1);
    EXPECT_EQ(MktOrders(1, 1).GetByte({si::ConsumerSurvey}), 0);
}

// On a 640 x 480 screen the twelve study rows fit the screen.
TEST_F(StudyOrderDialogTest, SmallScreenFitsTheDialog) {
    ShowPage({TSampleDecisions::Sample, TSampleRestrictions::None});
    WithDialog([](TFoStudies& dialog) {
        EXPECT_EQ(dialog.RowCount(), 12);
        EXPECT_LE(dialog.frameGeometry().width(), ScreenSize().width());
        EXPECT_LE(dialog.frameGeometry().height(), ScreenSize().height());
        dialog.CancelClick();
    });
}

}  // namespace
}  // namespace cv::test
