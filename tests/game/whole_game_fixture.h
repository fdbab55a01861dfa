#pragma once
// A whole game played through the program's windows: the program started in
// a root of its own whose exchange directory the instructor's stand-in
// (tools/run_sample_period) fills, and the steps a team takes in a period,
// each through the windows as a user takes it. A decision dialog that the
// program does not have yet keeps its button disabled: its step says so.

#include <QAbstractButton>
#include <filesystem>
#include <set>
#include <string>

#include "tests/app/support/program_root.h"

namespace cv {
class TCvInd;
}

namespace cv::test {

class WholeGameTest : public ::testing::Test {
protected:
    // The sample written for the instructor, then run by the stand-in up to
    // current period FirstCurrent, and the program started on the exchange directory.
    explicit WholeGameTest(int firstCurrent);

    // The instructor's stand-in runs the decision period; the letters of the
    // teams whose decisions it took, as it printed them.
    std::string RunInstructor();

    // Team page, File, Take the instructor's industry, team A with its password.
    void TakeIndustry(int expectedDecisionPeriod, bool screenshot);
    // Shows the page of the main window's page button Name, as a click does.
    QWidget& ShowPage(const char* buttonName);
    QAbstractButton& PageButton(const char* name);
    // Triggers the team page's menu item Name.
    void TriggerTeamItem(const char* name);
    void Backup();
    void Send();
    void CloseIndustry();

    // Saves Window as "WholeGame_<round>_<what>" (the screen size added off 1024 x 768).
    void Shot(QWidget& window, int round, const std::string& what);
    TCvInd& Industry();

    std::filesystem::path Instructor() const { return root.RootPath() / "Instructor"; }
    std::filesystem::path Exchange() const { return root.RootPath() / "Exchange"; }
    std::filesystem::path Private() const { return root.RootPath() / "Private"; }

    ProgramRoot root;
    TProgramWindows windows;
    // The dialogs a step found missing (their buttons disabled), for the log.
    std::set<std::string> missing;
};

}  // namespace cv::test
