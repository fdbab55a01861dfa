#pragma once
// TTableType: the sixteen table styles a report table is created with
// (ui/sheet/table_styles.h holds their records). The program's windows use
// the first three; every printed or saved document uses Document.

namespace cv {

enum class TTableType : int {
    // Purple titles on yellow; the body banded by rows.
    BandedRows = 1,
    // Purple titles on yellow; the heading column filled, the body plain.
    FilledHeadings = 2,
    // Purple titles on yellow; title row and body banded by columns.
    BandedColumns = 3,
    // Black titles on silver, framed; no fill: the layout of paper.
    Document = 4,
    // Slate-blue families, then orange, red and crimson ones: banded rows,
    // one fill, banded columns in each.
    SlateBandedRows = 5,
    SlateFilled = 6,
    SlateBandedColumns = 7,
    OrangeBandedRows = 8,
    OrangeFilled = 9,
    OrangeBandedColumns = 10,
    RedBandedRows = 11,
    RedPlain = 12,
    RedBandedColumns = 13,
    CrimsonBandedRows = 14,
    CrimsonFilled = 15,
    CrimsonBandedColumns = 16,
};

}  // namespace cv
