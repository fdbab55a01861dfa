#pragma once
// What the chart layer keeps about a chart between changes: fonts, point and
// series styles, point labels, axis scales and text blocks. The chart is
// drawn from these on every change, so a style survives a new data grid.

#include <QColor>
#include <QFont>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cv {

// Font style bits and effect bits of the chart's font descriptions.
inline constexpr int kChartFontBold = 1;
inline constexpr int kChartFontItalic = 2;
inline constexpr int kChartEffectStrikeOut = 256;
inline constexpr int kChartEffectUnderline = 512;

struct TChartFont {
    std::string name = "Arial";
    double size = 8.0;
    int style = 0;
    int effect = 0;
    QColor colour = Qt::black;
    bool operator==(const TChartFont&) const = default;
};

struct TChartPen {
    int style = 1;  // 0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 7 dotted grid line
    double width = 1.0;
    QColor colour = Qt::black;
};

struct TChartLabel {
    std::string text;
    int location = 0;       // placement code (label_placement.h)
    int leaderStyle = 0;    // 0 none; otherwise a line from the label to its point
    int offsetX = 0, offsetY = 0;  // label-offset units
    TChartFont font;
    bool boxed = false;     // white box with a frame
};

struct TPointStyle {
    std::optional<int> markerStyle;
    int markerSize = 0;
    std::optional<QColor> colour;
    TChartLabel label;
};

struct TSeriesStyle {
    std::optional<TChartPen> pen;
    bool markerShown = true;
    std::optional<int> markerSize;
    std::optional<QColor> markerColour;
    std::optional<TChartLabel> seriesLabel;
    bool statistics = false;
    std::map<int, TPointStyle> points;  // by 1-based point number
};

struct TAxisSettings {
    bool automatic = true;
    double minimum = 0, maximum = 0;
    int major = 0, minor = 0;
    QFont labelFont;
    std::string title;
    TChartFont titleFont;
    bool titleVisible = false;
    TChartPen majorGrid{1, 1.0, QColor(0xC0, 0xC0, 0xC0)};
    TChartPen minorGrid{7, 1.0, QColor(0x80, 0x80, 0x80)};
    // Number format of the labels (ui/sheet/number_format.h); empty: plain numbers.
    std::string numberFormat;
    bool labelsBlank = false;
    // The value of the other axis where this axis is drawn; none: at the plot's edge.
    std::optional<double> crossing;
};

struct TTextBlock {
    std::string text;
    TChartFont font;
    int location = 0;
    int alignment = 0;  // 0 left, 1 right, 2 centred
    bool visible = false;
    bool framed = false;
};

// The colour of a platform colour value ($00BBGGRR; a negative value names a
// system colour, resolved through the application's palette).
QColor ChartColour(std::int32_t colour);
QFont QFontOfChartFont(const TChartFont& font);
TChartFont ChartFontOfQFont(const QFont& font, const QColor& colour = Qt::black);
Qt::PenStyle QtPenStyle(int style);

}  // namespace cv
