#include "core/store/byte_buffer.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/base/errors.h"
#include "tests/support/checks.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const Bytes& buffer, std::size_t from, std::size_t count) {
    return Bytes(buffer.begin() + static_cast<long>(from), buffer.begin() + static_cast<long>(from + count));
}

TEST(ByteBuffer, NumbersAreLittleEndianAndReadBack) {
    Bytes buffer(kBufSize, 0);
    std::uint16_t pos = 0;
    BufPutByte(buffer, pos, 0xAB);
    BufPutWord(buffer, pos, 0x1234);
    BufPutWord(buffer, pos, static_cast<std::uint16_t>(-2));
    BufPutLong(buffer, pos, -2);
    BufPutLong(buffer, pos, 0x01020304);
    BufPutReal48(buffer, pos, ToReal48(-2.5L));
    EXPECT_EQ(pos, 1 + 2 + 2 + 4 + 4 + 6);
    EXPECT_EQ(Slice(buffer, 0, pos), (Bytes{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02,
                                            0x01, 0x82, 0, 0, 0, 0, 0xA0}));

    std::uint16_t readPos = 0;
    EXPECT_EQ(BufGetByte(buffer, readPos), 0xAB);
    EXPECT_EQ(BufGetWord(buffer, readPos), 0x1234);
    EXPECT_EQ(static_cast<std::int16_t>(BufGetWord(buffer, readPos)), -2);
    EXPECT_EQ(BufGetLong(buffer, readPos), -2);
    EXPECT_EQ(BufGetLong(buffer, readPos), 0x01020304);
    EXPECT_EQ(BufGetReal48(buffer, readPos), -2.5L);
    EXPECT_EQ(readPos, pos);
    // Any six bytes convert; exponent 0 reads as zero.
    const Bytes junkZero{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    readPos = 0;
    EXPECT_EQ(BufGetReal48(junkZero, readPos), 0.0L);
}

TEST(ByteBuffer, ShortTextFieldTakesItsCapacityWhateverTheLength) {
    Bytes buffer(kBufSize, 0xEE);
    std::uint16_t pos = 0;
    BufPutShortStr(buffer, pos, "AB", 16);
    EXPECT_EQ(pos, 19);  // 3 header bytes + capacity 16
    EXPECT_EQ(Slice(buffer, 0, 5), (Bytes{0x02, 0x10, 0x02, 0x41, 0x42}));
    EXPECT_EQ(buffer[5], 0xEE) << "bytes after the characters are left as they were";
    BufPutShortStr(buffer, pos, "AB", 0);
    EXPECT_EQ(pos, 19 + 5);
    EXPECT_EQ(Slice(buffer, 19, 5), (Bytes{0x02, 0x02, 0x02, 0x41, 0x42}));
    BufPutShortStr(buffer, pos, "", 0);
    EXPECT_EQ(pos, 24 + 3);

    std::uint16_t readPos = 0;
    EXPECT_EQ(BufGetShortStr(buffer, readPos), "AB");
    EXPECT_EQ(readPos, 19);
    EXPECT_EQ(BufGetShortStr(buffer, readPos), "AB");
    EXPECT_EQ(BufGetShortStr(buffer, readPos), "");
    EXPECT_EQ(readPos, pos);

    // Any length up to the capacity lands on the next field.
    for (std::size_t length = 0; length <= 16; ++length) {
        Bytes fresh(kBufSize, 0);
        std::uint16_t at = 0;
        BufPutShortStr(fresh, at, std::string(length, 'x'), 16);
        BufPutByte(fresh, at, 0x77);
        std::uint16_t back = 0;
        EXPECT_EQ(BufGetShortStr(fresh, back), std::string(length, 'x'));
        EXPECT_EQ(BufGetByte(fresh, back), 0x77);
    }
}

TEST(ByteBuffer, OverlongTextsAreCutToTheFieldAndStoredLengthsClamped) {
    Bytes buffer(kBufSize, 0);
    std::uint16_t pos = 0;
    BufPutShortStr(buffer, pos, "ABCDEFGHIJ", 4);
    BufPutByte(buffer, pos, 0x77);
    EXPECT_EQ(Slice(buffer, 0, 8), (Bytes{4, 4, 4, 'A', 'B', 'C', 'D', 0x77}));
    BufPutZts(buffer, pos, "ABCDEFGHIJ", 3);
    BufPutByte(buffer, pos, 0x66);
    EXPECT_EQ(Slice(buffer, 8, 6), (Bytes{3, 'A', 'B', 'C', 0, 0x66}));
    std::uint16_t bad = 0;
    EXPECT_THROW(BufPutShortStr(buffer, bad, std::string(256, 'x'), 0), ERangeError);
    EXPECT_THROW(BufPutZts(buffer, bad, std::string(256, 'x'), 0), ERangeError);
    EXPECT_EQ(bad, 0);

    // A stored length beyond the capacity reads only the capacity's characters.
    const Bytes shortStr{9, 2, 9, 'A', 'B', 0x55};
    std::uint16_t readPos = 0;
    EXPECT_EQ(BufGetShortStr(shortStr, readPos), "AB");
    EXPECT_EQ(BufGetByte(shortStr, readPos), 0x55);
    // The view form leaves the characters in the buffer.
    readPos = 0;
    const std::string_view view = BufGetShortStrView(shortStr, readPos);
    EXPECT_EQ(view, "AB");
    EXPECT_EQ(static_cast<const void*>(view.data()), static_cast<const void*>(shortStr.data() + 3));
    EXPECT_EQ(readPos, 5);
    const Bytes zts{9, 'A', 'B', 'C', 0, 0x55};
    readPos = 0;
    EXPECT_EQ(BufGetZts(zts, readPos, 3), "ABC");
    EXPECT_EQ(BufGetByte(zts, readPos), 0x55);
}

// A text field with a maximum length takes a length byte, the maximum and a
// zero; without one, the length byte, the text and its zero.
TEST(ByteBuffer, TextFieldSizesFollowTheMaximumLength) {
    const struct {
        std::string text;
        std::uint8_t maxLen;
        std::uint16_t size;
    } cases[] = {{"AB", 8, 10}, {"AB", 0, 4}, {"", 0, 1}, {"", 8, 10}};
    for (const auto& c : cases) {
        Bytes buffer(kBufSize, 0);
        std::uint16_t pos = 0;
        BufPutZts(buffer, pos, c.text, c.maxLen);
        EXPECT_EQ(pos, c.size) << c.text << " " << int{c.maxLen};
        std::uint16_t readPos = 0;
        EXPECT_EQ(BufGetZts(buffer, readPos, c.maxLen), c.text);
        EXPECT_EQ(readPos, c.size);
        if (!c.text.empty()) {
            EXPECT_EQ(Slice(buffer, 0, 4), (Bytes{0x02, 0x41, 0x42, 0x00}));
        }
    }
}

TEST(ByteBuffer, PutsStopAtTheLastPositionOfTheVolumeBuffer) {
    Bytes buffer(kBufSize, 0);
    std::uint16_t pos = 65520;
    BufPutByte(buffer, pos, 1);
    EXPECT_EQ(pos, 65521);
    EXPECT_THROW(BufPutByte(buffer, pos, 2), ERangeError);
    EXPECT_EQ(pos, 65521);

    // A field that starts in the buffer but would end after it is refused whole.
    pos = 65519;
    EXPECT_THROW(BufPutLong(buffer, pos, -1), ERangeError);
    EXPECT_THROW(BufPutZts(buffer, pos, "ABC", 0), ERangeError);
    EXPECT_EQ(pos, 65519);
    EXPECT_EQ(buffer[65519], 0);
    EXPECT_EQ(buffer[65520], 1);
    BufPutWord(buffer, pos, 0x0202);
    EXPECT_EQ(pos, 65521);

    // A larger region still holds only a volume buffer's worth; a smaller one its own size.
    Bytes large(kBufSize + 100, 0);
    pos = 65520;
    EXPECT_THROW(BufPutWord(large, pos, 1), ERangeError);
    Bytes small(4, 0);
    pos = 2;
    EXPECT_THROW(BufPutLong(small, pos, 1), ERangeError);
    EXPECT_EQ(small, Bytes(4, 0));
    EXPECT_THROW(BufPutByte(TPutBuf{}, pos, 1), ERangeError);
}

TEST(ByteBuffer, GetsNeverReadPastTheVolume) {
    const Bytes volume{1, 2, 3};
    std::uint16_t pos = 2;
    EXPECT_THROW(BufGetWord(volume, pos), EDataError);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(BufGetByte(volume, pos), 3);
    EXPECT_THROW(BufGetByte(volume, pos), EDataError);
    pos = 0;
    EXPECT_THROW(BufGetLong(volume, pos), EDataError);
    EXPECT_THROW(BufGetReal48(volume, pos), EDataError);
    // Length bytes announcing more than the volume holds.
    const Bytes shortStr{5, 16, 5, 'A'};
    EXPECT_THROW(BufGetShortStr(shortStr, pos), EDataError);
    EXPECT_THROW(BufGetShortStrView(shortStr, pos), EDataError);
    EXPECT_EQ(pos, 0);
    const Bytes zts{5, 'A', 'B'};
    EXPECT_THROW(BufGetZts(zts, pos, 0), EDataError);
    EXPECT_THROW(BufGetZts(zts, pos, 8), EDataError);
    pos = 1;
    EXPECT_PRED2(test::Contains, test::ErrorText<EDataError>([&] { BufGetLong(volume, pos); }), "offset 1");
}

TEST(ByteBuffer, PositionCannotRunPastItsSixteenBits) {
    const Bytes volume(70000, 0);
    std::uint16_t pos = 65535;
    EXPECT_THROW(BufGetByte(volume, pos), EOverflowError);
    pos = 65534;
    EXPECT_EQ(BufGetByte(volume, pos), 0);
    EXPECT_EQ(pos, 65535);
}

}  // namespace
}  // namespace cv
