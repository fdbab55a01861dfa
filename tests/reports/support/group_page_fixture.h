#pragma once
// A group page (results, newsletter) of the started program on the sample
// industry, with the helpers its tests share: restricting an item of
// the page's restriction category, choosing a menu item and reading the
// remembered one.

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <cstdint>
#include <functional>
#include <string>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "shell/selector/cv_bar.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/painted_texts.h"
#include "tests/ui/support/window_test.h"
#include "ui/help_state.h"

namespace cv::test {

template <class Page>
class GroupPageTest : public ResultsTest {
protected:
    // RestrictionCategory: the element of the page's category in the
    // restriction words (an entry of the series-index table).
    explicit GroupPageTest(const std::int8_t& restrictionCategory)
        : page(Main().template findChild<Page*>()), category_(restrictionCategory) {
        Main().RefreshAll();
    }
    // The page stays in the main window to the end.
    QWidget* ShownWindow() override { return &Main(); }
    // Sets the bit of the category's Item in "RestrictEnabled" or "RestrictHidden".
    void Restrict(const char* arrayName, std::int8_t item) {
        TSimArr* words = Session->Industry()->ConstPart().FindSimArr(kCategoryIndustry, TDataContext{}, arrayName);
        ASSERT_NE(words, nullptr);
        words->SetWord({category_}, words->GetWord({category_}) | (1u << (item - 1)));
    }
    void Choose(const char* name) { page->Item(name)->trigger(); }
    std::string Remembered() const {
        QAction* item = page->RememberedItem();
        return item ? item->objectName().toStdString() : std::string();
    }
    // The Disabled menu items and groups are disabled, the Hidden ones
    // invisible too; Visible stays in view.
    void ExpectRestricted(std::initializer_list<const char*> disabled, std::initializer_list<const char*> hidden,
                          const char* visible) {
        for (const char* item : disabled) EXPECT_FALSE(page->Item(item)->isEnabled()) << item;
        for (const char* item : hidden) EXPECT_FALSE(page->Item(item)->isVisible()) << item;
        EXPECT_TRUE(page->Item(visible)->isVisible());
    }
    // A menu item and what Shown reads with the sample's first zone on the bar.
    struct TZoneNamed {
        const char* item;
        const char* north;
    };
    // For each case: chooses its item with the sample's first zone on the bar,
    // then clicks the second: Shown reads North, which names the zone "NORTH",
    // then the same with "SOUTH"; a screenshot of the second, named Screenshot
    // and the item.
    void ExpectEachZoneNamed(std::initializer_list<TZoneNamed> cases, const std::function<std::string()>& shown,
                             const std::string& screenshot) {
        for (const TZoneNamed& c : cases) {
            ChooseZoneOnBar(1);
            Choose(c.item);
            QTRY_COMPARE(shown(), std::string(c.north)) << c.item << " shows " << shown();
            ChooseZoneOnBar(2);
            std::string south = c.north;
            south.replace(south.find("NORTH"), 5, "SOUTH");
            QTRY_COMPARE(shown(), south) << c.item << " shows " << shown();
            EXPECT_EQ(page->Data.SelFta, 2) << c.item;
            QApplication::processEvents();
            SaveScreenshot(Main(), screenshot + c.item);
        }
    }
    // Period on the bar's spin field, as the user sets it.
    void ChoosePeriod(int period) { ChoosePeriodOnBar(period); }
    // Chooses each item: only those marked let the market be chosen; the
    // period and the zone always can, the firm never (the team reads about
    // its own firm).
    void ExpectMarketChoice(std::initializer_list<std::pair<const char*, bool>> items) {
        const TCvInd& industry = *Session->Industry();
        for (const auto& [item, marketChosen] : items) {
            Choose(item);
            EXPECT_EQ(page->Selectors.Mkt.Mode, marketChosen ? 2 : 0) << item;
            EXPECT_EQ(CvBar->IsGroupActive(industry.MktSeries()->Name()), marketChosen) << item;
            EXPECT_TRUE(CvBar->IsGroupActive(industry.PerSeries()->Name())) << item;
            EXPECT_TRUE(CvBar->IsGroupActive(industry.FtaSeries()->Name())) << item;
            EXPECT_FALSE(CvBar->IsGroupActive(industry.FirSeries()->Name())) << item;
        }
    }
    // What every page of the kind shows once activated: the previous and next
    // page buttons, its help context and its menu bar.
    void ExpectPageShown(int helpContext, const char* menuBar) {
        EXPECT_EQ(HelpState().HelpContext, helpContext);
        EXPECT_TRUE(Main().ToolButton(6)->isVisible());
        EXPECT_TRUE(Main().ToolButton(7)->isVisible());
        EXPECT_EQ(page->PageMenuBar()->objectName(), menuBar);
    }

    // Clicks tool button Number of the main window (6 previous page, 7 next
    // page, 1 print), as the user does, once it is shown and usable.
    void ClickToolButton(int number) {
        QToolButton* button = Main().ToolButton(number);
        QTRY_VERIFY(button->isVisible() && button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // The page shown: the next-page button steps from the remembered item to
    // another one and shows it; the previous-page button steps back; after a
    // menu choice they step from the chosen item. A screenshot after each step.
    void ExpectPageButtonsStepThroughTheMenu(const char* chosen, const std::string& screenshot) {
        Main().ShowPage(page);
        const std::string first = Remembered();
        ASSERT_FALSE(first.empty());
        ClickToolButton(7);
        QTRY_VERIFY(Remembered() != first);
        const std::string second = Remembered();
        EXPECT_FALSE(page->Display().IsEmpty()) << second;
        SaveScreenshot(Main(), screenshot + "_Next");
        ClickToolButton(6);
        QTRY_COMPARE(Remembered(), first);
        EXPECT_FALSE(page->Display().IsEmpty());
        Choose(chosen);
        ClickToolButton(7);
        QTRY_VERIFY(Remembered() != std::string(chosen));
        ClickToolButton(6);
        QTRY_COMPARE(Remembered(), std::string(chosen));
        EXPECT_FALSE(page->Display().IsEmpty());
        SaveScreenshot(Main(), screenshot + "_AfterAChoice");
    }

    // Chooses each item: the page shows a table, and paints the text of every
    // cell of its tables that lies in view, whole.
    void ExpectEachItemPaintsItsCells(std::initializer_list<const char*> items) {
        for (const char* item : items) {
            Choose(item);
            const ShownTables shown = PaintShownTables(*page);
            EXPECT_GE(shown.tables, 1) << item;
            EXPECT_GT(shown.textCells, 0) << item;
            EXPECT_TRUE(shown.unpainted.isEmpty()) << item << ": " << shown.unpainted.join(" | ").toStdString();
            EXPECT_TRUE(shown.cut.isEmpty()) << item << " cuts " << shown.cut.join(" | ").toStdString();
        }
    }

    Page* page = nullptr;

private:
    const std::int8_t& category_;
};

}  // namespace cv::test
