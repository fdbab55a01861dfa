#include "core/store/volume_set_header.h"

#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "tests/support/checks.h"

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

TEST(VolSetHeader, ShortInputIsRefusedAndTheMessageNamesFileAndField) {
    const TVolSetHeaderBytes bytes = EncodeVolSetHeader(SampleHeader());
    EXPECT_THROW(DecodeVolSetHeader(std::span<const std::uint8_t>(bytes.data(), 364), "f"), EVolSetError);
    EXPECT_THROW(DecodeVolSetHeader(std::span<const std::uint8_t>(), "f"), EVolSetError);
    TVolSetHeaderBytes wrong = bytes;
    wrong[141] = 7;
    EXPECT_EQ(test::ErrorText<EVolSetError>([&] { DecodeVolSetHeader(wrong, "/data/ind.mt1"); }),
              "Volume set /data/ind.mt1: header field \"version\" is 7, expected 1");
}

}  // namespace
}  // namespace cv
