#include "tests/ui/support/painted_texts.h"

#include <QFontInfo>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <climits>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/cp1252.h"
#include "ui/sheet/sheet_view.h"

namespace cv::test {
namespace {

constexpr QChar kEllipsis(0x2026);
// Pixels between two runs of one line that are still one text (a fallback
// font's run starts where the run before it ended).
constexpr double kRunGap = 1.5;
// A sheet view is one pixel shorter and narrower than its cells (it leaves
// off their far grid line): its last row shows whole but for that pixel.
constexpr int kFarLine = 1;
// Pixels a line's ascent or descent may reach past its clip and still read whole.
constexpr double kClipSlack = 1.0;

int PixelSize(const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

// Whether the clip Painter draws in cuts the top or the bottom of a line of
// Font whose baseline is at Y (both in the painter's own coordinates).
bool ClippedAcross(const QPainter* painter, const QFont& font, double y) {
    if (!painter || !painter->hasClipping()) return false;
    const QRectF clip = painter->clipBoundingRect();
    const QFontMetricsF metrics(font);
    return y - metrics.ascent() < clip.top() - kClipSlack || y + metrics.descent() > clip.bottom() + kClipSlack;
}

// Keeps the texts and counts the pictures drawn; draws nothing.
class RecordingEngine final : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform) transform_ = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++content.pictures; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        ++content.pictures;
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { ++content.pictures; }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& point, const QTextItem& item) override {
        const QPointF position = transform_.map(point);
        const double end = position.x() + item.width() * transform_.m11();
        const bool clipped = ClippedAcross(painter(), item.font(), point.y());
        // A line shaped in several fonts arrives in runs: one text again.
        if (!content.texts.empty() && std::abs(content.texts.back().position.y() - position.y()) < kRunGap &&
            std::abs(lastEnd_ - position.x()) < kRunGap) {
            content.texts.back().text += item.text();
            content.texts.back().clipped = content.texts.back().clipped || clipped;
        } else {
            content.texts.push_back({item.text(), position, PixelSize(item.font()), clipped});
        }
        lastEnd_ = end;
    }
    Type type() const override { return QPaintEngine::User; }

    PaintedContent content;

private:
    QTransform transform_;
    double lastEnd_ = 0.0;
};

class RecordingDevice final : public QPaintDevice {
public:
    explicit RecordingDevice(const QWidget& widget) : widget_(widget) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    RecordingEngine& Engine() { return engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth: return widget_.width();
        case PdmHeight: return widget_.height();
        case PdmWidthMM: return widget_.widthMM();
        case PdmHeightMM: return widget_.heightMM();
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmPhysicalDpiX: return widget_.logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY: return widget_.logicalDpiY();
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return QPaintDevice::metric(metric);
        }
    }

private:
    const QWidget& widget_;
    mutable RecordingEngine engine_;
};

QString Simplified(const QString& text) { return text.simplified(); }

// Whether Line shows Text whole, or (when Cut is allowed) its start cut with an ellipsis.
bool LineShows(const QString& line, const QString& text, bool cut = true) {
    const QString shown = Simplified(line);
    if (shown == text) return true;
    return cut && shown.endsWith(kEllipsis) && shown.size() > 1 && text.startsWith(shown.chopped(1));
}

// Whether the painted lines hold every word of Text (a wrapped text), each
// whole or (when Cut is allowed) cut with an ellipsis.
bool WordsShown(const QStringList& lines, const QString& text, bool cut = true) {
    QStringList words;
    for (const QString& line : lines) words += Simplified(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool found = false;
        for (const QString& shown : words) found = found || LineShows(shown, word, cut);
        if (!found) return false;
    }
    return true;
}

// Whether the painted lines that no clip cuts show Text whole: on one line, or wrapped.
bool ShownWhole(const PaintedContent& painted, const QString& text) {
    QStringList lines;
    for (const PaintedText& line : painted.texts)
        if (!line.clipped) lines.append(line.text);
    for (const QString& line : lines)
        if (LineShows(line, text, false)) return true;
    return WordsShown(lines, text, false);
}

// The rows (or columns) View shows: the fixed ones, then the scrolling ones
// from the first shown until one starts past Limit (the visible part's far
// edge). Start gives where an index starts, -1 when it is not shown.
template <typename StartOf>
std::vector<int> ShownIndexes(int fixedFirst, int fixedCount, int firstScrolling, int last, int limit,
                              StartOf start) {
    std::vector<int> shown;
    for (int index = std::max(fixedFirst, 1); index < fixedFirst + fixedCount && index <= last; ++index)
        shown.push_back(index);
    for (int index = std::max(firstScrolling, 1); index <= last && start(index) <= limit; ++index)
        shown.push_back(index);
    return shown;
}

// The column of the heading laid centred across a run of Row that reaches
// Column, the first scrolled column shown, from columns scrolled out of view
// (from FirstScrolling on); Column itself when there is none.
int HeadingColumnScrolledOut(const TSheetModel& model, int row, int column, int firstScrolling) {
    if (!model.IsEmpty(row, column) || model.Format(row, column).horizontal != kAlignCentreAcross) return column;
    for (int start = column - 1; start >= firstScrolling; --start) {
        if (model.Format(row, start).horizontal != kAlignCentreAcross) return column;
        if (!model.IsEmpty(row, start)) return start;
    }
    return column;
}

// Calls Visit(text, wraps) for each cell with a text whose whole height and
// part of whose width lie in View's visible part; the first scrolled column
// shown holds, for this, the heading over its run whose start scrolled out.
template <typename Visit>
void ForEachVisibleTextCell(const TSheetView& view, Visit visit) {
    const QRect visible = view.visibleRegion().boundingRect();
    const TSheetModel& model = view.Model();
    const int firstRow = std::max(view.TopRow(), view.FixedRow() + view.FixedRows());
    const int firstScrolling = view.FixedCol() + view.FixedCols();
    const int firstColumn = std::max(view.LeftCol(), firstScrolling);
    // A row and a column that are shown, to measure the other way along.
    const int someRow = std::clamp(view.FixedRows() > 0 ? view.FixedRow() : firstRow, 1, model.MaxRow());
    const int someColumn = std::clamp(view.FixedCols() > 0 ? view.FixedCol() : firstColumn, 1, model.MaxCol());
    const std::vector<int> rows =
        ShownIndexes(view.FixedRow(), view.FixedRows(), firstRow, model.MaxRow(), visible.bottom(),
                     [&](int row) { return view.CellRect(row, someColumn).top(); });
    const std::vector<int> columns =
        ShownIndexes(view.FixedCol(), view.FixedCols(), firstColumn, model.MaxCol(), visible.right(),
                     [&](int column) { return view.CellRect(someRow, column).left(); });
    for (const int row : rows)
        for (const int column : columns) {
            const QRect cell = view.CellRect(row, column);
            // A cell wider than the part in view (an explanation's line) counts when part of it is in view.
            if (cell.isEmpty() || !visible.intersects(cell) || cell.top() < visible.top() ||
                cell.bottom() - kFarLine > visible.bottom())
                continue;
            const int textColumn = column == firstColumn ? HeadingColumnScrolledOut(model, row, column, firstScrolling)
                                                         : column;
            const QString text = Simplified(Cp1252ToQString(model.Text(row, textColumn)));
            if (!text.isEmpty()) visit(text, model.Format(row, textColumn).wrap);
        }
}

}  // namespace

QStringList PaintedContent::Texts() const {
    QStringList lines;
    for (const PaintedText& text : texts) lines.append(text.text);
    return lines;
}

bool PaintedContent::Shows(const QString& text) const {
    for (const PaintedText& painted : texts)
        if (LineShows(painted.text, text)) return true;
    return false;
}

PaintedContent Paint(QWidget& widget) {
    RecordingDevice device(widget);
    widget.render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
    return device.Engine().content;
}

QStringList UnpaintedCellTexts(TSheetView& view) {
    const PaintedContent painted = Paint(view);
    const QStringList lines = painted.Texts();
    QStringList missing;
    ForEachVisibleTextCell(view, [&](const QString& text, bool wraps) {
        if (!painted.Shows(text) && !(wraps && WordsShown(lines, text))) missing.append(text);
    });
    return missing;
}

QStringList CutCellTexts(TSheetView& view) {
    const PaintedContent painted = Paint(view);
    const QStringList lines = painted.Texts();
    QStringList cut;
    ForEachVisibleTextCell(view, [&](const QString& text, bool wraps) {
        const bool shown = painted.Shows(text) || (wraps && WordsShown(lines, text));
        if (shown && !ShownWhole(painted, text)) cut.append(text);
    });
    return cut;
}

int VisibleTextCells(const TSheetView& view) {
    int count = 0;
    ForEachVisibleTextCell(view, [&](const QString&, bool) { ++count; });
    return count;
}

ShownTables PaintShownTables(QWidget& window) {
    ShownTables shown;
    // A sheet view declares no meta-object of its own: it is told apart by its type.
    for (QWidget* child : window.findChildren<QWidget*>()) {
        auto* view = dynamic_cast<TSheetView*>(child);
        if (!view || !view->isVisible() || view->visibleRegion().isEmpty()) continue;
        ++shown.tables;
        shown.textCells += VisibleTextCells(*view);
        shown.unpainted += UnpaintedCellTexts(*view);
        shown.cut += CutCellTexts(*view);
    }
    return shown;
}

}  // namespace cv::test
