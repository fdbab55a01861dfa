#include "ui/qn_msg_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <algorithm>

#include "core/base/message_list.h"
#include "tests/ui/support/language_fixture.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/window_test.h"
#include "ui/message_box.h"
#include "ui/qt_ui_services.h"
#include "ui/screen_room.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv {
namespace {

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "Line " + std::to_string(i) + "\n";
    return text;
}

const std::string kMessages = "[One]\n" + NumberedLines(1) + "[TwentyOne]\n" + NumberedLines(21) + "[TwentyTwo]\n" +
                              NumberedLines(22) +
                              "[Three]\nFirst line\nSecond line\nThird line\n"
                              "[Keyed]\nThe decisions of period 3 were sent.\nKeep the receipt in a safe place.\n";
const std::string kControls = "[BBOk]\nAgreed\n[BBNo]\nNo way\n[FoQuickHelp]\nQuick help here\nClick to close\n";
const std::string kHelp = "[QhMain]\nThe team page opens the industry.\n";

class MessageBoxTest : public ::testing::Test {
protected:
    MessageBoxTest()
        : language_({{"messages.txt", kMessages}, {"controls.txt", kControls}, {"help.txt", kHelp}}) {
        SetMessageBoxTexts(&language_.Texts(), kSectionMessages);
    }
    ~MessageBoxTest() override {
        CloseProgressBox();
        SetMessageBoxTexts(nullptr, kSectionMessages);
        SetMessageBoxHelpHandler({});
        QApplication::processEvents();  // frees a closed box
    }

    // Shows the box, runs Inspect on it and answers with the button Answer
    // (none: the test's inspection closes it).
    TModalResult Show(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key, const std::vector<int>& lines,
                      const std::function<void(QWidget&)>& inspect, const char* answer = nullptr) {
        test::WhenModalShown driver([&](QWidget& box) {
            inspect(box);
            if (answer) QTest::mouseClick(box.findChild<QPushButton*>(answer), Qt::LeftButton);
        });
        const TModalResult result = ShowMessageBox(type, buttons, key, lines, TAlignment::taLeftJustify);
        EXPECT_TRUE(driver.Ran());
        return result;
    }

    static QStringList MemoLines(QWidget& box) {
        return box.findChild<QTextEdit*>("MMsg")->toPlainText().split('\n');
    }

    test::LanguageFixture language_;
};

struct HeightCase {
    const char* key;
    int memoHeight;
    int clientHeight;
    int memoTop;
    bool scrolls;
};

// Line height 2 x 11 - 8 = 14. Panel = max(64 + 30, memo + 30); client height
// = 15 + panel + 15 + 26 + 15.
//   1 line:   memo 14,  panel 94,  client 165
//   21 lines: memo 294, panel 324, client 395
//   22 lines: memo 308 cut to 300 with a scroll bar, panel 330, client 401
// The panel centres the memo: (panel - memo) / 2 = 40, 15, 15.
TEST_F(MessageBoxTest, HeightFollowsTheLineCountUpToTwentyOneLinesThenScrolls) {
    for (const HeightCase& c : {HeightCase{"One", 14, 165, 40, false}, HeightCase{"TwentyOne", 294, 395, 15, false},
                                HeightCase{"TwentyTwo", 300, 401, 15, true}}) {
        SCOPED_TRACE(c.key);
        Show(TMsgDlgType::mtWarning, mbOK, c.key, {0}, [&](QWidget& box) {
            auto* memo = box.findChild<QTextEdit*>("MMsg");
            EXPECT_EQ(memo->height(), c.memoHeight);
            EXPECT_EQ(box.height(), c.clientHeight);
            EXPECT_EQ(memo->verticalScrollBar()->isVisible(), c.scrolls);
            EXPECT_EQ(memo->frameStyle() != QFrame::NoFrame, c.scrolls);
            EXPECT_EQ(memo->y(), c.memoTop);
        });
    }
}

// A line longer than the memo is wide wraps, and each of its rows counts as
// a line, so that no text is cut off below a box without a scroll bar.
TEST_F(MessageBoxTest, WrappedLinesCountForEachOfTheirRows) {
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += "budget ";
    Show(TMsgDlgType::mtInformation, mbOK, longLine, {-1}, [](QWidget& box) {
        auto* memo = box.findChild<QTextEdit*>("MMsg");
        EXPECT_GT(memo->height(), 14);
        EXPECT_EQ(memo->height() % 14, 0);
        EXPECT_FALSE(memo->verticalScrollBar()->isVisible());
        EXPECT_LE(memo->document()->size().height(), memo->height());
    });
}

// n buttons of 89 with 12 between them, centred in 692:
//   Yes, No, Cancel: total 3 x 89 + 2 x 12 = 291, first left (692 - 291) / 2 = 200
//   Help, OK: shown as OK then Help: total 190, first left 251
// The box keeps its pixel layout where the screen has the room and is centred
// on it: at 1024 x 768 a one-line box (692 x 165) stands at (166, 301). On a
// 640 x 480 screen it narrows to the room the window manager's frame leaves,
// its text wrapping sooner, and lies whole on the screen with its frame.
TEST_F(MessageBoxTest, SmallScreenAndNormalScreenBoxFitsTheScreen) {
    const QSize screen = test::ScreenSize();
    std::string longLine;
    for (int i = 0; i < 14; ++i) longLine += "budget ";
    Show(TMsgDlgType::mtInformation, mbOK, "One", {0}, [&](QWidget& box) {
        test::ExpectFitsTheScreen(box, {"BBOk", "Bevel"});
        if (screen == QSize(1024, 768)) {
            EXPECT_EQ(box.size(), QSize(692, 165));
            // The frame's position is known once the window manager has told its extents. It is read
            // from the window's frame as the X server has it: the widget's own copy of the frame can
            // keep a reading taken while the manager was still reparenting the box.
            QTRY_COMPARE_WITH_TIMEOUT(box.windowHandle()->framePosition(),
                                      QPoint((screen.width() - 692) / 2, (screen.height() - 165) / 2),
                                      test::kWindowManagerWaitMs);
        } else {
            EXPECT_EQ(box.width(), std::min(692, RoomOnScreen(box).width()));
            test::SaveScreenScreenshot("message_box_small_screen");
        }
    });
    Show(TMsgDlgType::mtInformation, mbOK, longLine, {-1}, [&](QWidget& box) {
        test::ExpectFitsTheScreen(box, {"BBOk", "Bevel", "MMsg"});
        auto* memo = box.findChild<QTextEdit*>("MMsg");
        EXPECT_LE(memo->document()->size().height(), memo->height());
        EXPECT_LE(memo->document()->size().width(), memo->width());
    });
}

TEST_F(MessageBoxTest, ButtonsAppearInTheirFixedOrderCentredTwelvePixelsApart) {
    struct ButtonCase {
        TMsgDlgButtons buttons;
        std::vector<std::pair<const char*, int>> lefts;
    };
    for (const ButtonCase& c : {ButtonCase{mbCancel | mbNo | mbYes, {{"BBYes", 200}, {"BBNo", 301}, {"BBCancel", 402}}},
                                ButtonCase{mbHelp | mbOK, {{"BBOk", 251}, {"BBHelp", 352}}}}) {
        Show(TMsgDlgType::mtConfirmation, c.buttons, "One", {0}, [&](QWidget& box) {
            int shown = 0;
            for (QPushButton* button : box.findChildren<QPushButton*>()) shown += button->isVisible();
            EXPECT_EQ(shown, static_cast<int>(c.lefts.size()));
            for (const auto& [name, left] : c.lefts) {
                auto* button = box.findChild<QPushButton*>(name);
                EXPECT_TRUE(button->isVisible()) << name;
                EXPECT_EQ(button->geometry(), QRect(left, 15 + 94 + 15, 89, 26)) << name;
            }
            EXPECT_TRUE(box.findChild<QPushButton*>(c.lefts.front().first)->isDefault());
        });
    }
}

TEST_F(MessageBoxTest, ShowsLiteralOrListedLinesAndAnswersWithThePressedButton) {
    EXPECT_EQ(Show(TMsgDlgType::mtError, mbYes | mbNo, "Three", {-1},
                   [](QWidget& box) { EXPECT_EQ(MemoLines(box), QStringList{"Three"}); }, "BBNo"),
              TModalResult::mrNo);
    EXPECT_EQ(Show(TMsgDlgType::mtError, mbYes | mbNo, "Three", {3, 1, 3},
                   [](QWidget& box) {
                       EXPECT_EQ(MemoLines(box), (QStringList{"Third line", "First line", "Third line"}));
                       EXPECT_EQ(box.findChild<QPushButton*>("BBNo")->text(), "No way");
                       EXPECT_EQ(box.findChild<QPushButton*>("BBYes")->text(), "Yes");  // no entry: English
                       EXPECT_TRUE(box.findChild<QLabel*>("IError")->isVisible());
                       EXPECT_FALSE(box.findChild<QLabel*>("IWarning")->isVisible());
                   },
                   "BBYes"),
              TModalResult::mrYes);
    // A key the section lacks shows an empty box; closing the window is Cancel.
    EXPECT_EQ(Show(TMsgDlgType::mtCustom, mbOK, "Missing", {0},
                   [](QWidget& box) { EXPECT_EQ(MemoLines(box), QStringList{""}); }),
              TModalResult::mrCancel);
}

// A composed text of two lines (a restore's outcome) keeps each on a line of
// its own, and the memo is two lines high: 2 x 14 = 28.
TEST_F(MessageBoxTest, AComposedTextOfSeveralLinesShowsEachOnItsOwnLine) {
    const std::string text = "Restored from /home/team/Private/SAMPL04A.ZIP: SAMPLE.mtA, SAMPLE.mrA.\n"
                             "No industry is open now: open the restored one with Open industry.";
    Show(TMsgDlgType::mtInformation, mbOK, text, {-1}, [](QWidget& box) {
        EXPECT_EQ(MemoLines(box).size(), 2);
        EXPECT_EQ(box.findChild<QTextEdit*>("MMsg")->height(), 28);
        test::SaveScreenshot(box, "MessageBoxTest_ComposedLines");
    }, "BBOk");
}

// The box is kept between calls: the same icon and button row are not built again.
TEST_F(MessageBoxTest, RepeatedCallsReuseTheIconAndTheButtonRow) {
    Show(TMsgDlgType::mtWarning, mbYes | mbNo, "One", {0}, [](QWidget&) {});
    auto* box = CurrentMessageBox();
    ASSERT_NE(box, nullptr);
    const int icons = box->IconChanges(), rows = box->ButtonRowChanges();
    Show(TMsgDlgType::mtWarning, mbYes | mbNo, "Three", {0}, [](QWidget&) {});
    EXPECT_EQ(CurrentMessageBox(), box);
    EXPECT_EQ(box->IconChanges(), icons);
    EXPECT_EQ(box->ButtonRowChanges(), rows);
}

// A box asked for while another waits for its answer (a timer firing again)
// opens above it and leaves the first one's text and answer alone.
TEST_F(MessageBoxTest, ABoxAskedForWhileAnotherIsOpenGetsAWindowOfItsOwn) {
    TModalResult inner = TModalResult::mrNone;
    EXPECT_EQ(Show(TMsgDlgType::mtWarning, mbYes | mbNo, "Three", {1},
                   [&](QWidget& outer) {
                       inner = Show(TMsgDlgType::mtError, mbOK, "Keyed", {2}, [&](QWidget& box) {
                           EXPECT_NE(&box, &outer);
                           EXPECT_EQ(MemoLines(box), QStringList{"Keep the receipt in a safe place."});
                       }, "BBOk");
                       EXPECT_TRUE(outer.isVisible());
                       EXPECT_EQ(MemoLines(outer), QStringList{"First line"});
                   },
                   "BBNo"),
              TModalResult::mrNo);
    EXPECT_EQ(inner, TModalResult::mrOk);
}

// Enter presses the default button: the first one, unless the question asks
// for Cancel (or No) to be the default because its other answer loses data.
TEST_F(MessageBoxTest, EnterPressesTheFirstButtonOrTheKeepingOneOfADestructiveQuestion) {
    struct EnterCase {
        TMsgDlgButtons buttons;
        TModalResult answer;
    };
    for (const EnterCase& enter : {EnterCase{mbOK | mbCancel, TModalResult::mrOk},
                                   EnterCase{mbOK | mbCancel | mbDefaultCancel, TModalResult::mrCancel},
                                   EnterCase{mbYes | mbNo | mbDefaultCancel, TModalResult::mrNo}}) {
        const TModalResult result = Show(TMsgDlgType::mtConfirmation, enter.buttons, "One", {0}, [](QWidget& box) {
            QTRY_VERIFY(box.isActiveWindow());
            QTRY_VERIFY(box.focusWidget() != nullptr);
            QTest::keyClick(box.focusWidget(), Qt::Key_Return);
        });
        EXPECT_EQ(result, enter.answer) << enter.buttons;
    }
}

TEST_F(MessageBoxTest, HelpButtonCallsTheHelpAndLeavesTheBoxOpen) {
    int helpCalls = 0;
    SetMessageBoxHelpHandler([&] { ++helpCalls; });
    Show(TMsgDlgType::mtInformation, mbOK | mbHelp, "One", {0}, [&](QWidget& box) {
        QTest::mouseClick(box.findChild<QPushButton*>("BBHelp"), Qt::LeftButton);
        EXPECT_EQ(helpCalls, 1);
        EXPECT_TRUE(box.isVisible());
    });
}

TEST_F(MessageBoxTest, QuickHelpShowsTheHelpEntryClosesOnAClickAndRestoresTheSection) {
    test::WhenModalShown driver([](QWidget& box) {
        EXPECT_EQ(MemoLines(box), QStringList{"The team page opens the industry."});
        EXPECT_EQ(box.windowTitle(), "Quick help here");
        EXPECT_EQ(box.toolTip(), "Click to close");
        // No button row in view: client height 15 + 94 + 15.
        EXPECT_EQ(box.height(), 124);
        QTest::mouseClick(box.findChild<QTextEdit*>("MMsg")->viewport(), Qt::LeftButton);
        EXPECT_FALSE(box.isVisible());
    });
    ShowQuickHelp("QhMain");
    EXPECT_TRUE(driver.Ran());
    EXPECT_EQ(MessageBoxSection(), kSectionMessages);

    test::WhenModalShown missing([](QWidget& box) { EXPECT_EQ(MemoLines(box), QStringList{""}); });
    ShowQuickHelp("NoSuchHelp");
    EXPECT_EQ(MessageBoxSection(), kSectionMessages);
    // Back to the normal look: caption and the button row.
    Show(TMsgDlgType::mtInformation, mbOK, "One", {0}, [](QWidget& box) {
        EXPECT_EQ(box.windowTitle(), "Corvantis3");
        EXPECT_EQ(box.height(), 165);
    });
}

TEST_F(MessageBoxTest, WaitNoticeTakesNoMouseGrabAndAMessageBoxOverItStaysUsable) {
    ShowProgressBox({"Printing the newsletter for firm A", "Please wait ..."});
    TFoQNMsgBox* notice = CurrentMessageBox();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    auto* cancel = notice->findChild<QPushButton*>("BBCancel");
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_FALSE(notice->findChild<QPushButton*>("BBOk")->isVisible());
    EXPECT_EQ(notice->findChild<QTextEdit*>("MMsg")->alignment(), Qt::AlignHCenter);

    // A question while the notice is up gets a window of its own above it.
    EXPECT_EQ(Show(TMsgDlgType::mtConfirmation, mbYes | mbNo, "Keyed", {1},
                   [&](QWidget& box) { EXPECT_NE(&box, notice); }, "BBYes"),
              TModalResult::mrYes);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->findChild<QTextEdit*>("MMsg")->toPlainText(),
              "Printing the newsletter for firm A\nPlease wait ...");

    EXPECT_FALSE(ProgressBoxCancelled());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(ProgressBoxCancelled());
    EXPECT_TRUE(notice->isVisible());  // until the caller closes it
    // Escape and the window's close button cancel the same way.
    for (const auto& cancelAnotherWay : std::vector<std::function<void()>>{
             [&] { QTest::keyClick(notice, Qt::Key_Escape); }, [&] { notice->close(); }}) {
        ShowProgressBox({"Printing the company report of firm A"});
        cancelAnotherWay();
        EXPECT_TRUE(ProgressBoxCancelled());
        EXPECT_TRUE(notice->isVisible());
    }
    CloseProgressBox();
    EXPECT_EQ(CurrentMessageBox(), nullptr);
    EXPECT_TRUE(ProgressBoxCancelled());
    ShowProgressBox({"Again"});
    EXPECT_FALSE(ProgressBoxCancelled());
}

TEST_F(MessageBoxTest, CoreBoxesGoThroughTheWindowedServices) {
    TQtUiServices services;
    test::WhenModalShown driver([](QWidget& box) {
        EXPECT_EQ(MemoLines(box), QStringList{"Disk full"});
        EXPECT_TRUE(box.findChild<QLabel*>("IError")->isVisible());
    });
    Ui().ShowErrorBox("Disk full");
    EXPECT_TRUE(driver.Ran());

    TQnInfos infos;
    infos.Add(TQnInfo("Price too low", {"Brand SOLO: the price is below the unit cost."}));
    test::WhenModalShown list([](QWidget& dialog) {
        EXPECT_EQ(dialog.objectName(), "FoQnInfo");
        EXPECT_EQ(dialog.findChild<QListWidget*>("LBHeadLine")->item(0)->text(), "Price too low");
    });
    Ui().ShowMessageList(infos, TQnInfoTexts{}, TAlignment::taLeftJustify);
    EXPECT_TRUE(list.Ran());
    EXPECT_EQ(Show(TMsgDlgType::mtWarning, mbOK | mbCancel, "Keyed", {0},
                   [](QWidget& box) { test::SaveScreenshot(box, "message_box_keyed"); }, "BBOk"),
              TModalResult::mrOk);
}

}  // namespace
}  // namespace cv
