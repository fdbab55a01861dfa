#include "core/stats/regression.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/base/errors.h"

namespace cv {

namespace {

// Variance used for the standard error of the estimate when no residual degree of freedom is left.
constexpr long double kNoResidualDfVariance = 2147483647.0L;

long double Ratio(long double numerator, long double denominator, long double whenZero) {
    return denominator == 0 ? whenZero : numerator / denominator;
}

// ---- Inversion -------------------------------------------------------------------------------------------

// Row permutation of the decomposition, indexed from 1 (a 16-bit row number per entry).
using TPermutation = std::vector<std::int16_t>;

// Scaled pivoting compares each candidate with the largest element of its row.
TReal48Vector RowScaleFactors(int n, const TReal48Matrix& a) {
    TReal48Vector scale(n);
    for (int i = 1; i <= n; ++i) {
        long double big = 0;
        for (int j = 1; j <= n; ++j) big = std::max(big, std::fabs(a.Get(i, j)));
        if (big == 0) throw ESilentAbort();
        scale.Set(i, 1.0L / big);
    }
    return scale;
}

// The running sum lives in a double and is stored once complete.
double ReducedElement(const TReal48Matrix& a, int i, int j, int terms) {
    double sum = static_cast<double>(a.Get(i, j));
    for (int m = 1; m <= terms; ++m) sum -= a.Get(i, m) * a.Get(m, j);
    return sum;
}

// Completes rows j..n of column j and returns the pivot row: the largest scaled
// candidate, ties going to the later row.
int ReduceColumnAndPickPivot(int n, int j, TReal48Matrix& a, const TReal48Vector& scale) {
    for (int i = 1; i < j; ++i) a.Set(i, j, ReducedElement(a, i, j, i - 1));
    long double big = 0;
    int pivot = j;
    for (int i = j; i <= n; ++i) {
        a.Set(i, j, ReducedElement(a, i, j, j - 1));
        const long double scaled = scale.Get(i) * std::fabs(a.Get(i, j));
        if (scaled >= big) {
            big = scaled;
            pivot = i;
        }
    }
    return pivot;
}

// Crout's decomposition of a in place with implicit partial pivoting. No small
// value stands in for a zero pivot: a zero pivot is a singular matrix.
TPermutation DecomposeLu(int n, TReal48Matrix& a) {
    TReal48Vector scale = RowScaleFactors(n, a);
    TPermutation perm(static_cast<std::size_t>(n) + 1, 0);
    for (int j = 1; j <= n; ++j) {
        const int pivot = ReduceColumnAndPickPivot(n, j, a, scale);
        if (pivot != j) {
            a.SwapRows(pivot, j);
            scale.Set(pivot, scale.Get(j));
        }
        perm[j] = static_cast<std::int16_t>(pivot);
        if (j < n) {
            if (a.Get(j, j) == 0) throw ESilentAbort();
            const long double reciprocal = 1.0L / a.Get(j, j);
            for (int i = j + 1; i <= n; ++i) a.Set(i, j, a.Get(i, j) * reciprocal);
        }
    }
    if (a.Get(n, n) == 0) throw ESilentAbort();
    return perm;
}

// Solves LU x = e_column by forward and back substitution; leading zeros of the
// permuted right-hand side are skipped in the forward pass.
TReal48Vector SolveUnitColumn(int n, const TReal48Matrix& lu, const TPermutation& perm, int column) {
    TReal48Vector b(n);
    b.Set(column, 1);
    int first = 0;
    for (int i = 1; i <= n; ++i) {
        const int row = perm[i];
        double sum = static_cast<double>(b.Get(row));
        b.Set(row, b.Get(i));
        if (first != 0) {
            for (int m = first; m < i; ++m) sum -= lu.Get(i, m) * b.Get(m);
        } else if (sum != 0) {
            first = i;
        }
        b.Set(i, sum);
    }
    for (int i = n; i >= 1; --i) {
        double sum = static_cast<double>(b.Get(i));
        for (int m = i + 1; m <= n; ++m) sum -= lu.Get(i, m) * b.Get(m);
        b.Set(i, sum / lu.Get(i, i));
    }
    return b;
}

TReal48Matrix InvertDecomposed(int n, const TReal48Matrix& lu, const TPermutation& perm) {
    TReal48Matrix inverse(n, n);
    for (int column = 1; column <= n; ++column) {
        const TReal48Vector b = SolveUnitColumn(n, lu, perm, column);
        for (int i = 1; i <= n; ++i) inverse.Set(i, column, b.Get(i));
    }
    return inverse;
}

void CopyBlock(int rows, int cols, const TReal48Matrix& from, TReal48Matrix& to) {
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) to.Set(i, j, from.Get(i, j));
}

void CopyLeading(int count, const TReal48Vector& from, TReal48Vector& to) {
    for (int i = 1; i <= count; ++i) to.Set(i, from.Get(i));
}

// ---- Least squares ---------------------------------------------------------------------------------------

struct TFitResult {
    TReal48Vector stats{kRegressionStatCount};
    TReal48Vector coefficients;
    TReal48Vector standardErrors;
};

// Sums build up in their Real48 cells: each partial sum is rounded before the next term is added.
TReal48Matrix NormalMatrix(int n, int k, const TReal48Matrix& x) {
    TReal48Matrix m(k, k);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= k; ++j)
            for (int o = 1; o <= n; ++o) m.Add(i, j, x.Get(o, i) * x.Get(o, j));
    return m;
}

// (X'X)^-1; a negative diagonal (no variance can be negative) fails the fit like a singular matrix.
TReal48Matrix InverseNormalMatrix(int k, const TReal48Matrix& normal) {
    TReal48Matrix work = normal;
    TReal48Matrix inverse(k, k);
    MatrixInverse(k, work, inverse);
    for (int i = 1; i <= k; ++i)
        if (inverse.Get(i, i) < 0) throw ESilentAbort();
    return inverse;
}

TReal48Vector Coefficients(int n, int k, const TReal48Vector& y, const TReal48Matrix& x, const TReal48Matrix& v) {
    TReal48Vector xty(k);
    for (int i = 1; i <= k; ++i)
        for (int o = 1; o <= n; ++o) xty.Add(i, x.Get(o, i) * y.Get(o));
    TReal48Vector b(k);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= k; ++j) b.Add(i, v.Get(i, j) * xty.Get(j));
    return b;
}

double ResidualSumOfSquares(int n, int k, const TReal48Vector& y, const TReal48Matrix& x, const TReal48Vector& b) {
    TReal48Vector fitted(n);
    TReal48Vector residuals(n);
    double sse = 0;
    for (int o = 1; o <= n; ++o) {
        for (int j = 1; j <= k; ++j) fitted.Add(o, b.Get(j) * x.Get(o, j));
        residuals.Set(o, y.Get(o) - fitted.Get(o));
        sse += residuals.Get(o) * residuals.Get(o);
    }
    return sse;
}

double MeanOf(int n, const TReal48Vector& y) {
    double sum = 0;
    for (int o = 1; o <= n; ++o) sum += y.Get(o);
    return sum / n;
}

double TotalSumOfSquares(int n, const TReal48Vector& y, double mean) {
    double sst = 0;
    for (int o = 1; o <= n; ++o) sst += (y.Get(o) - mean) * (y.Get(o) - mean);
    return sst;
}

void FillStatistics(int n, int k, double sse, double sst, double meanY, TReal48Vector& s) {
    const double r2 = sst == 0 ? 1 : (sst - sse) / sst;
    s.Set(rsRegressionDf, k - 1);
    s.Set(rsResidualDf, n - k);
    s.Set(rsTotalDf, n - 1);
    s.Set(rsExplainedSS, sst - sse);
    s.Set(rsResidualSS, sse);
    s.Set(rsTotalSS, sst);
    s.Set(rsRegressionMS, Ratio(s.Get(rsExplainedSS), s.Get(rsRegressionDf), 0));
    s.Set(rsResidualMS, Ratio(s.Get(rsResidualSS), s.Get(rsResidualDf), 0));
    s.Set(rsF, Ratio(r2, 1 - r2, 0) * Ratio(s.Get(rsResidualDf), s.Get(rsRegressionDf), 0));
    s.Set(rsUnused10, 0);
    s.Set(rsR2, r2);
    s.Set(rsStdError, std::sqrt(Ratio(sse, s.Get(rsResidualDf), kNoResidualDfVariance)));
    s.Set(rsUnused13, 0);
    s.Set(rsMeanY, meanY);
    s.Set(rsAdjustedR2, 1 - (1 - r2) * Ratio(n - 1, n - k, 0));
}

TFitResult FitLeastSquares(int n, int k, const TReal48Vector& y, const TReal48Matrix& x) {
    const TReal48Matrix v = InverseNormalMatrix(k, NormalMatrix(n, k, x));
    TFitResult fit;
    fit.coefficients = Coefficients(n, k, y, x, v);
    const double sse = ResidualSumOfSquares(n, k, y, x, fit.coefficients);
    const double meanY = MeanOf(n, y);
    FillStatistics(n, k, sse, TotalSumOfSquares(n, y, meanY), meanY, fit.stats);
    fit.standardErrors = TReal48Vector(k);
    for (int i = 1; i <= k; ++i)
        fit.standardErrors.Set(i, fit.stats.Get(rsStdError) * std::sqrt(v.Get(i, i)));
    return fit;
}

void CheckRegressionShapes(int n, int k, const TReal48Vector& y, const TReal48Matrix& x, const TReal48Vector& stats,
                           const TReal48Vector& b, const TReal48Vector& se) {
    const bool countsValid = n >= 0 && n <= kMaxRegressionOrder && k >= 1 && k <= kMaxRegressionOrder;
    const bool arraysFit = y.Size() >= n && x.Rows() >= n && x.Cols() >= k && stats.Size() >= kRegressionStatCount &&
                           b.Size() >= k && se.Size() >= k;
    if (!countsValid || !arraysFit) throw ERangeError();
}

// ---- Straight line ---------------------------------------------------------------------------------------

bool Varies(int n, std::span<const double> values) {
    for (int i = 1; i < n; ++i)
        if (values[i] != values[0]) return true;
    return false;
}

// The sums of the closed form, each accumulated in a double.
struct TLineSums {
    double x = 0, y = 0, xx = 0, yy = 0, xy = 0;
};

TLineSums SumsOf(int n, std::span<const double> x, std::span<const double> y) {
    TLineSums sums;
    for (int i = 0; i < n; ++i) {
        sums.x += x[i];
        sums.y += y[i];
        sums.xx += x[i] * x[i];
        sums.yy += y[i] * y[i];
        sums.xy += x[i] * y[i];
    }
    return sums;
}

double Correlation(long double n, long double d, const TLineSums& sums, long double numerator) {
    const long double den = d * (n * sums.yy - static_cast<long double>(sums.y) * sums.y);
    if (den < 0) return 0;
    const long double root = std::sqrt(den);
    return root == 0 ? 0 : static_cast<double>(numerator / root);
}

}  // namespace

bool MatrixInverse(int n, TReal48Matrix& a, TReal48Matrix& y) {
    if (n < 1 || n > kMaxRegressionOrder || a.Rows() < n || a.Cols() < n || y.Rows() < n || y.Cols() < n)
        throw ERangeError();
    TReal48Matrix lu(n, n);
    CopyBlock(n, n, a, lu);
    TReal48Matrix inverse;
    try {
        const TPermutation perm = DecomposeLu(n, lu);
        inverse = InvertDecomposed(n, lu, perm);
    } catch (const EOverflowError&) {
        // A near-singular matrix: a multiplier or an element of the inverse beyond the Real48 range.
        throw ESilentAbort();
    }
    CopyBlock(n, n, lu, a);
    CopyBlock(n, n, inverse, y);
    return true;
}

bool MultipleRegression(int n, int k, const TReal48Vector& y, const TReal48Matrix& x, TReal48Vector& stats,
                        TReal48Vector& b, TReal48Vector& se) {
    CheckRegressionShapes(n, k, y, x, stats, b, se);
    // With fewer observations than coefficients X'X is singular; rounding may hide it, never fix it.
    if (n < k) return false;
    TFitResult fit;
    try {
        fit = FitLeastSquares(n, k, y, x);
    } catch (const ESilentAbort&) {
        return false;
    } catch (const EOverflowError&) {
        return false;
    }
    CopyLeading(kRegressionStatCount, fit.stats, stats);
    CopyLeading(k, fit.coefficients, b);
    CopyLeading(k, fit.standardErrors, se);
    return true;
}

TLineFit FitLine(int n, std::span<const double> x, std::span<const double> y) {
    if (n < 0 || static_cast<std::size_t>(n) > x.size() || static_cast<std::size_t>(n) > y.size())
        throw ERangeError();
    const TLineSums sums = SumsOf(n, x, y);
    const long double count = n;
    const bool xVaries = Varies(n, x);
    // An x that does not vary has D = 0 exactly; rounding must not turn it into a tiny divisor.
    const long double d = xVaries ? count * sums.xx - static_cast<long double>(sums.x) * sums.x : 0;
    const long double numerator = count * sums.xy - static_cast<long double>(sums.x) * sums.y;
    TLineFit fit;
    fit.covaries = numerator != 0;
    if (d != 0) {
        fit.slope = static_cast<double>(numerator / d);
        fit.intercept = static_cast<double>((static_cast<long double>(sums.y) * sums.xx -
                                             static_cast<long double>(sums.x) * sums.xy) / d);
    }
    // A series that does not vary is fitted exactly (R2 = 1); two varying series without
    // covariance are not correlated at all (R2 = 0).
    if (xVaries && Varies(n, y)) {
        const double r = Correlation(count, d, sums, numerator);
        fit.r2 = r * r;
    } else {
        fit.r2 = 1;
    }
    return fit;
}

void SimpleRegression(int n, std::span<const double> x, std::span<const double> y, double& slope,
                      double& intercept, double& r2) {
    const TLineFit fit = FitLine(n, x, y);
    slope = fit.slope;
    intercept = fit.intercept;
    r2 = fit.r2;
}

void SimpleRegressionR2First(int n, std::span<const double> x, std::span<const double> y, double& r2,
                             double& intercept, double& slope) {
    SimpleRegression(n, x, y, slope, intercept, r2);
}

}  // namespace cv
