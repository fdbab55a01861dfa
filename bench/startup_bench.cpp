// The program's start, from the beginning of main's work (the single-instance
// lock, the session, the translator, the main window with every page the
// program creates at start, the team page, the splash, which is closed as soon
// as it shows) to the main window shown and
// idle, timed alternately with an empty QMainWindow of the main window's size
// shown and idle in the same process. The counter "x_empty" is the ratio of
// their medians.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <cstdlib>

#include "bench/bench_program_root.h"
#include "bench/paired_timing.h"
#include "app/program_start.h"
#include "app/single_instance.h"

namespace {

const cv::bench::BenchProgramRoot& Root() {
    static const cv::bench::BenchProgramRoot root;
    return root;
}

qint64 EmptyMainWindowNs(QSize size = {}) {
    QElapsedTimer clock;
    clock.start();
    {
        QMainWindow window;
        if (size.isValid()) window.resize(size);
        window.show();
        cv::bench::WaitUntilShownAndIdle(window);
    }
    return clock.nsecsElapsed();
}

void BM_EmptyMainWindowShownAndIdle(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(EmptyMainWindowNs());
}
BENCHMARK(BM_EmptyMainWindowShownAndIdle)->Unit(benchmark::kMillisecond);

// The main window's size, from one start ahead of the measured ones.
QSize StartedMainWindowSize() {
    cv::TSingleInstance instance(Root().RuntimeDir());
    if (!instance.Acquire([] {})) std::abort();
    return cv::bench::StartShownAndIdle(Root()).mainWindow->size();
}

void BM_ProgramStartShownAndIdle(benchmark::State& state) {
    const QSize mainWindowSize = StartedMainWindowSize();
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        cv::TSingleInstance instance(Root().RuntimeDir());
        cv::TProgramWindows windows;
        state.SetIterationTime(times.Round(
            [&] {
                if (!instance.Acquire([] {})) std::abort();
                windows = cv::bench::StartShownAndIdle(Root());
            },
            [&] { benchmark::DoNotOptimize(EmptyMainWindowNs(mainWindowSize)); }));
        windows.mainWindow.reset();
    }
    times.Report(state, "empty");
}
BENCHMARK(BM_ProgramStartShownAndIdle)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
