#include "core/base/cp1252_codec.h"

#include <array>

namespace cv {

namespace {

// Code points of the bytes 0x80..0x9F; the other bytes are their own code points.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};
constexpr std::uint8_t kHighControlFirst = 0x80;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

char32_t Cp1252ToUnicode(std::uint8_t byte) {
    if (byte >= kHighControlFirst && byte < kHighControlFirst + kHighControlRange.size())
        return kHighControlRange[byte - kHighControlFirst];
    return byte;
}

bool UnicodeToCp1252(char32_t codePoint, std::uint8_t& byte) {
    const bool inHighControlRange = codePoint >= kHighControlFirst && codePoint < 0xA0;
    if (codePoint <= 0xFF && !inHighControlRange) {
        byte = static_cast<std::uint8_t>(codePoint);
        return true;
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == codePoint) {
            byte = static_cast<std::uint8_t>(kHighControlFirst + i);
            return true;
        }
    }
    return false;
}

bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& codePoint) {
    if (pos >= text.size()) return false;
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length;
    char32_t value;
    char32_t smallest;  // below it the sequence is overlong
    if (lead < 0x80) {
        codePoint = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return false;
    }
    if (text.size() - pos < length) return false;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(next)) return false;
        value = (value << 6) | (next & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < smallest || value > 0x10FFFF || surrogate) return false;
    codePoint = value;
    pos += length;
    return true;
}

}  // namespace cv
