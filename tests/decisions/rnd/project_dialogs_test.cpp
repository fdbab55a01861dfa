// The project dialogs of the R&D dialog: the name checks of a new and of a
// renamed project, and the estimate counter of the query dialog.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <optional>

#include "core/base/text_format.h"
#include "decisions/rnd/query_dialog.h"
#include "model/rnd/mod_rnd.h"
#include "tests/decisions/rnd/rnd_dialog_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/pasted_text.h"
#include "tests/ui/support/typed_letters.h"

namespace cv::test {
namespace {

void TypeName(QWidget& dialog, const QString& letters) {
    auto& field = Child<QLineEdit>(dialog, "MEProjName");
    field.setFocus();
    field.setCursorPosition(2);
    QTest::keyClicks(&field, letters);
}

// A new project's name: complete, in upper case, borne by no prototype or
// project; a base prototype chosen when one is to be used.
TEST_F(RnDDialogTest, NewProjectNameChecks) {
    Open(1);
    NewProject("OLD");
    TypeCharacteristics({30, 30, 5, 70, 50});
    const struct {
        const char* letters;
        bool untickBase;
        std::vector<int> lines;
    } cases[] = {
        {"AB", true, {2}},     // two letters only
        {"old", true, {1}},    // PMOLD exists, typed in lower case
        {"XYZ", false, {7}},   // the base box ticked, no prototype chosen
        {"XYZ", true, {}},     // accepted
    };
    for (const auto& [letters, untickBase, lines] : cases) {
        root.ui.messageBoxes.clear();
        ClickWithSubDialog(Button("BBNewProj"), [&](QWidget& newProject) {
            EXPECT_EQ(Child<QListWidget>(newProject, "LBExistProto").count(), 3) << "ALBA, ARNO, ALTO";
            TypeName(newProject, letters);
            if (untickBase) QTest::mouseClick(&Child<QCheckBox>(newProject, "UsePrjBase"), Qt::LeftButton);
            EXPECT_EQ(Child<QListWidget>(newProject, "LBExistProto").isEnabled(), !untickBase);
            QTest::mouseClick(&Child<QPushButton>(newProject, "BBCreateProj"), Qt::LeftButton);
            EXPECT_EQ(newProject.isVisible(), !lines.empty()) << letters;
        });
        for (const auto& box : root.ui.messageBoxes) EXPECT_EQ(box.key, "DevDecs");
        std::vector<int> shown;
        for (const auto& box : root.ui.messageBoxes) shown.insert(shown.end(), box.lines.begin(), box.lines.end());
        EXPECT_EQ(shown, lines) << letters;
    }
    EXPECT_EQ(TabTexts(), "PAXIS PAVIA PMOLD PMXYZ");
}

// The caret waits at the first free position of the name: the letters typed
// at once are the project's, and a name typed whole, "PM" included, is kept,
// in capitals or not; Shift, Caps Lock, Ctrl, Alt and AltGr alone end nothing.
// The same over a name typed before, from the caret at the start, in the
// middle or at the end, the name selected or not; Backspace and Delete clear
// free positions only; Ctrl+Z takes back the last letter typed. A text pasted
// over the name reads as its letters typed.
TEST_F(RnDDialogTest, NewProjectNameIsTypedWhereTheCaretStarts) {
    Open(1);
    struct TCase {
        const char* before;
        std::vector<QKeyCombination> keys;
        const char* typed;
        TCapitals way;
        const char* shown;
        std::optional<TPasteWay> pasted = {};  // the letters pasted that way rather than typed
    };
    std::vector<TCase> cases = {
        {"", {}, "xyz", TCapitals::Lower, "PMXYZ"},           {"", {}, "PMXYZ", TCapitals::ShiftPerLetter, "PMXYZ"},
        {"", {}, "PMXYZ", TCapitals::ShiftHeld, "PMXYZ"},     {"", {}, "PMXYZ", TCapitals::CapsLock, "PMXYZ"},
        {"", {}, "PMXYZ", TCapitals::ModifiersAlone, "PMXYZ"}, {"", {}, "pmq", TCapitals::Lower, "PMPMQ"},
        {"", {}, "pmq7", TCapitals::Lower, "PMQ7_"},
        {"q7z", {Qt::Key_End, Qt::Key_Left, Qt::Key_Backspace}, "y", TCapitals::Lower, "PMQYZ"},
        {"q7z", {Qt::Key_Home, Qt::Key_Right, Qt::Key_Delete}, "", TCapitals::Lower, "PM_7Z"},
        {"q7z", {Qt::Key_Home, Qt::Key_Backspace, Qt::Key_End, Qt::SHIFT | Qt::Key_Home, Qt::Key_Delete}, "",
         TCapitals::Lower, "PM___"},
        {"q7z", {Qt::CTRL | Qt::Key_Z}, "", TCapitals::Lower, "PMQ7_"}};
    for (const char* before : {"", "q7z"})
        for (const auto& keys : CaretPlacings())
            for (const char* typed : {"PMAXY", "AXY"})
                cases.push_back({before, keys, typed, TCapitals::ShiftPerLetter, "PMAXY"});
    for (const TPasteWay pasteWay : PasteWays()) {
        for (const char* pasted : {"pmaxy", "AXY"})
            cases.push_back({"q7z", {Qt::CTRL | Qt::Key_A}, pasted, TCapitals::Lower, "PMAXY", pasteWay});
        cases.push_back({"q7z", {Qt::CTRL | Qt::Key_A}, "ALBA", TCapitals::Lower, "PMALB", pasteWay});
    }
    for (const auto& [before, keys, typed, way, shown, pasteWay] : cases) {
        ClickWithSubDialog(Button("BBNewProj"), [&](QWidget& newProject) {
            auto& field = Child<QLineEdit>(newProject, "MEProjName");
            QTRY_VERIFY(field.hasFocus());
            EXPECT_EQ(field.cursorPosition(), 2) << typed;
            TypeLetters(QString::fromLatin1(before), TCapitals::Lower);
            PressKeys(keys);
            if (pasteWay)
                PasteText(field, QString::fromLatin1(typed), *pasteWay);
            else
                TypeLetters(QString::fromLatin1(typed), way);
            EXPECT_EQ(field.displayText(), shown) << "over \"" << before << "\", " << keys.size() << " keys, " << typed
                                                  << " typed in way " << static_cast<int>(way)
                                                  << (pasteWay ? " pasted in way " + std::to_string(static_cast<int>(*pasteWay)) : std::string());
            if (*before == 0 && keys == std::vector<QKeyCombination>{Qt::CTRL | Qt::Key_A} && typed == std::string("PMAXY"))
                SaveScreenshotOfRunningTest(newProject);
            QTest::mouseClick(&Child<QPushButton>(newProject, "BBCancel"), Qt::LeftButton);
        });
    }
}

// Team A has no completed prototype in M3: no base can be chosen, and a
// complete new name is taken.
TEST_F(RnDDialogTest, NoCompletedPrototypeNoBase) {
    Open(3);
    ClickWithSubDialog(Button("BBNewProj"), [](QWidget& newProject) {
        auto& base = Child<QCheckBox>(newProject, "UsePrjBase");
        EXPECT_FALSE(base.isChecked());
        EXPECT_FALSE(base.isEnabled());
        EXPECT_FALSE(Child<QListWidget>(newProject, "LBExistProto").isEnabled());
        TypeName(newProject, "v12");
        QTest::mouseClick(&Child<QPushButton>(newProject, "BBCreateProj"), Qt::LeftButton);
    });
    EXPECT_EQ(TabTexts(), "PVELA PMV12");
}

// A new project based on a completed prototype starts from its levels and
// requested unit cost, with nothing spent yet.
TEST_F(RnDDialogTest, NewProjectFromABasePrototype) {
    Open(1);
    ClickWithSubDialog(Button("BBNewProj"), [](QWidget& newProject) {
        TypeName(newProject, "BIS");
        auto& list = Child<QListWidget>(newProject, "LBExistProto");
        list.setCurrentRow(list.row(list.findItems("PALTO", Qt::MatchExactly).front()));
        QTest::mouseClick(&Child<QPushButton>(newProject, "BBCreateProj"), Qt::LeftButton);
    });
    EXPECT_EQ(Tabs().tabText(2), "PMBIS");
    EXPECT_EQ(Field("EPhysChar2").IntValue(), 35);
    EXPECT_TRUE(Field("EPhysChar2").isEnabled()) << "a new development";
    EXPECT_TRUE(Box("ChBMUC").isEnabled());
    EXPECT_FALSE(Box("ChBMUC").isChecked());
    EXPECT_TRUE(Box("ChBFeasStu").isChecked());
    EXPECT_EQ(Field("ECumDevBud").RealValue(), 0);
    EXPECT_EQ(Field("ECurUC1").text(), "-");
}

// Renaming: the own name in another letter case passes unchecked; the name of
// another project is refused with line 1.
TEST_F(RnDDialogTest, RenameChecks) {
    Open(1);
    NewProject("ONE");
    TypeCharacteristics({30, 30, 5, 70, 50});
    NewProject("TWO");
    TypeCharacteristics({30, 30, 5, 70, 50});
    const auto rename = [this](const QString& letters) {
        WithSubDialog([this] { emit Tabs().OnDblClick(); },
                      [&letters](QWidget& dialog) {
                          TypeName(dialog, letters);
                          QTest::mouseClick(&Child<QPushButton>(dialog, "BBOk"), Qt::LeftButton);
                          if (dialog.isVisible()) QTest::mouseClick(&Child<QPushButton>(dialog, "BBCancel"), Qt::LeftButton);
                      });
    };
    root.ui.messageBoxes.clear();
    rename("two");
    EXPECT_TRUE(root.ui.messageBoxes.empty());
    rename("ONE");
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].lines, std::vector<int>{1});
    EXPECT_EQ(Tabs().tabText(3), "PMTWO");
    // PAXIS continues no prototype of team A: it is a new development and can be renamed too.
    // Its name does not fit M1's mask "PM": the field starts empty, and OK alone renames nothing.
    Tabs().setCurrentIndex(0);
    root.ui.messageBoxes.clear();
    WithSubDialog([this] { emit Tabs().OnDblClick(); },
                  [](QWidget& dialog) {
                      EXPECT_EQ(Child<QLineEdit>(dialog, "MEProjName").displayText(), "PM___");
                      QTest::mouseClick(&Child<QPushButton>(dialog, "BBOk"), Qt::LeftButton);
                      EXPECT_TRUE(dialog.isVisible());
                  });
    ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(root.ui.messageBoxes[0].lines, std::vector<int>{2});
    EXPECT_EQ(Tabs().tabText(0), "PAXIS");
    rename("AXE");
    EXPECT_EQ(Tabs().tabText(0), "PMAXE");
}

class QueryDialogTest : public RnDDialogTest {
protected:
    void SetUp() override {
        RnDDialogTest::SetUp();
        query = std::make_unique<TFoQuery>(page);
        query->MinUC = 400;
        query->ReqUC = 450;
        query->ReqBgt = 1234567;
        query->QNENbMaxQueries->SetValueInt(1);
        query->QNENbQueries->SetValueInt(0);
    }
    QWidget* ShownWindow() override { return nullptr; }
    std::unique_ptr<TFoQuery> query;
};

// One estimate allowed: the first shows the answer (the budget in thousands,
// 1,234,567 / 1000 = 1,234.567, shown 1,235) and counts; after it the counter
// stands at its maximum and only Close is left (the screenshot named after
// the test shows that second opening).
TEST_F(QueryDialogTest, CounterStopsAtItsMaximum) {
    const std::string separator(1, ThousandsSeparator());
    WhenModalShown first([&separator](QWidget& dialog) {
        auto& ask = Child<QPushButton>(dialog, "BBQuery");
        EXPECT_TRUE(ask.isEnabled());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBApplyQuery").isEnabled());
        QTest::mouseClick(&ask, Qt::LeftButton);
        EXPECT_EQ(Child<QLabel>(dialog, "EMinMUC2").text(), " 400");
        EXPECT_EQ(Child<QLabel>(dialog, "EReqUC").text(), " 450");
        EXPECT_EQ(Child<QLabel>(dialog, "ECompletBud2").text().toStdString(), " 1" + separator + "235");
        EXPECT_FALSE(ask.isEnabled());
        EXPECT_TRUE(Child<QPushButton>(dialog, "BBApplyQuery").isEnabled());
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBClose"), Qt::LeftButton);
    }, "QueryDialogTest_CounterStopsAtItsMaximum_BeforeTheEstimate");
    EXPECT_EQ(query->exec(), QDialog::Rejected);
    EXPECT_EQ(query->QNENbQueries->IntValue(), 1) << "an answer closed without applying still counts";

    WhenModalShown second([](QWidget& dialog) {
        EXPECT_TRUE(Child<QLabel>(dialog, "EMinMUC2").text().isEmpty());
        EXPECT_EQ(Child<TQNEdit>(dialog, "QNENbQueries").text(), "1");
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBQuery").isEnabled());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBApplyQuery").isEnabled());
    });
    query->exec();
    EXPECT_EQ(query->QNENbQueries->IntValue(), 1);
}

TEST_F(QueryDialogTest, DeclinedConfirmationCountsNothing) {
    root.ui.messageBoxAnswer = TModalResult::mrNo;
    WhenModalShown shown([](QWidget& dialog) {
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBQuery"), Qt::LeftButton);
        EXPECT_TRUE(Child<QPushButton>(dialog, "BBQuery").isEnabled());
        EXPECT_TRUE(Child<QLabel>(dialog, "EReqUC").text().isEmpty());
    });
    query->exec();
    EXPECT_EQ(query->QNENbQueries->IntValue(), 0);
}

// The answers read like entry fields: before and after an answer they are as
// high as the counters above them, their text not cut.
TEST_F(QueryDialogTest, SmallScreenAnswerFieldsAreAsHighAsTheCounters) {
    WhenModalShown shown([](QWidget& dialog) {
        const int counterHeight = Child<TQNEdit>(dialog, "QNENbMaxQueries").height();
        for (bool answered : {false, true}) {
            if (answered) QTest::mouseClick(&Child<QPushButton>(dialog, "BBQuery"), Qt::LeftButton);
            for (const char* name : {"EMinMUC2", "EReqUC", "ECompletBud2"}) {
                const auto& answer = Child<QLabel>(dialog, name);
                EXPECT_GE(answer.height(), counterHeight) << name << " answered " << answered;
                EXPECT_GE(answer.contentsRect().height(), answer.fontMetrics().height()) << name;
            }
        }
        SaveScreenshotOfRunningTest(dialog);
    });
    query->exec();
    EXPECT_TRUE(shown.Ran());
}

}  // namespace
}  // namespace cv::test
