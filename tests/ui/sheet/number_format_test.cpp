// Number formats: each report format and mask with positive, negative, zero
// and large values. Expected texts are worked out by hand from the format:
// the section by sign, the value times 100 per bare '%', rounding half away
// from zero, groups of three digits.
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "ui/report/table_number_formats.h"
#include "ui/sheet/number_format.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr std::int32_t kRed = 0x0000FF;   // $00BBGGRR
constexpr std::int32_t kBlue = 0xFF0000;
constexpr std::int32_t kNone = kNoFormatColour;

TEST(TableNumberFormatsTest, EntriesOutsideTheTableAreRefused) {
    EXPECT_THROW(TableNumberFormat(static_cast<TNumberFormat>(0)), ERangeError);
    EXPECT_THROW(TableNumberFormat(static_cast<TNumberFormat>(kTableNumberFormatCount + 1)), ERangeError);
}

struct TFormatCase {
    std::string format;
    double value;
    std::string text;
    std::int32_t colour;
};

class NumberFormatTest : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(NumberFormatTest, RendersTextAndColour) {
    const TFormatCase& c = GetParam();
    const TFormattedNumber shown = FormatNumber(c.value, c.format);
    EXPECT_EQ(shown.text, c.text) << c.format << " " << c.value;
    EXPECT_EQ(shown.colour, c.colour) << c.format << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    ReportFormats, NumberFormatTest,
    ::testing::Values(
        TFormatCase{TableNumberFormat(TNumberFormat::Whole), 1234.5, "1,235", kNone},          // .5 rounds up
        TFormatCase{TableNumberFormat(TNumberFormat::Whole), -1234.5, "-1,235", kNone},        // one section: minus in front
        TFormatCase{TableNumberFormat(TNumberFormat::Whole), 0.0, "0", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::Whole), 1234567890.0, "1,234,567,890", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::Whole), -0.4, "0", kNone},                // shows zero: no sign
        TFormatCase{TableNumberFormat(TNumberFormat::OneDecimal), 0.05, "0.1", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::TwoDecimals), 1.005, "1.01", kNone},            // decimal, not binary, rounding
        TFormatCase{TableNumberFormat(TNumberFormat::SignedWholeColoured), 1500.0, "+1,500", kBlue},
        TFormatCase{TableNumberFormat(TNumberFormat::SignedWholeColoured), -2500.4, "-2,500", kRed},         // second section, its own '-'
        TFormatCase{TableNumberFormat(TNumberFormat::SignedWholeColoured), 0.0, "0", kNone},                 // a change of 0: no sign, no colour
        TFormatCase{TableNumberFormat(TNumberFormat::SignedWholeColoured), -0.0032, "0", kNone},             // shows as 0: zero's section
        TFormatCase{TableNumberFormat(TNumberFormat::SignedWholeColoured), 0.4, "0", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::WholeColoured), -42.0, "42", kRed},
        TFormatCase{TableNumberFormat(TNumberFormat::FourDecimals), 3.14159, "3.1416", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::SignedPercentRedFall), 0.1234, "+12.3%", kNone},         // 0.1234 x 100 = 12.34
        TFormatCase{TableNumberFormat(TNumberFormat::SignedPercentRedFall), -0.053, "-5.3%", kRed},
        TFormatCase{TableNumberFormat(TNumberFormat::Percent), 0.5, "50.0%", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::SignedPercentFigureColoured), 12.34, "+12.3%", kBlue},          // quoted %: no x 100
        TFormatCase{TableNumberFormat(TNumberFormat::SignedPercentFigureColoured), -7.25, "-7.3%", kRed},
        TFormatCase{TableNumberFormat(TNumberFormat::SignedPercentFigureColoured), -0.04, "0.0%", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::SignedPercentFigure), -3.0, "-3.0%", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::SignedPercentFigure), 0.0, "0.0%", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::PercentFigure), 12.34, "12.3%", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::PercentFigure), 1234567.89, "1,234,567.9%", kNone},
        TFormatCase{TableNumberFormat(TNumberFormat::PercentFigureColoured), -3.0, "3.0%", kRed},
        TFormatCase{TableNumberFormat(TNumberFormat::PercentTwoDecimals), 0.12345, "12.35%", kNone},       // 12.345 rounds up
        TFormatCase{TableNumberFormat(TNumberFormat::SignedPercent), -0.053, "-5.3%", kNone},
        TFormatCase{NumberMask(1), 1234567.0, "1,234,567", kNone},
        TFormatCase{NumberMask(2), -1234567.0, "-1,234,567.0", kNone},
        TFormatCase{NumberMask(3), 0.005, "0.01", kNone},
        TFormatCase{"0;-0;\"none\"", 0.0, "none", kNone},                    // third section for zero
        TFormatCase{"0;-0;\"none\"", -0.3, "none", kNone},                   // and for what shows as zero
        TFormatCase{"0;[Red]-0", -0.3, "0", kNone},                          // no zero section: the first
        TFormatCase{"0;\"short\"", -5.0, "short", kNone},                   // a section of text only
        TFormatCase{"0.0#", 2.5, "2.5", kNone},                             // '#' decimals drop zeros
        TFormatCase{"", 0.1 + 0.2, "0.3", kNone}));                         // general: 15 digits

}  // namespace
}  // namespace cv
