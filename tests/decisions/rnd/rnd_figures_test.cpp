// The figures the R&D dialog derives for a project: the lowest unit cost a
// continued prototype may ask for, the budget the estimate asks for, and the
// feasibility study that stands for the minimum budget.
#include <cmath>

#include "core/store/series_index.h"
#include "model/rnd/mod_rnd.h"
#include "tests/decisions/rnd/rnd_dialog_fixture.h"

namespace cv::test {
namespace {

// PAGIL, continued in M2, cannot ask for a unit cost below the minimum it has
// reached: neither when it is taken up nor when it is shown again.
TEST_F(RnDDialogTest, ContinuedPrototypeAsksNoLessThanItsMinimumUnitCost) {
    Open(2);
    ClickWithSubDialog(Button("BBReIntroProj"), [](QWidget& reintroduce) {
        QTest::mouseClick(&Child<QPushButton>(reintroduce, "BBOk"), Qt::LeftButton);
    });
    ASSERT_EQ(TabTexts(), "PAGIL");
    const TModRnD& model = rnd->RnDModel();
    const int row = model.PrototypeIndex("PAGIL");
    ASSERT_GT(row, 0);
    const auto reached = static_cast<double>(model.ProFins->GetReal48({row, si::ProMinUC}));
    const int minimum = static_cast<int>(std::lround(reached));
    ASSERT_GT(minimum, model.MinRUC) << "the bound must differ from a new project's";
    for (const char* shown : {"taken up", "shown again"}) {
        root.ui.plainBoxes.clear();
        Type(Field("EReqMUC"), QString::number(minimum - 1));
        QTest::mouseClick(&Button("BBOk"), Qt::LeftButton);
        EXPECT_TRUE(rnd->isVisible()) << shown;
        EXPECT_FALSE(root.ui.plainBoxes.empty()) << shown << ": the range message";
        EXPECT_EQ(Field("EReqMUC").MinValue, minimum) << shown;
        Type(Field("EReqMUC"), QString::number(minimum));
        QTest::mouseClick(&Button("BBOk"), Qt::LeftButton);
        EXPECT_FALSE(rnd->isVisible()) << shown;
        EXPECT_EQ(StoredFinance(1, si::ProReqUC, 2), minimum) << shown;
        Open(2);
        ASSERT_EQ(TabTexts(), "PAGIL");
    }
}

// The estimate asks for what PAXIS still needs beyond what it has spent, and
// never for less than the minimum R&D budget. The model's own figure does not
// depend on the spending: spending 20,000 more asks 20,000 less.
TEST_F(RnDDialogTest, EstimatedBudgetIsWhatRemainsButAtLeastTheMinimum) {
    const auto estimate = [this](double spent) {
        Projects("PrjFins").SetReal48({1, si::ProCumBgt}, spent);
        Open(1);
        ClickWithSubDialog(Button("BBEstimUC"), [](QWidget& query) {
            QTest::mouseClick(&Child<QPushButton>(query, "BBClose"), Qt::LeftButton);
        });
        return StoredFinance(1, si::ProReqBgtRQ);
    };
    const double unspent = estimate(0);
    const double minimum = rnd->RnDModel().MinRnDBgt;
    ASSERT_GT(unspent, minimum + 20000) << "room to spend without reaching the minimum";
    EXPECT_EQ(estimate(20000), unspent - 20000);
    EXPECT_EQ(estimate(unspent - minimum), minimum);
    EXPECT_EQ(estimate(unspent), minimum) << "nothing left to spend still asks the minimum";
}

// The feasibility study is ticked, and the budget locked, exactly when the
// budget shown is the minimum R&D budget (100,000); a stored budget below it
// shows as the minimum.
TEST_F(RnDDialogTest, FeasibilityStudyIsTickedAtTheMinimumBudget) {
    const struct {
        double allocated;
        double shown;
        bool ticked;
    } cases[] = {{100000, 100000, true}, {0, 100000, true},         {40000, 100000, true},
                 {100001, 100001, false}, {250000, 250000, false}};
    for (const auto& [allocated, shown, ticked] : cases) {
        Projects("PrjFins").SetReal48({1, si::ProAllBgt}, allocated);
        Open(1);
        EXPECT_EQ(Box("ChBFeasStu").isChecked(), ticked) << allocated;
        EXPECT_EQ(Field("EAllocBud").isEnabled(), !ticked) << allocated;
        EXPECT_EQ(Field("EAllocBud").RealValue(), shown) << allocated;
    }
    SaveScreenshotOfRunningTest(*rnd);
}

}  // namespace
}  // namespace cv::test
