#pragma once
// Regression routines of the perceptual analyses: a matrix inversion, an
// ordinary least-squares fit with its analysis-of-variance statistics, and a
// closed-form straight-line fit.
//
// The matrix routines keep every stored value at Real48 precision (matrices
// and vectors indexed from 1); the straight-line fit works on doubles indexed
// from 0.

#include <span>

#include "core/stats/real48_matrix.h"

namespace cv {

// Entries of the statistics vector of MultipleRegression (indexed 1..15).
enum TRegressionStat {
    rsRegressionDf = 1,  // k - 1
    rsResidualDf = 2,    // n - k
    rsTotalDf = 3,       // n - 1
    rsExplainedSS = 4,   // SST - SSE
    rsResidualSS = 5,    // SSE
    rsTotalSS = 6,       // SST, about the mean
    rsRegressionMS = 7,  // explained SS / regression df, 0 without regression df
    rsResidualMS = 8,    // SSE / residual df, 0 without residual df
    rsF = 9,             // R2 / (1 - R2) x residual df / regression df, 0 when a divisor is 0
    rsUnused10 = 10,     // always 0
    rsR2 = 11,
    rsStdError = 12,     // sqrt(SSE / residual df); sqrt(2147483647) without residual df
    rsUnused13 = 13,     // always 0
    rsMeanY = 14,
    rsAdjustedR2 = 15,   // 1 - (1 - R2) x (n - 1) / (n - k), 1 without residual df
};
inline constexpr int kRegressionStatCount = 15;

// Largest order of a matrix or number of coefficients: bounds are 16-bit.
inline constexpr int kMaxRegressionOrder = 32767;

// Inverts the leading n x n block of a into the leading n x n block of y by
// Crout's LU decomposition with scaled partial pivoting; on success a holds
// the LU decomposition (rows permuted) and the result is true.
// A singular matrix (a zero row or a zero pivot), or one so near singular that
// an element of its decomposition or inverse exceeds the Real48 range, raises
// ESilentAbort and leaves a and y as they were. n outside 1..32767 or a matrix
// smaller than n x n raises ERangeError.
bool MatrixInverse(int n, TReal48Matrix& a, TReal48Matrix& y);

// Least-squares fit of y[1..n] on the k columns of x[1..n][1..k] (no constant
// term is added: pass a column of 1.0 for one). Fills stats[1..15], the
// coefficients b[1..k] and their standard errors se[1..k] and returns true.
// Returns false, touching none of the outputs, when the fit fails: X'X
// singular or near singular, a negative diagonal of its inverse, fewer
// observations than coefficients, or a figure beyond the Real48 range.
// Arrays smaller than n, k or 15, or n, k outside their ranges, raise ERangeError.
bool MultipleRegression(int n, int k, const TReal48Vector& y, const TReal48Matrix& x, TReal48Vector& stats,
                        TReal48Vector& b, TReal48Vector& se);

class TDynArr;

// MatrixInverse and MultipleRegression over typed arrays of Real48 elements:
// matrices two-dimensional, vectors one-dimensional, their bounds covering
// 1..n (1..k, 1..15). Another kind, dimension count or bounds raises
// ERangeError before anything is read; only a successful result is written back.
bool MatrixInverse(int n, TDynArr& a, TDynArr& y);
bool MultipleRegression(int n, int k, const TDynArr& y, const TDynArr& x, TDynArr& stats, TDynArr& b, TDynArr& se);

// A straight line y = slope x x + intercept with its squared correlation.
struct TLineFit {
    double slope = 0;
    double intercept = 0;
    double r2 = 1;
    // Whether the cross term n Sxy - Sx Sy differs from 0.
    bool covaries = false;
};

// Closed-form least-squares line through (x[i], y[i]), i = 0..n-1.
// A series that does not vary (fewer than two points among them) gives R2 = 1;
// x that does not vary gives slope 0 and intercept 0. n above either series'
// length, or negative, raises ERangeError.
TLineFit FitLine(int n, std::span<const double> x, std::span<const double> y);

// FitLine with the results in the order slope, intercept, R2.
void SimpleRegression(int n, std::span<const double> x, std::span<const double> y, double& slope,
                      double& intercept, double& r2);
// The same fit for callers that take the results as R2, intercept, slope.
void SimpleRegressionR2First(int n, std::span<const double> x, std::span<const double> y, double& r2,
                             double& intercept, double& slope);

}  // namespace cv
