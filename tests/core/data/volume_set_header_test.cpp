#include "core/data/volume_set_header.h"

#include <gtest/gtest.h>

#include "core/services/errors.h"

namespace cv {
namespace {

TVolSetHeader SampleHeader() {
    TVolSetHeader h;
    h.signature = "Signature";
    h.keyCount = 2;
    h.volCount = 3;
    h.tableOffset = 1000;
    h.created = 36526.25;
    h.lastStored = 36527.5;
    h.lastLoaded = 36528.75;
    h.keys[0] = {"Section", 1, 9};
    h.keys[1] = {"Page", -3, 2};
    return h;
}

TEST(VolSetHeader, EncodesEveryFieldAtItsOffsetAndDecodesBack) {
    const TVolSetHeaderBytes bytes = EncodeVolSetHeader(SampleHeader());
    // Table offset 1000 = 0x3E8 at 161; key 2's low bound -3 = 0xFFFD at 197 + 21 + 17.
    EXPECT_EQ(bytes[161], 0xE8);
    EXPECT_EQ(bytes[162], 0x03);
    EXPECT_EQ(bytes[235], 0xFD);
    EXPECT_EQ(bytes[236], 0xFF);
    EXPECT_EQ(bytes[218], 4);  // length of "Page"
    // 36526.25 as an IEEE double is 0x40E1D5C800000000 (2^15 x 1.1146...), least significant byte first.
    EXPECT_EQ(bytes[169 + 7], 0x40);
    EXPECT_EQ(bytes[169 + 6], 0xE1);
    EXPECT_EQ(bytes[169 + 5], 0xD5);
    EXPECT_EQ(bytes[169 + 4], 0xC8);

    const TVolSetHeader back = DecodeVolSetHeader(bytes, "f");
    EXPECT_EQ(back.signature, "Signature");
    EXPECT_EQ(back.keyCount, 2);
    EXPECT_EQ(back.volCount, 3);
    EXPECT_EQ(back.tableOffset, 1000);
    EXPECT_EQ(back.created, 36526.25);
    EXPECT_EQ(back.lastStored, 36527.5);
    EXPECT_EQ(back.lastLoaded, 36528.75);
    EXPECT_EQ(back.keys[1].name, "Page");
    EXPECT_EQ(back.keys[1].low, -3);
    EXPECT_EQ(back.keys[1].high, 2);
}

TEST(VolSetHeader, EntryFieldsLieAtTheirOffsets) {
    TTabVol entry;
    entry.offset = 0x01020304;
    entry.size = 0xFFFE;
    entry.keys = {1, -1, 32767, 4, 5, 6, 7, 8};
    entry.created = 1.0;
    entry.stored = 2.0;
    entry.loaded = 0.0;
    entry.magic = -2;
    std::uint8_t bytes[kTabVolSize];
    EncodeTabVol(entry, bytes);
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[4], 0xFE);
    EXPECT_EQ(bytes[8], 0xFF);   // key 2 = -1
    EXPECT_EQ(bytes[10], 0xFF);  // key 3 = 32767 = 0x7FFF
    EXPECT_EQ(bytes[11], 0x7F);
    EXPECT_EQ(bytes[29], 0x3F);  // 1.0 = 0x3FF0000000000000 at 22
    EXPECT_EQ(bytes[37], 0x40);  // 2.0 = 0x4000000000000000 at 30
    EXPECT_EQ(bytes[46], 0xFE);  // magic -2 at 46
    EXPECT_EQ(bytes[49], 0xFF);
    const TTabVol back = DecodeTabVol(bytes);
    EXPECT_EQ(back.offset, entry.offset);
    EXPECT_EQ(back.size, entry.size);
    EXPECT_EQ(back.keys, entry.keys);
    EXPECT_EQ(back.stored, 2.0);
    EXPECT_EQ(back.magic, -2);
}

// Sets the 16-bit field at Offset of a sample header and expects the decoder to refuse it.
void ExpectRefused16(std::size_t offset, std::uint16_t value) {
    TVolSetHeaderBytes bytes = EncodeVolSetHeader(SampleHeader());
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    EXPECT_THROW(DecodeVolSetHeader(bytes, "f"), EVolSetError) << "offset " << offset << " value " << value;
}

void ExpectRefused32(std::size_t offset, std::int32_t value) {
    TVolSetHeaderBytes bytes = EncodeVolSetHeader(SampleHeader());
    for (int i = 0; i < 4; ++i) bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    EXPECT_THROW(DecodeVolSetHeader(bytes, "f"), EVolSetError) << "offset " << offset << " value " << value;
}

TEST(VolSetHeader, EveryCheckedFieldIsRefusedWhenWrong) {
    // Section ids and lengths: 1/129 at 0, 2/28 at 133, 3/24 at 165, 4/168 at 193.
    for (std::size_t offset : {0u, 133u, 165u, 193u}) {
        ExpectRefused16(offset, 9);
        ExpectRefused16(offset + 2, 0);
    }
    ExpectRefused32(137, 364);    // header size
    ExpectRefused32(141, 2);      // version
    ExpectRefused32(145, 9);      // key count
    ExpectRefused32(145, -1);
    ExpectRefused32(149, 20);     // key descriptor size
    ExpectRefused32(153, 4097);   // volume count
    ExpectRefused32(153, -1);
    ExpectRefused32(157, 51);     // entry size
    ExpectRefused32(161, 364);    // table offset inside the header
    ExpectRefused32(161, -5);

    TVolSetHeaderBytes bytes = EncodeVolSetHeader(SampleHeader());
    bytes[4] = 129;  // signature length byte beyond its slot
    EXPECT_THROW(DecodeVolSetHeader(bytes, "f"), EVolSetError);
    bytes = EncodeVolSetHeader(SampleHeader());
    bytes[197] = 17;  // key name length beyond 16
    EXPECT_THROW(DecodeVolSetHeader(bytes, "f"), EVolSetError);
    ExpectRefused16(197 + 17, 10);  // key 1 low 10 above its high 9

    // A descriptor beyond the key count is not read.
    bytes = EncodeVolSetHeader(SampleHeader());
    bytes[197 + 2 * 21] = 200;
    EXPECT_NO_THROW(DecodeVolSetHeader(bytes, "f"));
}

TEST(VolSetHeader, ShortInputIsRefusedAndTheMessageNamesFileAndField) {
    const TVolSetHeaderBytes bytes = EncodeVolSetHeader(SampleHeader());
    EXPECT_THROW(DecodeVolSetHeader(std::span<const std::uint8_t>(bytes.data(), 364), "f"), EVolSetError);
    EXPECT_THROW(DecodeVolSetHeader(std::span<const std::uint8_t>(), "f"), EVolSetError);
    TVolSetHeaderBytes wrong = bytes;
    wrong[141] = 7;
    try {
        DecodeVolSetHeader(wrong, "/data/ind.mt1");
        FAIL();
    } catch (const EVolSetError& error) {
        EXPECT_STREQ(error.what(), "Volume set /data/ind.mt1: header field \"version\" is 7, expected 1");
    }
}

}  // namespace
}  // namespace cv
