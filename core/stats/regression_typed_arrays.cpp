#include "core/store/typed_array.h"
#include "core/stats/regression.h"

// The matrix routines over typed arrays of Real48 elements. The elements are read
// into matrices of the same precision, the routine runs on those, and only a
// successful result is written back: a failed inversion or fit leaves every
// caller array as it was.

namespace cv {

namespace {

// Rows 1..rows (and columns 1..cols) of a Real48 array of dims dimensions must
// lie within its bounds; an empty block asks nothing of the array.
void RequireReal48Block(const TDynArr& arr, int dims, int rows, int cols = 1) {
    if (rows == 0 || cols == 0) return;
    const auto covers = [&arr](int d, int upper) { return arr.LB(d) <= 1 && arr.UB(d) >= upper; };
    const bool fits = arr.Kind() == dkReal48 && arr.NDim() == dims && covers(1, rows) && (dims == 1 || covers(2, cols));
    if (!fits) throw ERangeError();
}

TReal48Matrix ReadMatrix(const TDynArr& arr, int rows, int cols) {
    RequireReal48Block(arr, 2, rows, cols);
    TReal48Matrix matrix(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) matrix.Set(i, j, arr.GetReal48({i, j}));
    return matrix;
}

void WriteMatrix(const TReal48Matrix& matrix, TDynArr& arr) {
    for (int i = 1; i <= matrix.Rows(); ++i)
        for (int j = 1; j <= matrix.Cols(); ++j) arr.SetReal48({i, j}, matrix.Get(i, j));
}

TReal48Vector ReadVector(const TDynArr& arr, int size) {
    RequireReal48Block(arr, 1, size);
    TReal48Vector vector(size);
    for (int i = 1; i <= size; ++i) vector.Set(i, arr.GetReal48({i}));
    return vector;
}

void WriteVector(const TReal48Vector& vector, TDynArr& arr) {
    for (int i = 1; i <= vector.Size(); ++i) arr.SetReal48({i}, vector.Get(i));
}

void CheckOrder(int count, int lowest) {
    if (count < lowest || count > kMaxRegressionOrder) throw ERangeError();
}

}  // namespace

bool MatrixInverse(int n, TDynArr& a, TDynArr& y) {
    CheckOrder(n, 1);
    TReal48Matrix decomposed = ReadMatrix(a, n, n);
    RequireReal48Block(y, 2, n, n);
    TReal48Matrix inverse(n, n);
    MatrixInverse(n, decomposed, inverse);
    WriteMatrix(decomposed, a);
    WriteMatrix(inverse, y);
    return true;
}

bool MultipleRegression(int n, int k, const TDynArr& y, const TDynArr& x, TDynArr& stats, TDynArr& b, TDynArr& se) {
    CheckOrder(n, 0);
    CheckOrder(k, 1);
    const TReal48Vector observed = ReadVector(y, n);
    const TReal48Matrix regressors = ReadMatrix(x, n, k);
    RequireReal48Block(stats, 1, kRegressionStatCount);
    RequireReal48Block(b, 1, k);
    RequireReal48Block(se, 1, k);
    TReal48Vector fitStats(kRegressionStatCount), coefficients(k), standardErrors(k);
    if (!MultipleRegression(n, k, observed, regressors, fitStats, coefficients, standardErrors)) return false;
    WriteVector(fitStats, stats);
    WriteVector(coefficients, b);
    WriteVector(standardErrors, se);
    return true;
}

}  // namespace cv
