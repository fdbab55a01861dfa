#pragma once
// Checked row work on the R&D lists: the run copies rows between prototype and
// project lists of different firms, and the data store would answer an index
// outside an array with its first element. Shapes are checked once when a list
// is bound; copies then run over the checked column range only.

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace cv {

class TDynArr;

// EModelError naming Name when dimension Dim (1-based) of Array does not span
// Lo..Hi. An empty range (Lo > Hi) asks nothing.
void RequireSpan(const TDynArr& array, std::string_view name, int dim, int lo, int hi);

// Copies columns Lo..Hi of row SrcRow of Src into row DstRow of Dst.
void CopyRowColumns(TDynArr& dst, int dstRow, const TDynArr& src, int srcRow, int lo, int hi);

// Copies the listed columns of row SrcRow of Src into row DstRow of Dst.
void CopyColumns(TDynArr& dst, int dstRow, const TDynArr& src, int srcRow, std::initializer_list<std::uint8_t> columns);

// Stores Name as element Row of the text list Names, cut to the list's text
// length (with a log line) rather than refused by the store.
void StoreName(TDynArr& names, int row, std::string_view name);

// A firm number held as a real (contract terms, finance columns), rounded
// halves to even; 0 for a value that is no whole firm number of 16 bits.
int FirmNumber(long double value);

}  // namespace cv
