// Rounding to the nearest whole number with halves to the even neighbour, as
// the model's stored integers need it: ties, values just beside a tie (which a
// double would turn into ties), the sign of zero and values past the last fraction bit.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/base/numbers.h"

namespace cv {
namespace {

TEST(RoundHalfEven, RoundsTiesToEvenAndKeepsTheSignOfZero) {
    constexpr long double kTwo62 = 4611686018427387904.0L;  // 2^62: fractions of 1/2 still exist
    constexpr long double kTwo63 = 9223372036854775808.0L;  // 2^63: every value whole
    // 1.5 - 2^-62 lies just below a tie: a double would hold it as 1.5 and give 2.
    const long double belowOneAndHalf = 1.5L - std::ldexp(1.0L, -62);
    const struct {
        long double value;
        long double expected;
    } cases[] = {
        {0.5L, 0.0L},  {1.5L, 2.0L},  {2.5L, 2.0L},  {-2.5L, -2.0L}, {-3.5L, -4.0L},
        {2.4L, 2.0L},  {2.6L, 3.0L},  {-2.6L, -3.0L}, {belowOneAndHalf, 1.0L},
        {kTwo62 + 0.5L, kTwo62}, {kTwo62 + 1.5L, kTwo62 + 2.0L}, {kTwo63 - 0.5L, kTwo63},
        {kTwo63 + 2.0L, kTwo63 + 2.0L}, {-1e30L, -1e30L}, {65535.5L, 65536.0L},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.value));
        EXPECT_EQ(RoundHalfEven(c.value), c.expected);
    }
    // -0.3 and -0.5 round to a negative zero, as the stored bytes of a result keep it.
    for (long double negative : {-0.3L, -0.5L, -0.0L}) EXPECT_TRUE(std::signbit(RoundHalfEven(negative)));
    EXPECT_FALSE(std::signbit(RoundHalfEven(0.3L)));
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<long double>::quiet_NaN())));
    EXPECT_EQ(RoundHalfEven(-std::numeric_limits<long double>::infinity()),
              -std::numeric_limits<long double>::infinity());
}

}  // namespace
}  // namespace cv
