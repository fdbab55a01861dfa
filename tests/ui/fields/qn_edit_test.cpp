#include "ui/fields/qn_edit.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "tests/support/recording_ui.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

// A field already holding integers (or reals), empty.
std::unique_ptr<TQNEdit> IntegerField() {
    auto field = std::make_unique<TQNEdit>();
    field->SetValueInt(TQNEdit::kVoidInt);
    return field;
}

std::unique_ptr<TQNEdit> RealField(int precision = 2, int scale = 1) {
    auto field = std::make_unique<TQNEdit>();
    field->Precision = precision;
    field->Scale = scale;
    field->SetValueFloat(TQNEdit::kVoidReal);
    return field;
}

struct TTypingCase {
    bool real;
    const char* typed;
    const char* shown;
    double value;  // the real or the integer value
};

TEST(QNEditTest, TypingReformatsTheTextAndKeepsTheCaretAtTheEnd) {
    const TTypingCase cases[] = {
        {false, "1234", "1,234", 1234},
        {false, "1234567", "1,234,567", 1234567},
        {true, "12.", "12.", 12},               // the trailing separator stays
        {true, "12.341", "12.34", 12.34},       // a third decimal goes
        {true, "-.", "-0.", 0},
        {false, "-", "-", 0},                   // "-" alone is 0
        {false, "-45", "-45", -45},
        // Kept exactly: as a 32-bit float it would be 123,456,792.
        {true, "123456789", "123,456,789", 123456789},
    };
    for (const TTypingCase& c : cases) {
        SCOPED_TRACE(c.typed);
        auto field = c.real ? RealField() : IntegerField();
        QTest::keyClicks(field.get(), c.typed);
        EXPECT_EQ(field->text(), c.shown);
        EXPECT_EQ(field->cursorPosition(), field->text().size());
        EXPECT_EQ(c.real ? field->RealValue() : field->IntValue(), c.value);
    }
}

TEST(QNEditTest, ALetterIsRefusedWithTheTextAndValueRestored) {
    auto field = IntegerField();
    std::vector<TErrorType> errors;
    field->OnError = [&](TQNEdit&, TErrorType type) { errors.push_back(type); };
    QTest::keyClicks(field.get(), "12x");
    EXPECT_EQ(errors, std::vector<TErrorType>{TErrorType::etBadInput});
    EXPECT_EQ(field->text(), "12");
    EXPECT_EQ(field->IntValue(), 12);
    // "12x" had the caret at 3: it goes one place left of that.
    EXPECT_EQ(field->cursorPosition(), 2);
    // An integer field refuses a decimal separator.
    QTest::keyClicks(field.get(), ".");
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(field->text(), "12");
}

// A field that refuses the minus sign takes it as it takes a letter; the
// digits that follow stand. Without the refusal the sign is kept.
TEST(QNEditTest, AFieldMayRefuseTheMinusSign) {
    for (const bool refused : {true, false}) {
        auto field = IntegerField();
        field->RefuseMinus = refused;
        std::vector<TErrorType> errors;
        field->OnError = [&](TQNEdit&, TErrorType type) { errors.push_back(type); };
        QTest::keyClicks(field.get(), "-45");
        EXPECT_EQ(field->text(), refused ? "45" : "-45");
        EXPECT_EQ(field->IntValue(), refused ? 45 : -45);
        EXPECT_EQ(errors.size(), refused ? 1u : 0u);
    }
}

TEST(QNEditTest, ScaleAndPrecisionShapeTheTextNotTheValue) {
    // 1.2 million units shown in thousands with two decimals: 1,200.00.
    auto thousands = RealField(2, 1000);
    thousands->SetValueFloat(1200000);
    EXPECT_EQ(thousands->text(), "1,200.00");
    // 1,234,567 shows as 1,234.57 but keeps its units.
    thousands->SetValueFloat(1234567);
    EXPECT_EQ(thousands->text(), "1,234.57");
    EXPECT_EQ(thousands->RealValue(), 1234567.0);
    // Typed in thousands, stored in units: 2.5 x 1000.
    thousands->clear();
    QTest::keyClicks(thousands.get(), "2.5");
    EXPECT_EQ(thousands->RealValue(), 2500.0);
    auto large = RealField(0);
    large->SetValueFloat(123456789);
    EXPECT_EQ(large->text(), "123,456,789");
    EXPECT_EQ(large->RealValue(), 123456789.0);
}

TEST(QNEditTest, EmptyMeansNoValueUnlessForcedToZero) {
    auto field = IntegerField();
    QTest::keyClicks(field.get(), "7");
    field->clear();
    EXPECT_EQ(field->IntValue(), TQNEdit::kVoidInt);
    field->ForceNumVoidto0 = true;
    QTest::keyClicks(field.get(), "7");
    field->clear();
    EXPECT_EQ(field->text(), "0");
    EXPECT_EQ(field->IntValue(), 0);
    // A field given its first integer shows it without separators; once it
    // holds integers, with them.
    TQNEdit fresh;
    fresh.SetValueInt(1234);
    EXPECT_EQ(fresh.text(), "1234");
    fresh.SetValueInt(5678);
    EXPECT_EQ(fresh.text(), "5,678");
    fresh.SetValueInt(TQNEdit::kDashInt);
    EXPECT_EQ(fresh.text(), "-");
}

// Three number fields in a window, the middle one looking disabled.
class FieldWindow : public ::testing::Test {
protected:
    FieldWindow() {
        auto* layout = new QVBoxLayout(&window);
        for (TQNEdit*& field : fields) {
            field = new TQNEdit(&window);
            field->SetValueInt(TQNEdit::kVoidInt);
            layout->addWidget(field);
        }
        window.resize(240, 120);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void FocusOn(QWidget* widget) {
        widget->setFocus();
        QApplication::processEvents();
    }

    test::RecordingUi ui;
    QWidget window;
    TQNEdit* fields[3] = {};
};

TEST_F(FieldWindow, LeavingAValueOutsideTheLimitsSaysSoAndKeepsTheFocus) {
    fields[0]->MinValue = 0;
    fields[0]->MaxValue = 100;
    FocusOn(fields[0]);
    QTest::keyClicks(fields[0], "150");
    FocusOn(fields[1]);
    test::SaveScreenshot(window, "QNEditTest_OutOfRangeKeepsTheFocus");
    EXPECT_EQ(ui.plainBoxes, std::vector<std::string>{"Value must be in [0, 100]"});
    EXPECT_TRUE(fields[0]->hasFocus());
    EXPECT_EQ(fields[0]->selectedText(), "150");
    // An empty field is never range-tested.
    fields[0]->clear();
    FocusOn(fields[1]);
    EXPECT_EQ(ui.plainBoxes.size(), 1u);
    EXPECT_TRUE(fields[1]->hasFocus());
}

// Closing the window (a dialog's Cancel) leaves the edit unfinished, without a word.
TEST_F(FieldWindow, ClosingTheWindowChecksNothing) {
    fields[0]->MinValue = 0;
    fields[0]->MaxValue = 100;
    FocusOn(fields[0]);
    QTest::keyClicks(fields[0], "150");
    window.close();
    QApplication::processEvents();
    EXPECT_TRUE(ui.plainBoxes.empty());
}

TEST_F(FieldWindow, ADisabledLookingFieldIsPassedByTabAndTheArrowKeys) {
    fields[1]->SetFieldEnabled(false);
    EXPECT_EQ(fields[1]->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(fields[0]->palette().color(QPalette::Text), QColor(Qt::blue));
    FocusOn(fields[0]);
    QTest::keyClick(fields[0], Qt::Key_Down);
    EXPECT_TRUE(fields[2]->hasFocus());
    QTest::keyClick(fields[2], Qt::Key_Up);
    EXPECT_TRUE(fields[0]->hasFocus());
    QTest::keyClick(fields[0], Qt::Key_Tab);
    EXPECT_TRUE(fields[2]->hasFocus());
    // Shift turns Down into a step back, wrapping round to the last field.
    QTest::keyClick(fields[2], Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(fields[0]->hasFocus());
    QTest::keyClick(fields[0], Qt::Key_PageUp);
    EXPECT_TRUE(fields[2]->hasFocus());
}

}  // namespace
}  // namespace cv
