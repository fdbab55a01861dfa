#include "ui/chart/chart_styles.h"

#include <QApplication>
#include <QPalette>
#include <array>

namespace cv {
namespace {

// System colour numbers and the palette roles that stand for them.
constexpr std::array<std::pair<int, QPalette::ColorRole>, 10> kSystemColours{{
    {1, QPalette::Window}, {5, QPalette::Base}, {6, QPalette::WindowText}, {8, QPalette::Text},
    {9, QPalette::HighlightedText}, {13, QPalette::Highlight}, {14, QPalette::HighlightedText},
    {15, QPalette::Button}, {16, QPalette::Mid}, {18, QPalette::ButtonText},
}};

}  // namespace

QColor ChartColour(std::int32_t colour) {
    if (colour < 0) {
        const int index = colour & 0xFF;
        for (const auto& [number, role] : kSystemColours)
            if (number == index) return QApplication::palette().color(QPalette::Active, role);
        return QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont QFontOfChartFont(const TChartFont& font) {
    QFont qfont(QString::fromStdString(font.name));
    qfont.setPointSizeF(font.size > 0 ? font.size : 8.0);
    qfont.setBold(font.style & kChartFontBold);
    qfont.setItalic(font.style & kChartFontItalic);
    qfont.setUnderline(font.effect & kChartEffectUnderline);
    qfont.setStrikeOut(font.effect & kChartEffectStrikeOut);
    return qfont;
}

TChartFont ChartFontOfQFont(const QFont& font, const QColor& colour) {
    TChartFont chartFont;
    chartFont.name = font.family().toStdString();
    chartFont.size = font.pointSizeF();
    chartFont.style = (font.bold() ? kChartFontBold : 0) | (font.italic() ? kChartFontItalic : 0);
    chartFont.effect = (font.underline() ? kChartEffectUnderline : 0) | (font.strikeOut() ? kChartEffectStrikeOut : 0);
    chartFont.colour = colour;
    return chartFont;
}

Qt::PenStyle QtPenStyle(int style) {
    switch (style) {
        case 0: return Qt::NoPen;
        case 2: return Qt::DashLine;
        case 3:
        case 7: return Qt::DotLine;
        case 4: return Qt::DashDotLine;
        case 5: return Qt::DashDotDotLine;
        default: return Qt::SolidLine;
    }
}

}  // namespace cv
