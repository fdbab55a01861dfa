#include "ui/fo_qn_info.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <functional>

namespace cv {
namespace {

constexpr int kWatchdogMs = 10000;

template <typename T>
T* Child(QWidget* dialog, const char* name) {
    T* child = dialog->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

TFoQnInfo* ShownDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<TFoQnInfo*>(widget); dialog && dialog->isVisible()) return dialog;
    }
    return nullptr;
}

// Runs Inspect on the dialog once its modal loop runs. Inspect may close it;
// otherwise it is closed afterwards, and a watchdog closes a dialog left open,
// so that a failed check never hangs the run. Timers die with the object.
class WhenShown {
public:
    explicit WhenShown(std::function<void(TFoQnInfo&)> inspect) {
        QTimer::singleShot(0, &context_, [inspect] {
            TFoQnInfo* dialog = ShownDialog();
            ASSERT_NE(dialog, nullptr);
            inspect(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        QTimer::singleShot(kWatchdogMs, &context_, [] {
            if (TFoQnInfo* dialog = ShownDialog()) {
                ADD_FAILURE() << "the dialog was left open";
                dialog->reject();
            }
        });
    }

private:
    QObject context_;
};

QStringList Rows(QListWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->count(); ++row) rows.append(list->item(row)->text());
    return rows;
}

void ClickRow(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

TEST(FoQnInfo, DesignTimeTextsStayWhereTheEntryGaveNone) {
    TFoQnInfo plain(TQnInfoTexts{});
    EXPECT_EQ(plain.windowTitle(), "Corvantis3");
    EXPECT_EQ(Child<QLabel>(&plain, "LHeadLine")->text(), "Message Titles");
    EXPECT_EQ(Child<QListWidget>(&plain, "LBHeadLine")->toolTip(),
              "Click on a message title to have its details in the box below");
    EXPECT_EQ(Child<QLabel>(&plain, "LMMsg")->text(), "Message details");
    EXPECT_EQ(Child<QPushButton>(&plain, "hlsbOk")->text(), "OK");
    EXPECT_EQ(plain.SelectedIndex(), -1);

    // cp1252 bytes: 0x80 is the euro sign, 0xE9 e acute.
    TQnInfoTexts texts;
    texts.InfoTitle = "Corvantis3 - Budget \x80";
    texts.InfoHeadLabel = "Probl\xE8mes";
    TFoQnInfo partial(texts);
    EXPECT_EQ(partial.windowTitle(), QString::fromUtf8("Corvantis3 - Budget \u20AC"));
    EXPECT_EQ(Child<QLabel>(&partial, "LHeadLine")->text(), QString::fromUtf8("Probl\u00E8mes"));
    EXPECT_EQ(Child<QLabel>(&partial, "LMMsg")->text(), "Message details");

    texts.InfoListHint = "Pick";
    texts.InfoDetailLabel = "Details";
    texts.InfoOkCaption = "Close";
    TFoQnInfo full(texts);
    EXPECT_EQ(Child<QListWidget>(&full, "LBHeadLine")->toolTip(), "Pick");
    EXPECT_EQ(Child<QLabel>(&full, "LMMsg")->text(), "Details");
    EXPECT_EQ(Child<QPushButton>(&full, "hlsbOk")->text(), "Close");
}

TEST(FoQnInfo, SelectingAHeadlineShowsItsDetailsInTheAlignment) {
    TQnInfos items;
    items.Add(TQnInfo("First", {"one", "two"}));
    items.Add(TQnInfo("Second \x80", {"only \xE9"}));
    items.Add(TQnInfo("Headline alone", {}));

    bool inspected = false;
    const WhenShown driver([&inspected](TFoQnInfo& dialog) {
        auto* list = Child<QListWidget>(&dialog, "LBHeadLine");
        auto* memo = Child<QTextEdit>(&dialog, "MMsg");
        ASSERT_TRUE(list && memo);
        EXPECT_EQ(Rows(list), (QStringList{"First", QString::fromUtf8("Second \u20AC"), "Headline alone"}));
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(dialog.SelectedIndex(), 0);
        EXPECT_EQ(memo->toPlainText(), "one\ntwo");
        for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
            EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignHCenter) << block.text().toStdString();
        }

        ClickRow(list, 1);
        EXPECT_EQ(dialog.SelectedIndex(), 1);
        EXPECT_EQ(memo->toPlainText(), QString::fromUtf8("only \u00E9"));
        EXPECT_EQ(memo->document()->begin().blockFormat().alignment(), Qt::AlignHCenter);

        // A message of one line has no details: the memo is empty.
        ClickRow(list, 2);
        EXPECT_EQ(dialog.SelectedIndex(), 2);
        EXPECT_TRUE(memo->toPlainText().isEmpty());

        ClickRow(list, 0);
        EXPECT_EQ(memo->toPlainText(), "one\ntwo");
        inspected = true;
        QTest::mouseClick(Child<QPushButton>(&dialog, "hlsbOk"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    TFoQnInfo dialog(TQnInfoTexts{});
    EXPECT_EQ(dialog.Execute(items, TAlignment::taCenter), QDialog::Accepted);
    EXPECT_TRUE(inspected);
}

TEST(FoQnInfo, LongDetailsGetAVerticalScrollBar) {
    std::vector<std::string> manyLines;
    for (int line = 1; line <= 60; ++line) manyLines.push_back("Detail line " + std::to_string(line));
    TQnInfos items;
    items.Add(TQnInfo("Short", {"one line"}));
    items.Add(TQnInfo("Long", manyLines));

    bool inspected = false;
    const WhenShown driver([&inspected](TFoQnInfo& dialog) {
        auto* list = Child<QListWidget>(&dialog, "LBHeadLine");
        auto* memo = Child<QTextEdit>(&dialog, "MMsg");
        ASSERT_TRUE(list && memo);
        QApplication::processEvents();
        EXPECT_FALSE(memo->verticalScrollBar()->isVisible());
        ClickRow(list, 1);
        QApplication::processEvents();
        EXPECT_TRUE(memo->verticalScrollBar()->isVisible());
        EXPECT_FALSE(memo->horizontalScrollBar()->isVisible());
        // The left alignment is the default of the callers.
        EXPECT_EQ(memo->document()->begin().blockFormat().alignment(), Qt::AlignLeft);
        inspected = true;
    });
    ShowInfoListDialog(nullptr, items, TQnInfoTexts{}, TAlignment::taLeftJustify);
    EXPECT_TRUE(inspected);
    EXPECT_EQ(ShownDialog(), nullptr);
}

TEST(FoQnInfo, TheDialogTakesItsTextsAndFreesItselfAfterwards) {
    QWidget owner;
    TQnInfos items;
    items.Add(TQnInfo("Only", {"detail"}));
    TQnInfoTexts texts;
    texts.InfoTitle = "Corvantis3 - Warnings";
    texts.InfoOkCaption = "Close";

    bool inspected = false;
    const WhenShown driver([&inspected, &owner](TFoQnInfo& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &owner);
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.windowTitle(), "Corvantis3 - Warnings");
        EXPECT_EQ(Child<QPushButton>(&dialog, "hlsbOk")->text(), "Close");
        inspected = true;
    });
    ShowInfoListDialog(&owner, items, texts, TAlignment::taRightJustify);
    EXPECT_TRUE(inspected);
    EXPECT_TRUE(owner.findChildren<TFoQnInfo*>().isEmpty());

    // An empty list shows no dialog.
    ShowInfoListDialog(&owner, TQnInfos{}, texts, TAlignment::taLeftJustify);
    EXPECT_TRUE(owner.findChildren<TFoQnInfo*>().isEmpty());
}

}  // namespace
}  // namespace cv
