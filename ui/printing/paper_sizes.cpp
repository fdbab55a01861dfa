#include "ui/printing/paper_sizes.h"

#include <array>

namespace cv {
namespace {

constexpr double kTenthsPerInch = 254.0;

constexpr TPaperSize Inches(double width, double height) { return {width * kTenthsPerInch, height * kTenthsPerInch}; }

// Codes 1..23 in order: letter, small letter, tabloid, ledger, legal,
// statement, executive, A3, A4, small A4, A5, B4, B5, folio, quarto, 10x14,
// 11x17, note and the envelopes #9, #10, #11, #12 and #14.
constexpr std::array<TPaperSize, 23> kStandardSizes{{
    Inches(8.5, 11), Inches(8.5, 11), Inches(11, 17), Inches(17, 11), Inches(8.5, 14),
    Inches(5.5, 8.5), Inches(7.25, 10.5), {2970, 4200}, {2100, 2970}, {2100, 2970},
    {1480, 2100}, {2500, 3540}, {1820, 2570}, Inches(8.5, 13), {2150, 2750},
    Inches(10, 14), Inches(11, 17), Inches(8.5, 11), Inches(3.875, 8.875), Inches(4.125, 9.5),
    Inches(4.5, 10.375), Inches(4.75, 11), Inches(5, 11.5),
}};

}  // namespace

std::optional<TPaperSize> StandardPaperSize(int paperCode) {
    if (paperCode < 1 || paperCode > static_cast<int>(kStandardSizes.size())) return std::nullopt;
    return kStandardSizes[static_cast<std::size_t>(paperCode - 1)];
}

}  // namespace cv
