// The map-target design dialog's search in its finest mode with three free
// characteristics, as a user starts it (Solve clicked), on the sample
// industry's first market (the largest fixture's brands share one design, on
// which no map can be estimated): the search with its gauge and its Cancel
// button served, timed alternately with the display-free search of as many points with nothing
// to serve ("x_search": the ratio of their medians), so the ratio is what the
// dialog adds to the search.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <cstdint>

#include <QApplication>
#include <QWidget>

#include "bench/map_search_model.h"
#include "bench/paired_timing.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "graphs/design_dialogs/map2att.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace {

constexpr int kFinestMode = 2;

template <class Widget>
Widget& Child(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QLatin1String(name));
    if (!widget) std::abort();
    return *widget;
}

void BM_MapTargetDialogSearchFinestMode(benchmark::State& state) {
    cv::test::TModelWorld world;
    const cv::TCvInd& industry = world.Open(cv::sample::WriteSampleIndustryFile(world.GamesDir()));
    cv::TDataContext context;
    context.SelPeriod = context.CurPeriod = industry.CurPeriod();
    context.DecPeriod = static_cast<std::int16_t>(industry.DecPeriod());
    context.SelFirm = context.SelFta = context.SelMarket = 1;
    QWidget owner;
    cv::TFoMap2Att dialog(&owner, context);
    Child<QComboBox>(dialog, "cbModes").setCurrentIndex(kFinestMode);
    for (const char* characteristic : {"chkOpt1", "chkOpt2", "chkOpt5"}) Child<QCheckBox>(dialog, characteristic).click();
    auto& gauge = Child<QProgressBar>(dialog, "ggM2ASolve");
    auto& solve = Child<QPushButton>(dialog, "btnM2ASolve");
    int dialogPoints = 0;
    QObject::connect(&gauge, &QProgressBar::valueChanged, [&](int value) { dialogPoints = std::max(dialogPoints, value); });
    solve.click();  // untimed: how many points the dialog's search visits
    if (Child<QLineEdit>(dialog, "EOptMap1").text().isEmpty()) {
        state.SkipWithError("the dialog found no design");
        return;
    }
    // The baseline visits as many points: one free wheel of that many values.
    std::array<cv::TSearchWheel, cv::MaxMapCharacteristics> wheels = cv::bench::TwoFreeWheels();
    wheels[0] = cv::TSearchWheel::Free(0, dialogPoints - 1, dialogPoints);
    wheels[1] = cv::TSearchWheel::Fixed(100);
    const cv::TMapTargetSearch plain(cv::bench::SixByThreeModel(), wheels);
    if (plain.PointCount() != dialogPoints) {
        state.SkipWithError("the baseline visits another number of points");
        return;
    }
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        state.SetIterationTime(times.Round(
            [&] { solve.click(); },
            [&] {
                benchmark::DoNotOptimize(plain.Run({1.5, -2, 0.5}, [](std::int64_t) { return true; }).distance);
            }));
    }
    times.Report(state, "search");
    state.counters["points"] = dialogPoints;
}

BENCHMARK(BM_MapTargetDialogSearchFinestMode)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    cv::Translator = std::make_unique<cv::TTranslate>();
    cv::Translator->Open(CV_LANGUAGE_FILE);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
