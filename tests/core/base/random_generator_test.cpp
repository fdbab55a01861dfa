#include "core/base/random_generator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cv {
namespace {

constexpr double kTwoTo32 = 4294967296.0;

TEST(RandomGeneratorTest, EachDrawIsOneStepOfTheSharedSeed) {
    SetRandomSeed(0);
    // 0 * 134775813 + 1 = 1, so r = 2^-32.
    EXPECT_EQ(RandomBetween(0, 1), std::ldexp(1.0, -32));
    EXPECT_EQ(RandomSeed(), 1u);
    // 1 * 134775813 + 1 = 134775814.
    EXPECT_EQ(RandomReal(), 134775814 / kTwoTo32);
    EXPECT_EQ(RandomSeed(), 134775814u);

    // From 2^32 - 1 (that is -1): -134775813 + 1 wraps to 2^32 - 134775812 = 4160191484.
    SetRandomSeed(0xFFFFFFFFu);
    // (4160191484 * 10) div 2^32 = 41601914840 div 4294967296 = 9.
    EXPECT_EQ(RandomBelow(10), 9);
    EXPECT_EQ(RandomSeed(), 4160191484u);

    SetRandomSeed(0);
    EXPECT_EQ(RandomBetween(5, 15), 5 + 10 / kTwoTo32);
    EXPECT_EQ(RandomBelow(0), 0);  // still a step: 134775814 as above
    EXPECT_EQ(RandomSeed(), 134775814u);
}

TEST(RandomGeneratorTest, DrawsStayInTheirRanges) {
    SetRandomSeed(21);
    for (int i = 0; i < 1000; ++i) {
        const double between = RandomBetween(-2, 3);
        EXPECT_TRUE(between >= -2 && between < 3) << between;
        const int below = RandomBelow(7);
        EXPECT_TRUE(below >= 0 && below < 7) << below;
    }
}

}  // namespace
}  // namespace cv
