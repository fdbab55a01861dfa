#pragma once
// The whole program started in a program root of its own (frame_root.h).

#include "app/program_start.h"
#include "tests/app/support/frame_root.h"

namespace cv::test {

// Starts the program with Services, closing the splash at once (its
// screenshot keeps a name of its own, not the running test's).
TProgramWindows StartProgramPastSplash(TMainWindowServices services);

// A test that starts the program in a root of its own (the splash closed at
// once) and ends it afterwards, with a screenshot of what it shows last.
class StartedProgramTest : public ::testing::Test {
protected:
    StartedProgramTest();
    void TearDown() override;
    // The window the test's last screenshot shows; none for no screenshot.
    virtual QWidget* ShownWindow() { return windows.mainWindow.get(); }

    TFoCv3Main& Main() { return *windows.mainWindow; }

    ProgramRoot root;
    TProgramWindows windows;
};

}  // namespace cv::test
