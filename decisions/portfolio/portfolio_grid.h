#pragma once
// TPortfolioGrid: a grid of brands of the portfolio dialog, one brand a row
// (name, status text, base project), filled from the top. Only a filled row
// can be selected, by the mouse or the arrow keys; the whole row is selected.
// The grid is one stop of the Tab key.
// The dialog changes the rows through the operations below, which never
// announce a selection; a selection by the user is announced by BrandChosen.

#include <QTableWidget>
#include <string>
#include <vector>

namespace cv {

struct TGridRow {
    std::string Name;
    std::string Status;
    std::string Project;
};

class TPortfolioGrid : public QTableWidget {
    Q_OBJECT

public:
    TPortfolioGrid(QWidget* owner, int rows);

    // Row 0.. whose name equals Name (ASCII letter case ignored); -1 when none.
    int FindRow(const std::string& name) const;
    TGridRow Row(int row) const;
    // The names of the filled rows, from the top.
    std::vector<std::string> Names() const;
    // Writes Cells into the first row without a name (none when the grid is full).
    void AddRow(const TGridRow& cells);
    // In Name's row, writes each cell of Cells that is not empty.
    void SetRowCells(const std::string& name, const TGridRow& cells);
    // Removes Name's row: the rows below move up one, the last is emptied.
    void DeleteRowByName(const std::string& name);
    void SelectRow(const std::string& name);
    void ClearSelection();
    void Empty();

signals:
    void BrandChosen(const QString& name);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);
    bool Filled(int row) const { return row >= 0 && row < rowCount() && !Cell(row, 0).empty(); }
    void AnnounceChoice();
};

}  // namespace cv
