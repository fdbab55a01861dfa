#include "ui/chart/qn_chart.h"

#include <QApplication>
#include <QClipboard>
#include <QGraphicsLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QResizeEvent>
#include <limits>

#include "core/base/errors.h"
#include "core/base/ini_file.h"
#include "core/base/ui_services.h"
#include "core/session/settings_paths.h"
#include "ui/chart/label_placement.h"
#include "ui/picture/metafile.h"
#include "ui/printing/prn_setup.h"

namespace cv {
namespace {

constexpr int kMaxMode = 255;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kSilver = 0xC0C0C0;
constexpr std::int32_t kGrey = 0x808080;
constexpr int kMajorGridStyle = 1;
constexpr int kMinorGridStyle = 7;
constexpr int kXYMarkerSize = 3;
constexpr double kMetricFactor = 100.0;
constexpr double kInchFactor = 254.0;

// Sizes, styles, indexes and counts the chart takes as 16-bit integers.
int Short(long long value, const char* what) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw ERangeError(std::string("Range check error: ") + what + " " + std::to_string(value));
    return static_cast<int>(value);
}

double MeasureFactorFromSettings() {
    const std::string winIni = WinIniFileName();
    const int measure = winIni.empty() ? 0 : TIniFile(winIni).ReadInteger("intl", "iMeasure", 0);
    return measure == 0 ? kMetricFactor : kInchFactor;
}

TChartFont LabelFont(double size, int style, std::int32_t colour) {
    TChartFont font;
    font.size = size;
    font.style = style;
    font.colour = ChartColour(colour);
    return font;
}

}  // namespace

TQNChart::TQNChart(QWidget* owner, int chartType, int posFlags, int xOffset, int yOffset, int width, int height,
                   int mode)
    : QChartView(owner), chartType_(chartType), mode_(mode), posFlags_(posFlags), xOffset_(xOffset),
      yOffset_(yOffset) {
    if (mode < 0 || mode > kMaxMode) throw ERangeError("Range check error: Mode " + std::to_string(mode));
    if (chartType < 0) throw ERangeError("Range check error: chartType " + std::to_string(chartType));
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    chart()->legend()->hide();
    chart()->setBackgroundRoundness(0);
    chart()->layout()->setContentsMargins(0, 0, 0, 0);
    connect(chart(), &QChart::plotAreaChanged, this, [this] { PlaceLabels(), PlaceBackdropPicture(), PlaceLegend(); });
    textLengthType_ = mode == kChartDocumentMode ? 0 : 1;
    if (owner && owner->isWindow() && mode != kChartDocumentMode) {
        SetBackColor(kWhite);
        chartFont_ = owner->font();
    } else {
        chartFont_ = QFont("Arial");
        chartFont_.setPointSizeF(8);
        chartFont_.setBold(true);
    }
    SetXAxisLabelFont();
    SetYAxisLabelFonts();
    SetAxesGrid(kMajorGridStyle, 1, kSilver, kMinorGridStyle, 1, kGrey);
    resize(width, height);
    Reposition();
    measureFactor_ = MeasureFactorFromSettings();
}

TQNChart::~TQNChart() = default;

void TQNChart::Reposition() {
    const QWidget* parent = parentWidget();
    if (!parent) return;
    const QRect client = parent->contentsRect();
    int left = x(), top = y();
    if (posFlags_ & kChartCentreX) left = static_cast<int>(std::lround((client.width() - width()) / 2.0));
    else if (posFlags_ & kChartLeftAtX) left = xOffset_;
    else if (posFlags_ & kChartRightAtX) left = client.width() - width() + xOffset_;
    if (posFlags_ & kChartCentreY) top = static_cast<int>(std::lround((client.height() - height()) / 2.0));
    else if (posFlags_ & kChartTopAtY) top = yOffset_;
    else if (posFlags_ & kChartBottomAtY) top = client.height() - height() + yOffset_;
    move(left, top);
}

void TQNChart::SetGridSize(int rows, int columns) {
    rows_ = Short(rows, "rows");
    columns_ = Short(columns, "columns");
    grid_.assign(static_cast<std::size_t>(std::max(0, rows_ * columns_)), std::nullopt);
    Changed();
}

void TQNChart::SetData(int row, int column, double value) {
    Short(row, "row"), Short(column, "column");
    if (row < 1 || column < 1) throw ERangeError("Range check error: data cell " + std::to_string(row) + "," + std::to_string(column));
    if (row > rows_ || column > columns_) {
        // The grid grows to hold the cell, keeping what it holds.
        std::vector<std::optional<double>> grown(static_cast<std::size_t>(std::max(row, rows_) * std::max(column, columns_)));
        for (int r = 1; r <= rows_; ++r)
            for (int c = 1; c <= columns_; ++c)
                grown[static_cast<std::size_t>((r - 1) * std::max(column, columns_) + c - 1)] = Data(r, c);
        rows_ = std::max(row, rows_);
        columns_ = std::max(column, columns_);
        grid_ = std::move(grown);
    }
    grid_[static_cast<std::size_t>((row - 1) * columns_ + column - 1)] = value;
    Changed();
}

void TQNChart::SetDataEmpty(int row, int column) {
    if (row >= 1 && column >= 1 && row <= rows_ && column <= columns_)
        grid_[static_cast<std::size_t>((row - 1) * columns_ + column - 1)].reset();
    Changed();
}

std::optional<double> TQNChart::Data(int row, int column) const {
    if (row < 1 || column < 1 || row > rows_ || column > columns_) return std::nullopt;
    return grid_[static_cast<std::size_t>((row - 1) * columns_ + column - 1)];
}

void TQNChart::SetTitle(const std::string& text, double size, int style, std::int32_t colour, int location) {
    title_.text = text;
    title_.font = LabelFont(size, Short(style, "style"), colour);
    title_.location = Short(location, "location");
    title_.visible = true;
    Changed();
}

void TQNChart::SetAxisTitle(const std::string& text, int axisId, double size, int style, std::int32_t colour) {
    TAxisSettings& axis = axes_.at(static_cast<std::size_t>(Short(axisId, "axis")));
    axis.title = text;
    axis.titleFont = LabelFont(size, Short(style, "style"), colour);
    axis.titleVisible = true;
    Changed();
}

void TQNChart::SetTitleLayout() {
    title_.visible = true;
    title_.location = 1;
    Changed();
}

void TQNChart::SetLegend(const std::string& text, double size, int location, int alignment, int framed) {
    if (text.empty()) {
        legend_.visible = false;
        Changed();
        return;
    }
    legend_.text = text;
    legend_.font = ChartFontOfQFont(chartFont_);
    legend_.font.size = size;
    legend_.location = Short(location, "location");
    legend_.alignment = Short(alignment, "alignment");
    legend_.framed = framed != 0;
    legend_.visible = true;
    Changed();
}

void TQNChart::SetAxisScale(int axisId, int major, int minor, double minimum, double maximum) {
    TAxisSettings& axis = axes_[static_cast<std::size_t>(axisId)];
    axis.automatic = false;
    axis.minimum = minimum;
    axis.maximum = maximum;
    axis.major = Short(major, "major");
    axis.minor = Short(minor, "minor");
    Changed();
}

void TQNChart::SetXAxisScale(int major, int minor, double minimum, double maximum) {
    SetAxisScale(0, major, minor, minimum, maximum);
}

void TQNChart::SetYAxisScale(int major, int minor, double minimum, double maximum) {
    SetAxisScale(1, major, minor, minimum, maximum);
}

void TQNChart::SetAxisAutomatic(int axisId) {
    axes_.at(static_cast<std::size_t>(Short(axisId, "axis"))).automatic = true;
    Changed();
}

void TQNChart::SetAxisLabelFont(int axisId, const QFont& font) {
    axes_.at(static_cast<std::size_t>(Short(axisId, "axis"))).labelFont = font;
    Changed();
}

void TQNChart::SetXAxisLabelFont() { SetAxisLabelFont(0, chartFont_); }

void TQNChart::SetYAxisLabelFonts() {
    SetAxisLabelFont(1, chartFont_);
    SetAxisLabelFont(2, chartFont_);
}

void TQNChart::SetAxisNumberFormat(int axisId, const std::string& format) {
    axes_.at(static_cast<std::size_t>(Short(axisId, "axis"))).numberFormat = format;
    Changed();
}

void TQNChart::SetAxisLabelsBlank(int axisId, bool blank) {
    axes_.at(static_cast<std::size_t>(Short(axisId, "axis"))).labelsBlank = blank;
    Changed();
}

void TQNChart::SetAxisCrossing(int axisId, double value) {
    axes_.at(static_cast<std::size_t>(Short(axisId, "axis"))).crossing = value;
    Changed();
}

void TQNChart::SetAxesGrid(int majorStyle, int majorWidth, std::int32_t majorColour, int minorStyle, int minorWidth,
                           std::int32_t minorColour) {
    for (int axis = 0; axis <= 1; ++axis) {
        axes_[static_cast<std::size_t>(axis)].majorGrid = {Short(majorStyle, "style"), double(Short(majorWidth, "width")), ChartColour(majorColour)};
        axes_[static_cast<std::size_t>(axis)].minorGrid = {Short(minorStyle, "style"), double(Short(minorWidth, "width")), ChartColour(minorColour)};
    }
    Changed();
}

TSeriesStyle& TQNChart::Series(int series) { return series_[Short(series, "series")]; }

TPointStyle& TQNChart::Point(int series, int point) { return Series(series).points[Short(point, "point")]; }

const TSeriesStyle* TQNChart::SeriesStyle(int series) const {
    const auto found = series_.find(series);
    return found == series_.end() ? nullptr : &found->second;
}

void TQNChart::SetSeriesPen(int series, int style, int width, std::int32_t colour) {
    Series(series).pen = TChartPen{Short(style, "style"), double(Short(width, "width")), ChartColour(colour)};
    Changed();
}

void TQNChart::SetSeriesMarker(int series, bool show, int size, std::int32_t colour) {
    TSeriesStyle& style = Series(series);
    style.markerShown = show;
    style.markerSize = chartType_ == kChartXY ? kXYMarkerSize : Short(size, "size");
    style.markerColour = ChartColour(colour);
    Changed();
}

void TQNChart::SetSeriesOptions(int series, bool flag) {
    Series(series).statistics = flag;
    Changed();
}

void TQNChart::SetPointStyles(int series, int point, int markerStyle, int markerSize, std::int32_t colour) {
    TPointStyle& style = Point(series, point);
    style.markerStyle = Short(markerStyle, "marker style");
    style.markerSize = Short(markerSize, "marker size");
    style.colour = ChartColour(colour);
    Changed();
}

void TQNChart::SetPointColors(int series, int point, std::int32_t colour) {
    Point(series, point).colour = ChartColour(colour);
    Changed();
}

void TQNChart::SetSeriesStyle(int series, int point, int location, int setting, const std::string& text, double size,
                              int style, std::int32_t colour, double offsetX, double offsetY) {
    TChartLabel& label = Point(series, point).label;
    const bool boxed = label.boxed;
    label = {text, Short(location, "location"), Short(setting, "setting"), PointLabelOffset(offsetX),
             PointLabelOffset(offsetY), LabelFont(size, Short(style, "style"), colour), boxed};
    Changed();
}

void TQNChart::SetPointLabels(int series, int point) {
    Point(series, point).label.boxed = true;
    Changed();
}

void TQNChart::SetSeriesLabels(int series, int location, int setting, const std::string& text, double size, int style,
                               std::int32_t colour, double offsetX, double offsetY) {
    Series(series).seriesLabel =
        TChartLabel{text, Short(location, "location"), Short(setting, "setting"),
                    SeriesLabelOffset(offsetX, measureFactor_), SeriesLabelOffset(offsetY, measureFactor_),
                    LabelFont(size, Short(style, "style"), colour), true};
    Changed();
}

void TQNChart::ResetPointStyles(int series) {
    for (auto& [number, point] : Series(series).points) point = TPointStyle{{}, 0, {}, point.label};
    Changed();
}

void TQNChart::ResetPointLabels(int series) {
    for (auto& [number, point] : Series(series).points) point.label = TChartLabel();
    Changed();
}

void TQNChart::SetBackColor(std::int32_t colour) {
    backColour_ = ChartColour(colour);
    Changed();
}

void TQNChart::SetPlotBackdrop(const std::string& fileName) {
    backdropFile_ = fileName;
    Changed();
}

void TQNChart::SetPlotBackdropCentre(double x, double y) {
    backdropCentre_ = QPointF(x, y);
    Changed();
}

QImage TQNChart::LoadPicture(const std::string& fileName, QSize size) {
    const QString path = QString::fromStdString(fileName);
    if (path.endsWith(".wmf", Qt::CaseInsensitive)) {
        try {
            return MetafilePixmap(path, size).toImage();
        } catch (const EPictureFileError&) {
            return {};
        }
    }
    const QImage picture(path);
    return picture.isNull() ? picture : picture.scaled(size);
}

void TQNChart::SetRepaint(bool on) {
    repaint_ = on;
    Changed();
}

void TQNChart::SetLabelsApart(bool apart) {
    labelsApart_ = apart;
    Changed();
}

void TQNChart::SetChartType(int chartType) {
    if (chartType < 0) throw ERangeError("Range check error: chartType " + std::to_string(chartType));
    chartType_ = chartType;
    Changed();
}

void TQNChart::Changed() {
    if (repaint_) Redraw();
}

void TQNChart::CopyToClipboard() { QApplication::clipboard()->setImage(GetPicture(1.0)); }

QImage TQNChart::GetPicture(double scale) {
    if (testAttribute(Qt::WA_PendingResizeEvent)) {
        // A chart never shown (one built for a document) lays itself out first.
        QResizeEvent event(size(), QSize());
        resizeEvent(&event);
        setAttribute(Qt::WA_PendingResizeEvent, false);
    }
    QImage image((QSizeF(size()) * scale).toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())), rect());
    return image;
}

bool TQNChart::PrintChart() {
    const std::optional<TPrintTarget> target = ChoosePrintTarget(this, objectName().toStdString());
    if (!target) return true;  // the user cancelled
    const QImage picture = GetPicture();
    const TPageRenderer render = [&](QPagedPaintDevice& device) {
        QPainter painter;
        if (!painter.begin(&device)) return false;
        const QSizeF page(device.width(), device.height());
        painter.drawImage(QRectF(QPointF(0, 0), picture.size().scaled(page.toSize(), Qt::KeepAspectRatio)), picture);
        return painter.end();
    };
    if (target->printer) return PrinterSource().Print(this, *KeptPrinterChoice(), false, render) != TPrintOutcome::Failed;
    if (const std::string error = WritePdfFile(target->pdfPath, objectName().toStdString(), render); !error.empty()) {
        Ui().ShowErrorBox(target->pdfPath + ": " + error);
        return false;
    }
    ReportPdfWritten(target->pdfPath);
    return true;
}

void TQNChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    ShowTitle();
    PlaceLabels();
    PlaceBackdropPicture();
    PlaceLegend();
}

}  // namespace cv
