// A page that shows a report table or a chart while a panel comes onto the
// screen and goes, and so the room the screen leaves the main window and its
// page area change: what the page shows is laid out as if it had been built
// for the new room, inside the page, and as it was once the room is back.

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "tests/app/support/program_with_industry.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/screen_panel.h"
#include "tests/ui/support/window_manager.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

// A dock's width, in pixels.
constexpr int kPanelWidth = 64;

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

void PrintTo(const TShownItem& shown, std::ostream* out) { *out << shown.pageButton << " " << shown.item; }

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
};

TEST_P(PageAreaChangeSmallScreen, WhatThePageShowsFollowsTheRoomAPanelLeaves) {
    if (!WindowManagerRuns()) GTEST_SKIP() << "only a window manager takes a panel's strip from the available area";
    TakeTheIndustry();
    const TShownItem shown = GetParam();
    TFoCv3Mod& page = ShowItem(shown);
    ASSERT_EQ(page.Display().Chart() != nullptr, shown.chart);
    ASSERT_EQ(page.Display().Screen() != nullptr, !shown.chart);
    const TPlaces built = ShownPlaces(page);
    const QSize pageSize = page.size();

    auto panel = std::make_unique<TScreenPanel>(kPanelWidth);
    QTRY_VERIFY(page.width() < pageSize.width());
    const TPlaces followed = ShownPlaces(page);
    ExpectInside(page, followed);
    SaveScreenshot(Main(), std::string("PageAreaChangeSmallScreen_") + shown.item);
    Choose(page, shown.item);
    EXPECT_EQ(followed, ShownPlaces(page)) << "followed:\n"
                                           << Describe(followed) << "built for the room:\n"
                                           << Describe(ShownPlaces(page));

    panel.reset();
    QTRY_COMPARE(page.size(), pageSize);
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
