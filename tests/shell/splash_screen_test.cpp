#include "shell/fo_splash_screen.h"

#include <QTextEdit>
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "shell/fo_simul.h"
#include "shell/program_start.h"
#include "tests/shell/support/program_root.h"
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

TEST_F(SplashScreenTest, ViewButtonsLaidOutAtTheBottomCentre) {
    TFoSplashScreen splash(nullptr, nullptr);
    const QSize screen = ScreenSize();
    // Two 173-wide buttons and a gap of 15 centred: left (W - 361) / 2; the
    // bottom row 3 pixels above the bottom, the row above it 4 pixels higher.
    const int left = (screen.width() - 361) / 2;
    const int bottomTop = screen.height() - 26 - 3;
    EXPECT_EQ(splash.findChild<QWidget*>("BBQuenor")->geometry(), QRect(left, bottomTop, 173, 26));
    EXPECT_EQ(splash.findChild<QWidget*>("BBTeam")->geometry(), QRect(left + 188, bottomTop, 173, 26));
    EXPECT_EQ(splash.findChild<QWidget*>("BBProgram")->geometry(), QRect(left, bottomTop - 30, 173, 26));
    EXPECT_EQ(splash.findChild<QWidget*>("btnOk")->geometry(),
              QRect(screen.width() - 89 - 2, bottomTop - 30, 89, 56));
}

TEST_F(SplashScreenTest, AMissingPictureLeavesItsImageEmpty) {
    std::filesystem::remove(root.RootPath() / "Binaries" / "SPLASH1.WMF");
    WhenModalShown about([](QWidget& window) {
        EXPECT_TRUE(window.findChild<QLabel*>("Image5")->pixmap().isNull());
    });
    windows.mainWindow->sbAboutClick();
    EXPECT_TRUE(about.Ran());
}

}  // namespace
}  // namespace cv::test
