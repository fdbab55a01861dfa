// The program's start, from the beginning of main's work (the single-instance
// lock, the session, the translator, the main window with every page the
// program creates at start, the team page, the splash, which is closed as soon
// as it shows) to the main window shown and
// idle, against an empty QMainWindow shown and idle in the same process. The
// counter "x_empty" is the ratio of the two.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "bench/bench_program_root.h"
#include "app/program_start.h"
#include "app/single_instance.h"

namespace {

constexpr int kBaselineSamples = 15;

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

double MedianEmptyMainWindowNs(QSize size) {
    std::vector<qint64> samples;
    for (int i = 0; i < kBaselineSamples; ++i) samples.push_back(EmptyMainWindowNs(size));
    std::nth_element(samples.begin(), samples.begin() + kBaselineSamples / 2, samples.end());
    return static_cast<double>(samples[kBaselineSamples / 2]);
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
    // Against an empty window of the main window's size.
    const double baselineNs = MedianEmptyMainWindowNs(StartedMainWindowSize());
    qint64 totalNs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        cv::TSingleInstance instance(Root().RuntimeDir());
        if (!instance.Acquire([] {})) std::abort();
        cv::TProgramWindows windows = cv::bench::StartShownAndIdle(Root());
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
