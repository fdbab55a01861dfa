#include "core/stats/regression.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

#include "core/base/errors.h"

namespace cv {
namespace {

constexpr long double kTolerance = 1e-10L;  // well inside the 12 digits of a Real48

using Rows = std::vector<std::vector<long double>>;

TReal48Matrix MatrixOf(const Rows& rows) {
    TReal48Matrix m(static_cast<int>(rows.size()), static_cast<int>(rows.front().size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j) m.Set(int(i) + 1, int(j) + 1, rows[i][j]);
    return m;
}

TReal48Vector VectorOf(std::initializer_list<long double> values) {
    TReal48Vector v(static_cast<int>(values.size()));
    int i = 0;
    for (long double value : values) v.Set(++i, value);
    return v;
}

void ExpectMatrixNear(const TReal48Matrix& actual, const Rows& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            EXPECT_NEAR(actual.Get(int(i) + 1, int(j) + 1), rows[i][j], kTolerance) << i + 1 << "," << j + 1;
}

TEST(MatrixInverse, SingularMatricesAbortSilentlyAndLeaveBothMatrices) {
    const auto expectAbort = [](const Rows& rows) {
        const int n = static_cast<int>(rows.size());
        TReal48Matrix a = MatrixOf(rows), y(n, n);
        y.Set(1, 1, 9);
        EXPECT_THROW(MatrixInverse(n, a, y), ESilentAbort);
        ExpectMatrixNear(a, rows);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) EXPECT_EQ(y.Get(i, j), i == 1 && j == 1 ? 9 : 0);
    };
    expectAbort({{0}});
    expectAbort({{1, 2}, {0, 0}});  // a row of zeros
    // Rows 1 and 2 tie; the later pivots, then column 2 leaves 2 - 0.5*4 = 0 as the last pivot.
    expectAbort({{1, 2}, {2, 4}});
    // Column 2 of rows 2 and 3 reduces to 0 and 0: a zero pivot before the last column.
    expectAbort({{1, 1, 1}, {1, 1, 1}, {0, 0, 1}});
    // Near singular: [[t, t], [t, t(1 + e)]] with e = 2^-39 has the last pivot t e and the inverse
    // [[1 + e, -1], [-1, 1]] / (t e). With t = 2^-89 the pivot 2^-128 is still a Real48, but
    // 1 / (t e) = 2^128 is beyond the Real48 range; with t = 2^-87, 2^126 is within it.
    const long double e = std::ldexp(1.0L, -39);
    const long double t = std::ldexp(1.0L, -89);
    expectAbort({{t, t}, {t, t * (1 + e)}});
    TReal48Matrix a = MatrixOf({{4 * t, 4 * t}, {4 * t, 4 * t * (1 + e)}}), y(2, 2);
    EXPECT_TRUE(MatrixInverse(2, a, y));
    EXPECT_EQ(y.Get(2, 2), std::ldexp(1.0L, 126));
    EXPECT_EQ(y.Get(1, 2), -std::ldexp(1.0L, 126));
}

TEST(MultipleRegression, FitsALineWithItsFifteenStatistics) {
    const TReal48Matrix x = MatrixOf({{1, 1}, {2, 1}, {3, 1}});
    TReal48Vector stats(kRegressionStatCount), b(2), se(2);
    ASSERT_TRUE(MultipleRegression(3, 2, VectorOf({1, 2, 2}), x, stats, b, se));
    // X'X = [[14, 6], [6, 3]], det 6, inverse [[3, -6], [-6, 14]] / 6; X'y = (11, 5).
    // B1 = (3*11 - 6*5) / 6 = 0.5; B2 = (-6*11 + 14*5) / 6 = 4/6.
    EXPECT_NEAR(b.Get(1), 0.5L, kTolerance);
    EXPECT_NEAR(b.Get(2), 2.0L / 3, kTolerance);
    // Fitted 7/6, 10/6, 13/6; residuals -1/6, 2/6, -1/6: SSE = 1/6. Mean 5/3; SST = 4/9 + 1/9 + 1/9 = 2/3;
    // R2 = (2/3 - 1/6) / (2/3) = 0.75; F = 0.75 / 0.25 x 1/1; standard error sqrt((1/6) / 1);
    // adjusted R2 = 1 - 0.25 x 2/1.
    const long double expected[kRegressionStatCount] = {
        1, 1, 2,                   // k - 1, n - k, n - 1
        0.5L, 1.0L / 6, 2.0L / 3,  // explained, residual and total sums of squares
        0.5L, 1.0L / 6, 3,         // mean squares and F
        0, 0.75L, std::sqrt(1.0L / 6), 0, 5.0L / 3, 0.5L,
    };
    for (int i = 1; i <= kRegressionStatCount; ++i) EXPECT_NEAR(stats.Get(i), expected[i - 1], kTolerance) << i;
    // SE_i = entry 12 * sqrt(V_ii): sqrt(1/6 * 3/6) = 1/sqrt(12); sqrt(1/6 * 14/6) = sqrt(14)/6.
    EXPECT_NEAR(se.Get(1), 1 / std::sqrt(12.0L), kTolerance);
    EXPECT_NEAR(se.Get(2), std::sqrt(14.0L) / 6, kTolerance);
}

TEST(MultipleRegression, FailedFitsReturnFalseAndTouchNothing) {
    TReal48Vector stats(kRegressionStatCount), b(2), se(2);
    for (TReal48Vector* v : {&stats, &b, &se})
        for (int i = 1; i <= v->Size(); ++i) v->Set(i, 7);
    const auto expectFailure = [&](int n, const TReal48Vector& y, const TReal48Matrix& x) {
        EXPECT_FALSE(MultipleRegression(n, 2, y, x, stats, b, se));
        for (const TReal48Vector* v : {&stats, &b, &se})
            for (int i = 1; i <= v->Size(); ++i) EXPECT_EQ(v->Get(i), 7) << i;
    };
    // Two equal columns: X'X = [[14, 14], [14, 14]] is singular.
    expectFailure(3, VectorOf({1, 2, 2}), MatrixOf({{1, 1}, {2, 2}, {3, 3}}));
    // Fewer observations than coefficients, and no observation at all. X'X of the one row
    // (0.1, 0.3) is singular, but rounding leaves its last pivot non-zero.
    expectFailure(1, VectorOf({1}), MatrixOf({{1, 1}}));
    expectFailure(1, VectorOf({1}), MatrixOf({{0.1L, 0.3L}}));
    expectFailure(0, TReal48Vector(0), TReal48Matrix(0, 2));
    // X = a [[1, 1], [1, 1 + d]] with a = 2^-40, d = 2^-19 is nearly collinear: the exact fit has
    // b2 = (y2 - y1) / (a d) = 2^70 / 2^-59 = 2^129, beyond the Real48 range.
    const long double a = std::ldexp(1.0L, -40);
    const long double d = std::ldexp(1.0L, -19);
    expectFailure(2, VectorOf({std::ldexp(1.0L, 70), std::ldexp(1.0L, 71)}), MatrixOf({{a, a}, {a, a * (1 + d)}}));
    // Squares of 1e20 already exceed the Real48 range in X'X.
    expectFailure(2, VectorOf({1, 2}), MatrixOf({{1e20L, 1}, {2e20L, 1}}));
}

TEST(MultipleRegression, ArraysTooSmallForNAndKAreRangeErrors) {
    const TReal48Matrix x = MatrixOf({{1, 1}, {2, 1}, {3, 1}});
    const TReal48Vector y = VectorOf({1, 2, 2});
    TReal48Vector stats(kRegressionStatCount), b(2), se(2), shortStats(14), shortB(1);
    EXPECT_THROW(MultipleRegression(4, 2, y, x, stats, b, se), ERangeError);
    // One observation for two coefficients would give up without a fit; arrays too
    // short for N and K are refused before that.
    EXPECT_THROW(MultipleRegression(1, 2, TReal48Vector(0), x, stats, b, se), ERangeError);
    EXPECT_THROW(MultipleRegression(1, 2, y, x, shortStats, b, se), ERangeError);
    EXPECT_FALSE(MultipleRegression(1, 2, y, x, stats, b, se));
    EXPECT_THROW(MultipleRegression(3, 3, y, x, stats, b, se), ERangeError);
    EXPECT_THROW(MultipleRegression(3, 0, y, x, stats, b, se), ERangeError);
    EXPECT_THROW(MultipleRegression(3, 2, y, x, shortStats, b, se), ERangeError);
    EXPECT_THROW(MultipleRegression(3, 2, y, x, stats, shortB, se), ERangeError);
}

TEST(SimpleRegression, FitsTheLeastSquaresLineOverTheFirstNPoints) {
    const std::vector<double> x{1, 2, 3};
    const struct {
        int n;
        std::vector<double> y;
        TLineFit fit;
    } cases[] = {
        // Ax 6, Ay 5, Axx 14, Ayy 9, Axy 11; D = 3*14 - 36 = 6; num = 33 - 30 = 3.
        // slope 3/6; intercept (5*14 - 6*11)/6 = 4/6; r^2 = 9 / (6 * (27 - 25)) = 0.75.
        {3, {1, 2, 2}, {0.5, 2.0 / 3, 0.75}},
        // Falling: Ay 7, Ayy 17, Axy 13; num = 39 - 42 = -3; intercept (98 - 78)/6; r^2 = 9/12.
        {3, {3, 2, 2}, {-0.5, 20.0 / 6, 0.75}},
        {2, {1, 3, 100}, {2, -1, 1}},  // only the first n points count
        // Both vary but do not co-vary: num = 3*8 - 6*4 = 0, so R2 = 0; slope 0, intercept
        // (4*14 - 6*8)/6 = 4/3, the mean of y.
        {3, {1, 2, 1}, {0, 4.0 / 3, 0}},
        {3, {2, 2, 2}, {0, 2, 1}},  // y constant: the horizontal line fits exactly
        {1, {7, 8, 9}, {0, 0, 1}},  // fewer than two points
        {0, {7, 8, 9}, {0, 0, 1}},
    };
    const auto expectFit = [](double slope, double intercept, double r2, const TLineFit& fit) {
        EXPECT_DOUBLE_EQ(slope, fit.slope);
        EXPECT_DOUBLE_EQ(intercept, fit.intercept);
        EXPECT_DOUBLE_EQ(r2, fit.r2);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y[0] << " n " << c.n);
        const TLineFit fit = FitLine(c.n, x, c.y);
        expectFit(fit.slope, fit.intercept, fit.r2, c.fit);
    }
    // x constant (whole or not): D = 0, so slope 0, intercept 0, R2 = 1.
    for (double same : {4.0, 0.1, 1.0 / 3}) {
        const TLineFit fit = FitLine(3, std::vector<double>{same, same, same}, std::vector<double>{1, 5, 2});
        EXPECT_EQ(fit.slope + fit.intercept, 0) << same;
        EXPECT_EQ(fit.r2, 1) << same;
    }
    // The two other forms hand back the first fit in their own argument orders.
    double slope = 0, intercept = 0, r2 = 0;
    SimpleRegression(3, x, std::vector<double>{1, 2, 2}, slope, intercept, r2);
    expectFit(slope, intercept, r2, cases[0].fit);
    SimpleRegressionR2First(3, x, std::vector<double>{3, 2, 2}, r2, intercept, slope);
    expectFit(slope, intercept, r2, cases[1].fit);
}

}  // namespace
}  // namespace cv
