#include "app/program_start.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <gtest/gtest.h>

#include "core/session/session.h"
#include "reports/pages/newsletter_page.h"
#include "decisions/page/decision_page.h"
#include "graphs/page/graph_page.h"
#include "graphs/studies_page/studies_page.h"
#include "reports/pages/results_page.h"
#include "team/team_page.h"
#include "shell/splash_screen.h"
#include "shell/bar_layout.h"
#include "tests/app/support/program_root.h"
#include "tests/support/dead_process.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/shown_title.h"
#include "tests/ui/support/window_manager.h"
#include "tests/ui/support/window_test.h"
#include "ui/screen_room.h"
#include "ui/cv3_speed_button.h"
#include "ui/help_state.h"

namespace cv::test {
namespace {

// Starts the program in Root, closing the splash once Inspect has seen it.
// The splash's screenshot goes under SplashShot, or else under the test's name.
TProgramWindows Start(ProgramRoot& root, std::function<void(QWidget&)> inspectSplash = [](QWidget&) {},
                      std::string splashShot = {}) {
    WhenModalShown splash(std::move(inspectSplash), std::move(splashShot));
    TProgramWindows windows = StartProgramWindows(root.Services());
    EXPECT_TRUE(splash.Ran());
    return windows;
}

TEST(ProgramStartSmallScreen, SplashThenTheBarLaidOutForTheScreenThenTheTeamPage) {
    ProgramRoot root;
    bool teamPageShownDuringSplash = true;
    TProgramWindows windows = Start(root, [&](QWidget& splash) {
        EXPECT_EQ(splash.objectName(), "FoSplashScreen");
        // The splash fills the room the screen leaves beside the window manager's frame.
        ExpectFitsTheScreen(splash, {"btnOk", "BBQuenor", "BBTeam"});
        EXPECT_EQ(splash.size(), RoomOnScreen(splash));
        // The team page is the current page already, but shown only once the splash closes.
        ASSERT_NE(TFoCv3Mod::Current(), nullptr);
        EXPECT_EQ(TFoCv3Mod::Current()->objectName(), "FoSimul");
        teamPageShownDuringSplash = TFoCv3Mod::Current()->isVisible();
        SaveScreenshot(splash, "splash");
    });
    ASSERT_TRUE(windows.mainWindow);
    EXPECT_FALSE(teamPageShownDuringSplash);
    TFoCv3Main& main = *windows.mainWindow;
    // The window fills the room beside the window manager's frame, and the
    // bar is laid out for that room (BarLayoutTest works the places out by
    // hand); without a window manager the room is the screen.
    ExpectFitsTheScreen(main);
    const QSize room = RoomOnScreen(main);
    if (!WindowManagerRuns()) {
        EXPECT_EQ(room, ScreenSize());
    }
    EXPECT_EQ(main.size(), room);
    const int barHeight = BarHeight(room);
    EXPECT_EQ(main.Bar()->geometry(), QRect(0, 0, room.width(), barHeight));
    EXPECT_EQ(main.PageArea()->geometry(), QRect(0, barHeight, room.width(), room.height() - barHeight));
    const std::map<std::string, QRect> places = BarLayout(room);
    for (const auto& [name, place] : places) {
        auto* control = main.Bar()->findChild<QWidget*>(QString::fromStdString(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->geometry(), place) << name;
    }
    // The selector bar, 23 high, keeps 2 pixels below it on the bar.
    EXPECT_EQ(main.Bar()->findChild<QWidget*>("pCv3Bar")->y(), barHeight - 23 - 2);
    // Tool buttons lent to a dialog come home to their places in the room.
    QWidget dialog;
    main.ShowToolButtonsOn({2, 4, 9}, {0, 0}, &dialog, 0, 0, false);
    main.RestoreToolButtons();
    for (const char* name : {"sbHelp", "sbConfig", "sbAbout"})
        EXPECT_EQ(main.Bar()->findChild<QWidget*>(name)->geometry(), places.at(name)) << name;
    EXPECT_EQ(TFoCv3Mod::Current(), windows.teamPage);
    EXPECT_TRUE(windows.teamPage->isVisible());
    // Only the team page's button can be used without an industry.
    for (const char* name : {"SpBDec", "SpBResult", "SpBNLetter", "SpBStudies", "SpBGraph"}) {
        auto* button = main.findChild<TCv3SpBtn*>(name);
        EXPECT_FALSE(button->isEnabled()) << name;
        // Disabled buttons are drawn grey, not in the page buttons' green.
        EXPECT_NE(button->palette().color(QPalette::Disabled, QPalette::ButtonText), QColor(0, 0x80, 0)) << name;
    }
    EXPECT_TRUE(main.TeamPageButton()->isEnabled());
    // The page shown has its button's caption in maroon (platform colour 0x000080).
    EXPECT_EQ(main.TeamPageButton()->palette().color(QPalette::Active, QPalette::ButtonText), QColor(0x80, 0, 0));
    for (const char* name : {"sbPrint", "SbCopyToClip", "sbPrevPage", "sbNextPage", "sbIsAdmin", "sbQuickHelp"})
        EXPECT_FALSE(main.findChild<QToolButton*>(name)->isVisible()) << name;
    SaveScreenshot(main, "main_window");
}

TEST(ProgramStart, CaptionIsTheProgramNameAndTheVersion) {
    ProgramRoot root;
    TProgramWindows windows = Start(root);
    // "Corvantis3 Team" (controls entry "FoCv3Main") and version 1.0.0.1 in its short form "1.00".
    EXPECT_EQ(windows.mainWindow->windowTitle(), "Corvantis3 Team 1.00");
    root.OpenSampleIndustry();
    windows.mainWindow->RefreshAll();
    EXPECT_EQ(windows.mainWindow->windowTitle(), "Corvantis3 Team 1.00 - SAMPLE.ind");
    // The frame shows the caption as it stands: the program's name once.
    EXPECT_EQ(ShownTitle(*windows.mainWindow).toStdString(), "Corvantis3 Team 1.00 - SAMPLE.ind");
}

TEST(ProgramStart, BringingToFrontRestoresAMinimisedMainWindow) {
    ProgramRoot root;
    TProgramWindows windows = Start(root);
    windows.mainWindow->showMinimized();
    BringToFront(*windows.mainWindow);
    EXPECT_FALSE(windows.mainWindow->isMinimized());
    EXPECT_TRUE(windows.mainWindow->isVisible());
}

TEST(ProgramStart, TeamPageFileMenuWithoutIndustry) {
    ProgramRoot root;
    // What a restore killed part-way left in the private directory goes.
    const std::filesystem::path left =
        root.RootPath() / "Private" / (".restore-" + std::to_string(DeadProcessId()) + "-a1B2c3");
    std::filesystem::create_directory(left);
    TProgramWindows windows = Start(root, [](QWidget&) {}, "splash");
    EXPECT_FALSE(std::filesystem::exists(left));
    const auto* file = windows.teamPage->findChild<QMenu*>("MPFile");
    ASSERT_NE(file, nullptr);
    std::vector<std::string> enabled;
    for (QAction* item : file->actions())
        if (!item->isSeparator() && item->isEnabled()) enabled.push_back(item->objectName().toStdString());
    EXPECT_EQ(enabled, (std::vector<std::string>{"MPTeamOpenInd", "MPRestore", "MPTransferFromAdm"}));
    EXPECT_FALSE(windows.teamPage->findChild<QMenu*>("MPFinances")->menuAction()->isEnabled());
    EXPECT_EQ(HelpState().HelpContext, TFoSimul::kHelpContextPage);
    SaveScreenshotOfRunningTest(*windows.mainWindow);
    auto* fileMenu = windows.teamPage->findChild<QMenu*>("MPFile");
    fileMenu->popup(windows.teamPage->mapToGlobal(QPoint(0, windows.teamPage->PageMenuBar()->height())));
    SaveScreenshot(*fileMenu, "team_page_file_menu");
    fileMenu->close();
}

TEST(ProgramStart, MissingPicturesLeaveEmptyImagesAndShowNoBox) {
    ProgramRoot root;
    for (const char* picture : {"MAINNIND.WMF", "SPLASH.WMF", "SPLASH1.WMF"})
        std::filesystem::remove(root.RootPath() / "Binaries" / picture);
    TProgramWindows windows = Start(root);
    windows.teamPage->repaint();
    ASSERT_NE(windows.teamPage->Image(), nullptr);
    EXPECT_TRUE(windows.teamPage->Image()->pixmap().isNull());
    // The about window's picture too.
    WhenModalShown about([](QWidget& window) { EXPECT_TRUE(window.findChild<QLabel*>("Image5")->pixmap().isNull()); });
    windows.mainWindow->sbAboutClick();
    EXPECT_TRUE(about.Ran());
    EXPECT_TRUE(root.ui.messageBoxes.empty());
    EXPECT_TRUE(root.ui.errorBoxes.empty());
    EXPECT_TRUE(root.ui.plainBoxes.empty());
}

TEST(ProgramStart, ExecutableNamedLikeASiblingProgramStartsNothing) {
    ProgramRoot root("cv3adm");
    TProgramWindows windows = StartProgramWindows(root.Services());
    EXPECT_FALSE(windows.mainWindow);
    EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"Software compiled with incorrect options !!!"});
    for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
}

// The program start creates every page, numbered in its order, and gives each
// page button its page: with the sample open the results button shows the
// results page.
TEST(ProgramStart, EveryPageIsCreatedInItsWindowNumberOrder) {
    ProgramRoot root;
    TProgramWindows windows = StartProgramPastSplash(root.Services());
    ASSERT_TRUE(windows.mainWindow);
    TFoCv3Main& main = *windows.mainWindow;
    auto* decisions = main.findChild<TFoDecision*>(QStringLiteral("FoDecision"));
    auto* results = main.findChild<TFoResult*>(QStringLiteral("FoResult"));
    auto* newsletter = main.findChild<TFoNLetter*>(QStringLiteral("FoNLetter"));
    ASSERT_NE(decisions, nullptr);
    ASSERT_NE(results, nullptr);
    ASSERT_NE(newsletter, nullptr);
    EXPECT_EQ(decisions->WindowNumber(), 1);
    EXPECT_EQ(results->WindowNumber(), 2);
    EXPECT_EQ(newsletter->WindowNumber(), 3);
    auto* studies = main.findChild<TFoMStudies*>(QStringLiteral("FoMStudies"));
    ASSERT_NE(studies, nullptr);
    EXPECT_EQ(studies->WindowNumber(), 4);
    auto* graphs = main.findChild<TFoGraph*>(QStringLiteral("FoGraph"));
    ASSERT_NE(graphs, nullptr);
    EXPECT_EQ(graphs->WindowNumber(), 5);
    EXPECT_EQ(windows.teamPage->WindowNumber(), 6);
    EXPECT_EQ(TFoCv3Mod::Current(), windows.teamPage);
    root.OpenSampleIndustry();
    main.RefreshAll();
    main.findChild<TCv3SpBtn*>(QStringLiteral("SpBResult"))->click();
    EXPECT_EQ(TFoCv3Mod::Current(), results);
    EXPECT_EQ(main.PageArea()->currentWidget(), results);
    main.findChild<TCv3SpBtn*>(QStringLiteral("SpBStudies"))->click();
    EXPECT_EQ(TFoCv3Mod::Current(), studies);
}

TEST(ProgramStart, ExecutableOutsideBinariesWarnsAndRunsFromItsOwnDirectory) {
    ProgramRoot root;
    const std::filesystem::path elsewhere = root.RootPath() / "Programs";
    std::filesystem::create_directories(elsewhere);
    std::filesystem::copy(std::filesystem::path(root.Exe()).parent_path(), elsewhere,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks);
    TMainWindowServices services = root.Services();
    services.exeFileName = (elsewhere / "CV3TEAM").string();
    TProgramWindows windows = StartProgramPastSplash(std::move(services));
    ASSERT_TRUE(windows.mainWindow);
    EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"Error: bad exe name"});
    EXPECT_EQ(Session->RootDir(), elsewhere.string() + "/");
    SaveScreenshotOfRunningTest(*windows.mainWindow);
}

}  // namespace
}  // namespace cv::test
