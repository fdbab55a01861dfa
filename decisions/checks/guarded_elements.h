#pragma once
// Element reads that never leave an array's bounds: the decision checks walk
// rows and columns by counts held elsewhere ("NbMktedBrds", a series' size),
// which a damaged or hand-edited industry may contradict. A missing array or
// an index outside its bounds reads as 0 or an empty text.

#include <cstddef>
#include <string>

#include "core/store/typed_array.h"

namespace cv {

// Whether Index has one component per dimension of Array, each within its bounds.
bool InBounds(const TDynArr* array, const TIndex& index);

// The element as a number whatever the array's kind; 0 outside.
double ElementNumber(const TDynArr* array, const TIndex& index);

// The element's text cut to MaxLength characters; empty outside.
std::string ElementText(const TDynArr* array, const TIndex& index, std::size_t maxLength = 16);

// Sum of Array[Row, c] over c = First..Last (elements outside count 0).
double RowSum(const TDynArr* array, int row, int first, int last);
// Sum of Array[r, Column] over r = First..Last.
double ColumnSum(const TDynArr* array, int column, int first, int last);

}  // namespace cv
