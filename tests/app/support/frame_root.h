#pragma once
// A ready program root for window tests of the frame and what sits on it:
// Binaries/ with the executable's name (a link to the running test program,
// so that the version is this build's), the language file, the help file and
// the pictures; a private directory; the user's configuration in the tree.
// Boxes are recorded, the clock is fixed and the chime is counted.

#include <QDateTime>
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "tests/support/recording_ui.h"
#include "tests/support/sent_files.h"
#include "tests/support/session_tree.h"

namespace cv::test {

class ProgramRoot {
public:
    // ExeName: the executable's file name inside Binaries.
    explicit ProgramRoot(const std::string& exeName = "CV3TEAM");
    ~ProgramRoot();

    TMainWindowServices Services();
    std::string Exe() const { return tree_.Exe(exeName_); }
    std::filesystem::path RootPath() const { return tree_.RootPath(); }
    // Writes the sample industry (or one of its variants) into the private
    // directory and opens it in the running session.
    void OpenSampleIndustry(const sample::TSampleVariant& variant = {});

    RecordingUi ui;
    QDateTime now;
    std::vector<std::string> chimes;

private:
    SessionTree tree_;
    std::string exeName_;
};

// Sets Period on the selector bar's period field, as the user does; the page
// on show reads it.
void ChoosePeriodOnBar(int period);

// Opens the menu of Page's menu bar holding Item by a click on its title,
// then clicks the item; a modal window it opens is driven with WhenModalShown.
void ChooseFromTheMenu(TFoCv3Mod& page, const char* item);

// Clicks the button of Zone (1 for the first) on the selector bar, as the user does.
void ChooseZoneOnBar(int zone);
// The same for Market, when the page on show lets the team choose the market.
void ChooseMarketOnBar(int market);

}  // namespace cv::test
