#pragma once
// The names of an industry's series, as the file tells them. The program finds
// a series by its name (the series-index table's, an array dimension's) or by a
// position of the constant part; one byte changed in a name leaves a series
// that nothing finds and a name that finds nothing, and the pages then index
// their arrays with a missing series. So no two series share a name, every
// array dimension names a series of the list with the series' bounds, a
// series that the series-index table looks up has every element the table
// names, and every series of the list is one that the program looks up, a
// position names or an array is dimensioned with.

#include <vector>

namespace cv {

class TListSeries;
class TSeries;
class TArrayDimensionUses;
struct TIndustrySeries;

// EDataError naming the first series or array dimension of List and Arrays
// that breaks one of these rules; Found are the series the positions name,
// Read those that the arrays the program reads are dimensioned with.
void CheckSeriesNames(const TListSeries& list, const TIndustrySeries& found, const TArrayDimensionUses& arrays,
                      const std::vector<const TSeries*>& read);

}  // namespace cv
