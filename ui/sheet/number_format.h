#pragma once
// Renders a number through a spreadsheet number-format text: up to three
// sections separated by ';' (positive, negative, zero; a value that rounds to
// 0 in its section takes the one 0 takes), colour tags such as
// "[Red]" and "[Blue]", digit placeholders '0' and '#', a thousands separator
// ',' between integer placeholders, one decimal point, '%' (the value times
// 100), quoted literals ("%" is printed as it stands) and any other character
// as itself. An empty text or "General" gives the shortest plain form.

#include <cstdint>
#include <string>
#include <string_view>

namespace cv {

// Colour (class-library form: $00BBGGRR) a format section asks for.
inline constexpr std::int32_t kNoFormatColour = -1;

struct TFormattedNumber {
    std::string text;
    std::int32_t colour = kNoFormatColour;
};

// Rounds half away from zero on the value's 15 significant digits, as a
// spreadsheet shows it, so 1234.5 with "#,##0" is "1,235".
TFormattedNumber FormatNumber(double value, std::string_view format);

// The shortest text that reads back as the value, at most 15 significant digits.
std::string GeneralNumberText(double value);

}  // namespace cv
