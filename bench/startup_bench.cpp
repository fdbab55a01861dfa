// The program's start, from the beginning of main's work (the single-instance
// lock, the session, the translator, the main window with every page the
// program creates at start, the team page, the splash, which is closed as soon
// as it shows) to the main window shown and
// idle, against an empty QMainWindow shown and idle in the same process. The
// counter "x_empty" is the ratio of the two.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "core/session/settings_paths.h"
#include "app/program_start.h"
#include "app/single_instance.h"

namespace {

namespace fs = std::filesystem;

constexpr int kBaselineSamples = 15;

// A program root in a temporary directory, with the user's configuration and
// runtime directories inside it.
class BenchProgramRoot {
public:
    BenchProgramRoot() {
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
    ~BenchProgramRoot() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string Exe() const { return (dir_ / "Binaries" / "CV3TEAM").string(); }
    QString RuntimeDir() const { return QString::fromStdString((dir_ / "runtime").string()); }

private:
    fs::path dir_;
};

const BenchProgramRoot& Root() {
    static const BenchProgramRoot root;
    return root;
}

void WaitUntilShownAndIdle(QWidget& window) {
    if (!QTest::qWaitForWindowExposed(&window)) std::abort();
    QApplication::processEvents();
}

qint64 EmptyMainWindowNs(QSize size = {}) {
    QElapsedTimer clock;
    clock.start();
    {
        QMainWindow window;
        if (size.isValid()) window.resize(size);
        window.show();
        WaitUntilShownAndIdle(window);
    }
    return clock.nsecsElapsed();
}

double MedianEmptyMainWindowNs(QSize size) {
    std::vector<qint64> samples;
    for (int i = 0; i < kBaselineSamples; ++i) samples.push_back(EmptyMainWindowNs(size));
    std::nth_element(samples.begin(), samples.begin() + kBaselineSamples / 2, samples.end());
    return static_cast<double>(samples[kBaselineSamples / 2]);
}

// Closes the splash window as soon as its modal loop runs.
void CloseSplashWhenShown() {
    QTimer::singleShot(0, [] {
        if (auto* splash = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            splash->accept();
        else
            CloseSplashWhenShown();
    });
}

void BM_EmptyMainWindowShownAndIdle(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(EmptyMainWindowNs());
}
BENCHMARK(BM_EmptyMainWindowShownAndIdle)->Unit(benchmark::kMillisecond);

// The program's windows as main starts them, the splash closed as soon as it
// shows; returns once the main window is shown and idle.
cv::TProgramWindows StartShownAndIdle() {
    cv::TMainWindowServices services;
    services.exeFileName = Root().Exe();
    services.now = [] { return QDateTime::currentDateTime(); };
    CloseSplashWhenShown();
    cv::TProgramWindows windows = cv::StartProgramWindows(std::move(services));
    if (!windows.mainWindow) std::abort();
    WaitUntilShownAndIdle(*windows.mainWindow);
    return windows;
}

// The main window's size, from one start ahead of the measured ones.
QSize StartedMainWindowSize() {
    cv::TSingleInstance instance(Root().RuntimeDir());
    if (!instance.Acquire([] {})) std::abort();
    return StartShownAndIdle().mainWindow->size();
}

void BM_ProgramStartShownAndIdle(benchmark::State& state) {
    // Against an empty window of the main window's size.
    const double baselineNs = MedianEmptyMainWindowNs(StartedMainWindowSize());
    qint64 totalNs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        cv::TSingleInstance instance(Root().RuntimeDir());
        if (!instance.Acquire([] {})) std::abort();
        cv::TProgramWindows windows = StartShownAndIdle();
        totalNs += clock.nsecsElapsed();
        state.PauseTiming();
        windows.mainWindow.reset();
        state.ResumeTiming();
    }
    state.counters["x_empty"] = static_cast<double>(totalNs) / static_cast<double>(state.iterations()) / baselineNs;
}
BENCHMARK(BM_ProgramStartShownAndIdle)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
