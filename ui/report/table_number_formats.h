#pragma once
// The number formats of the report tables, built once from the separators.
// "Percent" formats multiply a fraction by 100; "PercentFigure" formats print
// a figure that already is a percentage, followed by a % sign. "Coloured"
// shows positive values in blue and negative ones in red; "Signed" writes the
// sign of positive values too.

#include <string>

namespace cv {

enum class TNumberFormat : int {
    Whole = 1,                    // #,##0
    OneDecimal,                   // #,##0.0
    TwoDecimals,                  // #,##0.00
    SignedWholeColoured,          // [Blue]+###,###,##0;[Red]-###,###,##0;###,###,##0
    WholeColoured,                // [Blue]###,###,##0;[Red]###,###,##0
    FourDecimals,                 // #,##0.0000
    SignedPercentRedFall,         // +0.0%;[Red]-0.0%
    Percent,                      // 0.0%
    SignedPercentFigureColoured,  // [Blue]+###,###,##0.0"%";[Red]-###,###,##0.0"%";###,###,##0.0"%"
    SignedPercentFigure,          // +###,###,##0.0"%";-###,###,##0.0"%";###,###,##0.0"%"
    PercentFigure,                // ###,###,###,##0.0"%"
    PercentFigureColoured,        // [Blue]###,###,##0.0"%";[Red]###,###,##0.0"%"
    PercentTwoDecimals,           // 0.00%
    SignedPercent,                // +0.0%;-0.0%
};

inline constexpr int kTableNumberFormatCount = 14;

// The format text; a value outside the enumeration raises ERangeError.
const std::string& TableNumberFormat(TNumberFormat format);

}  // namespace cv
