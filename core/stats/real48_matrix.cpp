#include "core/stats/real48_matrix.h"

#include <utility>

#include "core/base/real48.h"
#include "core/base/errors.h"

namespace cv {

namespace {

void CheckSize(int size) {
    if (size < 0) throw ERangeError();
}

void CheckIndex(int index, int upper) {
    if (index < 1 || index > upper) throw ERangeError();
}

}  // namespace

TReal48Matrix::TReal48Matrix(int rows, int cols) : rows_(rows), cols_(cols) {
    CheckSize(rows);
    CheckSize(cols);
    cells_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0.0L);
}

std::size_t TReal48Matrix::Position(int row, int col) const {
    CheckIndex(row, rows_);
    CheckIndex(col, cols_);
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col - 1);
}

void TReal48Matrix::Set(int row, int col, long double value) {
    cells_[Position(row, col)] = RoundToReal48(value);
}

void TReal48Matrix::SwapRows(int first, int second) {
    for (int col = 1; col <= cols_; ++col) std::swap(cells_[Position(first, col)], cells_[Position(second, col)]);
}

TReal48Vector::TReal48Vector(int size) {
    CheckSize(size);
    cells_.assign(static_cast<std::size_t>(size), 0.0L);
}

std::size_t TReal48Vector::Position(int i) const {
    CheckIndex(i, Size());
    return static_cast<std::size_t>(i - 1);
}

void TReal48Vector::Set(int i, long double value) { cells_[Position(i)] = RoundToReal48(value); }

}  // namespace cv
