#pragma once
// Checked access to the data for the model. A missing array or scalar, or an
// index outside an array, ends the run: these routines raise EModelError
// naming the array, the set and the cell,
// check the series-index entries a module uses once at the start of a run, and
// clamp counts to the bounds of the arrays they index.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/store/data_context.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"

namespace cv {

class TCvPerData;
class TModBasic;

// A text that a message may need, such as where a value sits, given either as
// it is or as a function that builds it: the inner loops describe every brand
// and cell they touch, and only a warning or an error ever reads it. A maker
// must outlive the call it is passed to (a lambda argument does).
class TLazyText {
public:
    TLazyText(const char* text) : text_(text) {}
    TLazyText(std::string_view text) : text_(text) {}
    TLazyText(const std::string& text) : text_(text) {}
    template <typename Maker>
        requires std::is_invocable_r_v<std::string, const Maker&>
    TLazyText(const Maker& maker)
        : maker_(&maker), make_([](const void* m) { return (*static_cast<const Maker*>(m))(); }) {}

    std::string Text() const { return make_ ? make_(maker_) : std::string(text_); }

private:
    std::string_view text_;
    const void* maker_ = nullptr;
    std::string (*make_)(const void*) = nullptr;
};

// The array Name of the cell, or EModelError naming the array and the cell;
// writable only through a writable set.
const TSimArr& RequireArr(const TCvPerData& set, int category, const TDataContext& context, std::string_view name);
TSimArr& RequireArr(TCvPerData& set, int category, const TDataContext& context, std::string_view name);
// The array Name of the cell, or nullptr without any report.
const TSimArr* OptionalArr(const TCvPerData& set, int category, const TDataContext& context, std::string_view name);
TSimArr* OptionalArr(TCvPerData& set, int category, const TDataContext& context, std::string_view name);

// RequireArr of one set, category and name for cell after cell, looked up
// again only when the cell changes: the brands of a market come firm by firm.
class TCellArr {
public:
    TCellArr(TCvPerData& set, int category, std::string_view name) : set_(set), category_(category), name_(name) {}
    TSimArr& For(const TDataContext& context) {
        const TCellIndex cell = CalcIndices(category_, context);
        if (!array_ || !(cell == cell_)) {
            array_ = &RequireArr(set_, category_, context, name_);
            cell_ = cell;
        }
        return *array_;
    }

private:
    TCvPerData& set_;
    int category_;
    std::string_view name_;
    TSimArr* array_ = nullptr;
    TCellIndex cell_{};
};

// The small-integer scalar Name of the cell, or EModelError naming it and the cell.
std::int16_t RequireSmallint(const TCvPerData& set, int category, const TDataContext& context, std::string_view name);
// The small-integer scalar Name of the cell; Default, with a level-1 log line, when the cell lacks it.
std::int16_t OptionalSmallint(const TCvPerData& set, int category, const TDataContext& context, std::string_view name,
                              std::int16_t defaultValue);

// How many rows 1, 2, ... of the array's first dimension exist, at most Cap
// (0 for no array, or one whose first dimension starts above 1).
int RowCapacity(const TDynArr* array, int cap);

// Target := a copy of Source (shape and elements) for a step that only carries
// an array of t into t+1. Without a source the target is cleared to zeros with
// a level-0 log line naming the array, so that t+1 never keeps stale values.
void CopyOrClear(TSimArr& target, const TSimArr* source, std::string_view name);

// Whether every component of Index lies within the array's bounds (the array
// must have at least as many dimensions as Index has components). Inline, as
// RequireIndex: the model checks an index before nearly every element it reads.
inline bool IndexInBounds(const TDynArr& array, const TIndex& index) {
    if (array.NDim() < index.Count() || index.Count() == 0) return false;
    for (int d = 1; d <= index.Count(); ++d)
        if (index[d - 1] < array.LB(d) || index[d - 1] > array.UB(d)) return false;
    return true;
}
// Linear position of Index in Array, the place of its element for TextAt,
// ByteAt and Real48At, for an index the caller checked against the bounds
// (IndexInBounds, RequireIndex) with one component per dimension.
inline std::size_t PositionWithin(const TDynArr& array, const TIndex& index) {
    std::size_t position = 0;
    for (int d = 1; d <= array.NDim(); ++d)
        position += static_cast<std::size_t>(index[d - 1] - array.LB(d)) * array.Stride(d);
    return position;
}
// Whether the array holds reals in exactly NDim dimensions, so that elements at
// checked indexes may be addressed by position (Real48At, SetReal48At).
inline bool HoldsReals(const TDynArr& array, int nDim) { return array.Kind() == dkReal48 && array.NDim() == nDim; }
// EModelError naming the array and the index.
[[noreturn]] void ThrowIndexOutside(std::string_view name, const TIndex& index);
// EModelError naming the array and the index when Index is outside it.
inline void RequireIndex(const TDynArr& array, std::string_view name, const TIndex& index) {
    if (!IndexInBounds(array, index)) [[unlikely]]
        ThrowIndexOutside(name, index);
}

// EModelError naming the first series of Series that the open industry lacks,
// or the first label of Elements that is missing from its series.
void RequireIndexedSeries(std::initializer_list<TIndexedSeries> series);
void RequireIndexedElements(std::initializer_list<TIndexedElement> elements);

// Brand and prototype names compare without regard to the case of the letters
// a to z; every other character must match exactly.
bool SameModelName(std::string_view a, std::string_view b);
// The first j in 1..Count whose text Names[j] is Name, or 0 (also for no array).
int FindModelName(const TSimArr* names, int count, std::string_view name);

// FindModelName's rows 1..Count read once, for a list searched for name after
// name (the brands of a market): a name of up to eight characters is kept
// folded to capitals in one word, which a name looked up is compared with. A
// names array that is not one-dimensional texts is searched by FindModelName
// itself. The array must outlive the index and keep its texts meanwhile.
class TModelNameIndex {
public:
    TModelNameIndex(const TSimArr* names, int count);
    // As FindModelName(Names, Count, Name).
    int Find(std::string_view name) const;
    const TSimArr* Names() const { return names_; }

private:
    struct TRow {
        std::string_view text;
        std::uint64_t word;  // a text of up to eight characters, folded; a longer one is compared as it stands
    };
    const TSimArr* names_;
    int count_;
    bool indexed_ = false;
    std::vector<TRow> rows_;  // row j at j - 1
};

// Count limited to 0..Limit. A count outside is logged at level 0 and reported
// as a warning through Module, naming What; the clamped value is returned.
int ClampCount(const TModBasic& module, long long count, int limit, const TLazyText& what);

// Stores Value into the small-integer element Index of Array (named Name, in
// the cell Cell) rounded halves to even and clamped to -32768..32767. A value
// outside that range is stored clamped, with a level-0 log line naming the
// array, the cell and the value and a warning through Module: the forecast
// never aborts for it.
void StoreSmallintSaturated(const TModBasic& module, TDynArr& array, std::string_view name, const TLazyText& cell,
                            const TIndex& index, long double value);

// The value of a decision amount (production, stock sold, price, advertising
// budget, sales-force size ...) as the computation uses it: the entry fields'
// empty value (-2147483648.0) and negative amounts count as 0, with a level-0
// log line and a warning naming What. The stored decision is not touched.
long double DecisionAmount(const TModBasic& module, long double value, const TLazyText& what);

// The entry fields' empty value, which a decision real may hold.
inline constexpr long double kEmptyDecisionValue = -2147483648.0L;

}  // namespace cv
