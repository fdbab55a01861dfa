#include "core/base/text_format.h"

#include <gtest/gtest.h>

namespace cv {
namespace {

TEST(TextFormat, IntegerDirectivesPadAndSign) {
    EXPECT_EQ(FormatText("%.2d|%.2d|%d|%5d|%-4d|", {4, 12, -7, 42, 3}), "04|12|-7|   42|3   |");
    EXPECT_EQ(FormatText("%.3d", {-5}), "-005");
    EXPECT_EQ(FormatText("%x %u", {255, 9u}), "FF 9");
}

TEST(TextFormat, RealsTextsAndLiteralPercent) {
    EXPECT_EQ(FormatText("%.2f %s %% %.2s", {2.345, "ab", "xyz"}), "2.35 ab % xy");
    EXPECT_EQ(FormatText("%f", {1}), "1.00");
}

}  // namespace
}  // namespace cv
