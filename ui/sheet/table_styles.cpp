#include "ui/sheet/table_styles.h"

#include "core/base/errors.h"

namespace cv {
namespace {

constexpr int kBold = 1;
constexpr int kItalic = 2;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kBlack = 0x000000;
constexpr std::int32_t kGrey = 0x808080;
constexpr std::int32_t kYellow = 0x00FFFF;
constexpr std::int32_t kCyan = 0xFFFF00;

// What sets one style apart from the others.
struct TStyleTraits {
    std::int32_t captionColour;
    int captionSize;
    std::int32_t titleFill;
    int titlePattern;
    std::int32_t titleFont;
    int bodyFillFlags;           // kFillWhole, kFillBandedRows, kFillBandedColumns or 0
    std::int32_t bodyFill;       // colour of the filled band, or of the whole body
    int bodyPattern;
    std::int32_t bodyFillBackground;
    std::int32_t bodyFont;
    int headingAlign;            // body and total heading columns
    int titleHeadingAlign;
};

TAreaBlock Area(int style, std::int32_t colour, int horizontal) {
    TAreaBlock area;
    area.font = {"Arial", 8, style, colour};
    area.horizontal = horizontal;
    area.vertical = 2;
    return area;
}

void SetEdges(TAreaBlock& area, int edges) { area.border.edges = edges; }

// One band of the body: odd rows (or columns) unfilled, even ones filled.
void SetBodyFill(TAreaBlock& area, const TStyleTraits& traits) {
    area.fillFlags = traits.bodyFillFlags;
    if (traits.bodyFillFlags == kFillWhole) {
        area.pattern = traits.bodyPattern;
        area.foreground = traits.bodyFill;
        area.background = traits.bodyFillBackground;
    } else if (traits.bodyFillFlags != 0) {
        area.pattern = 0;
        area.secondPattern = traits.bodyPattern;
        area.secondForeground = traits.bodyFill;
        area.secondBackground = traits.bodyFillBackground;
    }
}

TTableStyle MakeStyle(const TStyleTraits& traits) {
    TTableStyle style;
    style.caption = Area(kBold | kItalic, traits.captionColour, 2);
    style.caption.font.size = traits.captionSize;
    style.caption.rowHeight = kSizeFit;
    style.noteFont = {"Arial", 8, kItalic, kGrey};

    for (int area = kTitleHeading; area <= kTitleTotal; ++area) {
        TAreaBlock& title = style.areas[static_cast<std::size_t>(area)];
        title = Area(kBold, traits.titleFont, area == kTitleHeading ? traits.titleHeadingAlign : 3);
        title.fillFlags = kFillWhole;
        title.pattern = traits.titlePattern;
        title.foreground = traits.titleFill;
        title.background = kWhite;
        title.wrap = true;
        title.rowHeight = kSizeFit;
    }
    style.areas[kBodyHeading] = Area(kBold, kBlack, traits.headingAlign);
    style.areas[kBodyBody] = Area(0, traits.bodyFont, 4);
    style.areas[kBodyTotal] = Area(0, kBlack, 4);  // unfilled: the body's light font would vanish
    SetBodyFill(style.areas[kBodyBody], traits);
    style.areas[kTotalHeading] = Area(kBold, kBlack, traits.headingAlign);
    style.areas[kTotalBody] = Area(kBold, kBlack, 4);
    style.areas[kTotalTotal] = Area(kBold, kBlack, 4);

    SetEdges(style.areas[kTitleHeading], kEdgeRight);
    SetEdges(style.areas[kBodyHeading], kEdgeRight);
    SetEdges(style.areas[kTotalHeading], kEdgeRight | kEdgeTop);
    SetEdges(style.areas[kTitleTotal], kEdgeLeft);
    SetEdges(style.areas[kBodyTotal], kEdgeLeft);
    SetEdges(style.areas[kTotalTotal], kEdgeLeft | kEdgeTop);
    SetEdges(style.areas[kTotalBody], kEdgeTop);
    return style;
}

constexpr std::int32_t kPurple = 0x800080;
constexpr std::int32_t kRed = 0x0000FF;

TStyleTraits YellowTraits(int bodyFlags) {
    return {kPurple, 16, kYellow, 2, kRed, bodyFlags, kYellow, 3, kCyan, kBlack, 2, 2};
}

// Types 5..16 come in threads of three: banded rows, one fill, banded columns.
TStyleTraits PaletteTraits(std::int32_t caption, std::int32_t titleFill, std::int32_t band, std::int32_t whole,
                           int variant, std::int32_t wholeFont = kBlack) {
    static constexpr int kFlags[] = {kFillBandedRows, kFillWhole, kFillBandedColumns};
    const bool whole_ = variant == 1;
    return {caption, 16, titleFill, 1, kWhite, kFlags[variant], whole_ ? whole : band, 1, kWhite,
            whole_ ? wholeFont : kBlack, variant == 0 ? 7 : 2, variant == 0 ? 7 : 2};
}

std::array<TTableStyle, kTableStyleCount> BuildStyles() {
    std::array<TTableStyle, kTableStyleCount> styles;
    TStyleTraits type1 = YellowTraits(kFillBandedRows);
    type1.titleHeadingAlign = 3;
    styles[0] = MakeStyle(type1);
    for (TAreaBlock& area : styles[0].areas) area.wrap = true;

    styles[1] = MakeStyle(YellowTraits(0));
    TAreaBlock& heading2 = styles[1].areas[kBodyHeading];
    heading2.fillFlags = kFillWhole;
    heading2.pattern = 3;
    heading2.foreground = kYellow;
    heading2.background = kCyan;

    styles[2] = MakeStyle(YellowTraits(kFillBandedColumns));
    TAreaBlock& title3 = styles[2].areas[kTitleBody];
    title3.fillFlags = kFillBandedColumns;
    title3.secondPattern = 3;
    title3.secondForeground = kYellow;
    title3.secondBackground = kCyan;

    TStyleTraits type4{kBlack, 10, 0xC0C0C0, 4, kBlack, 0, kWhite, 0, kWhite, kBlack, 2, 2};
    styles[3] = MakeStyle(type4);
    styles[3].caption.font.style = kBold;
    styles[3].noteFont.colour = kBlack;
    for (int area = kTitleHeading; area <= kTitleTotal; ++area)
        styles[3].areas[static_cast<std::size_t>(area)].border.edges = kEdgeTop | kEdgeBottom | kEdgeLeft | kEdgeRight;

    for (int variant = 0; variant < 3; ++variant) {
        styles[static_cast<std::size_t>(4 + variant)] =
            MakeStyle(PaletteTraits(0x2CCA896, 0x2B8876F, 0x2EBDCD0, 0x2EBDCD0, variant));
        styles[static_cast<std::size_t>(7 + variant)] =
            MakeStyle(PaletteTraits(0x20736DF, 0x20736DF, 0x2C0C0C0, 0x28A2A00, variant, kWhite));
        styles[static_cast<std::size_t>(10 + variant)] =
            MakeStyle(PaletteTraits(kBlack, 0x20000D6, 0x2E0E0FF, kWhite, variant));
        styles[static_cast<std::size_t>(13 + variant)] =
            MakeStyle(PaletteTraits(0x235C7FE, 0x21500A4, 0x2E6E6E6, 0x2E6E6E6, variant));
    }
    styles[4].noteFont.size = 11;
    styles[10].caption.font.size = 13;
    styles[11].areas[kBodyBody].fillFlags = 0;  // type 12: no body fill
    return styles;
}

std::array<TAreaBlock, 2> BuildTableFonts() {
    std::array<TAreaBlock, 2> fonts;
    fonts[0].font = {"Arial", 8, 0, kBlack};
    fonts[0].fillFlags = kFillWhole;
    fonts[0].pattern = 1;
    fonts[0].foreground = 0xC0C0C0;
    fonts[1].font = {"Arial", 8, kItalic, kBlack};
    for (TAreaBlock& block : fonts) block.border.edges = kEdgeTop;
    return fonts;
}

}  // namespace

const TTableStyle& TableStyle(int tableType) {
    static const std::array<TTableStyle, kTableStyleCount> styles = BuildStyles();
    if (tableType < 1 || tableType > kTableStyleCount)
        throw ERangeError("[TableStyle] Bad table type : " + std::to_string(tableType));
    return styles[static_cast<std::size_t>(tableType - 1)];
}

const TAreaBlock& TableFont(int fontNumber) {
    static const std::array<TAreaBlock, 2> fonts = BuildTableFonts();
    if (fontNumber < 1 || fontNumber > 2)
        throw ERangeError("[TableFont] Bad font number : " + std::to_string(fontNumber));
    return fonts[static_cast<std::size_t>(fontNumber - 1)];
}

}  // namespace cv
