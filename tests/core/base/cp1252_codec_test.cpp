// The Western code page's bytes 0x80..0x9F: the typographic characters the
// code page puts there, the five undefined bytes as the control code points of
// their own number, and the range's edges on either side.

#include "core/base/cp1252_codec.h"

#include <gtest/gtest.h>

#include <map>

namespace cv {
namespace {

TEST(Cp1252Codec, TheHighControlRangeAndItsEdges) {
    const struct {
        std::uint8_t byte;
        char32_t codePoint;
    } cases[] = {
        {0x7F, 0x7F},   {0x80, 0x20AC}, {0x81, 0x81},   {0x8A, 0x160},  {0x8D, 0x8D},  {0x8F, 0x8F},
        {0x90, 0x90},   {0x91, 0x2018}, {0x9D, 0x9D},   {0x9E, 0x17E},  {0x9F, 0x178}, {0xA0, 0xA0},
        {0xE9, 0xE9},   {0xFF, 0xFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        EXPECT_EQ(Cp1252ToUnicode(c.byte), c.codePoint);
        std::uint8_t byte = 0;
        EXPECT_TRUE(UnicodeToCp1252(c.codePoint, byte));
        EXPECT_EQ(byte, c.byte);
    }
    // The control code points whose bytes stand for other characters have no byte.
    for (const char32_t codePoint : {0x80, 0x82, 0x8A, 0x9C, 0x9E, 0x9F}) {
        std::uint8_t byte = 0x41;
        EXPECT_FALSE(UnicodeToCp1252(codePoint, byte)) << static_cast<int>(codePoint);
    }
}

// Every byte has its own code point and comes back from it; no other code
// point below U+2200 has a byte.
TEST(Cp1252Codec, EveryByteSurvivesARoundTripAndNoOtherCodePointHasOne) {
    std::map<char32_t, int> codePoints;
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const char32_t codePoint = Cp1252ToUnicode(static_cast<std::uint8_t>(byte));
        ++codePoints[codePoint];
        std::uint8_t back = 0;
        EXPECT_TRUE(UnicodeToCp1252(codePoint, back)) << byte;
        EXPECT_EQ(back, byte);
    }
    EXPECT_EQ(codePoints.size(), 256u);
    int mapped = 0;
    for (char32_t codePoint = 0; codePoint < 0x2200; ++codePoint) {
        std::uint8_t byte = 0;
        if (UnicodeToCp1252(codePoint, byte)) {
            ++mapped;
            EXPECT_EQ(codePoints.count(codePoint), 1u) << static_cast<int>(codePoint);
        }
    }
    EXPECT_EQ(mapped, 256);
}

}  // namespace
}  // namespace cv
