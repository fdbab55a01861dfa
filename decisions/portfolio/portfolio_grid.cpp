#include "decisions/portfolio/portfolio_grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalBlocker>

#include "core/language/language_file.h"
#include "ui/cp1252.h"

namespace cv {

namespace {

enum TColumn { kName, kStatus, kProject, kColumns };
constexpr int kColumnWidths[kColumns] = {90, 100, 90};
constexpr int kRowHeight = 20;

}  // namespace

TPortfolioGrid::TPortfolioGrid(QWidget* owner, int rows) : QTableWidget(rows, kColumns, owner) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One stop of the Tab key for the whole grid: the arrow keys move inside it.
    setTabKeyNavigation(false);
    int width = 2 * frameWidth();
    for (int column = 0; column < kColumns; ++column) {
        setColumnWidth(column, kColumnWidths[column]);
        width += kColumnWidths[column];
    }
    for (int row = 0; row < rows; ++row) setRowHeight(row, kRowHeight);
    setFixedSize(width, rows * kRowHeight + 2 * frameWidth());
    Empty();
    connect(this, &QTableWidget::itemSelectionChanged, this, &TPortfolioGrid::AnnounceChoice);
}

std::string TPortfolioGrid::Cell(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? QStringToCp1252(cell->text()) : std::string();
}

void TPortfolioGrid::SetCell(int row, int column, const std::string& text) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
    }
    cell->setText(Cp1252ToQString(text));
}

int TPortfolioGrid::FindRow(const std::string& name) const {
    for (int row = 0; row < rowCount(); ++row)
        if (Filled(row) && SameTextAscii(Cell(row, kName), name)) return row;
    return -1;
}

TGridRow TPortfolioGrid::Row(int row) const { return {Cell(row, kName), Cell(row, kStatus), Cell(row, kProject)}; }

std::vector<std::string> TPortfolioGrid::Names() const {
    std::vector<std::string> names;
    for (int row = 0; row < rowCount() && Filled(row); ++row) names.push_back(Cell(row, kName));
    return names;
}

void TPortfolioGrid::AddRow(const TGridRow& cells) {
    for (int row = 0; row < rowCount(); ++row) {
        if (Filled(row)) continue;
        SetCell(row, kName, cells.Name);
        SetCell(row, kStatus, cells.Status);
        SetCell(row, kProject, cells.Project);
        return;
    }
}

void TPortfolioGrid::SetRowCells(const std::string& name, const TGridRow& cells) {
    const int row = FindRow(name);
    if (row < 0) return;
    if (!cells.Name.empty()) SetCell(row, kName, cells.Name);
    if (!cells.Status.empty()) SetCell(row, kStatus, cells.Status);
    if (!cells.Project.empty()) SetCell(row, kProject, cells.Project);
}

void TPortfolioGrid::DeleteRowByName(const std::string& name) {
    const int found = FindRow(name);
    if (found < 0) return;
    const QSignalBlocker quiet(this);
    for (int row = found; row + 1 < rowCount(); ++row)
        for (int column = 0; column < kColumns; ++column) SetCell(row, column, Cell(row + 1, column));
    for (int column = 0; column < kColumns; ++column) SetCell(rowCount() - 1, column, {});
}

void TPortfolioGrid::SelectRow(const std::string& name) {
    const int row = FindRow(name);
    if (row < 0) return;
    const QSignalBlocker quiet(this);
    selectRow(row);
}

void TPortfolioGrid::ClearSelection() {
    const QSignalBlocker quiet(this);
    clearSelection();
    setCurrentIndex({});
}

void TPortfolioGrid::Empty() {
    const QSignalBlocker quiet(this);
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < kColumns; ++column) SetCell(row, column, {});
    ClearSelection();
}

// A click on an empty row selects nothing and keeps what was selected.
void TPortfolioGrid::mousePressEvent(QMouseEvent* event) {
    if (!Filled(indexAt(event->position().toPoint()).row())) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

// The arrow keys stop at the last filled row.
QModelIndex TPortfolioGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex target = QTableWidget::moveCursor(action, modifiers);
    if (!Filled(target.row())) return currentIndex();
    return target;
}

void TPortfolioGrid::AnnounceChoice() {
    const QList<QTableWidgetItem*> chosen = selectedItems();
    if (chosen.isEmpty() || !Filled(chosen.front()->row())) return;
    emit BrandChosen(Cp1252ToQString(Cell(chosen.front()->row(), kName)));
}

}  // namespace cv
