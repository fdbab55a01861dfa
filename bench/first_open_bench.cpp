// The first visit of each page and the first opening of each decision dialog
// in a fresh program on the largest industry (6 firms, 3 zones, 3 markets,
// 5 brands a firm), the way a user meets them: the program started, the
// industry opened, the main window left idle for a moment in its own event
// loop (a user's first look at it), then the page's button clicked (or the
// area's button on the decisions page), until the page or the dialog is
// drawn. While the window is idle, its warm-up loads what first visits need
// (TIdleWarmUp); the benchmark fails when that is not done by the click, and
// reports the warm-up's own cost ("warmup_ms", and its longest step, the
// most a click during it waits, "warmup_step_ms"). Each sample runs in a
// child process of its own, so that every first visit really is the first.
// The baseline ("x_again"), measured in the same child, is the same visit
// again after leaving the page (or closing the dialog). A first visit should
// stay within one frame (16 ms) in absolute time ("first_ms"). Counters are
// medians over the samples, which a loaded machine spreads widely.
// BM_FirstVisitBySize visits each page on the largest fixture cut to the
// firms, zones, markets, brands and prototypes per firm given: how the first
// visit grows with the industry.

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_program_root.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/dialogs/decision_dialog.h"
#include "decisions/page/decision_page.h"
#include "shell/page_window.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_industry.h"

namespace {

// How long the main window stays idle before the first click, as a user's
// first look at it would leave it.
constexpr int kIdleMs = 300;
constexpr int kSamples = 5;

struct TIndustrySize {
    int firms = 6, zones = 3, markets = 3, brands = 5, prototypes = 20;
};

// What one child measures: the page of a bar button, or an area's dialog.
struct TFirstOpen {
    const char* pageButton = nullptr;
    int area = -1;
    TIndustrySize size;
};

struct TVisitTimes {
    double firstNs = 0, againNs = 0;
    double warmUpNs = 0, warmUpStepNs = 0;
};

// The user looks at the main window: its event loop runs, idle, for a moment.
void LookAtMainWindow() {
    QEventLoop loop;
    QTimer::singleShot(kIdleMs, &loop, &QEventLoop::quit);
    loop.exec();
}

// Clicks a page button and draws the main window with the page shown: the
// events the click caused (the page's paint and flush among them) are
// handled, then the whole window is painted once more into its backing
// store, so that nothing the page defers is missed. (A grab into a new
// pixmap would also count what no user waits for: touching a fresh buffer
// of the window's size and laying out the page's hidden menus.)
qint64 VisitNs(cv::TFoCv3Main& mainWindow, const char* pageButton) {
    QElapsedTimer clock;
    clock.start();
    mainWindow.findChild<QAbstractButton*>(QLatin1String(pageButton))->click();
    QApplication::processEvents();
    mainWindow.repaint();
    return clock.nsecsElapsed();
}

// Opens an area's dialog from the decisions page, until the dialog is drawn;
// closes it. A new window is not on the screen yet when its event loop first
// turns: the dialog is drawn into a pixmap of its own.
qint64 OpenDialogNs(cv::TFoDecision& page, cv::TDecisionArea area) {
    QElapsedTimer clock;
    qint64 shownNs = -1;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<cv::TFoCv3Dec*>(QApplication::activeModalWidget());
        if (!dialog) std::_Exit(3);  // a box instead of the dialog
        benchmark::DoNotOptimize(dialog->grab());
        shownNs = clock.nsecsElapsed();
        dialog->reject();
    });
    clock.start();
    page.OpenArea(area);
    if (shownNs < 0) std::_Exit(4);
    return shownNs;
}

TVisitTimes MeasureInThisProcess(const TFirstOpen& open, int argc, char** argv) {
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const cv::bench::BenchProgramRoot root;
    cv::TProgramWindows windows = cv::bench::StartShownAndIdle(root);
    const std::filesystem::path file = root.PrivateDir() / "LARGEST.ind";
    cv::test::WriteFixtureIndustry(
        file, cv::test::FixtureLargest(open.size.firms, open.size.zones, open.size.markets, open.size.brands,
                                       open.size.prototypes));
    if (!cv::Session->IndOpen(file.string())) std::_Exit(2);
    // Team 1's copy, as the team's opening records it.
    cv::Session->Industry()->ConstPart().SetSmallint(cv::kCategoryIndustry, cv::TDataContext{}, "WhichTeam", 1);
    windows.mainWindow->RefreshAll();
    LookAtMainWindow();
    cv::TFoCv3Main& mainWindow = *windows.mainWindow;
    if (!mainWindow.WarmUp().Finished()) std::_Exit(6);  // the warm-up outlasted the user's look
    TVisitTimes times;
    times.warmUpNs = static_cast<double>(mainWindow.WarmUp().BusyNs());
    times.warmUpStepNs = static_cast<double>(mainWindow.WarmUp().LongestStepNs());
    if (open.pageButton) {
        times.firstNs = static_cast<double>(VisitNs(mainWindow, open.pageButton));
        VisitNs(mainWindow, "SpBInterface");
        times.againNs = static_cast<double>(VisitNs(mainWindow, open.pageButton));
    } else {
        VisitNs(mainWindow, "SpBDec");
        auto* page = dynamic_cast<cv::TFoDecision*>(cv::TFoCv3Mod::Current());
        if (!page) std::_Exit(5);
        const auto area = static_cast<cv::TDecisionArea>(open.area);
        times.firstNs = static_cast<double>(OpenDialogNs(*page, area));
        times.againNs = static_cast<double>(OpenDialogNs(*page, area));
    }
    windows.mainWindow.reset();
    return times;
}

// Runs Open in a child process; false when the child failed.
bool MeasureInChild(const TFirstOpen& open, TVisitTimes& times) {
    std::array<int, 2> pipeEnds{};
    if (pipe(pipeEnds.data()) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        char name[] = "first_open_bench";
        char* argv[] = {name, nullptr};
        const TVisitTimes measured = MeasureInThisProcess(open, 1, argv);
        const bool written = write(pipeEnds[1], &measured, sizeof measured) == static_cast<ssize_t>(sizeof measured);
        std::_Exit(written ? 0 : 1);
    }
    close(pipeEnds[1]);
    const bool read = child > 0 && ::read(pipeEnds[0], &times, sizeof times) == static_cast<ssize_t>(sizeof times);
    close(pipeEnds[0]);
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> samples) {
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2), samples.end());
    return samples[samples.size() / 2];
}

void FirstOpen(benchmark::State& state, const TFirstOpen& open) {
    std::vector<double> first, again, ratio, warmUp, warmUpStep;
    for (auto _ : state) {
        TVisitTimes times;
        if (!MeasureInChild(open, times)) {
            state.SkipWithError("the child failed");
            return;
        }
        state.SetIterationTime(times.firstNs / 1e9);
        first.push_back(times.firstNs / 1e6);
        again.push_back(times.againNs / 1e6);
        ratio.push_back(times.firstNs / times.againNs);
        warmUp.push_back(times.warmUpNs / 1e6);
        warmUpStep.push_back(times.warmUpStepNs / 1e6);
    }
    state.counters["first_ms"] = Median(first);
    state.counters["again_ms"] = Median(again);
    state.counters["x_again"] = Median(ratio);
    state.counters["warmup_ms"] = Median(warmUp);
    state.counters["warmup_step_ms"] = Median(warmUpStep);
}

void Register(const std::string& name, const TFirstOpen& open) {
    benchmark::RegisterBenchmark(name.c_str(), FirstOpen, open)
        ->UseManualTime()
        ->Iterations(kSamples)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

// The sizes of the table of first visits against industry size, growing to the largest.
constexpr std::array<TIndustrySize, 7> kSizes{
    {{1, 1, 1, 2, 2}, {2, 1, 1, 5, 5}, {6, 1, 1, 5, 5}, {6, 2, 2, 5, 5}, {6, 3, 3, 2, 2}, {6, 3, 3, 5, 5}, {}}};

int main(int argc, char** argv) {
    constexpr std::array<const char*, 5> pages{"SpBDec", "SpBResult", "SpBNLetter", "SpBStudies", "SpBGraph"};
    for (const char* button : pages)
        Register(std::string("BM_FirstVisit/") + button, {.pageButton = button, .area = -1, .size = {}});
    const std::array<const char*, cv::kDecisionAreaCount> areas{
        "BrandPortfolio", "MarketingMix", "Distribution", "Studies", "RnD", "Summary", "Budget", "MarketingPlan"};
    for (std::size_t area = 0; area < areas.size(); ++area)
        Register(std::string("BM_FirstDialog/") + areas[area], {.pageButton = nullptr, .area = static_cast<int>(area), .size = {}});
    for (const char* button : pages)
        for (const TIndustrySize& size : kSizes)
            Register(std::string("BM_FirstVisitBySize/") + button + "/firms:" + std::to_string(size.firms) +
                         "/zones:" + std::to_string(size.zones) + "/markets:" + std::to_string(size.markets) +
                         "/brands:" + std::to_string(size.brands) + "/prototypes:" + std::to_string(size.prototypes),
                     {.pageButton = button, .area = -1, .size = size});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
