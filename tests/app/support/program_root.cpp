#include "tests/app/support/program_root.h"

#include <utility>

#include "tests/ui/support/window_test.h"

namespace cv::test {

TProgramWindows StartProgramPastSplash(TMainWindowServices services) {
    WhenModalShown splash([](QWidget&) {}, "ProgramStart_Splash");
    return StartProgramWindows(std::move(services));
}

StartedProgramTest::StartedProgramTest() { windows = StartProgramPastSplash(root.Services()); }

void StartedProgramTest::TearDown() {
    if (QWidget* shown = ShownWindow()) SaveScreenshotOfRunningTest(*shown);
}

}  // namespace cv::test
