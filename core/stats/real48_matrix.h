#pragma once
// Dense matrices and vectors of reals held at Real48 precision, indexed from 1
// like the typed arrays. Arithmetic happens in extended precision; every store
// rounds to the nearest Real48, exactly as a store into a Real48 typed array
// does, so results match the stored form bit for bit.

#include <cstddef>
#include <vector>

namespace cv {

class TReal48Matrix {
public:
    TReal48Matrix() = default;
    // rows x cols zeros; a negative size raises ERangeError.
    TReal48Matrix(int rows, int cols);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }

    // An index outside [1..Rows] x [1..Cols] raises ERangeError.
    long double Get(int row, int col) const { return cells_[Position(row, col)]; }
    // Stores the value rounded to a Real48; beyond the Real48 range (or NaN)
    // raises EOverflowError and leaves the element as it was.
    void Set(int row, int col, long double value);
    // element := element + value, rounded once after the addition.
    void Add(int row, int col, long double value) { Set(row, col, Get(row, col) + value); }
    void SwapRows(int first, int second);

private:
    std::size_t Position(int row, int col) const;

    int rows_ = 0;
    int cols_ = 0;
    std::vector<long double> cells_;
};

class TReal48Vector {
public:
    TReal48Vector() = default;
    explicit TReal48Vector(int size);

    int Size() const { return static_cast<int>(cells_.size()); }
    long double Get(int i) const { return cells_[Position(i)]; }
    void Set(int i, long double value);
    void Add(int i, long double value) { Set(i, Get(i) + value); }

private:
    std::size_t Position(int i) const;

    std::vector<long double> cells_;
};

}  // namespace cv
