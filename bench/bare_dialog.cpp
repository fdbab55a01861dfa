#include "bench/bare_dialog.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ui/report/qn_table.h"

namespace cv::bench {
namespace {

constexpr int kRawSamples = 20;
constexpr int kGridColumns = 5;

}  // namespace

double BareDialogSeconds(const QDialog& dialog, QWidget& owner) {
    const auto labels = dialog.findChildren<QLabel*>().size();
    const auto fields = dialog.findChildren<QLineEdit*>().size();
    const auto boxes = dialog.findChildren<QCheckBox*>().size();
    // The sheet class declares no meta-object of its own: look by type.
    std::vector<const cv::TQNSheet*> sheets;
    for (const QWidget* child : dialog.findChildren<QWidget*>())
        if (const auto* sheet = dynamic_cast<const cv::TQNSheet*>(child)) sheets.push_back(sheet);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRawSamples; ++i) {
        QDialog raw(&owner);
        auto* grid = new QGridLayout(&raw);
        int cell = 0;
        const auto add = [&](QWidget* widget) {
            grid->addWidget(widget, cell / kGridColumns, cell % kGridColumns);
            ++cell;
        };
        for (qsizetype k = 0; k < labels; ++k) add(new QLabel(QStringLiteral("Label"), &raw));
        for (qsizetype k = 0; k < fields; ++k) add(new QLineEdit(QStringLiteral("20"), &raw));
        for (qsizetype k = 0; k < boxes; ++k) add(new QCheckBox(QStringLiteral("M1"), &raw));
        std::vector<std::unique_ptr<cv::TQNTable>> tables;
        for (const cv::TQNSheet* sheet : sheets) {
            const cv::TTableGeometry& g = sheet->Geometry();
            auto table = std::make_unique<cv::TQNTable>(&raw, static_cast<cv::TTableType>(sheet->TableType()), "Raw",
                                                        cv::TTablePlacement{}, cv::kDerivedZoom);
            table->DefineTable({g.titleRows, g.bodyRows, g.totalRows, g.headingCols, g.bodyCols, g.totalCols});
            for (int row = 1; row <= sheet->Model().MaxRow(); ++row)
                for (int column = 1; column <= sheet->Model().MaxCol(); ++column)
                    if (std::string text = sheet->Model().Text(row, column); !text.empty())
                        table->SetCellText(row, column, text);
            table->Show();
            tables.push_back(std::move(table));
        }
        raw.adjustSize();
        benchmark::DoNotOptimize(raw.grab());
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRawSamples;
}

}  // namespace cv::bench
