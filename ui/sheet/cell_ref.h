#pragma once
// Cell addresses of the sheet: rows 1..16384, columns 1..256, written as
// column letters and row number ("B12"); a '$' before either part marks it
// absolute, which matters only to copies.

#include <optional>
#include <string>
#include <string_view>

namespace cv {

inline constexpr int kSheetRowLimit = 16384;
inline constexpr int kSheetColumnLimit = 256;

struct TCellAddress {
    int row = 1;
    int column = 1;
    bool operator==(const TCellAddress&) const = default;
};

// Column letters: 1 "A", 26 "Z", 27 "AA", 256 "IV".
std::string ColumnLetters(int column);
// "B12", or "$B$12" when absolute.
std::string CellRefText(int row, int column, bool absolute = false);
// "B2" for equal corners, else "B2:D7".
std::string RangeRefText(int row1, int column1, int row2, int column2);

bool IsInsideSheet(int row, int column);
// Raises ERangeError naming the operation and the bad index when the cell lies
// outside the sheet.
void CheckCell(std::string_view operation, int row, int column);
// The same for a range; the corners may come in any order.
void CheckRange(std::string_view operation, int row1, int column1, int row2, int column2);

}  // namespace cv
