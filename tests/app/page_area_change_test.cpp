// A page that shows a report table or a chart while the page area changes,
// as it does when the window manager's frame, and so the room the screen
// leaves the main window, changes: what the page shows is laid out as if it
// had been built for the new area, inside it, and as it was once the area is
// back.

#include <QAction>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "tests/app/support/program_with_industry.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

// Where each shown widget on the page lies, by class and name: the table's
// sheets, scroll bars and captions, the chart, the combos and their labels.
using TPlaces = std::map<std::string, QRect>;

TPlaces ShownPlaces(const TFoCv3Mod& page) {
    TPlaces places;
    for (const QWidget* child : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            places[std::string(child->metaObject()->className()) + " " + child->objectName().toStdString()] =
                child->geometry();
    return places;
}

std::string Describe(const TPlaces& places) {
    std::string text;
    for (const auto& [name, rect] : places)
        text += name + " at " + std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " +
                std::to_string(rect.width()) + "x" + std::to_string(rect.height()) + "\n";
    return text;
}

// Every place with room in it lies whole in the page.
void ExpectInside(const TFoCv3Mod& page, const TPlaces& places) {
    for (const auto& [name, rect] : places) {
        if (rect.isEmpty()) continue;
        EXPECT_TRUE(page.rect().contains(rect)) << name << " outside the page:\n" << Describe(places);
    }
}

struct TShownItem {
    const char* pageButton;
    const char* item;
    bool chart;  // the item shows a chart, not a report table
};

class PageAreaChangeSmallScreen : public ProgramWithSentIndustry, public ::testing::WithParamInterface<TShownItem> {
protected:
    TFoCv3Mod& ShowItem(const TShownItem& shown) {
        TFoCv3Mod& page = ShowPage(shown.pageButton);
        Choose(page, shown.item);
        return page;
    }
    static void Choose(TFoCv3Mod& page, const char* item) {
        QAction* action = page.findChild<QAction*>(item);
        EXPECT_NE(action, nullptr) << item;
        if (action) action->trigger();
    }
    // Lays the page area out where the main window puts it for a new room.
    void SetPageArea(const QRect& area) { Main().PageArea()->setGeometry(area); }
    // The page area cut by a quarter each way, as a frame that takes more room leaves it.
    static QRect SmallerPageArea(const QRect& area) {
        return {area.topLeft(), QSize(area.width() * 3 / 4, area.height() * 3 / 4)};
    }
};

TEST_P(PageAreaChangeSmallScreen, WhatThePageShowsFollowsTheArea) {
    TakeTheIndustry();
    const TShownItem shown = GetParam();
    TFoCv3Mod& page = ShowItem(shown);
    ASSERT_EQ(page.Display().Chart() != nullptr, shown.chart);
    ASSERT_EQ(page.Display().Screen() != nullptr, !shown.chart);
    const TPlaces built = ShownPlaces(page);
    const QRect area = Main().PageArea()->geometry();

    SetPageArea(SmallerPageArea(area));
    ASSERT_EQ(page.size(), SmallerPageArea(area).size());
    const TPlaces followed = ShownPlaces(page);
    ExpectInside(page, followed);
    SaveScreenshot(Main(), std::string("PageAreaChangeSmallScreen_") + shown.item);
    Choose(page, shown.item);
    EXPECT_EQ(followed, ShownPlaces(page)) << "followed:\n"
                                           << Describe(followed) << "built for the area:\n"
                                           << Describe(ShownPlaces(page));

    SetPageArea(area);
    EXPECT_EQ(ShownPlaces(page), built) << "given back:\n"
                                        << Describe(ShownPlaces(page)) << "built:\n"
                                        << Describe(built);
}

INSTANTIATE_TEST_SUITE_P(TablesAndCharts, PageAreaChangeSmallScreen,
                         ::testing::Values(TShownItem{"SpBResult", "MPFirSCard", false},
                                           TShownItem{"SpBGraph", "MPGrPerfMS", true},
                                           TShownItem{"SpBStudies", "MPStuMapGraph", true}),
                         [](const auto& info) { return std::string(info.param.item); });

}  // namespace
}  // namespace cv::test
