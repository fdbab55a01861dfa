#include "ui/qn_form.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "tests/ui/support/language_fixture.h"
#include "core/base/errors.h"
#include "ui/bar_colors.h"
#include "ui/cv3_speed_button.h"
#include "ui/platform_color.h"
#include "ui/qn_tab_set.h"

namespace cv {
namespace {

// A window as the program builds them: controls first, then translated.
class TFoSample : public TQNForm {
public:
    TFoSample() {
        setObjectName("FoSample");
        setWindowTitle("design title");
        label = new QLabel("design label", this);
        label->setObjectName("labSample");
        TranslateForm();
    }
    QLabel* label;
};

TEST(QNFormTest, TakesItsTextsFromTheLanguageFileOnlyOnceATranslatorExists) {
    const TFoSample before;
    EXPECT_EQ(before.windowTitle(), "design title");
    EXPECT_EQ(before.label->text(), "design label");

    test::LanguageFixture language({{"controls.txt", "[FoSample]\nSample window\n[labSample]\nPrice\nThe unit price\n"}},
                                   true);
    const TFoSample after;
    EXPECT_EQ(after.windowTitle(), "Sample window");
    EXPECT_EQ(after.label->text(), "Price");
    EXPECT_EQ(after.label->toolTip(), "The unit price");
    EXPECT_TRUE(after.toolTip().isEmpty());  // a one-line entry sets only the caption
}

TEST(QNFormTest, UsesArialEightBoldInPixelsWhateverTheScreenTextSize) {
    const TFoSample form;
    EXPECT_EQ(form.font().family(), "Arial");
    EXPECT_TRUE(form.font().bold());
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(form.label->font().pixelSize(), 11);
}

TEST(QNFormTest, EscapeClosesADialogButNotAPageOrTheMainWindow) {
    TQNForm mainWindow(nullptr, Qt::Window);
    auto* page = new TQNForm(&mainWindow, Qt::Widget);
    TQNForm dialog;
    mainWindow.show();
    dialog.show();
    EXPECT_FALSE(page->isWindow());
    ASSERT_TRUE(page->isVisible());
    QTest::keyClick(page, Qt::Key_Escape);
    QTest::keyClick(&mainWindow, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_FALSE(dialog.isVisible());
}

TEST(QNFormTest, PageButtonForgetsADestroyedPageAndWritesInGreen) {
    TCv3SpBtn button;
    EXPECT_EQ(button.AssociatedForm(), nullptr);
    EXPECT_EQ(button.palette().color(QPalette::ButtonText), QColor(0, 0x80, 0));
    {
        QWidget page;
        button.SetAssociatedForm(&page);
        EXPECT_EQ(button.AssociatedForm(), &page);
    }
    EXPECT_EQ(button.AssociatedForm(), nullptr);
}

TEST(QNFormTest, TabSetReportsALeftDoubleClickOnlyThroughOnDblClick) {
    TQNTabSet tabs;
    tabs.addTab("Project 1");
    tabs.addTab("Project 2");
    tabs.resize(300, 30);
    QSignalSpy doubleClicks(&tabs, &TQNTabSet::OnDblClick);
    QSignalSpy platformDoubleClicks(&tabs, &QTabBar::tabBarDoubleClicked);
    const QPoint secondTab = tabs.tabRect(1).center();
    // A double click ends as a person's does, with the button let go: the
    // test's double click alone leaves it held for the tests after it.
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        QTest::mouseDClick(&tabs, button, {}, secondTab);
        QTest::mouseRelease(&tabs, button, {}, secondTab);
    }
    EXPECT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(platformDoubleClicks.count(), 0);
}

// Entries 3, 6, 9, 10, 11 and 13 hold a half-intensity component: 0x7F in
// column A, 0x80 in column B; every other entry is the same in both.
TEST(BarColorsTest, HalfIntensityEntriesDifferBetweenTheColumnsAndNumbersOutsideAreRefused) {
    for (int number = 1; number <= kBarColorCount; ++number) {
        const bool half = number == 3 || number == 6 || number == 9 || number == 10 || number == 11 || number == 13;
        EXPECT_EQ(BarColor(number).ColorA != BarColor(number).ColorB, half) << number;
    }
    EXPECT_STREQ(BarColor(14).Name, "Black");
    EXPECT_EQ(BarColor(14).ColorA, 0u);
    EXPECT_EQ(BarColor(14).ColorB, 0u);
    EXPECT_EQ(PlatformColor(BarColor(1).ColorB), QColor(Qt::red));   // 0x0000FF: red in the low byte
    EXPECT_EQ(PlatformColor(BarColor(11).ColorB), QColor(0, 0, 0x80));  // navy
    EXPECT_THROW(BarColor(0), ERangeError);
    EXPECT_THROW(BarColor(15), ERangeError);
}

}  // namespace
}  // namespace cv
