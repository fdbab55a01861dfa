#pragma once
// The series-index table: code addresses array elements by the label of a series
// element ("Price" of "DecBrdCV3", "brRev" of "BrdRpt"), not by a number. The table
// resolves those labels once per opened industry into element indexes, and keeps
// a reference to each of the series, so that code reads like the data names:
//
//     decisions->GetReal48({brand, si::Price});    for (int i = 1; i <= si::BrdRpt->Count(); ++i)
//
// In namespace cv::si, every series of the table is a `TSeries* const&` named after
// it, and every element an `const std::int8_t&` named after it: lo + the label's
// position, kLabelAbsent (127) when the series lacks the label, kSeriesMissing (-1,
// the byte 255) when the industry lacks the series (then the series reference is
// nullptr). The six elements of "RestrictCateg" that are also series names take the
// suffix "Categ" (si::StuMktCateg is the element, si::StuMkt the series).
//
// The table is global, filled by InitSeriesIndexes when an industry has been opened
// and reset by ResetSeriesIndexes when it is closed: the series references point into
// that industry's series list and must not outlive it.

#include <cstdint>
#include <span>
#include <string_view>

#include "core/store/series.h"

namespace cv {

// Element index of every element while the industry lacks its series (or none is open).
inline constexpr std::int8_t kSeriesMissing = -1;

// The series and elements of the table, in its order.
enum class TIndexedSeries : std::uint8_t {
#define CV_SERIES(Name) Name,
#define CV_ELEMENT(Series, Name)
#define CV_ELEMENT_AS(Series, Cpp, Name)
#include "core/store/series_index_table.inc"
#undef CV_SERIES
#undef CV_ELEMENT
#undef CV_ELEMENT_AS
};

enum class TIndexedElement : std::uint16_t {
#define CV_SERIES(Name)
#define CV_ELEMENT(Series, Name) Name,
#define CV_ELEMENT_AS(Series, Cpp, Name) Cpp,
#include "core/store/series_index_table.inc"
#undef CV_SERIES
#undef CV_ELEMENT
#undef CV_ELEMENT_AS
};

inline constexpr std::size_t kIndexedSeriesCount = 55;
inline constexpr std::size_t kIndexedElementCount = 294;

// One series of the table with its element names, for whoever writes or checks
// series lists (the sample industry, the diagnostics).
struct TSeriesIndexEntry {
    std::string_view name;
    std::span<const std::string_view> elements;
};

// The 55 series of the table in order, each with its element names in order.
std::span<const TSeriesIndexEntry> SeriesIndexTable();
// Whether the table looks Series up by its name.
bool IsIndexTableSeries(const TSeries& series);
// Data name of an element (for the six renamed ones, the data name, not the C++ name).
std::string_view ElementName(TIndexedElement element);
// The series an element belongs to.
TIndexedSeries SeriesOfElement(TIndexedElement element);

// Fills every series reference and element index of the table from SeriesList,
// the open industry's series: each series is found by name (letter case ignored),
// each element by TSeries::IndexOf. Nothing is kept from an earlier industry. An
// element index that does not fit 8 bits raises ERangeError and leaves the table
// reset, never half filled.
void InitSeriesIndexes(const TListSeries& seriesList);
// Raises what InitSeriesIndexes would raise for SeriesList, touching no table.
void CheckSeriesIndexes(const TListSeries& seriesList);
// Forgets the industry: every series reference nullptr, every element index -1.
// Called when the industry is closed, before its series are freed.
void ResetSeriesIndexes();

namespace detail {
extern TSeries* gIndexedSeries[kIndexedSeriesCount];
extern std::int8_t gElementIndexes[kIndexedElementCount];
}  // namespace detail

// The current value of one entry of the table.
inline TSeries* IndexedSeries(TIndexedSeries series) {
    return detail::gIndexedSeries[static_cast<std::size_t>(series)];
}
inline std::int8_t ElementIndex(TIndexedElement element) {
    return detail::gElementIndexes[static_cast<std::size_t>(element)];
}

// The named accessors: read-only views of the table's entries.
namespace si {
#define CV_SERIES(Name) \
    inline constinit TSeries* const& Name = detail::gIndexedSeries[static_cast<std::size_t>(TIndexedSeries::Name)];
#define CV_ELEMENT(Series, Name) \
    inline constinit const std::int8_t& Name =    \
        detail::gElementIndexes[static_cast<std::size_t>(TIndexedElement::Name)];
#define CV_ELEMENT_AS(Series, Cpp, Name) CV_ELEMENT(Series, Cpp)
#include "core/store/series_index_table.inc"
#undef CV_SERIES
#undef CV_ELEMENT
#undef CV_ELEMENT_AS
}  // namespace si

}  // namespace cv
