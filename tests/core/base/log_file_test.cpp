#include "core/base/log_file.h"

#include <gtest/gtest.h>

#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

class LogFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        LogClose();
        DebugLevel = 0;
    }
    test::TempDir dir;
};

TEST_F(LogFileTest, LevelsAboveTheDebugLevelAreDropped) {
    LogOpen(dir / "L", 0);
    LogFmt(1, "hidden");
    LogFmt(0, "shown %d", {7});
    DebugLevel = 3;
    for (int level = 0; level <= 4; ++level) LogFmt(level, "level %d", {level});
    LogFmtNoEol(0, "one ");
    LogFmt(0, "line");
    LogFlush();
    LogClose();
    const auto lines = test::ReadFileLines(dir / "L00.TXT");
    const std::vector<std::string> body(lines.begin() + 4, lines.end() - 2);
    ASSERT_EQ(body.size(), 7u);
    EXPECT_EQ(std::vector(body.begin(), body.begin() + 6),
              (std::vector<std::string>{"shown 7", "level 0", "level 1", "level 2", "level 3", "one line"}));
    EXPECT_EQ(body[6].rfind("Log file flushed on ", 0), 0u);
}

// A log opened again is written over the old one in place and cut to its new
// length: nothing of a longer earlier log is left behind it.
TEST_F(LogFileTest, ALogOpenedAgainHoldsOnlyItsNewLines) {
    LogOpen(dir / "R", 2);
    for (int i = 0; i < 50; ++i) LogFmt(0, "earlier line %d", {i});
    LogClose();
    LogOpen(dir / "R", 2);
    LogFmt(0, "later");
    LogClose();
    const auto lines = test::ReadFileLines(dir / "R02.TXT");
    // Opened, blank, debug level, blank, the line, blank, closed.
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "later");
    EXPECT_EQ(lines[6].rfind("Log file closed on ", 0), 0u);
}

TEST_F(LogFileTest, UnwritableLogStaysClosedAndLaterCallsAreHarmless) {
    test::RecordingUi ui;
    LogOpen(dir / "missing/dir/L", 1);
    EXPECT_FALSE(LogIsOpen());
    ASSERT_EQ(ui.plainBoxes.size(), 1u);
    EXPECT_EQ(ui.plainBoxes[0].rfind("Cannot open text file " + (dir / "missing/dir/L01.TXT") + " in mode 2 error=", 0),
              0u);
    LogFmt(0, "nothing");
    LogFlush();
    LogClose();
}

}  // namespace
}  // namespace cv
