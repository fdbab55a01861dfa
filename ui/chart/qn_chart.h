#pragma once
// TQNChart: the program's only way of drawing a chart, on Qt Charts. One
// creation routine gives every chart the house look (white backdrop, silver
// and grey grid pens, Arial 8 bold text, placed inside its parent), then one
// operation per kind of change. The chart keeps a data grid and the styles
// given to it and draws itself from them after every change while Repaint is
// on (docs/charts.md).
//
// Chart types: 16 XY (columns 2k-1 and 2k are series k's x and y, each row a
// point), 19 bubbles (columns 3k-2, 3k-1, 3k: x, y and size), 1 bars and 14
// pie (row 1, one bar or slice per column, labelled with the point's label).

#include <QChartView>
#include <QImage>
#include <optional>
#include <vector>

#include "ui/chart/chart_styles.h"
#include "ui/chart/labels_apart.h"

class QGraphicsItem;
class QScatterSeries;

namespace cv {

inline constexpr int kChartBars = 1;
inline constexpr int kChartPie = 14;
inline constexpr int kChartXY = 16;
inline constexpr int kChartBubble = 19;
inline constexpr int kChartDocumentMode = 2;

// Placement bits (TQNChart::Reposition).
inline constexpr int kChartLeftAtX = 1;
inline constexpr int kChartCentreX = 2;
inline constexpr int kChartRightAtX = 4;
inline constexpr int kChartTopAtY = 8;
inline constexpr int kChartCentreY = 16;
inline constexpr int kChartBottomAtY = 32;

class TQNChart : public QChartView {
public:
    TQNChart(QWidget* owner, int chartType, int posFlags, int xOffset, int yOffset, int width, int height, int mode);
    ~TQNChart() override;

    // Places the chart in its parent's client area by PosFlags and the offsets.
    void Reposition();

    // Data grid.
    void SetGridSize(int rows, int columns);
    int RowCount() const { return rows_; }
    int ColumnCount() const { return columns_; }
    void SetData(int row, int column, double value);
    void SetDataEmpty(int row, int column);
    std::optional<double> Data(int row, int column) const;

    // Titles and text blocks.
    void SetTitle(const std::string& text, double size, int style, std::int32_t colour, int location);
    void SetAxisTitle(const std::string& text, int axisId, double size, int style, std::int32_t colour);
    void SetTitleLayout();
    // Shows Text as the second text block; an empty text only hides it.
    void SetLegend(const std::string& text, double size, int location, int alignment, int framed);

    // Axes.
    void SetXAxisScale(int major, int minor, double minimum, double maximum);
    void SetYAxisScale(int major, int minor, double minimum, double maximum);
    // Back to a scale that takes the range of what is drawn.
    void SetAxisAutomatic(int axisId);
    void SetAxisLabelFont(int axisId, const QFont& font);
    void SetXAxisLabelFont();
    void SetYAxisLabelFonts();
    // Labels of the axis in a spreadsheet number format; an empty one gives plain numbers.
    void SetAxisNumberFormat(int axisId, const std::string& format);
    void SetAxisLabelsBlank(int axisId, bool blank);
    // The axis is drawn where the other axis has Value.
    void SetAxisCrossing(int axisId, double value);
    void SetAxesGrid(int majorStyle, int majorWidth, std::int32_t majorColour, int minorStyle, int minorWidth,
                     std::int32_t minorColour);

    // Series and points (1-based).
    void SetSeriesPen(int series, int style, int width, std::int32_t colour);
    // Markers of size 3 on an XY chart whatever Size says.
    void SetSeriesMarker(int series, bool show, int size, std::int32_t colour);
    void SetSeriesOptions(int series, bool flag);
    void SetPointStyles(int series, int point, int markerStyle, int markerSize, std::int32_t colour);
    void SetPointColors(int series, int point, std::int32_t colour);
    void SetSeriesStyle(int series, int point, int location, int setting, const std::string& text, double size,
                        int style, std::int32_t colour, double offsetX, double offsetY);
    void SetPointLabels(int series, int point);
    void SetSeriesLabels(int series, int location, int setting, const std::string& text, double size, int style,
                         std::int32_t colour, double offsetX, double offsetY);
    // Forgets the per-point styles and labels of a series.
    void ResetPointStyles(int series);
    void ResetPointLabels(int series);

    // Backdrops.
    void SetBackColor(std::int32_t colour);
    // A picture file (a placeable metafile, or PNG and the other image
    // formats) stretched over the plot; one that cannot be read shows nothing.
    void SetPlotBackdrop(const std::string& fileName);
    // The picture's centre stands at the plot's point (X, Y) in axis values:
    // each quarter of the picture is stretched over the part of the plot on
    // its side of that point. Without one the picture's centre is the plot's.
    void SetPlotBackdropCentre(double x, double y);
    bool HasBackdropPicture() const { return backdropItem_ != nullptr; }
    // Where the quarters of the backdrop picture meet, in the chart's coordinates.
    QPointF BackdropSplit() const { return backdropSplit_; }

    // Output.
    void CopyToClipboard();
    // The chart drawn at Scale times its size.
    QImage GetPicture(double scale = 2.0);
    // Prints the chart on one page of the kept printer; false when it failed.
    bool PrintChart();

    bool Repaint() const { return repaint_; }
    void SetRepaint(bool on);
    int ChartType() const { return chartType_; }
    void SetChartType(int chartType);
    int Mode() const { return mode_; }
    int TextLengthType() const { return textLengthType_; }
    double MeasureFactor() const { return measureFactor_; }
    const QFont& ChartFont() const { return chartFont_; }
    // The chart's own backdrop colour; nothing while it keeps the default.
    std::optional<QColor> BackColor() const { return backColour_; }
    bool NoData = false;
    // An empty cell of an XY series breaks its line there instead of being skipped.
    bool BreakLinesAtGaps = false;
    // The labels of drawn markers keep apart from one another and from the
    // other markers inside the plot (ui/chart/labels_apart.h) instead of
    // standing where their codes put them; one moved away from its marker is
    // joined to it by a line.
    void SetLabelsApart(bool apart);

    // What the drawing reads; tests read it too.
    const TSeriesStyle* SeriesStyle(int series) const;
    const TAxisSettings& Axis(int axisId) const { return axes_[static_cast<std::size_t>(axisId)]; }
    const TTextBlock& Legend() const { return legend_; }
    const TTextBlock& Title() const { return title_; }
    // Labels drawn, with their rectangles in the chart's coordinates.
    struct TDrawnLabel {
        std::string text;
        QRectF rect;
        QPointF point;
        double markerSize = 0;  // the diameter of the marker it names; 0 without one
        int marker = -1;        // that marker's index in DrawnMarkers(); -1 without one
        bool leader = false;    // a line joins it to its marker
    };
    const std::vector<TDrawnLabel>& DrawnLabels() const { return drawnLabels_; }
    // Markers drawn, in the chart's coordinates.
    const std::vector<TMarkerDisc>& DrawnMarkers() const { return drawnMarkers_; }
    // Marker diameter drawn for a point; 0 when it is not drawn.
    double DrawnMarkerSize(int series, int point) const;
    QRectF PlotArea() const;
    // How often the chart was drawn from its grid and styles.
    int RedrawCount() const { return redrawCount_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TDrawnPoint {
        int series = 0, point = 0;
        QPointF value;
        QAbstractSeries* drawnIn = nullptr;
        double markerSize = 0;
        TChartLabel label;
    };
    static QImage LoadPicture(const std::string& fileName, QSize size);
    void SetAxisScale(int axisId, int major, int minor, double minimum, double maximum);
    TSeriesStyle& Series(int series);
    TPointStyle& Point(int series, int point);
    void Changed();
    void Redraw();
    // Sets the title, its lines broken at spaces to the chart's width.
    void ShowTitle();
    void DrawSeries();
    // Adds the series' lines; its markers go to MarkerSeries, for the caller to stack.
    void DrawXYSeries(int series, std::vector<TDrawnPoint>& drawn, std::vector<QScatterSeries*>& markerSeries);
    void DrawBubbleSeries(int series, double largestSize, std::vector<TDrawnPoint>& drawn);
    void DrawBars();
    void DrawPie();
    void DrawAxisCrossings();
    QColor ColumnColour(int column) const;
    // Smallest and largest value of the grid along an axis.
    std::pair<double, double> GridRange(int axisId) const;
    void DrawDecorations();
    void PlaceLabels();
    void PlaceBackdropPicture();
    void PlaceLegend();
    void ConfigureAxes();

    int chartType_;
    int mode_;
    int textLengthType_ = 1;
    int posFlags_, xOffset_, yOffset_;
    double measureFactor_ = 100.0;
    QFont chartFont_;
    std::optional<QColor> backColour_;
    bool repaint_ = false;
    bool labelsApart_ = false;
    int rows_ = 0, columns_ = 0;
    std::vector<std::optional<double>> grid_;
    std::map<int, TSeriesStyle> series_;
    std::array<TAxisSettings, 3> axes_;
    TTextBlock title_;
    TTextBlock legend_;
    std::string backdropFile_;
    std::optional<QPointF> backdropCentre_;
    QPointF backdropSplit_;
    std::vector<TDrawnPoint> drawnPoints_;
    std::vector<TDrawnLabel> drawnLabels_;
    std::vector<TMarkerDisc> drawnMarkers_;
    std::vector<QGraphicsItem*> overlay_;
    QGraphicsItem* backdropItem_ = nullptr;
    QGraphicsItem* legendItem_ = nullptr;
    int redrawCount_ = 0;
};

}  // namespace cv
