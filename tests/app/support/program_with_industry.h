#pragma once
// The whole program started as a team starts it, on an exchange directory
// holding what the instructor sent for the sample, with the bar driven as a
// person drives it: pages shown by clicks on their buttons where they lie.

#include <QToolButton>
#include <gtest/gtest.h>

#include "shell/page_window.h"
#include "tests/app/support/program_root.h"

namespace cv::test {

// Clicks the middle of Widget as a person does: the press goes to the window
// at that point, which hands it to whatever lies on top there.
void ClickWhereItLies(QWidget& widget);

class ProgramWithSentIndustry : public ::testing::Test {
protected:
    ProgramWithSentIndustry();

    TFoCv3Main& Main() { return *windows.mainWindow; }

    // File, Take the instructor's industry: team A's descriptor and its
    // password typed into the focused field, then Enter.
    void TakeTheIndustry();

    // Shows the page of the bar's button Name by a click on it.
    TFoCv3Mod& ShowPage(const char* name);

    ProgramRoot root;
    TProgramWindows windows;
};

}  // namespace cv::test
