// The first visit of each page, the first opening of each decision dialog,
// the first visit of each marketing-plan tab, of the sales-force assistant,
// of each kind of display of the graphs page, in a fresh program on the
// largest industry (6 firms, 3 zones, 3 markets, 5 brands a firm), and of each
// product-design dialog on the sample industry, the way a user meets them: the program started,
// the industry opened, the main window left idle for a moment in its own
// event loop (a user's first look at it), then the button clicked (a page
// button, an area's button on the decisions page, a tab, the assistant's
// button, a menu item of the graphs page), until the page or the dialog is
// drawn. While the window is idle, its warm-up loads what first visits need
// (TIdleWarmUp); a sample whose warm-up was not done by the click is counted
// ("late_warmups") and kept, and the warm-up's own cost is reported
// ("warmup_ms", and its longest step, the most a click during it waits,
// "warmup_step_ms"). Each sample runs in a child process of its own, so that
// every first visit really is the first. The baseline ("x_again"), measured
// in the same child, is the same visit again after leaving it. A first visit
// should stay within one frame (16 ms) in absolute time ("first_ms"); the
// samples over it are counted ("over_frame") rather than stopping the run.
// Counters are medians over the samples, which a loaded machine spreads
// widely. BM_FirstVisitBySize visits each page on the largest fixture cut to
// the firms, zones, markets, brands and prototypes per firm given: how the
// first visit grows with the industry.

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <array>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_program_root.h"
#include "bench/child_process.h"
#include "bench/paired_timing.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/dialogs/brand_tab_bar.h"
#include "decisions/dialogs/decision_dialog.h"
#include "decisions/page/decision_page.h"
#include "shell/group_page.h"
#include "shell/page_window.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tools/sample_industry/sample_industry.h"

namespace {

// How long the main window stays idle before the first click, as a user's
// first look at it would leave it.
constexpr int kIdleMs = 300;
constexpr int kSamples = 9;
constexpr double kFrameMs = 16;
constexpr int kFirstPlanTab = 0;
constexpr int kPlanTabs = 6;

struct TIndustrySize {
    int firms = 6, zones = 3, markets = 3, brands = 5, prototypes = 20;
};

// What one child measures.
enum class TVisit { page, areaDialog, planTab, assistant, graphItem, graphDialog };

struct TFirstOpen {
    TVisit visit = TVisit::page;
    const char* pageButton = nullptr;  // the page visited (first, untimed, for the later kinds)
    int area = -1;                     // areaDialog
    int tab = -1;                      // planTab
    const char* item = nullptr;        // graphItem, graphDialog: the graphs page's menu item
    TIndustrySize size;
    // The sample industry instead of the largest fixture (whose brands share
    // one design and whose team bought no study the design tools need).
    bool sample = false;
};

struct TVisitTimes {
    double firstNs = 0, againNs = 0;
    double warmUpNs = 0, warmUpStepNs = 0;
    bool warmUpLate = false;
};

// The user looks at the main window: its event loop runs, idle, for a moment.
void LookAtMainWindow() {
    QEventLoop loop;
    QTimer::singleShot(kIdleMs, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs Action and draws the main window with what it shows: the events the
// action caused (the page's paint and flush among them) are handled, then the
// whole window is painted once more into its backing store, so that nothing
// the page defers is missed. (A grab into a new pixmap would also count what
// no user waits for: touching a fresh buffer of the window's size and laying
// out the page's hidden menus.)
qint64 ShownNs(QWidget& window, const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    QApplication::processEvents();
    window.repaint();
    return clock.nsecsElapsed();
}

qint64 VisitNs(cv::TFoCv3Main& mainWindow, const char* pageButton) {
    return ShownNs(mainWindow, [&] { mainWindow.findChild<QAbstractButton*>(QLatin1String(pageButton))->click(); });
}

// Runs Open, which shows a modal dialog, until the dialog is drawn; closes it.
// A new window is not on the screen yet when its event loop first turns: the
// dialog is drawn into a pixmap of its own.
qint64 ModalShownNs(const std::function<void()>& open) {
    QElapsedTimer clock;
    qint64 shownNs = -1;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) std::_Exit(3);  // a box instead of the dialog, or nothing
        benchmark::DoNotOptimize(dialog->grab());
        shownNs = clock.nsecsElapsed();
        dialog->reject();
    });
    clock.start();
    open();
    if (shownNs < 0) std::_Exit(4);
    return shownNs;
}

// Opens Area's dialog from the decisions page and runs Inside while it is shown; closes it.
void InsideAreaDialog(cv::TFoDecision& page, cv::TDecisionArea area, const std::function<void(QDialog&)>& inside) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) std::_Exit(3);
        inside(*dialog);
        dialog->reject();
    });
    page.OpenArea(area);
}

cv::TFoDecision& DecisionPage(cv::TFoCv3Main& mainWindow) {
    VisitNs(mainWindow, "SpBDec");
    auto* page = dynamic_cast<cv::TFoDecision*>(cv::TFoCv3Mod::Current());
    if (!page) std::_Exit(5);
    return *page;
}

cv::TGroupPage& GraphPage(cv::TFoCv3Main& mainWindow) {
    VisitNs(mainWindow, "SpBGraph");
    auto* page = dynamic_cast<cv::TGroupPage*>(cv::TFoCv3Mod::Current());
    if (!page) std::_Exit(5);
    return *page;
}

QAction& MenuItem(const cv::TGroupPage& page, const char* name) {
    QAction* item = page.Item(name);
    if (!item) std::_Exit(7);
    return *item;
}

// The graphs page's first item, or its second when Name is the first: left for, then back from.
const char* OtherGraphItem(const char* name) {
    return std::string_view(name) == "MpGrMktSize" ? "MPGrPerfMS" : "MpGrMktSize";
}

void MeasureVisit(const TFirstOpen& open, cv::TFoCv3Main& mainWindow, TVisitTimes& times) {
    switch (open.visit) {
    case TVisit::page:
        times.firstNs = static_cast<double>(VisitNs(mainWindow, open.pageButton));
        VisitNs(mainWindow, "SpBInterface");
        times.againNs = static_cast<double>(VisitNs(mainWindow, open.pageButton));
        return;
    case TVisit::areaDialog: {
        cv::TFoDecision& page = DecisionPage(mainWindow);
        const auto area = static_cast<cv::TDecisionArea>(open.area);
        times.firstNs = static_cast<double>(ModalShownNs([&] { page.OpenArea(area); }));
        times.againNs = static_cast<double>(ModalShownNs([&] { page.OpenArea(area); }));
        return;
    }
    case TVisit::planTab:
        InsideAreaDialog(DecisionPage(mainWindow), cv::TDecisionArea::MarketingPlan, [&](QDialog& plan) {
            auto* tabs = plan.findChild<cv::TBrandTabBar*>(QStringLiteral("TSMktPlan"));
            if (!tabs) std::_Exit(8);
            times.firstNs = static_cast<double>(ShownNs(plan, [&] { tabs->setCurrentIndex(open.tab); }));
            tabs->setCurrentIndex(kFirstPlanTab);
            times.againNs = static_cast<double>(ShownNs(plan, [&] { tabs->setCurrentIndex(open.tab); }));
            if (tabs->currentIndex() != open.tab) std::_Exit(9);  // the plan refused the tab
        });
        return;
    case TVisit::assistant:
        InsideAreaDialog(DecisionPage(mainWindow), cv::TDecisionArea::Distribution, [&](QDialog& distribution) {
            auto* assistant = distribution.findChild<QAbstractButton*>(QStringLiteral("BBAssistant"));
            if (!assistant || !assistant->isEnabled()) std::_Exit(8);
            times.firstNs = static_cast<double>(ModalShownNs([&] { assistant->click(); }));
            times.againNs = static_cast<double>(ModalShownNs([&] { assistant->click(); }));
        });
        return;
    case TVisit::graphItem: {
        cv::TGroupPage& page = GraphPage(mainWindow);
        times.firstNs = static_cast<double>(ShownNs(mainWindow, [&] { MenuItem(page, open.item).trigger(); }));
        ShownNs(mainWindow, [&] { MenuItem(page, OtherGraphItem(open.item)).trigger(); });
        times.againNs = static_cast<double>(ShownNs(mainWindow, [&] { MenuItem(page, open.item).trigger(); }));
        return;
    }
    case TVisit::graphDialog: {
        cv::TGroupPage& page = GraphPage(mainWindow);
        times.firstNs = static_cast<double>(ModalShownNs([&] { MenuItem(page, open.item).trigger(); }));
        times.againNs = static_cast<double>(ModalShownNs([&] { MenuItem(page, open.item).trigger(); }));
        return;
    }
    }
}

TVisitTimes MeasureInThisProcess(const TFirstOpen& open) {
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "first_open_bench";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    const cv::bench::BenchProgramRoot root;
    // The sample is written before the program starts: its writer runs the model, which refuses an open log.
    const std::filesystem::path file =
        open.sample ? cv::sample::WriteSampleIndustryFile(root.PrivateDir()) : root.PrivateDir() / "LARGEST.ind";
    cv::TProgramWindows windows = cv::bench::StartShownAndIdle(root);
    if (!open.sample)
        cv::test::WriteFixtureIndustry(file, cv::test::FixtureLargest(open.size.firms, open.size.zones,
                                                                      open.size.markets, open.size.brands,
                                                                      open.size.prototypes));
    if (!cv::Session->IndOpen(file.string())) std::_Exit(2);
    // Team 1's copy, as the team's opening records it.
    cv::Session->Industry()->ConstPart().SetSmallint(cv::kCategoryIndustry, cv::TDataContext{}, "WhichTeam", 1);
    windows.mainWindow->RefreshAll();
    LookAtMainWindow();
    cv::TFoCv3Main& mainWindow = *windows.mainWindow;
    TVisitTimes times;
    times.warmUpLate = !mainWindow.WarmUp().Finished();
    times.warmUpNs = static_cast<double>(mainWindow.WarmUp().BusyNs());
    times.warmUpStepNs = static_cast<double>(mainWindow.WarmUp().LongestStepNs());
    MeasureVisit(open, mainWindow, times);
    windows.mainWindow.reset();
    return times;
}

void FirstOpen(benchmark::State& state, const TFirstOpen& open) {
    std::vector<double> first, again, ratio, warmUp, warmUpStep;
    int lateWarmUps = 0, overFrame = 0;
    for (auto _ : state) {
        const std::optional<TVisitTimes> times = cv::bench::InChildProcess([&] { return MeasureInThisProcess(open); });
        if (!times) {
            state.SkipWithError("the child failed");
            return;
        }
        state.SetIterationTime(times->firstNs / 1e9);
        first.push_back(times->firstNs / 1e6);
        again.push_back(times->againNs / 1e6);
        ratio.push_back(times->firstNs / times->againNs);
        warmUp.push_back(times->warmUpNs / 1e6);
        warmUpStep.push_back(times->warmUpStepNs / 1e6);
        lateWarmUps += times->warmUpLate ? 1 : 0;
        overFrame += first.back() > kFrameMs ? 1 : 0;
    }
    state.counters["first_ms"] = cv::bench::Median(first);
    state.counters["again_ms"] = cv::bench::Median(again);
    state.counters["x_again"] = cv::bench::Median(ratio);
    state.counters["warmup_ms"] = cv::bench::Median(warmUp);
    state.counters["warmup_step_ms"] = cv::bench::Median(warmUpStep);
    state.counters["late_warmups"] = lateWarmUps;
    state.counters["over_frame"] = overFrame;
}

void Register(const std::string& name, const TFirstOpen& open) {
    benchmark::RegisterBenchmark(name.c_str(), FirstOpen, open)
        ->UseManualTime()
        ->Iterations(kSamples)
        ->Unit(benchmark::kMillisecond);
}

// The sizes of the table of first visits against industry size, growing to the largest.
constexpr std::array<TIndustrySize, 7> kSizes{
    {{1, 1, 1, 2, 2}, {2, 1, 1, 5, 5}, {6, 1, 1, 5, 5}, {6, 2, 2, 5, 5}, {6, 3, 3, 2, 2}, {6, 3, 3, 5, 5}, {}}};

// One item of each kind of display of the graphs page: a chart over periods
// (market totals, segments, the firm, benchmarking), the growth-share
// portfolio, a study screen, the segment and dimension tables, a study chart.
constexpr std::array<const char*, 9> kGraphItems{"MpGrMktSize",     "MpGrMktSegSize",     "MPGrPerfMS",
                                                 "MPGrBenchRSales", "MPGrToolsGSP",       "MPGrDesSemEstim",
                                                 "MPGrDesSemIVT",   "MPGrDesMapRegress",  "MPGrDesMapRelations"};
// The product-design dialogs of the graphs page.
constexpr std::array<const char*, 4> kDesignDialogs{"MPGrDesSemCalcPerc", "MPGrDesSemEstimPhys", "MPGrDesMapCalcPerc",
                                                    "MPGrDesMapEstimPhys"};

void RegisterAll() {
    constexpr std::array<const char*, 5> pages{"SpBDec", "SpBResult", "SpBNLetter", "SpBStudies", "SpBGraph"};
    for (const char* button : pages) Register(std::string("BM_FirstVisit/") + button, {.pageButton = button, .size = {}});
    const std::array<const char*, cv::kDecisionAreaCount> areas{
        "BrandPortfolio", "MarketingMix", "Distribution", "Studies", "RnD", "Summary", "Budget", "MarketingPlan"};
    for (std::size_t area = 0; area < areas.size(); ++area)
        Register(std::string("BM_FirstDialog/") + areas[area],
                 {.visit = TVisit::areaDialog, .area = static_cast<int>(area), .size = {}});
    for (int tab = kFirstPlanTab + 1; tab < kPlanTabs; ++tab)
        Register("BM_FirstPlanTab/" + std::to_string(tab + 1), {.visit = TVisit::planTab, .tab = tab, .size = {}});
    Register("BM_FirstDialog/SlfAssistant", {.visit = TVisit::assistant, .size = {}});
    for (const char* item : kGraphItems)
        Register(std::string("BM_FirstGraph/") + item, {.visit = TVisit::graphItem, .item = item, .size = {}});
    for (const char* item : kDesignDialogs)
        Register(std::string("BM_FirstDesignDialog/") + item + "/sample",
                 {.visit = TVisit::graphDialog, .item = item, .size = {}, .sample = true});
    for (const char* button : pages)
        for (const TIndustrySize& size : kSizes)
            Register(std::string("BM_FirstVisitBySize/") + button + "/firms:" + std::to_string(size.firms) +
                         "/zones:" + std::to_string(size.zones) + "/markets:" + std::to_string(size.markets) +
                         "/brands:" + std::to_string(size.brands) + "/prototypes:" + std::to_string(size.prototypes),
                     {.pageButton = button, .size = size});
}

}  // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
