#pragma once
// Formatting of texts from a format string and a list of values, with the
// directives of the program's log and message formats:
//   %[-][width][.precision]type   with type d, u, x, f, e, g, n, s or %
// "%.2d" pads an integer with zeros to two digits; "%n" writes a fixed-point
// number with the locale's thousands separators; "%.3s" cuts a text.

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

namespace cv {

// One value passed to FormatText: an integer, a real or a text (bytes).
class FormatArg {
public:
    enum class Kind { Integer, Real, Text };

    template <std::integral T>
    FormatArg(T value) : kind_(Kind::Integer), integer_(static_cast<long long>(value)) {}
    template <std::floating_point T>
    FormatArg(T value) : kind_(Kind::Real), real_(static_cast<long double>(value)) {}
    FormatArg(std::string_view text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const char* text) : kind_(Kind::Text), text_(text ? text : "") {}
    FormatArg(const std::string& text) : kind_(Kind::Text), text_(text) {}

    Kind kind() const { return kind_; }
    long long integer() const { return integer_; }
    long double real() const { return real_; }
    std::string_view text() const { return text_; }

private:
    Kind kind_;
    long long integer_ = 0;
    long double real_ = 0;
    std::string_view text_;
};

using FormatArgs = std::initializer_list<FormatArg>;

// Formats Format with Args in order; each directive takes the next value. A
// directive without a value, or with a value of another kind, is written as it
// stands.
std::string FormatText(std::string_view format, FormatArgs args = {});

// Fixed-point text of Value with Decimals decimals and the locale's thousands
// separator between groups of three digits ("%.0n" gives 1,234,568).
std::string FormatThousands(long double value, int decimals);

// The user's thousands separator (',' when the locale gives none).
char ThousandsSeparator();

}  // namespace cv
