#include "bench/bench_program_root.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "core/session/settings_paths.h"

namespace cv::bench {

namespace fs = std::filesystem;

namespace {

// Closes the splash window as soon as its modal loop runs.
void CloseSplashWhenShown() {
    QTimer::singleShot(0, [] {
        if (auto* splash = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            splash->accept();
        else
            CloseSplashWhenShown();
    });
}

}  // namespace

BenchProgramRoot::BenchProgramRoot() {
    std::string pattern = (fs::temp_directory_path() / "cvbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    dir_ = pattern;
    const fs::path binaries = dir_ / "Binaries";
    fs::create_directories(binaries);
    fs::create_directories(dir_ / "Private");
    fs::create_directories(dir_ / "runtime");
    // A link to this program, so that the caption finds this build's version.
    fs::create_symlink(cv::RunningExecutableFileName(), binaries / "CV3TEAM");
    fs::copy(CV_LANGUAGE_FILE, binaries);
    for (const auto& media : fs::directory_iterator(CV_MEDIA_DIR))
        if (media.path().extension() != ".stamp") fs::copy(media.path(), binaries);
    setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
}

BenchProgramRoot::~BenchProgramRoot() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
}

void WaitUntilShownAndIdle(QWidget& window) {
    if (!QTest::qWaitForWindowExposed(&window)) std::abort();
    QApplication::processEvents();
}

cv::TProgramWindows StartShownAndIdle(const BenchProgramRoot& root) {
    cv::TMainWindowServices services;
    services.exeFileName = root.Exe();
    services.now = [] { return QDateTime::currentDateTime(); };
    CloseSplashWhenShown();
    cv::TProgramWindows windows = cv::StartProgramWindows(std::move(services));
    if (!windows.mainWindow) std::abort();
    WaitUntilShownAndIdle(*windows.mainWindow);
    return windows;
}

}  // namespace cv::bench
