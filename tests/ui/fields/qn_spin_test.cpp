#include "ui/fields/qn_spin.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace cv {
namespace {

class SpinEditTest : public ::testing::Test {
protected:
    SpinEditTest() {
        spin.MinValue = 1;
        spin.MaxValue = 12;
        spin.OnBeep = [this] { ++beeps; };
        spin.resize(60, 23);
    }
    TQNSpinEdit spin;
    int beeps = 0;
};

TEST_F(SpinEditTest, ArrowsStepWithinTheLimits) {
    spin.SetValue(11);
    spin.Button()->UpButton()->click();
    spin.Button()->UpButton()->click();
    EXPECT_EQ(spin.text(), "12");
    QTest::keyClick(&spin, Qt::Key_Down);
    EXPECT_EQ(spin.Value(), 11);
    // Reversed limits bound the same way.
    spin.MinValue = 12;
    spin.MaxValue = 1;
    spin.SetValue(40);
    EXPECT_EQ(spin.Value(), 12);
    // Text that is no number reads as the minimum.
    spin.setText("ab");
    EXPECT_EQ(spin.Value(), 12);
}

TEST_F(SpinEditTest, ALetterBeepsAndTheTextStays) {
    spin.SetValue(5);
    QTest::keyClicks(&spin, "x");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(spin.text(), "5");
    // With typing switched off digits beep too, while the arrows still work.
    spin.EditorEnabled = false;
    QTest::keyClicks(&spin, "7");
    EXPECT_EQ(beeps, 2);
    spin.Button()->UpButton()->click();
    EXPECT_EQ(spin.text(), "6");
}

TEST_F(SpinEditTest, EnteringFromTheKeyboardSelectsTheTextOnlyWithAutoSelect) {
    spin.SetValue(7);
    QFocusEvent entry(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&spin, &entry);
    EXPECT_EQ(spin.selectedText(), "7");
    spin.deselect();
    spin.AutoSelect = false;
    QApplication::sendEvent(&spin, &entry);
    EXPECT_FALSE(spin.hasSelectedText());
}

TEST_F(SpinEditTest, PasteAndCutDoNothingWhileTypingIsOff) {
    spin.SetValue(8);
    QApplication::clipboard()->setText("11");
    spin.EditorEnabled = false;
    spin.selectAll();
    QTest::keySequence(&spin, QKeySequence::Cut);
    QTest::keySequence(&spin, QKeySequence::Paste);
    EXPECT_EQ(spin.text(), "8");
    spin.EditorEnabled = true;
    spin.selectAll();
    QTest::keySequence(&spin, QKeySequence::Paste);
    EXPECT_EQ(spin.text(), "11");
}

TEST(SpinEdit, EqualLimitsAllowOnlyThatValue) {
    TQNSpinEdit spin;
    spin.SetValue(9);
    EXPECT_EQ(spin.text(), "0");
    spin.Button()->UpButton()->click();
    EXPECT_EQ(spin.text(), "0");
}

TEST(SpinButton, IsAtLeastFifteenWideAndSplitsItsHeight) {
    TQNSpinButton pair;
    pair.show();
    pair.resize(10, 25);
    EXPECT_EQ(pair.width(), 15);
    // The down half starts one pixel inside the up half: 12 - 1 = 11.
    EXPECT_EQ(pair.UpButton()->geometry(), QRect(0, 0, 15, 12));
    EXPECT_EQ(pair.DownButton()->geometry(), QRect(0, 11, 15, 14));
}

}  // namespace
}  // namespace cv
