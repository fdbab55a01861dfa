// The top of a user's action and the application's event delivery: what
// abandons an action is shown once, in the language file's words for an
// industry that does not read; nothing thrown in an event handler leaves the
// event loop; a modal dialog whose industry does not read closes.
#include "ui/user_action.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "core/base/errors.h"
#include "core/language/translator.h"
#include "tests/support/recording_ui.h"
#include "tests/ui/support/language_fixture.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

std::string TextSource(const std::string& name) {
    std::ifstream file(std::string(CV_TEXTS_DIR) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class UserActionTest : public ::testing::Test {
protected:
    UserActionTest() : language_({{"messages-actions.txt", TextSource("messages-actions.txt")}}, true) {}

    static std::string UnreadableText(const std::string& reason) {
        return "Part of your copy of the industry cannot be read: what you asked for cannot be shown.\n"
               "On the team page, with the industry closed, restore your copy from a backup (File, Restore) or take "
               "the industry from your instructor again (File, Take the instructor's industry).\n"
               "What does not read: " +
               reason;
    }

    // A dialog with one button whose click runs Clicked.
    struct TButtonDialog {
        explicit TButtonDialog(const std::function<void()>& clicked) : button(&dialog) {
            button.setObjectName(QStringLiteral("Act"));
            QObject::connect(&button, &QPushButton::clicked, &dialog, clicked);
        }
        // Runs the dialog modally and clicks its button once it is shown;
        // whether the dialog was still shown after the click.
        bool StaysAfterClick() {
            bool stays = false;
            test::WhenModalShown click([this, &stays](QWidget&) {
                QTest::mouseClick(&button, Qt::LeftButton);
                stays = dialog.isVisible();
            });
            dialog.exec();
            return stays;
        }
        QDialog dialog;
        QPushButton button;
    };

    test::LanguageFixture language_;
    test::RecordingUi ui_;
};

// What each kind of error shows at the top of an action.
struct TReportCase {
    const char* name;
    std::function<void()> fail;
    std::vector<std::string> messages;
    std::vector<std::string> errorBoxes;
};

TEST_F(UserActionTest, EachKindOfErrorShowsItsOwnMessage) {
    const std::vector<TReportCase> cases = {
        {"data", [] { throw EDataError("array Economics missing in the constant part, zone 1"); },
         {UnreadableText("array Economics missing in the constant part, zone 1")}, {}},
        {"model", [] { throw EModelError("array PosSemIPs missing"); }, {UnreadableText("array PosSemIPs missing")}, {}},
        {"range", [] { throw ERangeError("Range check error"); }, {}, {"Range check error"}},
        {"silent", [] { throw ESilentAbort(); }, {}, {}},
        {"unforeseen", [] { throw 1; }, {"ActionStopped"}, {}},
    };
    for (const TReportCase& c : cases) {
        ui_.messageBoxes.clear();
        ui_.errorBoxes.clear();
        EXPECT_FALSE(RunUserAction(c.fail)) << c.name;
        EXPECT_EQ(test::BoxKeys(ui_), c.messages) << c.name;
        EXPECT_EQ(ui_.errorBoxes, c.errorBoxes) << c.name;
    }
    EXPECT_TRUE(RunUserAction([] {}));
    EXPECT_THROW(RunUserAction([] { throw EFatalStop("stop"); }), EFatalStop);
}

// The action goes on after a step fails and fails again: its first failure
// is its one message. The next action shows its own.
TEST_F(UserActionTest, AnActionShowsOneMessageHoweverManyOfItsStepsFail) {
    EXPECT_FALSE(RunUserAction([] {
        RunUserAction([] { throw EDataError("array FFXRpt missing"); });
        RunUserAction([] { throw ERangeError("Range check error"); });
        throw EDataError("array XFMLinks missing");
    }));
    EXPECT_EQ(test::BoxKeys(ui_), std::vector<std::string>{UnreadableText("array FFXRpt missing")});
    EXPECT_TRUE(ui_.errorBoxes.empty());
    RunUserAction([] { throw EDataError("array XFMLinks missing"); });
    EXPECT_EQ(test::MessagesShown(ui_), 2u);
}

TEST_F(UserActionTest, WhatAFailedActionLeftIsPutBackBeforeTheMessage) {
    bool undone = false;
    bool undoneWhileShown = false;
    ui_.whileBoxShown = [&](const test::RecordingUi::MessageBoxCall&) { undoneWhileShown = undone; };
    EXPECT_TRUE(RunUserAction([] {}, [&] { undone = true; }));
    EXPECT_FALSE(undone);
    EXPECT_FALSE(RunUserAction([] { throw EDataError("array FFXRpt missing"); }, [&] { undone = true; }));
    EXPECT_TRUE(undoneWhileShown);
}

// A dialog whose step does not read closes, or, while it is being built,
// lets the error go on to its opener; another error leaves it as it is.
TEST_F(UserActionTest, ADialogWhoseIndustryDoesNotReadCloses) {
    QDialog building;
    EXPECT_THROW(RunUserAction([] { throw EDataError("array FFXRpt missing"); }, &building), EDataError);
    EXPECT_FALSE(RunUserAction([] { throw ERangeError("Range check error"); }, &building));
    EXPECT_EQ(ui_.errorBoxes, std::vector<std::string>{"Range check error"});

    TButtonDialog shown([&] { RunUserAction([] { throw EDataError("array FFXRpt missing"); }, &shown.dialog); });
    EXPECT_FALSE(shown.StaysAfterClick());
    EXPECT_EQ(test::BoxKeys(ui_), std::vector<std::string>{UnreadableText("array FFXRpt missing")});
}

// What a handler lets out is reported by the application's event delivery;
// the modal dialog whose industry does not read closes, and one whose handler
// failed otherwise stays.
TEST_F(UserActionTest, NothingThrownInAnEventHandlerLeavesTheEventLoop) {
    TButtonDialog unreadable([] { throw EDataError("array FFXRpt missing"); });
    EXPECT_FALSE(unreadable.StaysAfterClick());
    EXPECT_EQ(test::BoxKeys(ui_), std::vector<std::string>{UnreadableText("array FFXRpt missing")});
    TButtonDialog failing([] { throw ERangeError("Range check error"); });
    EXPECT_TRUE(failing.StaysAfterClick());
    EXPECT_EQ(ui_.errorBoxes, std::vector<std::string>{"Range check error"});
}

// A window that an action opens runs actions of its own. Its industry not
// reading counts for the action that opened it, which shows nothing more
// once the window has closed; another error in the window does not.
TEST_F(UserActionTest, AWindowCountsItsUnreadableIndustryForTheActionThatOpenedIt) {
    TButtonDialog unreadable([] { throw EDataError("array FFXRpt missing"); });
    EXPECT_FALSE(RunUserAction([&] {
        unreadable.StaysAfterClick();
        throw EDataError("array XFMLinks missing");
    }));
    EXPECT_EQ(test::BoxKeys(ui_), std::vector<std::string>{UnreadableText("array FFXRpt missing")});

    TButtonDialog failing([] { throw ERangeError("Range check error"); });
    EXPECT_FALSE(RunUserAction([&] {
        failing.StaysAfterClick();
        throw EDataError("array XFMLinks missing");
    }));
    EXPECT_EQ(ui_.errorBoxes, std::vector<std::string>{"Range check error"});
    EXPECT_EQ(test::BoxKeys(ui_).back(), UnreadableText("array XFMLinks missing"));
}

TEST_F(UserActionTest, TheFatalStopEndsTheEventLoop) {
    QTimer::singleShot(0, [] { throw EFatalStop("SumSubArray not implemented for nDim=3"); });
    EXPECT_EQ(QApplication::exec(), kFatalStopExitCode);
    EXPECT_EQ(test::MessagesShown(ui_), 0u);
}

// Without the language file the key stands for the text, with what does not read.
TEST(UserActionWithoutTextsTest, TheMessageStillNamesWhatDoesNotRead) {
    ASSERT_EQ(Translator, nullptr);
    test::RecordingUi ui;
    RunUserAction([] { throw EDataError("array FFXRpt missing"); });
    EXPECT_EQ(test::BoxKeys(ui), std::vector<std::string>{"UnreadableIndustry\narray FFXRpt missing"});
}

}  // namespace
}  // namespace cv
