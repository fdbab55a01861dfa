#include "ui/sheet/cell_painter.h"

#include "ui/cp1252.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>
#include <cmath>
#include <mutex>
#include <vector>

namespace cv {
namespace {

constexpr double kTextPaddingPixels = 2.0;

void RegisterFontSubstitutes() {
    static std::once_flag once;
    std::call_once(once, [] { QFont::insertSubstitution("Arial", "Liberation Sans"); });
}

int AlignmentFlags(const TCellFormat& format, bool isNumber) {
    int flags = 0;
    switch (format.horizontal) {
        case kAlignLeft:
        case kAlignLeftAcross: flags |= Qt::AlignLeft; break;
        case kAlignRight: flags |= Qt::AlignRight; break;
        case kAlignCentre:
        case kAlignCentreAcross: flags |= Qt::AlignHCenter; break;
        default: flags |= isNumber ? Qt::AlignRight : Qt::AlignLeft; break;
    }
    switch (format.vertical) {
        case kAlignTop: flags |= Qt::AlignTop; break;
        case kAlignMiddle: flags |= Qt::AlignVCenter; break;
        default: flags |= Qt::AlignBottom; break;
    }
    if (format.wrap) flags |= Qt::TextWordWrap;
    return flags;
}

// A number that does not fit its cell shows as '#' marks across it, never as
// a cut-off figure that reads as another value.
QString FittedNumber(const QString& text, const QFontMetricsF& metrics, double width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    const double mark = metrics.horizontalAdvance('#');
    return QString(std::max(1, static_cast<int>(width / std::max(mark, 1.0))), '#');
}

}  // namespace

// A text wider than its cell is cut on the right with an ellipsis, whatever
// its alignment, so that its start stays readable; in a wrapped cell each word
// wider than the cell is.
QString FittedCellText(const QString& text, const QFontMetricsF& metrics, double width, bool wrap) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    if (!wrap) return metrics.elidedText(text, Qt::ElideRight, width);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString& word : words)
            if (metrics.horizontalAdvance(word) > width) word = metrics.elidedText(word, Qt::ElideRight, width);
        line = words.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

namespace {

// Relative luminance and contrast ratio as the usual accessibility rules define them.
double Luminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The least contrast a number's own colour keeps against its cell's fill.
constexpr double kMinContrast = 3.5;
constexpr int kContrastSteps = 4;

}  // namespace

QColor ReadableOn(const QColor& text, const QColor& fill) {
    if (Contrast(text, fill) >= kMinContrast) return text;
    // Lighter on a dark fill, darker on a light one, keeping the hue.
    const QColor toward = Luminance(fill) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    QColor mixed = text;
    for (int step = 1; step <= kContrastSteps && Contrast(mixed, fill) < kMinContrast; ++step) {
        const double share = static_cast<double>(step) / kContrastSteps;
        mixed = QColor::fromRgbF(static_cast<float>(text.redF() + (toward.redF() - text.redF()) * share),
                                 static_cast<float>(text.greenF() + (toward.greenF() - text.greenF()) * share),
                                 static_cast<float>(text.blueF() + (toward.blueF() - text.blueF()) * share));
    }
    return mixed;
}

QColor SheetColour(std::int32_t colour, const QColor& owner) {
    if (colour < 0) return owner;
    const std::int32_t plain = PlainColour(colour);
    return QColor(plain & 0xFF, (plain >> 8) & 0xFF, (plain >> 16) & 0xFF);
}

QFont SheetFont(const TCellFont& font, double pixelsPerTwip) {
    RegisterFontSubstitutes();
    QFont qfont(QString::fromStdString(font.name));
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 20.0 * pixelsPerTwip))));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeout);
    return qfont;
}

int TPainterTextMeasure::TextWidthTwips(const TCellFont& font, std::string_view text) const {
    const QFontMetricsF metrics(SheetFont(font, pixelsPerTwip_));
    double widest = 0.0;
    for (const QString& line : Cp1252ToQString(text).split('\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return static_cast<int>(std::ceil(widest / pixelsPerTwip_));
}

int TPainterTextMeasure::LineHeightTwips(const TCellFont& font) const {
    return static_cast<int>(std::ceil(QFontMetricsF(SheetFont(font, pixelsPerTwip_)).height() / pixelsPerTwip_));
}

int TPainterTextMeasure::WrappedLines(const TCellFont& font, std::string_view paragraph, int roomTwips) const {
    const QFont qfont = SheetFont(font, pixelsPerTwip_);
    const QString text = Cp1252ToQString(paragraph);
    const double room = roomTwips * pixelsPerTwip_;
    if (QFontMetricsF(qfont).horizontalAdvance(text) <= room) return 1;
    QTextLayout layout(text, qfont);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room);
        ++lines;
    }
    layout.endLayout();
    return std::max(lines, 1);
}

struct TCellPainter::TBlock {
    QPointF origin;
    int row1, row2;
    std::vector<int> columns;         // the columns painted, left to right
    std::vector<double> rowEdges;     // rowEdges[i]: top of row1 + i; one more than rows
    std::vector<double> columnEdges;  // columnEdges[i]: left of columns[i]; one more than columns

    int Count() const { return static_cast<int>(columns.size()); }
    int Column(int position) const { return columns[static_cast<std::size_t>(position)]; }
    // The cell of Row over the columns at positions First..Last.
    QRectF CellRect(int row, int first, int last) const {
        const std::size_t r = static_cast<std::size_t>(row - row1);
        return QRectF(QPointF(origin.x() + columnEdges[static_cast<std::size_t>(first)], origin.y() + rowEdges[r]),
                      QPointF(origin.x() + columnEdges[static_cast<std::size_t>(last + 1)], origin.y() + rowEdges[r + 1]));
    }
};

TCellPainter::TBlock TCellPainter::MakeBlock(QPointF origin, int row1, int row2,
                                             const std::vector<TColumnRun>& runs) const {
    TBlock block{origin, row1, row2, {}, {}, {}};
    double twips = 0.0;
    for (int row = row1; row <= row2 + 1; ++row) {
        block.rowEdges.push_back(std::round(twips * pixelsPerTwip_));
        if (row <= row2) twips += model_.RowHeight(row);
    }
    // Each run's edges are rounded from its own start, so that a run lines up
    // with the same columns painted on their own.
    double runStart = 0.0;
    for (const TColumnRun& run : runs) {
        twips = 0.0;
        for (int column = run.first; column <= run.last; ++column) {
            block.columns.push_back(column);
            block.columnEdges.push_back(runStart + std::round(twips * pixelsPerTwip_));
            twips += ColumnTwips(column);
        }
        if (run.last >= run.first) runStart += std::round(twips * pixelsPerTwip_);
    }
    block.columnEdges.push_back(runStart);
    return block;
}

TCellPainter::TCellPainter(const TSheetModel& model, double pixelsPerTwip, const QColor& ownerColour)
    : model_(model), pixelsPerTwip_(pixelsPerTwip), ownerColour_(ownerColour) {}

double TCellPainter::RowOffset(int firstRow, int row) const {
    return std::round(model_.RowsHeightTwips(firstRow, row - 1) * pixelsPerTwip_);
}

double TCellPainter::ColumnTwips(int column) const {
    const auto widened = widenedTwips_.find(column);
    return widened != widenedTwips_.end() ? widened->second : model_.ColumnWidthTwips(column);
}

double TCellPainter::ColumnOffset(int firstColumn, int column) const {
    double twips = 0.0;
    for (int c = firstColumn; c < column; ++c) twips += ColumnTwips(c);
    return std::round(twips * pixelsPerTwip_);
}

void TCellPainter::PaintBlock(QPainter& painter, QPointF origin, int row1, int row2, int column1, int column2) const {
    PaintBlock(painter, origin, row1, row2, {{column1, column2}});
}

void TCellPainter::PaintBlock(QPainter& painter, QPointF origin, int row1, int row2,
                              const std::vector<TColumnRun>& runs) const {
    if (row2 < row1) return;
    const TBlock block = MakeBlock(origin, row1, row2, runs);
    if (block.columns.empty()) return;
    painter.save();
    const int last = block.Count() - 1;
    painter.setClipRect(block.CellRect(row1, 0, last).united(block.CellRect(row2, 0, last)), Qt::IntersectClip);
    PaintFills(painter, block);
    PaintTexts(painter, block);
    PaintBorders(painter, block);
    PaintPictures(painter, block);
    painter.restore();
}

double TCellPainter::TextsReach(int row1, int row2, int column1, int column2) const {
    double reach = ColumnOffset(column1, column2 + 1);
    const double padding = kTextPaddingPixels * pixelsPerTwip_ * kTwipsPerInch / kScreenDpi;
    for (int row = row1; row <= row2; ++row)
        for (int column = column1; column <= column2; ++column) {
            if (model_.IsEmpty(row, column) || model_.CellValue(row, column).IsNumber()) continue;
            const TCellFormat& format = model_.Format(row, column);
            const bool left = format.horizontal == kAlignLeft || format.horizontal == kAlignGeneral ||
                              format.horizontal == kAlignLeftAcross;
            if (format.wrap || !left) continue;
            const QFontMetricsF metrics(SheetFont(format.font, pixelsPerTwip_));
            const double width = metrics.horizontalAdvance(Cp1252ToQString(model_.Display(row, column).text));
            reach = std::max(reach, ColumnOffset(column1, column) + width + 2 * padding);
        }
    return reach;
}

void TCellPainter::WidenColumnsToTexts(int row1, int row2, int column1, int column2) {
    const TBlock block = MakeBlock(QPointF(), row1, row2, {{column1, column2}});
    const double paddingTwips = 2 * kTextPaddingPixels * kTwipsPerInch / kScreenDpi;
    for (int row = row1; row <= row2; ++row)
        for (int position = 0; position < block.Count(); ++position) {
            const int column = block.Column(position);
            if (model_.IsEmpty(row, column)) continue;
            const TCellFormat& format = model_.Format(row, column);
            const bool isNumber = model_.CellValue(row, column).IsNumber();
            const int start = block.Column(TextSpanStart(block, row, position, format, isNumber));
            const int end = block.Column(TextSpanEnd(block, row, position, format, isNumber));
            // A text that runs on past the block widens the block instead
            // (TextsReach); a wrapped one takes more lines, but each of its
            // words must fit the column.
            const bool runsOn = !format.wrap && !isNumber && end == column2 &&
                                format.horizontal != kAlignCentreAcross && format.horizontal != kAlignRight;
            if (runsOn) continue;
            const QFontMetricsF metrics(SheetFont(format.font, pixelsPerTwip_));
            const QString text = Cp1252ToQString(model_.Display(row, column).text);
            double textWidth = 0.0;
            const QStringList words = format.wrap ? text.split(QRegularExpression("[ \\n]")) : QStringList{text};
            for (const QString& word : words) textWidth = std::max(textWidth, metrics.horizontalAdvance(word));
            const double needed = textWidth / pixelsPerTwip_ + paddingTwips;
            double span = 0.0;
            for (int c = start; c <= end; ++c) span += ColumnTwips(c);
            // The rounding of edges to whole pixels may take up to a pixel a side.
            const double shortfall = needed + 2 / pixelsPerTwip_ - span;
            const int widened = format.horizontal == kAlignRight ? start : end;
            if (shortfall > 0) widenedTwips_[widened] = ColumnTwips(widened) + shortfall;
        }
}

void TCellPainter::PaintFills(QPainter& painter, const TBlock& block) const {
    for (int row = block.row1; row <= block.row2; ++row)
        for (int position = 0; position < block.Count(); ++position) {
            const std::int32_t fill = FillColour(model_.Format(row, block.Column(position)).fill);
            if (fill >= 0) painter.fillRect(block.CellRect(row, position, position), SheetColour(fill));
        }
}

int TCellPainter::TextSpanEnd(const TBlock& block, int row, int position, const TCellFormat& format,
                              bool isNumber) const {
    const auto emptyNext = [&](int end) { return end + 1 < block.Count() && model_.IsEmpty(row, block.Column(end + 1)); };
    int end = position;
    // A left-aligned text that does not wrap runs on over every empty
    // neighbour; one laid across, over the rest of its run.
    const bool left = format.horizontal == kAlignLeft || format.horizontal == kAlignGeneral ||
                      format.horizontal == kAlignLeftAcross;
    if (!isNumber && !format.wrap && left) {
        while (emptyNext(end)) ++end;
    } else if (IsAcross(format.horizontal)) {
        while (emptyNext(end) && model_.Format(row, block.Column(end + 1)).horizontal == format.horizontal) ++end;
    }
    return end;
}

int TCellPainter::TextSpanStart(const TBlock& block, int row, int position, const TCellFormat& format,
                                bool isNumber) const {
    int start = position;
    if (!isNumber && !format.wrap && format.horizontal == kAlignRight)
        while (start > 0 && model_.IsEmpty(row, block.Column(start - 1))) --start;
    return start;
}

int TCellPainter::TextColumn(const TBlock& block, int row, int position) const {
    const int column = block.Column(position);
    if (model_.Format(row, column).horizontal != kAlignCentreAcross) return column;
    const int start = model_.AcrossRunStart(row, column);
    const bool startPainted = position > 0 && block.Column(position - 1) >= start;
    return startPainted ? column : start;
}

void TCellPainter::PaintTexts(QPainter& painter, const TBlock& block) const {
    for (int row = block.row1; row <= block.row2; ++row) {
        for (int position = 0; position < block.Count(); ++position) {
            const int column = TextColumn(block, row, position);
            if (model_.IsEmpty(row, column)) continue;
            const TCellDisplay display = model_.Display(row, column);
            if (display.text.empty()) continue;
            const TCellFormat& format = model_.Format(row, column);
            const bool isNumber = model_.CellValue(row, column).IsNumber();
            const QRectF cell = block.CellRect(row, TextSpanStart(block, row, position, format, isNumber),
                                               TextSpanEnd(block, row, position, format, isNumber));
            if (cell.width() <= 0 || cell.height() <= 0) continue;
            const double padding = kTextPaddingPixels * pixelsPerTwip_ * kTwipsPerInch / kScreenDpi;
            painter.save();
            painter.setClipRect(cell, Qt::IntersectClip);
            const QFont font = SheetFont(format.font, pixelsPerTwip_);
            painter.setFont(font);
            // A number format's colour (a rise, a fall) is kept readable on
            // the cell's fill; the style's own font colours are left alone.
            if (display.colour != kNoFormatColour) {
                const std::int32_t fill = FillColour(format.fill);
                painter.setPen(ReadableOn(SheetColour(display.colour, ownerColour_),
                                          fill >= 0 ? SheetColour(fill) : ownerColour_));
            } else {
                painter.setPen(SheetColour(format.font.colour, ownerColour_));
            }
            const QRectF room = cell.adjusted(padding, 0, -padding, 0);
            const auto fit = [&] {
                const QString text = Cp1252ToQString(display.text);
                return isNumber ? FittedNumber(text, QFontMetricsF(font), room.width())
                                : FittedCellText(text, QFontMetricsF(font), room.width(), format.wrap);
            };
            const int flags = AlignmentFlags(format, isNumber);
            if (textCache_)
                textCache_->Shaped(painter, display.text, flags, isNumber, room.size(), fit).Draw(painter, room);
            else
                TShapedText(fit(), painter.font(), flags, room.size(), painter.layoutDirection()).Draw(painter, room);
            painter.restore();
        }
    }
}

void TCellPainter::PaintBorders(QPainter& painter, const TBlock& block) const {
    const auto drawEdge = [&](const TCellEdge& edge, QPointF from, QPointF to) {
        if (edge.style <= 0) return;
        QPen pen(SheetColour(edge.colour, ownerColour_));
        pen.setWidthF(std::max(1.0, (edge.style == 2 ? 2.0 : 1.0) * pixelsPerTwip_ * kTwipsPerInch / kScreenDpi));
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(from, to);
    };
    for (int row = block.row1; row <= block.row2; ++row)
        for (int position = 0; position < block.Count(); ++position) {
            const TCellFormat& format = model_.Format(row, block.Column(position));
            const QRectF cell = block.CellRect(row, position, position);
            // Lines lie on the last pixel row or column inside the cell, so a
            // block's outer edges stay within its clip.
            const double right = cell.right() - 0.5, bottom = cell.bottom() - 0.5;
            const double left = cell.left() + 0.5, top = cell.top() + 0.5;
            drawEdge(format.top, {left, top}, {right, top});
            drawEdge(format.bottom, {left, bottom}, {right, bottom});
            drawEdge(format.left, {left, top}, {left, bottom});
            drawEdge(format.right, {right, top}, {right, bottom});
        }
}

void TCellPainter::PaintPictures(QPainter& painter, const TBlock& block) const {
    if (!pictureDrawer_) return;
    for (const TSheetPicture& picture : model_.Pictures()) {
        const auto x = [&](double column) {
            const int whole = static_cast<int>(column);
            return block.origin.x() + ColumnOffset(block.Column(0), whole) +
                   (column - whole) * ColumnTwips(whole) * pixelsPerTwip_;
        };
        const auto y = [&](double row) {
            const int whole = static_cast<int>(row);
            return block.origin.y() + RowOffset(block.row1, whole) +
                   (row - whole) * model_.RowHeight(whole) * pixelsPerTwip_;
        };
        if (picture.row2 < block.row1 || picture.row1 > block.row2 + 1) continue;
        pictureDrawer_(painter, picture, QRectF(QPointF(x(picture.column1), y(picture.row1)),
                                                QPointF(x(picture.column2), y(picture.row2))));
    }
}

}  // namespace cv
