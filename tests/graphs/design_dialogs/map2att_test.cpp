// The map-target dialog on the sample: a marketed brand's position found
// again, the refusals, the exact count of the gauge, and Cancel.

#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QComboBox>
#include <QtTest>
#include <gtest/gtest.h>

#include "core/store/series_index.h"
#include "graphs/design_dialogs/map2att.h"
#include "tests/graphs/design_dialogs/design_dialog_fixture.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv {
namespace {

using test::Child;

class Map2AttTest : public test::DesignDialogTest {
protected:
    void Tick(TFoMap2Att& dialog, std::initializer_list<int> characteristics) {
        for (int j : characteristics) Child<QCheckBox>(dialog, ("chkOpt" + std::to_string(j)).c_str()).click();
    }
    void Solve(TFoMap2Att& dialog) { Child<QPushButton>(dialog, "btnM2ASolve").click(); }
    std::vector<test::RecordingUi::MessageBoxCall> Boxes() {
        auto boxes = root.ui.messageBoxes;
        root.ui.messageBoxes.clear();
        return boxes;
    }
};

TEST_F(Map2AttTest, FreeingOneCharacteristicFindsTheBrandsOwnPositionAgain) {
    TFoMap2Att dialog(page, MarketContext(1));
    Child<QComboBox>(dialog, "cbM2ASelBrd").setCurrentIndex(3);
    const int power = BrandPosition(1, 4, 2, si::AttAct);
    EXPECT_EQ(Text(dialog, "EOptChar2"), std::to_string(power));
    EXPECT_EQ(Child<QComboBox>(dialog, "cbModes").currentIndex(), 1);
    // The target starts at the current position; with Power alone free the
    // grid holds every level 5..50 (a step of 1), the brand's own among them,
    // which reaches the target exactly.
    EXPECT_EQ(Text(dialog, "ETarMap1"), Text(dialog, "ECurMap1"));
    Child<TQNEdit>(dialog, "EOptChar2").SetValueInt(5);
    Tick(dialog, {2});
    EXPECT_EQ(Child<TQNEdit>(dialog, "EOptChar2").palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(Child<TQNEdit>(dialog, "EOptChar1").palette().color(QPalette::Text), QColor(0, 0, 255));
    Solve(dialog);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Text(dialog, "EOptChar2"), std::to_string(power));
    for (const char* d : {"1", "2", "3"})
        EXPECT_EQ(Text(dialog, (std::string("EOptMap") + d).c_str()), Text(dialog, (std::string("ECurMap") + d).c_str()));
    EXPECT_EQ(Text(dialog, "EOptChar1"), std::to_string(BrandPosition(1, 4, 1, si::AttAct)));  // kept
    test::SaveScreenshot(dialog, "Map2Att_Solved");
}

TEST_F(Map2AttTest, SearchesThatCannotRunAreRefusedWithTheReason) {
    TFoMap2Att dialog(page, MarketContext(1));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isActiveWindow(); }));
    // A target typed by hand and left with Tab shows with two decimals, as
    // the positions beside it do.
    auto& target = Child<TQNEdit>(dialog, "ETarMap1");
    QTest::mouseClick(&target, Qt::LeftButton);
    QTRY_VERIFY(target.hasFocus());
    QTest::keyClick(&target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&target, "2");
    QTest::keyClick(&target, Qt::Key_Tab);
    QTRY_VERIFY(!target.hasFocus());
    EXPECT_EQ(Text(dialog, "ETarMap1"), QLocale().toString(2.0, 'f', 2).toStdString());
    test::SaveScreenshot(dialog, "Map2Att_TypedTarget");
    Solve(dialog);  // nothing ticked
    auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].key, "Att2MapSolver");
    EXPECT_EQ(boxes[0].lines, std::vector<int>{2});

    Tick(dialog, {1});
    Child<TQNEdit>(dialog, "ETarMap2").ClearValue();
    Solve(dialog);
    boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].lines, std::vector<int>{1});

    // A kept characteristic without a value: refused, the field focused, nothing found.
    Child<TQNEdit>(dialog, "ETarMap2").SetValueFloat(0);
    auto& kept = Child<TQNEdit>(dialog, "EOptChar4");
    kept.ClearValue();
    Solve(dialog);
    boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].key, "Att2MapSolver");
    EXPECT_EQ(boxes[0].lines, std::vector<int>{6});
    EXPECT_TRUE(QTest::qWaitFor([&] { return kept.hasFocus(); }));
    EXPECT_EQ(Text(dialog, "EOptMap1"), "");

    // M2 markets two brands for a map model of four characteristics.
    TFoMap2Att few(page, MarketContext(2));
    Tick(few, {1});
    Solve(few);
    boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].lines, (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(Text(few, "EOptMap1"), "");
}

TEST_F(Map2AttTest, TheGaugeCountsEveryPointAndReachesItsEnd) {
    TFoMap2Att dialog(page, MarketContext(1));
    auto& gauge = Child<QProgressBar>(dialog, "ggM2ASolve");
    std::vector<std::pair<int, int>> shown;  // (progress, maximum)
    QObject::connect(&gauge, &QProgressBar::valueChanged, [&](int value) { shown.emplace_back(value, gauge.maximum()); });
    // The thorough mode (120,000 points) with Weight, Power and Range free:
    // 49 points each. Weight 10..100: step round(90 / 48 = 1.875) = 2, 46
    // values. Power 5..50: step 1 (45 / 48 is below 1), 46 values. Range
    // 10..200: step round(190 / 48 = 3.96) = 4, 10, 14, .., 198 (48 values)
    // and 200: 49, where rounding 190 / 4 + 1 = 48.5 would give 48.
    // 46 x 46 x 49 = 103,684 points.
    Child<QComboBox>(dialog, "cbModes").setCurrentIndex(2);
    Tick(dialog, {1, 2, 5});
    QElapsedTimer searchTime;
    searchTime.start();
    Solve(dialog);
    const qint64 elapsed = searchTime.elapsed();
    EXPECT_TRUE(Boxes().empty());
    int reached = 0, moves = 0;
    for (const auto& [value, maximum] : shown)
        if (maximum == 103684) reached = std::max(reached, value), ++moves;
    EXPECT_EQ(reached, 103684);
    // At the first report, then at most once per frame of 16 ms, and once more
    // at the end: not at each of the 104 thousands of points the search reports.
    EXPECT_LE(moves, elapsed / 16 + 3);
    // Then the gauge stands full at 100 without its text.
    EXPECT_EQ(gauge.maximum(), 100);
    EXPECT_EQ(gauge.value(), 100);
    EXPECT_FALSE(gauge.isTextVisible());
    EXPECT_NE(Text(dialog, "EOptMap1"), "");
}

TEST_F(Map2AttTest, CancelStopsTheSearchAndShowsNothing) {
    TFoMap2Att dialog(page, MarketContext(1));
    Child<QComboBox>(dialog, "cbModes").setCurrentIndex(2);
    Tick(dialog, {1, 2, 5});
    auto& cancel = Child<QPushButton>(dialog, "btnM2ACancel");
    EXPECT_FALSE(cancel.isEnabled());
    bool searchingSeen = false;
    // The search lets the window's events through every thousand points: the
    // timer presses Cancel at the first of them.
    QTimer::singleShot(0, &dialog, [&] {
        searchingSeen = dialog.Searching() && cancel.isEnabled() &&
                        !Child<QPushButton>(dialog, "btnM2ASolve").isEnabled();
        cancel.click();
    });
    Solve(dialog);
    EXPECT_TRUE(searchingSeen);
    EXPECT_FALSE(dialog.Searching());
    EXPECT_EQ(Text(dialog, "EOptMap1"), "");
    EXPECT_EQ(Child<QProgressBar>(dialog, "ggM2ASolve").value(), 0);
    EXPECT_FALSE(cancel.isEnabled());
    EXPECT_TRUE(Child<QPushButton>(dialog, "btnM2ASolve").isEnabled());
}

}  // namespace
}  // namespace cv
