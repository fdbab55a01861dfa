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

// A short text takes L, C, L and its capacity C, or its own length when the
// capacity is 0; a text field takes its length byte, the maximum length and a
// zero, or without a maximum the length byte, the text and its zero (one byte
// when empty). Texts longer than the field are cut; the room after the
// characters is zero whatever the buffer held, so a form is the same bytes
// wherever it is written.
TEST(ByteBuffer, TextFieldsTakeTheirCapacityAndCutLongerTexts) {
    const struct {
        bool shortStr;
        std::string text;
        std::uint8_t maxLen;
        Bytes stored;
    } cases[] = {
        {true, "AB", 16, {2, 16, 2, 'A', 'B', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xEE}},
        {true, "AB", 0, {2, 2, 2, 'A', 'B'}},
        {true, "", 0, {0, 0, 0}},                      {true, "ABCDEFGHIJ", 4, {4, 4, 4, 'A', 'B', 'C', 'D'}},
        {false, "AB", 8, {2, 'A', 'B', 0, 0, 0, 0, 0, 0, 0, 0xEE}},
        {false, "AB", 0, {2, 'A', 'B', 0}},
        {false, "", 0, {0}},                           {false, "", 8, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xEE}},
        {false, "ABCDEFGHIJ", 3, {3, 'A', 'B', 'C', 0}},
    };
    for (const auto& c : cases) {
        Bytes buffer(kBufSize, 0xEE);
        std::uint16_t pos = 0;
        if (c.shortStr) BufPutShortStr(buffer, pos, c.text, c.maxLen);
        if (!c.shortStr) BufPutZts(buffer, pos, c.text, c.maxLen);
        const std::size_t fieldSize = c.maxLen == 0 ? c.stored.size() : c.maxLen + (c.shortStr ? 3u : 2u);
        EXPECT_EQ(pos, fieldSize) << c.text << " " << int{c.maxLen};
        EXPECT_EQ(Slice(buffer, 0, c.stored.size()), c.stored) << c.text << " " << int{c.maxLen};
        BufPutByte(buffer, pos, 0x77);
        std::uint16_t readPos = 0;
        const std::string kept = c.text.substr(0, c.maxLen == 0 ? 255 : c.maxLen);
        EXPECT_EQ(c.shortStr ? BufGetShortStr(buffer, readPos) : BufGetZts(buffer, readPos, c.maxLen), kept);
        EXPECT_EQ(BufGetByte(buffer, readPos), 0x77) << c.text << " " << int{c.maxLen};
    }
    Bytes buffer(kBufSize, 0);
    std::uint16_t bad = 0;
    EXPECT_THROW(BufPutShortStr(buffer, bad, std::string(256, 'x'), 0), ERangeError);
    EXPECT_THROW(BufPutZts(buffer, bad, std::string(256, 'x'), 0), ERangeError);
    EXPECT_EQ(bad, 0);
}

TEST(ByteBuffer, StoredLengthsBeyondTheCapacityReadOnlyTheCapacity) {
    const Bytes shortStr{9, 2, 9, 'A', 'B', 0x55};
    std::uint16_t readPos = 0;
    // The view form leaves the characters in the buffer.
    const std::string_view view = BufGetShortStrView(shortStr, readPos);
    EXPECT_EQ(view, "AB");
    EXPECT_EQ(static_cast<const void*>(view.data()), static_cast<const void*>(shortStr.data() + 3));
    EXPECT_EQ(BufGetByte(shortStr, readPos), 0x55);
    const Bytes zts{9, 'A', 'B', 'C', 0, 0x55};
    readPos = 0;
    EXPECT_EQ(BufGetZts(zts, readPos, 3), "ABC");
    EXPECT_EQ(BufGetByte(zts, readPos), 0x55);
}

TEST(ByteBuffer, PutsStopAtTheLastPositionOfTheVolumeBuffer) {
    Bytes buffer(kBufSize, 0);
    std::uint16_t pos = 65520;
    BufPutByte(buffer, pos, 1);
    EXPECT_THROW(BufPutByte(buffer, pos, 2), ERangeError);
    EXPECT_EQ(pos, 65521);
    // A field that starts in the buffer but would end after it is refused whole.
    pos = 65519;
    EXPECT_THROW(BufPutLong(buffer, pos, -1), ERangeError);
    EXPECT_THROW(BufPutZts(buffer, pos, "ABC", 0), ERangeError);
    EXPECT_EQ(pos, 65519);
    EXPECT_EQ(buffer[65519], 0);
    BufPutWord(buffer, pos, 0x0202);
    EXPECT_EQ(pos, 65521);
    // A larger region still holds only a volume buffer's worth; a smaller one its own size.
    Bytes large(kBufSize + 100, 0);
    EXPECT_THROW(BufPutWord(large, pos = 65520, 1), ERangeError);
    Bytes small(4, 0);
    EXPECT_THROW(BufPutLong(small, pos = 2, 1), ERangeError);
    EXPECT_EQ(small, Bytes(4, 0));
    EXPECT_THROW(BufPutByte(TPutBuf{}, pos, 1), ERangeError);
}

TEST(ByteBuffer, GetsNeverReadPastTheVolumeOrPastSixteenBits) {
    const Bytes volume{1, 2, 3};
    std::uint16_t pos = 2;
    EXPECT_THROW(BufGetWord(volume, pos), EDataError);
    EXPECT_EQ(BufGetByte(volume, pos), 3);
    EXPECT_THROW(BufGetByte(volume, pos), EDataError);
    EXPECT_PRED2(test::Contains, test::ErrorText<EDataError>([&] { BufGetLong(volume, pos = 1); }), "offset 1");
    EXPECT_THROW(BufGetReal48(volume, pos = 0), EDataError);
    // Length bytes announcing more than the volume holds.
    const Bytes shortStr{5, 16, 5, 'A'};
    EXPECT_THROW(BufGetShortStr(shortStr, pos), EDataError);
    const Bytes zts{5, 'A', 'B'};
    EXPECT_THROW(BufGetZts(zts, pos, 0), EDataError);
    EXPECT_THROW(BufGetZts(zts, pos, 8), EDataError);
    EXPECT_EQ(pos, 0);
    const Bytes large(70000, 0);
    EXPECT_THROW(BufGetByte(large, pos = 65535), EOverflowError);
    EXPECT_EQ(BufGetByte(large, pos = 65534), 0);
    EXPECT_EQ(pos, 65535);
}

}  // namespace
}  // namespace cv
