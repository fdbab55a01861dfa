#pragma once
// The single-byte Western code page (cp1252) in which every stored text is
// kept, mapped to and from Unicode code points. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control code
// points of the same number, as Windows maps them, so that any byte string
// survives a round trip through Unicode.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cv {

// The code point of Byte.
char32_t Cp1252ToUnicode(std::uint8_t byte);

// The byte of CodePoint; false when the code page has none.
bool UnicodeToCp1252(char32_t codePoint, std::uint8_t& byte);

// Reads the UTF-8 sequence at Pos of Text into CodePoint and moves Pos past it.
// False, Pos unmoved, for a malformed, overlong or truncated sequence, a
// surrogate or a value beyond U+10FFFF.
bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& codePoint);

}  // namespace cv
