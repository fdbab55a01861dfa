// The hourly chime that the build synthesises into the media directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "tests/support/temp_dir.h"

namespace cv {
namespace {

std::uint32_t LittleEndian(const std::string& bytes, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

// Three notes of 0.7 s (15435 samples at 22050 per second) and a tail of
// 1.2 s (26460): 72765 samples of 2 bytes, 145530 data bytes after the
// 44-byte header.
TEST(ChimeFileTest, IsAThreeSecondMonoPcmWaveThatNeverClips) {
    const std::string bytes = test::ReadFileBytes(CV_MEDIA_DIR "/CHIMES.WAV");
    ASSERT_EQ(bytes.size(), 44u + 145530u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(LittleEndian(bytes, 4, 4), 36u + 145530u);
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(LittleEndian(bytes, 20, 2), 1u);      // PCM
    EXPECT_EQ(LittleEndian(bytes, 22, 2), 1u);      // mono
    EXPECT_EQ(LittleEndian(bytes, 24, 4), 22050u);  // samples per second
    EXPECT_EQ(LittleEndian(bytes, 34, 2), 16u);     // bits per sample
    EXPECT_EQ(bytes.substr(36, 4), "data");
    EXPECT_EQ(LittleEndian(bytes, 40, 4), 145530u);
    int peak = 0;
    for (std::size_t offset = 44; offset < bytes.size(); offset += 2)
        peak = std::max(peak, std::abs(static_cast<int>(static_cast<std::int16_t>(LittleEndian(bytes, offset, 2)))));
    EXPECT_GT(peak, 4000);   // audible
    EXPECT_LT(peak, 32767);  // not clipped
}

}  // namespace
}  // namespace cv
