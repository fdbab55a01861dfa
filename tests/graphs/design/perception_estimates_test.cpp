// The perception tools' answers: perceived values, map positions and the
// characteristic for a target, with the "N/A" cases.

#include "graphs/design/perception_estimates.h"

#include <gtest/gtest.h>

#include <vector>

namespace cv {
namespace {

TEST(PerceptionEstimates, PerceivedValueOnTheScaleOnly) {
    // Characteristic = 10 x perceived + 5, over four brands.
    const TSemanticLine line{10, 5, 4};
    struct Case {
        std::optional<double> characteristic;
        TSemanticLine line;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {45.0, line, 4.0},                     // (45 - 5) / 10
        {15.0, line, 1.0},                     // the lowest value of the scale
        {75.0, line, 7.0},                     // the highest
        {14.0, line, std::nullopt},            // 0.9: below the scale
        {76.0, line, std::nullopt},            // 7.1: above it
        {std::nullopt, line, std::nullopt},    // an empty field
        {45.0, {10, 5, 2}, std::nullopt},      // two brands give no line
        {45.0, {0, 0, 5}, std::nullopt},       // a flat line: 0, off the scale
    };
    for (const Case& c : cases) {
        const std::optional<double> value = PerceivedValue(c.characteristic, c.line);
        ASSERT_EQ(value.has_value(), c.expected.has_value()) << c.characteristic.value_or(-1);
        if (value) {
            EXPECT_NEAR(*value, *c.expected, 1e-12);
        }
    }
}

TEST(PerceptionEstimates, MapPositionNeedsEveryCharacteristic) {
    // P = 2 + 0.5 x1 - 0.25 x2 - 1 x3 (coefficients, then the intercept).
    const std::vector<double> coef{0.5, -0.25, -1, 2};
    const std::vector<std::optional<double>> full{10.0, 8.0, 3.0};
    ASSERT_TRUE(MapPosition(full, coef, true).has_value());
    EXPECT_NEAR(*MapPosition(full, coef, true), 2 + 5 - 2 - 3, 1e-12);
    EXPECT_FALSE(MapPosition(full, coef, false).has_value());  // no residual degree of freedom

    // An empty characteristic gives nothing even where its coefficient is 0.
    const std::vector<double> zeroThird{0.5, -0.25, 0, 2};
    const std::vector<std::optional<double>> thirdEmpty{10.0, 8.0, std::nullopt};
    EXPECT_FALSE(MapPosition(thirdEmpty, zeroThird, true).has_value());

    // Off the map: 2 + 0.5 x 40 = 22 > 20.
    const std::vector<std::optional<double>> far{40.0, 0.0, 0.0};
    EXPECT_FALSE(MapPosition(far, coef, true).has_value());
}

TEST(PerceptionEstimates, CharacteristicForTargetRoundsHalvesToEven) {
    // 10 x 4.25 = 42.5 -> 42; 10 x 4.75 = 47.5 -> 48 (both exact in binary); outside 0..40: nothing.
    const TSemanticLine line{10, 0, 5};
    EXPECT_EQ(CharacteristicForTarget(4.25, line, 0, 100), 42);
    EXPECT_EQ(CharacteristicForTarget(4.75, line, 0, 100), 48);
    EXPECT_FALSE(CharacteristicForTarget(4.25, line, 0, 40).has_value());
    EXPECT_EQ(CharacteristicForTarget(3, {0, 0, 0}, 0, 32767), 0);  // a flat line answers 0
}

}  // namespace
}  // namespace cv
