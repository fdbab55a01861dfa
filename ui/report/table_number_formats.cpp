#include "ui/report/table_number_formats.h"

#include <array>

#include "core/base/errors.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

std::array<std::string, kTableNumberFormatCount> BuildFormats() {
    const std::string t(1, kThousandsSeparator);
    const std::string d(1, kDecimalSeparator);
    const std::string pct = "0\"%\"";  // a percent sign printed as it stands
    const std::string grouped = "###" + t + "###" + t + "##0";
    return {
        "#" + t + "##0",
        "#" + t + "##0" + d + "0",
        "#" + t + "##0" + d + "00",
        "[Blue]+" + grouped + ";[Red]-" + grouped + ";" + grouped,
        "[Blue]" + grouped + ";[Red]" + grouped,
        "#" + t + "##0" + d + "0000",
        "+0" + d + "0%;[Red]-0" + d + "0%",
        "0" + d + "0%",
        "[Blue]+" + grouped + d + pct + ";[Red]-" + grouped + d + pct + ";" + grouped + d + pct,
        "+" + grouped + d + pct + ";-" + grouped + d + pct + ";" + grouped + d + pct,
        "###" + t + grouped + d + pct,
        "[Blue]" + grouped + d + pct + ";[Red]" + grouped + d + pct,
        "0" + d + "00%",
        "+0" + d + "0%;-0" + d + "0%",
    };
}

}  // namespace

const std::string& TableNumberFormat(TNumberFormat format) {
    static const std::array<std::string, kTableNumberFormatCount> formats = BuildFormats();
    const int entry = static_cast<int>(format);
    if (entry < 1 || entry > kTableNumberFormatCount)
        throw ERangeError("[TableNumberFormat] Bad entry : " + std::to_string(entry));
    return formats[static_cast<std::size_t>(entry - 1)];
}

}  // namespace cv
