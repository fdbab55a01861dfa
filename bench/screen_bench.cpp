#include "bench/screen_bench.h"

#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/largest_industry.h"
#include "bench/paired_timing.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "tests/model/fixtures/model_world.h"
#include "ui/sheet/table_units.h"

namespace cv::bench {
namespace {

struct TScreenCell {
    int row, column;
    std::string text;
};

// The world of the run: the largest industry open after one forecast.
struct TLargestWorld {
    TLargestWorld() {
        cv::Translator = std::make_unique<cv::TTranslate>();
        cv::Translator->Open(CV_LANGUAGE_FILE);
        world.Open(cv::bench::WriteLargest(world.GamesDir()));
        if (!world.RunForecast()) std::abort();
        context.SelPeriod = context.CurPeriod = context.DecPeriod =
            static_cast<std::int16_t>(cv::Session->Industry()->CurPeriod() + 1);
        context.SelFirm = context.SelFta = context.SelMarket = 1;
        owner.resize(1000, 640);
    }
    cv::test::TModelWorld world;
    cv::TDataContext context;
    QWidget owner;
};

TLargestWorld& World() {
    static TLargestWorld* world = new TLargestWorld;
    return *world;
}

std::vector<TScreenCell> ShownCells(const cv::TQNTable& table) {
    std::vector<TScreenCell> cells;
    const cv::TTableGeometry& g = table.Sheet().Geometry();
    for (int row = g.originRow; row < g.RowStart(2) + g.totalRows; ++row)
        for (int column = g.originCol; column < g.ColumnStart(2) + g.totalCols; ++column)
            if (std::string text = table.CellText(row, column); !text.empty()) cells.push_back({row, column, text});
    return cells;
}

// The baseline: a table of the screen's shape that receives the screen's texts as they stand.
void BuildRawTable(const cv::TQNTable& screenTable, const std::vector<TScreenCell>& cells) {
    const cv::TTableGeometry& g = screenTable.Sheet().Geometry();
    cv::TQNTable table(&World().owner, static_cast<cv::TTableType>(screenTable.Sheet().TableType()), "Raw",
                       cv::TTablePlacement{}, cv::kDerivedZoom);
    table.DefineTable({g.titleRows, g.bodyRows, g.totalRows, g.headingCols, g.bodyCols, g.totalCols});
    for (const TScreenCell& cell : cells) table.SetCellText(cell.row, cell.column, cell.text);
    table.Show();
}

}  // namespace

QWidget& LargestOwner() { return World().owner; }
const TDataContext& LargestContext() { return World().context; }

void BuildScreen(benchmark::State& state, const TScreenMaker& create) {
    TLargestWorld& world = World();
    // The first build, untimed, gives the baseline its table.
    std::unique_ptr<cv::TCVScreen> screen = create(&world.owner, world.context);
    if (!screen || !screen->Table()) {
        state.SkipWithError("the screen built no table");
        return;
    }
    std::unique_ptr<cv::TCVScreen> shapeOf = std::move(screen);
    const std::vector<TScreenCell> cells = ShownCells(*shapeOf->Table());
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        screen.reset();
        state.SetIterationTime(times.Round(
            [&] {
                screen = create(&world.owner, world.context);
                benchmark::DoNotOptimize(screen.get());
            },
            [&] { BuildRawTable(*shapeOf->Table(), cells); }));
    }
    times.Report(state, "raw");
    // How much the screen shows, so that a screen that only explains itself stands out.
    state.counters["cells"] = static_cast<double>(cells.size());
}

int RunScreenBenchmarks(int argc, char** argv, const std::function<void()>& registerBenchmarks) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    cv::SetScreenWidth(1024);
    QApplication application(argc, argv);
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace cv::bench
