#include "ui/sheet/cell_ref.h"

#include "core/base/errors.h"

namespace cv {

std::string ColumnLetters(int column) {
    std::string letters;
    for (int rest = column; rest > 0; rest = (rest - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
    return letters;
}

std::string CellRefText(int row, int column, bool absolute) {
    const std::string mark = absolute ? "$" : "";
    return mark + ColumnLetters(column) + mark + std::to_string(row);
}

std::string RangeRefText(int row1, int column1, int row2, int column2) {
    if (row1 == row2 && column1 == column2) return CellRefText(row1, column1);
    return CellRefText(row1, column1) + ":" + CellRefText(row2, column2);
}

bool IsInsideSheet(int row, int column) {
    return row >= 1 && row <= kSheetRowLimit && column >= 1 && column <= kSheetColumnLimit;
}

void CheckCell(std::string_view operation, int row, int column) {
    if (row < 1 || row > kSheetRowLimit)
        throw ERangeError("[" + std::string(operation) + "] Bad row : " + std::to_string(row) + " not in [1," +
                          std::to_string(kSheetRowLimit) + "]");
    if (column < 1 || column > kSheetColumnLimit)
        throw ERangeError("[" + std::string(operation) + "] Bad column : " + std::to_string(column) + " not in [1," +
                          std::to_string(kSheetColumnLimit) + "]");
}

void CheckRange(std::string_view operation, int row1, int column1, int row2, int column2) {
    CheckCell(operation, row1, column1);
    CheckCell(operation, row2, column2);
}

}  // namespace cv
