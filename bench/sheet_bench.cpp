// The largest report a screen builds: a table of 200 body rows by 40 body
// columns under a title row, with a heading column, a total column of row
// sums and a total row of column sums, 30 rows by 10 columns shown. Building
// it (every cell written and formatted, the formulas recalculated), laying it
// out and painting what shows is timed alternately with painting the same
// shown texts straight into the same rectangles, without the engine: "x_raw",
// the ratio of their medians. A
// report switch should stay within one frame (16 ms) in absolute time too.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/paired_timing.h"
#include "ui/report/qn_table.h"
#include "ui/report/table_number_formats.h"
#include "ui/sheet/cell_painter.h"
#include "ui/sheet/table_units.h"

namespace {

constexpr int kBodyRows = 200;
constexpr int kBodyColumns = 40;
constexpr int kShownRows = 30;
constexpr int kShownColumns = 10;

void EnsureApplication() {
    static QApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "core_bench";
        static char* argv[] = {name, nullptr};
        cv::SetScreenWidth(1024);
        return new QApplication(argc, argv);
    }();
    (void)application;
}

// Writes the report: title row, body numbers, row and column sums.
void FillReport(cv::TQNTable& table) {
    const int top = table.OriginRow();
    for (int column = 2; column <= kBodyColumns + 1; ++column)
        table.SetCellText(top, column, "Col " + std::to_string(column));
    table.SetCellText(top, kBodyColumns + 2, "Total");
    for (int b = 1; b <= kBodyRows; ++b) {
        const int row = top + b;
        table.SetCellText(row, 1, "Brand " + std::to_string(b));
        for (int column = 2; column <= kBodyColumns + 1; ++column)
            table.SetCellNumber(row, column, b * 1000.0 + column);
        table.SetCellFormula(row, kBodyColumns + 2,
                             "SUM(" + cv::TQNTable::RangeRef(row, 0, 0, 2, 0, kBodyColumns + 1) + ")");
    }
    const int total = top + kBodyRows + 1;
    table.SetCellText(total, 1, "Total");
    for (int column = 2; column <= kBodyColumns + 2; ++column)
        table.SetCellFormula(total, column, "SUM(" + cv::TQNTable::RangeRef(top, column, 1, 0, kBodyRows, 0) + ")");
    table.SetRangeFormat(top + 1, 2, total, kBodyColumns + 2, cv::TNumberFormat::Whole);
}

// One title and one total row and column around the body; a window's worth of it visible.
constexpr cv::TTableShape kLargestShape{.titleRows = 1,
                                        .bodyRows = kBodyRows,
                                        .totalRows = 1,
                                        .headingCols = 1,
                                        .bodyCols = kBodyColumns,
                                        .totalCols = 1,
                                        .maxVisibleRows = kShownRows,
                                        .maxVisibleCols = kShownColumns};

void Paint(QImage& image, QWidget* part) {
    if (!part) return;
    QPainter painter(&image);
    part->render(&painter, part->pos(), QRegion(), QWidget::DrawChildren);
}

double BuildAndShowReport(QWidget& owner, QImage& image) {
    cv::TQNTable table(&owner, cv::TTableType::FilledHeadings, "Largest", {cv::kPlaceLeft | cv::kPlaceTop}, 100);
    table.DefineTable(kLargestShape);
    FillReport(table);
    table.Refresh();
    image.fill(Qt::white);
    Paint(image, &table.Sheet());
    Paint(image, table.TotalRowsPane());
    Paint(image, table.TotalColumnsPane());
    Paint(image, table.CornerPane());
    return table.CellNumber(table.OriginRow() + kBodyRows + 1, kBodyColumns + 2);
}

// The texts that show, with their rectangles, painted without the engine.
struct TShownText {
    QRectF rect;
    QString text;
};

std::vector<TShownText> ShownTexts(QWidget& owner) {
    cv::TQNTable table(&owner, cv::TTableType::FilledHeadings, "Largest", {cv::kPlaceLeft | cv::kPlaceTop}, 100);
    table.DefineTable(kLargestShape);
    FillReport(table);
    table.Refresh();
    const cv::TSheetModel& model = table.Sheet().Model();
    const cv::TCellPainter geometry(model, table.Sheet().PixelsPerTwip());
    std::vector<TShownText> texts;
    const int top = table.OriginRow();
    for (int row = top; row <= top + kShownRows + 1; ++row)
        for (int column = 1; column <= kShownColumns + 2; ++column) {
            const double x = geometry.ColumnOffset(1, column), y = geometry.RowOffset(top, row);
            texts.push_back({QRectF(x, y, model.ColumnWidthTwips(column) * table.Sheet().PixelsPerTwip(),
                                    model.RowHeight(row) * table.Sheet().PixelsPerTwip()),
                             QString::fromStdString(model.Text(row, column))});
        }
    return texts;
}

void PaintRaw(QImage& image, const std::vector<TShownText>& texts, const QFont& font) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    for (const TShownText& shown : texts) painter.drawText(shown.rect, Qt::AlignRight | Qt::AlignVCenter, shown.text);
}

void BM_SheetBuildAndShowLargestReport(benchmark::State& state) {
    EnsureApplication();
    QWidget owner;
    owner.resize(1024, 700);
    QImage image(1024, 700, QImage::Format_ARGB32_Premultiplied);

    const std::vector<TShownText> texts = ShownTexts(owner);
    const QFont font = cv::SheetFont(cv::TCellFont{}, cv::kScreenDpi / cv::kTwipsPerInch);
    double grandTotal = 0.0;
    cv::bench::TPairedTimes times;
    for (auto _ : state) {
        state.SetIterationTime(times.Round(
            [&] {
                grandTotal = BuildAndShowReport(owner, image);
                benchmark::DoNotOptimize(image.constBits());
            },
            [&] { PaintRaw(image, texts, font); }));
    }
    // Every body cell is 1000 b + c: the grand total is 40 x 1000 x (1 + .. + 200) + 200 x (2 + .. + 41).
    if (grandTotal != 40.0 * 1000 * 20100 + 200.0 * 860) state.SkipWithError("the grand total is wrong");
    times.Report(state, "raw");
}
BENCHMARK(BM_SheetBuildAndShowLargestReport)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
