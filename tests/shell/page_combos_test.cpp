#include "shell/page_window.h"

#include <QMenu>
#include <gtest/gtest.h>

#include "tests/ui/support/language_fixture.h"

namespace cv::test {
namespace {

// A screen that counts how often it is built again after its first build.
class CountingScreen final : public TCVScreen {
public:
    CountingScreen(QWidget* owner, const TDataContext& context, int& rebuilds)
        : TCVScreen(owner, context, kWindowLayout), rebuilds_(rebuilds) {}
    void Build(const TDataContext& context) override {
        if (built_) ++rebuilds_;
        built_ = true;
        TCVScreen::Build(context);
    }

private:
    int& rebuilds_;
    bool built_ = false;
};

// A page that shows a counting screen.
class CountingPage : public TFoCv3Mod {
public:
    CountingPage() : TFoCv3Mod(nullptr, QStringLiteral("FoCounting")) {
        item = AddMenuItem(AddMenu(QStringLiteral("MPView"), QStringLiteral("View")), QStringLiteral("MPOne"),
                           QStringLiteral("One"));
        RegisterPage(item);
        resize(600, 400);
        Display().Show(TCVScreen::Create<CountingScreen>(this, Data, rebuilds));
    }

    QAction* item;
    int rebuilds = 0;
};

class PageCombosTest : public ::testing::Test {
protected:
    LanguageFixture texts{{{"series.txt", "[UorV]\nUnits\nValue\n[Evol]\nEvolution\nOne period\nBoth\n"}}, true};
    CountingPage page;
};

TEST_F(PageCombosTest, AddListComboLoadsTheLinesAndKeepsTheChoice) {
    page.Data.UnitsOrValue = 2;
    QComboBox* combo = page.Combos().AddListCombo(QStringLiteral("Show"), 2, page.Data.UnitsOrValue, {"UorV", 1, 2});
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), "Value");
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(page.Data.UnitsOrValue, 2);
    EXPECT_EQ(page.rebuilds, 0);
    // Middle position on a 600-wide page: left (600 + 8) / 2 = 304; "Value" is
    // 5 characters, 5 x 100 / 13 = 38, so the combo takes its least width, 100.
    EXPECT_EQ(combo->geometry().left(), 304);
    EXPECT_EQ(combo->width(), 100);
    EXPECT_EQ(page.Combos().Label(2)->geometry().right() + 1, 304 - 8);
}

TEST_F(PageCombosTest, AChoiceIsStoredInItsContextWordAndRebuildsTheDisplay) {
    page.Combos().AddListCombo(QStringLiteral("Show"), 3, page.Data.EvolChoice, {"Evol", 1, 3});
    page.Combos().Combo(3)->setCurrentIndex(2);
    EXPECT_EQ(page.Data.EvolChoice, 3);
    EXPECT_EQ(page.rebuilds, 1);
    EXPECT_EQ(page.Display().Screen()->Context().EvolChoice, 3);
}

TEST_F(PageCombosTest, RefillingWithTheSameEntryOnlyMovesTheSelection) {
    page.Combos().FillListCombo(1, 1, {"Evol", 2, 3});
    QComboBox* combo = page.Combos().Combo(1);
    ASSERT_EQ(combo->count(), 2);
    combo->setItemText(0, QStringLiteral("kept"));
    page.Combos().FillListCombo(1, 2, {"Evol", 2, 3});
    EXPECT_EQ(combo->itemText(0), "kept");
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(page.rebuilds, 0);
}

TEST_F(PageCombosTest, ChoosingAMenuItemHidesTheCombosAndSilencesThem) {
    page.show();
    page.Combos().AddListCombo(QStringLiteral("Show"), 1, page.Data.GraphOption, {"UorV", 1, 2});
    page.MenuItemClick(page.item);
    EXPECT_FALSE(page.Combos().Combo(1)->isVisible());
    EXPECT_FALSE(page.Combos().Label(1)->isVisible());
    page.Combos().Combo(1)->setCurrentIndex(1);
    EXPECT_EQ(page.rebuilds, 0);
    EXPECT_TRUE(page.item->isChecked());
}

}  // namespace
}  // namespace cv::test
