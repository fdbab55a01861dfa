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
#include <functional>

#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

// Runs Inspect on the list dialog once its modal loop runs (see WhenModalShown).
test::WhenModalShown WhenShown(std::function<void(TFoQnInfo&)> inspect) {
    return test::WhenModalShown([inspect](QWidget& window) { inspect(dynamic_cast<TFoQnInfo&>(window)); });
}

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
    EXPECT_EQ(test::Child<QLabel>(plain, "LHeadLine").text(), "Message Titles");
    EXPECT_EQ(test::Child<QListWidget>(plain, "LBHeadLine").toolTip(),
              "Click on a message title to have its details in the box below");
    EXPECT_EQ(test::Child<QLabel>(plain, "LMMsg").text(), "Message details");
    EXPECT_EQ(test::Child<QPushButton>(plain, "hlsbOk").text(), "OK");
    EXPECT_EQ(plain.SelectedIndex(), -1);

    // cp1252 bytes: 0x80 is the euro sign, 0xE9 e acute.
    TQnInfoTexts texts;
    texts.InfoTitle = "Corvantis3 - Budget \x80";
    texts.InfoHeadLabel = "Probl\xE8mes";
    TFoQnInfo partial(texts);
    EXPECT_EQ(partial.windowTitle(), QString::fromUtf8("Corvantis3 - Budget \u20AC"));
    EXPECT_EQ(test::Child<QLabel>(partial, "LHeadLine").text(), QString::fromUtf8("Probl\u00E8mes"));
    EXPECT_EQ(test::Child<QLabel>(partial, "LMMsg").text(), "Message details");

    texts.InfoListHint = "Pick";
    texts.InfoDetailLabel = "Details";
    texts.InfoOkCaption = "Close";
    TFoQnInfo full(texts);
    EXPECT_EQ(test::Child<QListWidget>(full, "LBHeadLine").toolTip(), "Pick");
    EXPECT_EQ(test::Child<QLabel>(full, "LMMsg").text(), "Details");
    EXPECT_EQ(test::Child<QPushButton>(full, "hlsbOk").text(), "Close");
}

TEST(FoQnInfo, SelectingAHeadlineShowsItsDetailsInTheAlignment) {
    TQnInfos items;
    items.Add(TQnInfo("First", {"one", "two"}));
    items.Add(TQnInfo("Second \x80", {"only \xE9"}));
    items.Add(TQnInfo("Headline alone", {}));

    const auto driver = WhenShown([](TFoQnInfo& dialog) {
        auto* list = &test::Child<QListWidget>(dialog, "LBHeadLine");
        auto* memo = &test::Child<QTextEdit>(dialog, "MMsg");
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
        QTest::mouseClick(&test::Child<QPushButton>(dialog, "hlsbOk"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    TFoQnInfo dialog(TQnInfoTexts{});
    EXPECT_EQ(dialog.Execute(items, TAlignment::taCenter), QDialog::Accepted);
    EXPECT_TRUE(driver.Ran());
}

TEST(FoQnInfo, LongDetailsGetAVerticalScrollBar) {
    std::vector<std::string> manyLines;
    for (int line = 1; line <= 60; ++line) manyLines.push_back("Detail line " + std::to_string(line));
    TQnInfos items;
    items.Add(TQnInfo("Short", {"one line"}));
    items.Add(TQnInfo("Long", manyLines));

    const auto driver = WhenShown([](TFoQnInfo& dialog) {
        auto* list = &test::Child<QListWidget>(dialog, "LBHeadLine");
        auto* memo = &test::Child<QTextEdit>(dialog, "MMsg");
        ASSERT_TRUE(list && memo);
        QApplication::processEvents();
        EXPECT_FALSE(memo->verticalScrollBar()->isVisible());
        ClickRow(list, 1);
        QApplication::processEvents();
        EXPECT_TRUE(memo->verticalScrollBar()->isVisible());
        EXPECT_FALSE(memo->horizontalScrollBar()->isVisible());
        // The left alignment is the default of the callers.
        EXPECT_EQ(memo->document()->begin().blockFormat().alignment(), Qt::AlignLeft);
    });
    ShowInfoListDialog(nullptr, items, TQnInfoTexts{}, TAlignment::taLeftJustify);
    EXPECT_TRUE(driver.Ran());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(FoQnInfo, TheDialogTakesItsTextsAndFreesItselfAfterwards) {
    QWidget owner;
    TQnInfos items;
    items.Add(TQnInfo("Only", {"detail"}));
    TQnInfoTexts texts;
    texts.InfoTitle = "Corvantis3 - Warnings";
    texts.InfoOkCaption = "Close";

    const auto driver = WhenShown([&owner](TFoQnInfo& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &owner);
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.windowTitle(), "Corvantis3 - Warnings");
        EXPECT_EQ(test::Child<QPushButton>(dialog, "hlsbOk").text(), "Close");
    });
    ShowInfoListDialog(&owner, items, texts, TAlignment::taRightJustify);
    EXPECT_TRUE(driver.Ran());
    EXPECT_TRUE(owner.findChildren<TFoQnInfo*>().isEmpty());

    // An empty list shows no dialog.
    ShowInfoListDialog(&owner, TQnInfos{}, texts, TAlignment::taLeftJustify);
    EXPECT_TRUE(owner.findChildren<TFoQnInfo*>().isEmpty());
}

// OK is a button like the message box's, not a flat underlined caption in
// the link colour with a pointing hand, which reads as a web link.
TEST(FoQnInfo, SmallScreenOkLooksLikeAButton) {
    TQnInfos items;
    items.Add(TQnInfo("Only", {"detail"}));
    const auto driver = WhenShown([](TFoQnInfo& dialog) {
        const auto& ok = test::Child<QPushButton>(dialog, "hlsbOk");
        EXPECT_TRUE(ok.isVisible());
        EXPECT_FALSE(ok.isFlat());
        EXPECT_FALSE(ok.font().underline());
        EXPECT_NE(ok.cursor().shape(), Qt::PointingHandCursor);
        EXPECT_NE(ok.palette().color(QPalette::ButtonText), ok.palette().color(QPalette::Link));
        EXPECT_TRUE(ok.isDefault());
    });
    ShowInfoListDialog(nullptr, items, TQnInfoTexts{}, TAlignment::taLeftJustify);
    EXPECT_TRUE(driver.Ran());
}

}  // namespace
}  // namespace cv
