#include "core/store/typed_array.h"

#include <algorithm>
#include <cstring>

#include "core/base/log_file.h"

// Whole-array operations: sums, copies between arrays, row and element deletion.

namespace cv {

namespace {

// The last of the first Dims components of Index equal to Marker; ERangeError if none.
int OpenDimension(const TIndex& index, std::int16_t marker, int dims) {
    for (int d = std::min(index.Count(), dims) - 1; d >= 0; --d) {
        if (index[d] == marker) return d;
    }
    throw ERangeError();
}

}  // namespace

long double TDynArr::Sum(int mode, const TIndex& index, int op) const {
    if (mode != 1 && mode != 2) FatalStop("SumSubArray not implemented for nDim=%d", {mode});
    const int outer = OpenDimension(index, kOpenDim, nDim_);
    const int inner = mode == 2 ? OpenDimension(index, kOpenDim2, nDim_) : -1;
    long double sum = 0;
    // The elements summed lie evenly spaced from the first: when it lies within
    // the bounds, so does every other, and each is read at its position.
    const std::uint32_t first = FirstSummedPosition(index, outer, inner);
    if (first != kNoPosition) {
        for (std::uint32_t i = 0; i < dimSize_[outer]; ++i) {
            const std::uint32_t row = first + i * stride_[outer];
            if (inner < 0) {
                sum = RoundToReal48(sum + LoadNumber(row));
                continue;
            }
            for (std::uint32_t j = 0; j < dimSize_[inner]; ++j)
                sum = RoundToReal48(sum + LoadNumber(row + j * stride_[inner]));
        }
        return Average(sum, op, outer, inner);
    }
    TIndex at = index;
    const auto add = [&] { sum = RoundToReal48(sum + LoadNumber(Locate(at))); };
    for (int i = lb_[outer]; i <= ub_[outer]; ++i) {
        at.Set(outer, i);
        if (inner < 0) {
            add();
            continue;
        }
        for (int j = lb_[inner]; j <= ub_[inner]; ++j) {
            at.Set(inner, j);
            add();
        }
    }
    return Average(sum, op, outer, inner);
}

long double TDynArr::Average(long double sum, int op, int outer, int inner) const {
    if (op == 2) {
        // The divisor is the difference of the bounds, not the element count.
        long double divisor = ub_[outer] - lb_[outer];
        if (inner >= 0) divisor *= ub_[inner] - lb_[inner];
        sum = divisor == 0 ? 0 : sum / divisor;
    }
    return RoundToReal48(sum);
}

std::uint32_t TDynArr::FirstSummedPosition(const TIndex& index, int outer, int inner) const {
    if (dimSize_[outer] == 0 || (inner >= 0 && dimSize_[inner] == 0)) return kNoPosition;
    TIndex first = index;
    first.Set(outer, lb_[outer]);
    if (inner >= 0) first.Set(inner, lb_[inner]);
    if (first.Count() < nDim_) return kNoPosition;
    std::uint32_t position = 0;
    for (int d = 0; d < nDim_; ++d) {
        const auto offset = static_cast<std::uint32_t>(first[d] - lb_[d]);  // below LB wraps to a large value
        if (offset >= dimSize_[d]) return kNoPosition;
        position += offset * stride_[d];
    }
    return position;
}

void TDynArr::CopySubArray(const TDynArr& src, int mode, const TIndex& dstIndex, const TIndex& srcIndex) {
    if (mode == 0) return CopyElement(dstIndex, src, srcIndex);
    if (mode != 1 && mode != 2) FatalStop("CopySubArray not implemented for nDim=%d", {mode});
    const int dstOuter = OpenDimension(dstIndex, kOpenDim, nDim_);
    const int srcOuter = OpenDimension(srcIndex, kOpenDim, src.nDim_);
    const int dstInner = mode == 2 ? OpenDimension(dstIndex, kOpenDim2, nDim_) : -1;
    const int srcInner = mode == 2 ? OpenDimension(srcIndex, kOpenDim2, src.nDim_) : -1;
    TIndex dst = dstIndex;
    TIndex from = srcIndex;
    for (int k = lb_[dstOuter]; k <= ub_[dstOuter]; ++k) {
        dst.Set(dstOuter, k);
        from.Set(srcOuter, k);
        if (dstInner < 0) {
            CopyElement(dst, src, from);
            continue;
        }
        for (int m = lb_[dstInner]; m <= ub_[dstInner]; ++m) {
            dst.Set(dstInner, m);
            from.Set(srcInner, m);
            CopyElement(dst, src, from);
        }
    }
    modified_ = true;
}

void TDynArr::CopyElement(const TIndex& dstIndex, const TDynArr& src, const TIndex& srcIndex) {
    SetV(dstIndex, src.GetV(srcIndex));
    modified_ = true;
}

void TDynArr::CopyRow(const TDynArr& src, int srcRow, int dstRow) {
    for (int j = lb_[1]; j <= ub_[1]; ++j) CopyElement({dstRow, j}, src, {srcRow, j});
    modified_ = true;
}

void TDynArr::CopyColumn(const TDynArr& src, int srcCol, int dstCol) {
    for (int i = lb_[0]; i <= ub_[0]; ++i) CopyElement({i, dstCol}, src, {i, srcCol});
    modified_ = true;
}

void TDynArr::CopyRowIdx(const TDynArr& src, int srcRow, int dstRow, const std::vector<int>& cols) {
    for (const int col : cols) CopyElement({dstRow, col}, src, {srcRow, col});
    modified_ = true;
}

bool TDynArr::RowEquals(const TDynArr& other, int otherRow, int row) const {
    for (int j = lb_[1]; j <= ub_[1]; ++j) {
        if (!SimValuesEqual(GetV({row, j}), other.GetV({otherRow, j}))) return false;
    }
    return true;
}

void TDynArr::MoveElement(std::uint32_t dstPos, std::uint32_t srcPos) {
    if (kind_ == dkZts) {
        StoreText(dstPos, TextAt(srcPos));
    } else {
        std::memcpy(Element(dstPos), Element(srcPos), elementSize_);
    }
}

void TDynArr::DeleteRow(int row) {
    Locate({row, lb_[1]});
    for (int i = row; i < ub_[0]; ++i) {
        for (int j = lb_[1]; j <= ub_[1]; ++j) MoveElement(Locate({i, j}), Locate({i + 1, j}));
    }
    for (int j = lb_[1]; j <= ub_[1]; ++j) ZeroElement(Locate({ub_[0], j}));
    modified_ = true;
}

void TDynArr::DeleteElement(int pos) {
    Locate({pos});
    for (int i = pos; i < ub_[0]; ++i) MoveElement(Locate({i}), Locate({i + 1}));
    ZeroElement(Locate({ub_[0]}));
    modified_ = true;
}

}  // namespace cv
