#include "decisions/checks/guarded_elements.h"

namespace cv {

bool InBounds(const TDynArr* array, const TIndex& index) {
    if (array == nullptr || array->NDim() == 0 || index.Count() != array->NDim()) return false;
    for (int d = 1; d <= array->NDim(); ++d)
        if (index[d - 1] < array->LB(d) || index[d - 1] > array->UB(d)) return false;
    return true;
}

double ElementNumber(const TDynArr* array, const TIndex& index) {
    return InBounds(array, index) ? static_cast<double>(SimValueNumber(array->GetV(index))) : 0.0;
}

std::string ElementText(const TDynArr* array, const TIndex& index, std::size_t maxLength) {
    if (!InBounds(array, index) || array->Kind() != dkZts) return {};
    return array->GetZts(index).substr(0, maxLength);
}

double RowSum(const TDynArr* array, int row, int first, int last) {
    double sum = 0;
    for (int column = first; column <= last; ++column) sum += ElementNumber(array, {row, column});
    return sum;
}

double ColumnSum(const TDynArr* array, int column, int first, int last) {
    double sum = 0;
    for (int row = first; row <= last; ++row) sum += ElementNumber(array, {row, column});
    return sum;
}

}  // namespace cv
