#include "core/base/text_format.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cv {
namespace {

struct Directive {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    char type = 0;
};

// Parses the directive that starts after '%' at Pos; advances Pos past it.
// Returns false when the text there is not a complete directive.
bool ParseDirective(std::string_view format, size_t& pos, Directive& directive) {
    auto readNumber = [&](int& into) {
        if (pos >= format.size() || !std::isdigit(static_cast<unsigned char>(format[pos]))) return;
        into = 0;
        while (pos < format.size() && std::isdigit(static_cast<unsigned char>(format[pos])))
            into = into * 10 + (format[pos++] - '0');
    };
    if (pos < format.size() && format[pos] == '-') {
        directive.leftAlign = true;
        ++pos;
    }
    readNumber(directive.width);
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        directive.precision = 0;
        readNumber(directive.precision);
    }
    if (pos >= format.size()) return false;
    directive.type = static_cast<char>(std::tolower(static_cast<unsigned char>(format[pos++])));
    return true;
}

std::string Pad(std::string text, const Directive& directive) {
    if (directive.width > 0 && static_cast<int>(text.size()) < directive.width) {
        std::string fill(directive.width - text.size(), ' ');
        text = directive.leftAlign ? text + fill : fill + text;
    }
    return text;
}

std::string FormatInteger(long long value, const Directive& directive) {
    char digits[64];
    if (directive.type == 'x')
        std::snprintf(digits, sizeof digits, "%llX", static_cast<unsigned long long>(value));
    else if (directive.type == 'u')
        std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(value));
    else
        std::snprintf(digits, sizeof digits, "%lld", value < 0 ? -value : value);
    std::string text = digits;
    if (directive.precision > static_cast<int>(text.size()))
        text.insert(0, directive.precision - text.size(), '0');
    if (directive.type == 'd' && value < 0) text.insert(0, 1, '-');
    return text;
}

std::string FormatReal(long double value, const Directive& directive) {
    if (directive.type == 'n') return FormatThousands(value, directive.precision < 0 ? 2 : directive.precision);
    const int precision = directive.precision < 0 ? (directive.type == 'g' ? 15 : 2) : directive.precision;
    const char conversion = directive.type == 'e' ? 'E' : directive.type;
    const char pattern[] = {'%', '.', '*', 'L', conversion, 0};
    char text[512];
    std::snprintf(text, sizeof text, pattern, precision, value);
    return text;
}

// Formats one value by one directive; false when the value's kind does not fit it.
bool FormatValue(const FormatArg& arg, const Directive& directive, std::string& out) {
    switch (directive.type) {
        case 'd':
        case 'u':
        case 'x':
            if (arg.kind() != FormatArg::Kind::Integer) return false;
            out = FormatInteger(arg.integer(), directive);
            return true;
        case 'f':
        case 'e':
        case 'g':
        case 'n': {
            if (arg.kind() == FormatArg::Kind::Text) return false;
            const long double value =
                arg.kind() == FormatArg::Kind::Integer ? static_cast<long double>(arg.integer()) : arg.real();
            out = FormatReal(value, directive);
            return true;
        }
        case 's':
            if (arg.kind() != FormatArg::Kind::Text) return false;
            out = std::string(arg.text());
            if (directive.precision >= 0 && static_cast<int>(out.size()) > directive.precision)
                out.resize(directive.precision);
            return true;
        default:
            return false;
    }
}

}  // namespace

char ThousandsSeparator() {
    const std::lconv* conventions = std::localeconv();
    if (conventions && conventions->thousands_sep && conventions->thousands_sep[0] != '\0')
        return conventions->thousands_sep[0];
    return ',';
}

std::string FormatThousands(long double value, int decimals) {
    char text[512];
    std::snprintf(text, sizeof text, "%.*Lf", decimals, std::fabs(value));
    std::string fixed = text;
    const size_t point = fixed.find('.');
    std::string whole = fixed.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : fixed.substr(point);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3) whole.insert(at, 1, ThousandsSeparator());
    const bool negative = std::signbit(value) && fixed.find_first_not_of("0.") != std::string::npos;
    return (negative ? "-" : "") + whole + fraction;
}

std::string FormatText(std::string_view format, FormatArgs args) {
    std::string result;
    result.reserve(format.size());
    auto next = args.begin();
    for (size_t pos = 0; pos < format.size();) {
        if (format[pos] != '%') {
            const size_t literalEnd = std::min(format.find('%', pos), format.size());
            result.append(format.substr(pos, literalEnd - pos));
            pos = literalEnd;
            continue;
        }
        ++pos;
        if (pos < format.size() && format[pos] == '%') {
            result += '%';
            ++pos;
            continue;
        }
        const size_t start = pos - 1;
        Directive directive;
        std::string value;
        const bool parsed = ParseDirective(format, pos, directive);
        const FormatArg* arg = parsed && next != args.end() ? next++ : nullptr;
        if (arg && FormatValue(*arg, directive, value)) {
            result += Pad(value, directive);
        } else {
            result.append(format.substr(start, pos - start));
        }
    }
    return result;
}

}  // namespace cv
