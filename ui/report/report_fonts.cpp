#include "ui/report/report_fonts.h"

#include <QWidget>

#include "ui/report/qn_table.h"
#include "ui/sheet/cell_painter.h"

namespace cv {

std::vector<QFont> ReportTableFonts(const QWidget& owner) {
    const double scale = OwnerViewScale(owner.width(), kDerivedZoom).value_or(100) / 100.0;
    const double pixelsPerTwip = owner.logicalDpiX() / kTwipsPerInch * scale;
    std::vector<QFont> fonts;
    const auto add = [&](const QFont& font) { fonts.push_back(font); };
    const auto addCellFont = [&](const TFontBlock& block) { add(SheetFont(CellFontOfBlock(block), pixelsPerTwip)); };
    for (int tableType = 1; tableType <= kTableStyleCount; ++tableType) {
        const TTableStyle& style = TableStyle(tableType);
        for (const TAreaBlock& area : style.areas) addCellFont(area.font);
        addCellFont(style.caption.font);
        addCellFont(style.noteFont);
        add(TableTitleFont(style));
        add(TableNoteFont(style));
    }
    for (int fontNumber = 1; fontNumber <= 2; ++fontNumber) addCellFont(TableFont(fontNumber).font);
    return fonts;
}

}  // namespace cv
