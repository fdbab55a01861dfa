#include "core/base/real48.h"

#include <cmath>
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "tests/support/checks.h"

namespace cv {
namespace {

Real48 Bytes(std::array<std::uint8_t, 6> b) { return Real48{b}; }

TEST(Real48, KnownValuesHaveTheirStoredBytes) {
    EXPECT_TRUE(test::AllEqual<Real48>(
        {{ToReal48(1.0L), Bytes({0x81, 0, 0, 0, 0, 0})}, {ToReal48(0.1L), Bytes({0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C})},
         {ToReal48(-2.5L), Bytes({0x82, 0, 0, 0, 0, 0xA0})}, {ToReal48(1000.0L), Bytes({0x8A, 0, 0, 0, 0, 0x7A})},
         {ToReal48(0.0L), Bytes({0, 0, 0, 0, 0, 0})}, {ToReal48(-0.0L), Bytes({0, 0, 0, 0, 0, 0})}}));
}

TEST(Real48, ReadingIsExactAndZeroExponentMeansZero) {
    EXPECT_EQ(FromReal48(ToReal48(1.0L)), 1.0L);
    // 0.1 with 39 fraction bits: 1.6 * 2^-4, fraction rounded to the nearest 2^-39.
    const long double expected = std::ldexp(std::nearbyint(1.6L * 0x1p39L), -39 - 4);
    EXPECT_EQ(FromReal48(ToReal48(0.1L)), expected);
    EXPECT_EQ(FromReal48(Bytes({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), 0.0L);
    EXPECT_EQ(FromReal48(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})), kReal48Max);
}

TEST(Real48, SmallValuesUnderflowToZeroUnlessTheCarryLiftsThem) {
    EXPECT_EQ(ToReal48(std::ldexp(1.0L, -129)), Bytes({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ToReal48(-std::ldexp(1.0L, -129)), Bytes({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(FromReal48(ToReal48(std::ldexp(1.0L, -128))), std::ldexp(1.0L, -128));
    // Just below 2^-128 the rounding carries into the exponent: the stored value is 2^-128.
    const long double justBelow = std::ldexp(1.0L, -128) * (1.0L - std::ldexp(1.0L, -50));
    EXPECT_EQ(FromReal48(ToReal48(justBelow)), std::ldexp(1.0L, -128));
}

TEST(Real48, HalfwayRoundsAwayFromZeroAndOverflowRaises) {
    const long double ulp = std::ldexp(1.0L, -39);
    EXPECT_EQ(FromReal48(ToReal48(1.0L + ulp / 2)), 1.0L + ulp);
    EXPECT_EQ(FromReal48(ToReal48(-(1.0L + ulp / 2))), -(1.0L + ulp));
    EXPECT_EQ(FromReal48(ToReal48(1.0L + ulp / 4)), 1.0L);
    EXPECT_THROW(ToReal48(std::ldexp(1.0L, 127)), EOverflowError);
    EXPECT_THROW(ToReal48(INFINITY), EOverflowError);
    EXPECT_THROW(ToReal48(NAN), EOverflowError);
    // The largest value whose rounding would carry past the top exponent overflows too.
    EXPECT_THROW(ToReal48(kReal48Max + std::ldexp(ulp, 126) / 2), EOverflowError);
    EXPECT_NO_THROW(ToReal48(kReal48Max));
}

}  // namespace
}  // namespace cv
