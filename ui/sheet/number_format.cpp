#include "ui/sheet/number_format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace cv {
namespace {

// Colours of the colour tags, class-library form ($00BBGGRR).
struct TColourTag {
    std::string_view name;
    std::int32_t colour;
};
constexpr TColourTag kColourTags[] = {
    {"black", 0x000000}, {"blue", 0xFF0000},   {"cyan", 0xFFFF00},  {"green", 0x00FF00},
    {"magenta", 0xFF00FF}, {"red", 0x0000FF}, {"white", 0xFFFFFF}, {"yellow", 0x00FFFF},
};

std::int32_t ColourOfTag(std::string_view tag) {
    for (const TColourTag& entry : kColourTags) {
        if (tag.size() != entry.name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < tag.size() && same; ++i)
            same = static_cast<char>(std::tolower(static_cast<unsigned char>(tag[i]))) == entry.name[i];
        if (same) return entry.colour;
    }
    return kNoFormatColour;
}

bool IsPlaceholder(char c) { return c == '0' || c == '#' || c == '?'; }

// One section of a format, parsed.
struct TSection {
    std::string prefix;  // literals before the first digit placeholder
    std::string suffix;  // literals after it
    std::int32_t colour = kNoFormatColour;
    int integerZeros = 0;      // '0' placeholders before the point: minimum integer digits
    bool grouped = false;      // thousands separators in the integer part
    bool hasPoint = false;
    int minDecimals = 0;       // decimals up to the last '0' after the point
    int maxDecimals = 0;       // every placeholder after the point
    int percentSigns = 0;      // bare '%': each multiplies by 100
    int thousandsScale = 0;    // trailing ',' after the integer part: each divides by 1000
    bool hasDigits = false;
};

void AddLiteral(TSection& section, std::string_view text) {
    (section.hasDigits ? section.suffix : section.prefix).append(text);
}

TSection ParseSection(std::string_view text) {
    TSection section;
    bool inDecimals = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool nextIsPlaceholder = i + 1 < text.size() && IsPlaceholder(text[i + 1]);
        if (IsPlaceholder(c)) {
            section.hasDigits = true;
            if (inDecimals) {
                ++section.maxDecimals;
                if (c == '0') section.minDecimals = section.maxDecimals;
            } else if (c == '0') {
                ++section.integerZeros;
            }
        } else if (c == ',' && section.hasDigits && !inDecimals) {
            if (nextIsPlaceholder)
                section.grouped = true;
            else
                ++section.thousandsScale;
        } else if (c == '.' && !section.hasPoint && (section.hasDigits || nextIsPlaceholder)) {
            section.hasPoint = true;
            inDecimals = true;
            section.hasDigits = true;
        } else if (c == '%') {
            ++section.percentSigns;
            AddLiteral(section, "%");
        } else if (c == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? text.size() : close;
            AddLiteral(section, text.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '\\' && i + 1 < text.size()) {
            AddLiteral(section, text.substr(++i, 1));
        } else if (c == '[') {
            const std::size_t close = text.find(']', i + 1);
            const std::size_t end = close == std::string_view::npos ? text.size() : close;
            const std::int32_t colour = ColourOfTag(text.substr(i + 1, end - i - 1));
            if (colour != kNoFormatColour) section.colour = colour;
            i = end;
        } else if (c == '_' && i + 1 < text.size()) {
            AddLiteral(section, " ");
            ++i;
        } else {
            AddLiteral(section, text.substr(i, 1));
        }
    }
    return section;
}

// Splits at ';' outside quotes and brackets.
std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    bool quoted = false;
    bool bracketed = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"' && !bracketed) quoted = !quoted;
        else if (c == '[' && !quoted) bracketed = true;
        else if (c == ']' && !quoted) bracketed = false;
        else if (c == ';' && !quoted && !bracketed) {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

// The decimal digits of Magnitude (>= 0) rounded half up to Decimals places,
// worked on its 15 significant digits so that binary fractions such as 1.005
// round as written.
struct TDecimalText {
    std::string integerDigits;   // without leading zeros, may be empty
    std::string fractionDigits;  // exactly Decimals digits
};

TDecimalText RoundedDigits(double magnitude, int decimals) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    std::string digits;
    const char* cursor = buffer;
    for (; *cursor != 'e'; ++cursor)
        if (*cursor >= '0' && *cursor <= '9') digits.push_back(*cursor);
    int pointPosition = std::atoi(cursor + 1) + 1;  // integer digits in Digits
    if (pointPosition < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - pointPosition), '0');
        pointPosition = 1;
    }
    const std::size_t keep = static_cast<std::size_t>(pointPosition + decimals);
    if (digits.size() <= keep) digits.append(keep + 1 - digits.size(), '0');
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        std::size_t i = keep;
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++pointPosition;
        } else {
            ++digits[i - 1];
        }
    }
    TDecimalText result;
    result.integerDigits = digits.substr(0, static_cast<std::size_t>(pointPosition));
    result.fractionDigits = digits.substr(static_cast<std::size_t>(pointPosition));
    const std::size_t firstNonZero = result.integerDigits.find_first_not_of('0');
    result.integerDigits.erase(0, firstNonZero == std::string::npos ? result.integerDigits.size() : firstNonZero);
    return result;
}

std::string Grouped(const std::string& digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

// The digits of Magnitude laid out by Section; IsZero tells whether every shown
// digit is 0 (a negative value that shows as zero loses its sign).
std::string RenderDigits(const TSection& section, double magnitude, bool& isZero) {
    TDecimalText decimal = RoundedDigits(magnitude, section.maxDecimals);
    isZero = decimal.integerDigits.empty() && decimal.fractionDigits.find_first_not_of('0') == std::string::npos;
    std::string integerPart = decimal.integerDigits;
    if (static_cast<int>(integerPart.size()) < section.integerZeros)
        integerPart.insert(0, static_cast<std::size_t>(section.integerZeros) - integerPart.size(), '0');
    if (section.grouped) integerPart = Grouped(integerPart);
    std::string fraction = decimal.fractionDigits;
    while (static_cast<int>(fraction.size()) > section.minDecimals && !fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (section.hasPoint) return integerPart + "." + fraction;
    return integerPart;
}

bool IsGeneral(std::string_view format) {
    if (format.empty()) return true;
    static constexpr std::string_view kGeneral = "general";
    if (format.size() != kGeneral.size()) return false;
    for (std::size_t i = 0; i < format.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(format[i])) != kGeneral[i]) return false;
    return true;
}

// Value through the section its sign chooses; ShownAsZero tells whether
// every digit shown is 0.
TFormattedNumber FormatInSection(double value, const std::vector<std::string_view>& sections, bool& shownAsZero) {
    std::string_view chosen = sections[0];
    bool writeMinus = value < 0;
    if (value < 0 && sections.size() >= 2) {
        chosen = sections[1];
        writeMinus = false;
    } else if (value == 0 && sections.size() >= 3) {
        chosen = sections[2];
    }
    const TSection section = ParseSection(chosen);
    shownAsZero = false;
    if (!section.hasDigits) return {section.prefix, section.colour};
    double magnitude = std::fabs(value);
    for (int i = 0; i < section.percentSigns; ++i) magnitude *= 100.0;
    for (int i = 0; i < section.thousandsScale; ++i) magnitude /= 1000.0;
    const std::string digits = RenderDigits(section, magnitude, shownAsZero);
    std::string text = (writeMinus && !shownAsZero ? "-" : "") + section.prefix + digits + section.suffix;
    return {text, section.colour};
}

}  // namespace

std::string GeneralNumberText(double value) {
    if (std::isnan(value) || std::isinf(value)) return "#NUM!";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

TFormattedNumber FormatNumber(double value, std::string_view format) {
    if (IsGeneral(format) || std::isnan(value) || std::isinf(value)) return {GeneralNumberText(value), kNoFormatColour};
    const std::vector<std::string_view> sections = SplitSections(format);
    bool shownAsZero = false;
    TFormattedNumber shown = FormatInSection(value, sections, shownAsZero);
    // A value that shows as 0 is shown as 0 itself is: no "-0" from the negative section.
    if (shownAsZero && value != 0) shown = FormatInSection(0.0, sections, shownAsZero);
    return shown;
}

}  // namespace cv
