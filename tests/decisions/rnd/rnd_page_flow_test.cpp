// The R&D dialog opened by the decisions page's button: the lent market
// selector, a cost estimate bought and applied, abandoning with confirmation.
#include <QLabel>

#include "core/session/industry.h"
#include "core/store/industry_file.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "shell/selector/cv_bar.h"
#include "tests/decisions/rnd/rnd_dialog_fixture.h"
#include "ui/help_state.h"

namespace cv::test {
namespace {

class RnDPageFlowTest : public RnDDialogTest {
protected:
    // Opens the dialog with the page's R&D button and runs Inspect on it.
    void OnDialog(const std::function<void()>& inspect) {
        WhenModalShown shown([this, &inspect](QWidget& dialog) {
            rnd = &static_cast<TFoDecRnD&>(dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(rnd));
            inspect();
        });
        QTest::mouseClick(&Child<QPushButton>(*page, "BBRnD"), Qt::LeftButton);
        EXPECT_TRUE(shown.Ran());
        rnd = nullptr;
    }
    TBarGrpBtn& Markets() { return *CvBar->Group(Session->Industry()->MktSeries()->Name()); }
    int QueriesMade() {
        TCvInd& industry = *Session->Industry();
        return industry.PerDecisions(industry.DecPeriod()).GetSmallint(kCategoryFirm, page->Data, "NbQueriesMade");
    }
};

// An empty characteristic refuses the move to M2: the bar shows M1 again and
// the dialog keeps it; completed, the project is stored and M2 is shown.
TEST_F(RnDPageFlowTest, MarketChangeWaitsForACompleteProject) {
    OnDialog([this] {
        EXPECT_EQ(HelpState().HelpContext, 50);
        EXPECT_EQ(Markets().parentWidget(), rnd);
        Type(Field("EPhysChar3"), QString());
        root.ui.messageBoxes.clear();
        CvBar->SelectionChanged(Markets(), Markets().Buttons.at(1));
        ASSERT_EQ(BoxKeys(root.ui), std::vector<std::string>{"DevDecs"});
        EXPECT_EQ(root.ui.messageBoxes[0].lines, std::vector<int>{3});
        EXPECT_EQ(page->Data.SelMarket, 1);
        EXPECT_EQ(Markets().DownFlags[0], 1) << "the bar is put back on M1";
        EXPECT_EQ(Markets().DownFlags[1], 0);
        EXPECT_EQ(TabTexts(), "PAXIS PAVIA");

        Type(Field("EPhysChar3"), "9");
        CvBar->SelectionChanged(Markets(), Markets().Buttons.at(1));
        EXPECT_EQ(page->Data.SelMarket, 2);
        EXPECT_EQ(rnd->Context.SelMarket, 2);
        EXPECT_EQ(Projects("PrjTecs").GetReal48({1, 3}), 9) << "PAXIS stored for M1";
        EXPECT_EQ(TabTexts(), "No project");
        SaveScreenshot(*rnd, "RnDPageFlowTest_NoProjectInThreeDimensions");
        NewProject("GRP");
        TypeCharacteristics({12, 150, 7});
        SaveScreenshot(*rnd, "RnDPageFlowTest_ThreeDimensions");
        rnd->OkClick();
    });
    EXPECT_EQ(StoredName(1, 2), "PMGRP");
    EXPECT_EQ(Projects("PrjTecs", 2).GetReal48({1, 2}), 150);
    // The page saved the decision sets when the dialog closed: the file holds the project.
    TCvInd saved;
    saved.Open(std::string(kIndustrySignature), Session->IndFullPath());
    saved.InitSeries();
    TDataContext cell = page->Data;
    cell.SelMarket = 2;
    EXPECT_EQ(saved.PerDecisions(saved.DecPeriod()).GetSmallint(kCategoryFirmMarket, cell, "NbPrjs"), 1);
    saved.Close();
}

// Team A has bought one of its two estimates: this one is the last. Applied,
// the answer becomes the project's budget and requested unit cost; the next
// estimate only shows the counter at its maximum.
TEST_F(RnDPageFlowTest, EstimateBoughtAndApplied) {
    OnDialog([this] {
        SaveScreenshot(*rnd, "RnDPageFlowTest_FiveDimensions");
        ClickWithSubDialog(Button("BBEstimUC"), [this](QWidget& query) {
            EXPECT_EQ(HelpState().HelpContext, 39);
            EXPECT_EQ(Child<TQNEdit>(query, "QNENbMaxQueries").text(), "2");
            EXPECT_EQ(Child<TQNEdit>(query, "QNENbQueries").text(), "1");
            auto& ask = Child<QPushButton>(query, "BBQuery");
            auto& apply = Child<QPushButton>(query, "BBApplyQuery");
            EXPECT_TRUE(ask.isEnabled());
            EXPECT_FALSE(apply.isEnabled());
            EXPECT_TRUE(Child<QLabel>(query, "EMinMUC2").text().isEmpty());
            QTest::mouseClick(&ask, Qt::LeftButton);
            EXPECT_EQ(root.ui.messageBoxes.back().key, "QueryConfirm");
            EXPECT_EQ(root.ui.messageBoxes.back().type, TMsgDlgType::mtConfirmation);
            EXPECT_EQ(Child<TQNEdit>(query, "QNENbQueries").text(), "2");
            EXPECT_FALSE(Child<QLabel>(query, "EMinMUC2").text().isEmpty());
            EXPECT_FALSE(ask.isEnabled());
            SaveScreenshot(query, "RnDPageFlowTest_QueryAnswered");
            QTest::mouseClick(&apply, Qt::LeftButton);
        });
        EXPECT_EQ(QueriesMade(), 2);
        // The answer, as stored by the estimate: minimum unit cost and budget still required.
        const double minimum = StoredFinance(1, si::ProMinUCRQ);
        const double budget = StoredFinance(1, si::ProReqBgtRQ);
        EXPECT_GE(budget, 100000);
        EXPECT_EQ(StoredFinance(1, si::ProMinUC), 0) << "the project's own minimum is kept";
        EXPECT_EQ(StoredFinance(1, si::ProAllBgt), budget);
        EXPECT_EQ(StoredFinance(1, si::ProReqUC), std::max(423.0, minimum));
        EXPECT_EQ(Field("EAllocBud").RealValue(), budget);
        EXPECT_EQ(Field("EReqMUC").IntValue(), std::max(423.0, minimum));

        ClickWithSubDialog(Button("BBEstimUC"), [](QWidget& query) {
            EXPECT_EQ(Child<TQNEdit>(query, "QNENbQueries").text(), "2");
            EXPECT_FALSE(Child<QPushButton>(query, "BBQuery").isEnabled());
            EXPECT_FALSE(Child<QPushButton>(query, "BBApplyQuery").isEnabled());
            QTest::mouseClick(&Child<QPushButton>(query, "BBClose"), Qt::LeftButton);
        });
        EXPECT_EQ(QueriesMade(), 2);
        rnd->OkClick();
    });
    EXPECT_EQ(StoredFinance(1, si::ProAllBgt), StoredFinance(1, si::ProReqBgtRQ));
}

TEST_F(RnDPageFlowTest, NewProjectEstimatedAndAbandoned) {
    OnDialog([this] {
        NewProject("NEW");
        TypeCharacteristics({30, 30, 5, 70, 50});
        ClickWithSubDialog(Button("BBEstimUC"), [](QWidget& query) {
            QTest::mouseClick(&Child<QPushButton>(query, "BBQuery"), Qt::LeftButton);
            QTest::mouseClick(&Child<QPushButton>(query, "BBApplyQuery"), Qt::LeftButton);
        });
        EXPECT_EQ(StoredName(3), "PMNEW");
        EXPECT_EQ(StoredFinance(3, si::ProAllBgt), StoredFinance(3, si::ProReqBgtRQ));
        EXPECT_FALSE(Box("ChBMUC").isChecked()) << "the answer's unit cost is the minimum found, typed in";
        EXPECT_EQ(Field("EReqMUC").IntValue(), StoredFinance(3, si::ProMinUCRQ));

        QTest::mouseClick(&Button("BBAbandonProj"), Qt::LeftButton);
        EXPECT_EQ(root.ui.messageBoxes.back().key, "Do you really want to abandon project PMNEW?");
        EXPECT_EQ(root.ui.messageBoxes.back().type, TMsgDlgType::mtConfirmation);
        EXPECT_EQ(TabTexts(), "PAXIS PAVIA");
        rnd->CancelClick();
    });
    EXPECT_EQ(StoredProjectCount(), 2);
    EXPECT_EQ(StoredName(2), "PAVIA");
}

// On either screen the whole dialog, its buttons included, is on the screen.
TEST_F(RnDPageFlowTest, SmallScreenShowsTheWholeDialog) {
    OnDialog([this] {
        const QRect screen = QRect(QPoint(0, 0), ScreenSize());
        EXPECT_LE(rnd->width(), screen.width());
        EXPECT_LE(rnd->height(), screen.height());
        for (const char* button : {"BBOk", "BBCancel", "BBNewProj"}) {
            const QWidget& shown = Button(button);
            EXPECT_TRUE(screen.contains(QRect(shown.mapToGlobal(QPoint(0, 0)), shown.size()))) << button;
        }
        SaveScreenScreenshot("RnDPageFlowTest_SmallScreenShowsTheWholeDialog_screen");
        rnd->CancelClick();
    });
}

}  // namespace
}  // namespace cv::test
