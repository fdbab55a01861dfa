#include "ui/sheet/sheet_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstdio>

#include "ui/cp1252.h"
#include "ui/sheet/cell_painter.h"

namespace cv {
namespace {

std::string HtmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out.push_back(c);
        }
    }
    return out;
}

std::string CssColour(std::int32_t colour) {
    return SheetColour(colour).name().toStdString();
}

const char* CssAlign(const TCellFormat& format, bool isNumber) {
    switch (format.horizontal) {
        case kAlignLeft: return "left";
        case kAlignRight: return "right";
        case kAlignCentre:
        case kAlignCentreAcross: return "center";
        default: return isNumber ? "right" : "left";
    }
}

std::string CellStyle(const TSheetModel& model, int row, int column, const TCellDisplay& display) {
    const TCellFormat& format = model.Format(row, column);
    char size[32];
    std::snprintf(size, sizeof size, "%gpt", format.font.size);
    std::string style = "font-family:" + format.font.name + ";font-size:" + size;
    if (format.font.bold) style += ";font-weight:bold";
    if (format.font.italic) style += ";font-style:italic";
    const std::int32_t colour = display.colour != kNoFormatColour ? display.colour : format.font.colour;
    if (colour >= 0) style += ";color:" + CssColour(colour);
    const std::int32_t fill = FillColour(format.fill);
    if (fill >= 0) style += ";background:" + CssColour(fill);
    style += ";text-align:";
    style += CssAlign(format, model.CellValue(row, column).IsNumber());
    return style;
}

}  // namespace

std::string SheetAsTabText(const TSheetModel& model, int row1, int column1, int row2, int column2) {
    CheckRange("SheetAsTabText", row1, column1, row2, column2);
    std::string text;
    for (int row = row1; row <= row2; ++row) {
        for (int column = column1; column <= column2; ++column) {
            if (column > column1) text.push_back('\t');
            text += model.Text(row, column);
        }
        text += "\r\n";
    }
    return text;
}

std::string SheetAsHtml(const TSheetModel& model, int row1, int column1, int row2, int column2) {
    CheckRange("SheetAsHtml", row1, column1, row2, column2);
    std::string html = "<table style=\"border-collapse:collapse\">\n";
    for (int row = row1; row <= row2; ++row) {
        html += "<tr>";
        for (int column = column1; column <= column2; ++column) {
            const TCellDisplay display = model.Display(row, column);
            html +=
                "<td style=\"" + CellStyle(model, row, column, display) + "\">" + HtmlEscaped(display.text) + "</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

void CopySheetToClipboard(const TSheetModel& model, int row1, int column1, int row2, int column2) {
    auto* data = new QMimeData();
    data->setText(Cp1252ToQString(SheetAsTabText(model, row1, column1, row2, column2)));
    data->setHtml(Cp1252ToQString(SheetAsHtml(model, row1, column1, row2, column2)));
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace cv
