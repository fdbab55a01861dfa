#include "shell/splash_screen.h"

#include <QTextEdit>
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "team/team_page.h"
#include "app/program_start.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

using SplashScreenTest = StartedProgramTest;

TEST_F(SplashScreenTest, AboutWithoutIndustryShowsTheProgramPictureAndSwitchesViews) {
    WhenModalShown about([](QWidget& window) {
        auto& splash = dynamic_cast<TFoSplashScreen&>(window);
        const QWidget* image5 = splash.findChild<QWidget*>("Image5");
        EXPECT_TRUE(image5->isVisible());
        EXPECT_FALSE(splash.findChild<QWidget*>("Memo1")->isVisible());
        EXPECT_TRUE(splash.findChild<QWidget*>("Panel4")->isVisible());
        EXPECT_FALSE(splash.findChild<QWidget*>("Panel1")->isVisible());
        EXPECT_FALSE(splash.LastViewButton()->isEnabled());
        EXPECT_EQ(splash.LastViewButton()->objectName(), "BBProgram");
        // The picture is drawn at the image's size.
        ASSERT_FALSE(static_cast<const QLabel*>(image5)->pixmap().isNull());
        EXPECT_EQ(static_cast<const QLabel*>(image5)->pixmap().size(), image5->size());
        SaveScreenshot(splash, "about_window");
        splash.BBTeamClick();
        EXPECT_TRUE(splash.findChild<QWidget*>("Panel3")->isVisible());
        EXPECT_FALSE(splash.findChild<QWidget*>("Panel4")->isVisible());
        EXPECT_FALSE(splash.findChild<QWidget*>("BBTeam")->isEnabled());
        EXPECT_TRUE(splash.findChild<QWidget*>("BBProgram")->isEnabled());
    });
    windows.mainWindow->sbAboutClick();
    EXPECT_TRUE(about.Ran());
}

TEST_F(SplashScreenTest, AboutWithAnIndustryShowsTheInstructorsMessageInsteadOfThePicture) {
    root.OpenSampleIndustry();
    const TSeries lines(0, "CustLines", 1, {"1", "2", "3", "4", "5"});
    TSimArr& message = Session->Industry()->ConstPart().CreateSimArr(kCategoryIndustry, Main().PageArea()
                                                                         ->findChild<TFoSimul*>()->Data,
                                                                     "CustMsg", dkZts, 0, {&lines});
    message.SetZts({1}, "Welcome to the spring session");
    message.SetZts({3}, "Decisions are due on Friday");
    WhenModalShown about([](QWidget& window) {
        EXPECT_FALSE(window.findChild<QWidget*>("Image5")->isVisible());
        auto* memo = window.findChild<QTextEdit*>("Memo1");
        EXPECT_TRUE(memo->isVisible());
        // An empty line, then the five lines of the message, empty ones included.
        EXPECT_EQ(memo->toPlainText(), "\nWelcome to the spring session\n\nDecisions are due on Friday\n\n");
        SaveScreenshot(window, "about_window_with_message");
    });
    Main().sbAboutClick();
    EXPECT_TRUE(about.Ran());
}

// The sample holds no message of the instructor's ("CustMsg"), and a message
// of blank lines says nothing either: the program's picture stays.
TEST_F(SplashScreenTest, AboutWithAnIndustryWithoutAMessageKeepsThePicture) {
    root.OpenSampleIndustry();
    const TSeries lines(0, "CustLines", 1, {"1", "2", "3", "4", "5"});
    for (bool blankMessage : {false, true}) {
        if (blankMessage) {
            Session->Industry()->ConstPart().CreateSimArr(kCategoryIndustry, Main().PageArea()->findChild<TFoSimul*>()->Data,
                                                          "CustMsg", dkZts, 0, {&lines}).SetZts({2}, "  ");
        }
        WhenModalShown about([&](QWidget& window) {
            const auto* image5 = window.findChild<QLabel*>("Image5");
            EXPECT_TRUE(image5->isVisible()) << blankMessage;
            EXPECT_FALSE(image5->pixmap().isNull()) << blankMessage;
            EXPECT_FALSE(window.findChild<QWidget*>("Memo1")->isVisible()) << blankMessage;
        });
        Main().sbAboutClick();
        EXPECT_TRUE(about.Ran());
    }
}

// The about window fills the room the screen leaves beside the window
// manager's frame: its buttons stay in view, and their captions read as they
// are meant (no stray "*").
TEST_F(SplashScreenTest, SmallScreenAboutWindowFitsTheScreen) {
    WhenModalShown about([](QWidget& window) {
        ExpectFitsTheScreen(window, {"btnOk", "BBQuenor", "BBAuthors", "BBProgram", "BBTeam"});
        SaveScreenScreenshot("about_window_on_screen");
        for (const char* name : {"btnOk", "BBQuenor", "BBAuthors", "BBProgram", "BBTeam"})
            EXPECT_FALSE(Child<QPushButton>(window, name).text().contains(QLatin1Char('*'))) << name;
        EXPECT_EQ(Child<QPushButton>(window, "BBQuenor").text(), "About Quenor");
        // The program's picture is drawn at the size of its band.
        const auto& image5 = Child<QLabel>(window, "Image5");
        EXPECT_EQ(image5.pixmap().size(), image5.size());
    });
    windows.mainWindow->sbAboutClick();
    EXPECT_TRUE(about.Ran());
}

}  // namespace
}  // namespace cv::test
