#include "bench/bare_dialog.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <string>
#include <vector>

#include "ui/report/qn_table.h"

namespace cv::bench {
namespace {

constexpr int kGridColumns = 5;

struct TSheetCell {
    int row, column;
    std::string text;
};

struct TSheetShape {
    int tableType;
    TTableGeometry geometry;
    std::vector<TSheetCell> cells;
};

}  // namespace

struct TBareDialogShape::TContents {
    qsizetype labels = 0, fields = 0, boxes = 0;
    std::vector<TSheetShape> sheets;
};

TBareDialogShape::TBareDialogShape(const QDialog& dialog) : contents_(std::make_unique<TContents>()) {
    contents_->labels = dialog.findChildren<QLabel*>().size();
    contents_->fields = dialog.findChildren<QLineEdit*>().size();
    contents_->boxes = dialog.findChildren<QCheckBox*>().size();
    // The sheet class declares no meta-object of its own: look by type.
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        const auto* sheet = dynamic_cast<const TQNSheet*>(child);
        if (!sheet) continue;
        TSheetShape shape{sheet->TableType(), sheet->Geometry(), {}};
        for (int row = 1; row <= sheet->Model().MaxRow(); ++row)
            for (int column = 1; column <= sheet->Model().MaxCol(); ++column)
                if (std::string text = sheet->Model().Text(row, column); !text.empty())
                    shape.cells.push_back({row, column, std::move(text)});
        contents_->sheets.push_back(std::move(shape));
    }
}

TBareDialogShape::~TBareDialogShape() = default;

void TBareDialogShape::BuildAndDraw(QWidget& owner) const {
    QDialog raw(&owner);
    auto* grid = new QGridLayout(&raw);
    int cell = 0;
    const auto add = [&](QWidget* widget) {
        grid->addWidget(widget, cell / kGridColumns, cell % kGridColumns);
        ++cell;
    };
    for (qsizetype k = 0; k < contents_->labels; ++k) add(new QLabel(QStringLiteral("Label"), &raw));
    for (qsizetype k = 0; k < contents_->fields; ++k) add(new QLineEdit(QStringLiteral("20"), &raw));
    for (qsizetype k = 0; k < contents_->boxes; ++k) add(new QCheckBox(QStringLiteral("M1"), &raw));
    std::vector<std::unique_ptr<TQNTable>> tables;
    for (const TSheetShape& sheet : contents_->sheets) {
        const TTableGeometry& g = sheet.geometry;
        auto table = std::make_unique<TQNTable>(&raw, static_cast<TTableType>(sheet.tableType), "Raw",
                                                TTablePlacement{}, kDerivedZoom);
        table->DefineTable({g.titleRows, g.bodyRows, g.totalRows, g.headingCols, g.bodyCols, g.totalCols});
        for (const TSheetCell& text : sheet.cells) table->SetCellText(text.row, text.column, text.text);
        table->Show();
        tables.push_back(std::move(table));
    }
    raw.adjustSize();
    benchmark::DoNotOptimize(raw.grab());
}

}  // namespace cv::bench
