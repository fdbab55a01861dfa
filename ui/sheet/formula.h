#pragma once
// Formulas of the report sheets: numbers, cell references ("B12", "$B$12"),
// + - * / with the usual precedence, unary signs, parentheses and
// SUM(arguments), where an argument is an expression or a range ("B2:B9").
// A text that does not parse is kept and evaluates to #NAME?; a reference
// outside the sheet is #REF!, a division by zero #DIV/0!, arithmetic on a
// text that is not a number #VALUE!. Nothing here throws on bad input.

#include <memory>
#include <string>
#include <string_view>

#include "ui/sheet/cell_value.h"

namespace cv {

// Where a formula reads the cells it refers to.
class TCellSource {
public:
    virtual ~TCellSource() = default;
    virtual TCellValue CellValue(int row, int column) const = 0;
};

class TFormula {
public:
    // Parses Text; one leading '=' is allowed.
    static std::shared_ptr<const TFormula> Parse(std::string_view text);

    TCellValue Evaluate(const TCellSource& cells) const;
    // The formula text, without '='; rebuilt from the parsed form once rows
    // were deleted.
    std::string Text() const;
    // The formula after rows First..Last were deleted and the rows below moved
    // up: references below shift, ranges shrink, a lone reference into the
    // deleted rows becomes #REF!.
    std::shared_ptr<const TFormula> AfterRowsDeleted(int first, int last) const;
    // The formula copied RowDelta rows down and ColumnDelta columns right:
    // relative parts of references move, absolute parts stay, and a reference
    // that leaves the sheet becomes #REF!.
    std::shared_ptr<const TFormula> Moved(int rowDelta, int columnDelta) const;

    struct TNode;
    ~TFormula();

private:
    TFormula() = default;
    std::string text_;
    std::unique_ptr<TNode> root_;  // none when the text did not parse
};

}  // namespace cv
