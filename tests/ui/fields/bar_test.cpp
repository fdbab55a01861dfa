#include "ui/fields/bar.h"

#include <QTest>
#include <gtest/gtest.h>

#include "core/store/series.h"
#include "tests/support/recording_ui.h"
#include "tests/ui/support/window_test.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv {
namespace {

class RecordingBar : public TBar {
public:
    using TBar::TBar;
    void SelectionChanged(TBarGrpBtn& group, QWidget* sender) override {
        heard.emplace_back(group.objectName().toStdString(), sender->objectName().toStdString());
    }
    std::vector<std::pair<std::string, std::string>> heard;
};

class BarTest : public ::testing::Test {
protected:
    BarTest() {
        window.resize(400, 60);
        bar = new RecordingBar(&window);
        bar->AddGroup(1, periods, {0});
        bar->AddGroup(0, zones, {14, 7, 13});
        bar->AddGroup(0, firms, {1, 2, 10, 5});
        window.show();
    }

    QToolButton* Button(const char* name) { return bar->findChild<QToolButton*>(name); }
    TBarSpinBtn* Spin() { return bar->findChild<TBarSpinBtn*>("SpinBtn0"); }

    TSeries periods{1, "Per", 0, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}};
    TSeries zones{2, "Fta", 1, {"North", "South", "West"}};
    TSeries firms{3, "Fir", 1, {"A", "E", "I", "O"}};
    QWidget window;
    RecordingBar* bar;
};

TEST_F(BarTest, GroupsLieSideBySideWithTheirButtons) {
    // Period spin 36 wide at 4; zones 3 x 23 = 69 at 4 + 36 + 8 = 48; firms 92 at 48 + 69 + 8 = 125.
    EXPECT_EQ(bar->Group("Per")->geometry(), QRect(4, 0, 36, 23));
    EXPECT_EQ(bar->Group("Fta")->geometry(), QRect(48, 0, 69, 23));
    EXPECT_EQ(bar->Group("Fir")->geometry(), QRect(125, 0, 92, 23));
    EXPECT_EQ(bar->width(), 217);
    EXPECT_EQ(Button("SpeedBtnSouth")->text(), "S");
    EXPECT_EQ(Button("SpeedBtnSouth")->toolTip(), "South");
    // Firm 3 takes colour 10, maroon: colour B 0x000080.
    EXPECT_EQ(Button("SpeedBtnI")->palette().color(QPalette::ButtonText), QColor(0x80, 0, 0));
    EXPECT_EQ(bar->GroupWidth("Mkt"), 0);
    EXPECT_EQ(bar->ArrangeGroups({"Per", "Mkt", "Fir"}), 36 + 8 + 92);
}

struct TCaptionCase {
    std::vector<std::string> labels;
    std::vector<std::string> captions;
};

class ButtonCaptionsTest : public ::testing::TestWithParam<TCaptionCase> {};

TEST_P(ButtonCaptionsTest, EachButtonReadsDifferentlyFromTheOthersOfItsGroup) {
    EXPECT_EQ(ButtonCaptions(GetParam().labels), GetParam().captions);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, ButtonCaptionsTest,
    ::testing::Values(TCaptionCase{{"A", "E", "I", "O"}, {"A", "E", "I", "O"}},
                      TCaptionCase{{"North", "South"}, {"N", "S"}},
                      TCaptionCase{{"M1", "M2", "M3"}, {"M1", "M2", "M3"}},
                      TCaptionCase{{"North", "Norway", "South"}, {"N1", "N2", "S"}},  // "Nort" would be needed
                      TCaptionCase{{"Sonites", "Vodites"}, {"S", "V"}},
                      TCaptionCase{{"Market", "market B"}, {"M1", "m2"}},  // letter case does not tell apart
                      TCaptionCase{{"Solo"}, {"S"}}));

TEST_F(BarTest, TwoDigitsTypedQuicklyAreReportedOnceWhenTheFieldSettles) {
    bar->SetGroupMode("Per", bgmSingle);
    bar->SetGroupSpinRange("Per", 1, 0, 12);
    Spin()->clear();
    QTest::keyClicks(Spin(), "12");
    EXPECT_TRUE(bar->heard.empty());
    QTRY_COMPARE_WITH_TIMEOUT(bar->heard.size(), 1u, 3000);
    QTest::qWait(TBarSpinBtn::kSettleMs + 200);
    EXPECT_EQ(bar->heard.size(), 1u);
    EXPECT_EQ(bar->heard[0], std::make_pair(std::string("Per"), std::string("SpinBtn0")));
    EXPECT_EQ(bar->Group("Per")->Values[0], 12);
}

TEST_F(BarTest, SettingAGroupsStateNotifiesNothing) {
    TSelectorState state;
    state.Mode = bgmSingle;
    state.Values[0] = 7;
    state.Enabled[0] = 1;
    bar->SetGroupState("Per", state);
    bar->SetGroupButton("Per", 1, 5);
    state.Down[1] = 1;
    state.Enabled[1] = 1;
    bar->SetGroupState("Fir", state);
    QTest::qWait(TBarSpinBtn::kSettleMs + 200);
    EXPECT_TRUE(bar->heard.empty());
    EXPECT_EQ(Spin()->text(), "5");
    EXPECT_TRUE(Button("SpeedBtnE")->isChecked());
    EXPECT_FALSE(Button("SpeedBtnI")->isEnabled());  // its enabled flag is clear
}

TEST_F(BarTest, SingleChoiceKeepsOneButtonDownMultipleChoiceAnyNumber) {
    bar->SetGroupMode("Fir", bgmSingle);
    Button("SpeedBtnE")->click();
    Button("SpeedBtnE")->click();
    EXPECT_TRUE(Button("SpeedBtnE")->isChecked());
    Button("SpeedBtnI")->click();
    EXPECT_FALSE(Button("SpeedBtnE")->isChecked());
    EXPECT_EQ(bar->heard.size(), 3u);
    bar->SetGroupMode("Fir", bgmMultiple);
    Button("SpeedBtnA")->click();
    EXPECT_TRUE(Button("SpeedBtnI")->isChecked());
    EXPECT_TRUE(Button("SpeedBtnA")->isChecked());
    Button("SpeedBtnA")->click();
    Button("SpeedBtnI")->click();
    const std::uint8_t allUp[4] = {0, 0, 0, 0};
    EXPECT_TRUE(std::equal(allUp, allUp + 4, bar->Group("Fir")->DownFlags));
    test::SaveScreenshot(window, "BarTest_MultipleChoice");
}

TEST_F(BarTest, LentGroupsSitSideBySideSkippingAnInactiveOneAndComeBack) {
    test::RecordingUi ui;
    bar->SetGroupMode("Per", bgmSingle);
    bar->SetGroupMode("Fta", bgmHidden);
    bar->SetGroupMode("Fir", bgmSingle);
    QWidget dialog;
    bar->LendGroups({"Per", "Fta", "Fir"}, {false, false, false}, &dialog, 10, 5);
    // The firms come 8 pixels after the period's 36: 10 + 36 + 8 = 54.
    EXPECT_EQ(bar->Group("Per")->parentWidget(), &dialog);
    EXPECT_EQ(bar->Group("Per")->pos(), QPoint(10, 5));
    EXPECT_EQ(bar->Group("Fir")->pos(), QPoint(54, 5));
    EXPECT_EQ(bar->Group("Fta")->parentWidget(), bar);
    // Forced, the inactive group takes its place.
    bar->LendGroups({"Per", "Fta", "Fir"}, {false, true, false}, &dialog, 10, 5);
    EXPECT_EQ(bar->Group("Fta")->pos(), QPoint(54, 5));
    EXPECT_EQ(bar->Group("Fir")->pos(), QPoint(131, 5));
    bar->RestoreGroups();
    EXPECT_EQ(bar->Group("Fir")->parentWidget(), bar);
    EXPECT_EQ(bar->Group("Fir")->pos(), QPoint(125, 0));
    // A button type other than 0 and 1 adds an empty group and says so.
    EXPECT_TRUE(bar->AddGroup(3, zones, {})->Buttons.empty());
    EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"TBarGrpBtn.Create : Bad button type 3"});
}

}  // namespace
}  // namespace cv
