#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>

#include "core/store/typed_array.h"
#include "core/base/errors.h"
#include "core/stats/regression.h"

namespace cv {
namespace {

constexpr long double kTolerance = 1e-10L;

// A Real48 matrix with bounds from Lo (rows and columns), filled from 1 on.
void InitMatrix(TDynArr& arr, std::initializer_list<std::initializer_list<long double>> rows, int lo = 1) {
    arr.Init(dkReal48, 0, 2, {lo, lo}, {static_cast<int>(rows.size()), static_cast<int>(rows.begin()->size())});
    int i = 0;
    for (const auto& row : rows) {
        int j = 0;
        ++i;
        for (long double value : row) arr.SetReal48({i, ++j}, value);
    }
}

void InitVector(TDynArr& arr, std::initializer_list<long double> values) {
    arr.Init(dkReal48, 0, 1, {1}, {static_cast<int>(values.size())});
    int i = 0;
    for (long double value : values) arr.SetReal48({++i}, value);
}

long double Stat(const TDynArr& stats, TRegressionStat entry) { return stats.GetReal48({static_cast<int>(entry)}); }

TEST(RegressionOnTypedArrays, InvertsIntoTheArraysAndAbortsOnASingularOne) {
    // Bounds from 0 cover 1..2 as well. det = 4*6 - 7*2 = 10; inverse = [[6, -7], [-2, 4]] / 10;
    // row 1 pivots (4/7 > 2/6): multiplier 0.5, then 6 - 0.5*7 = 2.5.
    TDynArr a, y;
    InitMatrix(a, {{4, 7}, {2, 6}}, 0);
    InitMatrix(y, {{0, 0}, {0, 0}});
    ASSERT_TRUE(MatrixInverse(2, a, y));
    const long double inverse[2][2] = {{0.6L, -0.7L}, {-0.2L, 0.4L}};
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) EXPECT_NEAR(y.GetReal48({i, j}), inverse[i - 1][j - 1], kTolerance) << i << j;
    EXPECT_EQ(a.GetReal48({2, 1}), 0.5L);
    EXPECT_EQ(a.GetReal48({2, 2}), 2.5L);
    EXPECT_TRUE(y.IsModified());

    TDynArr singular, untouched;
    InitMatrix(singular, {{1, 2}, {2, 4}});
    InitMatrix(untouched, {{9, 9}, {9, 9}});
    EXPECT_THROW(MatrixInverse(2, singular, untouched), ESilentAbort);
    EXPECT_EQ(singular.GetReal48({2, 2}), 4);
    EXPECT_EQ(untouched.GetReal48({1, 2}), 9);
}

TEST(RegressionOnTypedArrays, FitsIntoTheCallersArraysOrLeavesThemOrRefusesShortOnes) {
    TDynArr x, y, stats, b, se, collinear, shortStats, integers;
    InitMatrix(x, {{1, 1}, {2, 1}, {3, 1}});
    InitVector(y, {1, 2, 2});
    InitVector(stats, {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7});
    InitVector(b, {7, 7});
    InitVector(se, {7, 7});
    // B = (3*11 - 6*5, -6*11 + 14*5) / 6 from X'X = [[14, 6], [6, 3]] and X'y = (11, 5);
    // SSE = 1/6, SST = 2/3, R2 = 0.75 (derived in full in regression_test.cpp).
    ASSERT_TRUE(MultipleRegression(3, 2, y, x, stats, b, se));
    EXPECT_NEAR(b.GetReal48({1}), 0.5L, kTolerance);
    EXPECT_NEAR(b.GetReal48({2}), 2.0L / 3, kTolerance);
    EXPECT_NEAR(Stat(stats, rsR2), 0.75L, kTolerance);
    EXPECT_NEAR(Stat(stats, rsAdjustedR2), 0.5L, kTolerance);
    EXPECT_NEAR(se.GetReal48({1}), 1 / std::sqrt(12.0L), kTolerance);

    // Two equal columns: X'X is singular, the arrays keep the previous fit.
    InitMatrix(collinear, {{1, 1}, {2, 2}, {3, 3}});
    EXPECT_FALSE(MultipleRegression(3, 2, y, collinear, stats, b, se));
    EXPECT_NEAR(b.GetReal48({1}), 0.5L, kTolerance);
    EXPECT_NEAR(Stat(stats, rsR2), 0.75L, kTolerance);

    InitVector(shortStats, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    integers.Init(dkSmallint, 0, 1, {1}, {2});
    EXPECT_THROW(MultipleRegression(4, 2, y, x, stats, b, se), ERangeError);
    EXPECT_THROW(MultipleRegression(3, 3, y, x, stats, b, se), ERangeError);
    EXPECT_THROW(MultipleRegression(3, 2, y, x, shortStats, b, se), ERangeError);
    EXPECT_THROW(MultipleRegression(3, 2, y, x, stats, integers, se), ERangeError);
    // A vector where a matrix is wanted.
    EXPECT_THROW(MatrixInverse(2, b, x), ERangeError);
    EXPECT_NEAR(b.GetReal48({1}), 0.5L, kTolerance);
}

}  // namespace
}  // namespace cv
