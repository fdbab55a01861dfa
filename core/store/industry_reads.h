#pragma once
// The table of what the program reads from an industry: every named scalar and
// array that a page, a dialog, a document, the model or the team's steps ask a
// data set for, by set, data category and name, with its kind and shape,
// whether the program can do without it, and, for a count or an index that
// steps through or indexes an array, the bound it must keep.
//
// The whole-file check walks this table over every cell the program will read
// (core/store/read_table_check.h), so that a file it passes holds everything
// read without a default, of the kind and shape it is read as. A test holds
// the table to the names the accessors see read (core/store/read_observer.h).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace cv {

enum class TReadForm : std::uint8_t { scalar, array };

// Whether a cell of the category must hold the name: a required name is read
// without a default (an absent one raises); an optional one is looked for and
// done without; one that the opening writes into the team's copy is read
// without a default only after it is written. The last two are checked only
// where a cell holds them.
enum class TReadNeed : std::uint8_t { required, optional, writtenOnOpening };

// A dimension of an array or the bound of a count: a series by its name, or
// one of the cell's own position series, named by the scalar that holds its
// position ("ChaSeries": the zone's channels, "SegSeries": the zone and
// market's segments, "DimSeries", "SemSeries", "MapSeries": the market's).
using TSeriesRef = std::string_view;

// An element of an index-bearing array ("Dfix" of "XFMLinks": a firm number)
// whose every value lies within 0 and the last element of Bound.
struct TElementBound {
    std::string_view element;  // an element of the array's last dimension, by its label
    TSeriesRef bound;
};

inline constexpr int kMaxReadDims = 3;
inline constexpr int kMaxElementBounds = 5;

struct TIndustryRead {
    std::uint16_t set = 0;   // the set's volume type: vtConstant, vtResults, vtDecisions, vtDefaults
    std::uint8_t category = 0;
    std::string_view name;
    TReadForm form = TReadForm::scalar;
    std::uint8_t kind = 0;   // of the scalar, or of the array's elements
    std::array<TSeriesRef, kMaxReadDims> dims{};  // an array's dimensions; empty past the last
    TReadNeed need = TReadNeed::required;
    // The first period whose set holds it (the sets of earlier periods, such
    // as the history before period 0, have fewer names).
    std::int8_t firstPeriod = -1;
    // A count or an index: its value lies within Low and the last element of
    // Bound (a series reference), the loops it drives staying in their arrays.
    TSeriesRef bound;
    std::int8_t low = 0;
    std::array<TElementBound, kMaxElementBounds> elements{};

    int DimCount() const;
};

// Every read, grouped by set and category.
std::span<const TIndustryRead> IndustryReads();

// The entry of Name (letter case ignored) read from a set of kind Set under
// Category, as an array or a scalar; nullptr when the table has none.
const TIndustryRead* FindIndustryRead(std::uint16_t set, int category, std::string_view name, TReadForm form);

}  // namespace cv
