#include "model/model_access.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

#include "core/base/numbers.h"
#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/base/errors.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/mod_basic.h"

namespace cv {

namespace {

std::string IndexText(const TIndex& index) {
    std::string text = "[";
    for (int d = 0; d < index.Count(); ++d) text += (d ? ", " : "") + std::to_string(index[d]);
    return text + "]";
}

std::string_view IndexedSeriesName(TIndexedSeries series) {
    return SeriesIndexTable()[static_cast<std::size_t>(series)].name;
}

}  // namespace

const TSimArr& RequireArr(const TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    try {
        return set.GetSimArr(category, context, name);
    } catch (const EDataError& error) {
        throw EModelError(error.what());
    }
}

TSimArr& RequireArr(TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    return const_cast<TSimArr&>(RequireArr(std::as_const(set), category, context, name));
}

const TSimArr* OptionalArr(const TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    return set.FindSimArr(category, context, name);
}

TSimArr* OptionalArr(TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    return set.FindSimArr(category, context, name);
}

std::int16_t RequireSmallint(const TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    try {
        return set.GetSmallint(category, context, name);
    } catch (const EDataError& error) {
        throw EModelError(error.what());
    }
}

std::int16_t OptionalSmallint(const TCvPerData& set, int category, const TDataContext& context, std::string_view name,
                              std::int16_t defaultValue) {
    if (const TSimValue* value = set.FindScalar(category, context, name)) return TSimData::SmallintOf(*value);
    if (LogWrites(1))
        LogFmt(1, "scalar %s missing in the %s: taken as %d", {name, set.DescribeCell(category, context), defaultValue});
    return defaultValue;
}

int RowCapacity(const TDynArr* array, int cap) {
    if (!array || array->NDim() == 0 || array->LB(1) > 1) return 0;
    return std::max(0, std::min<int>(array->UB(1), cap));
}

void CopyOrClear(TSimArr& target, const TSimArr* source, std::string_view name) {
    if (source) {
        target.Assign(*source);
        return;
    }
    target.Clear();
    LogFmt(0, "array %s of t missing: %s of t+1 cleared", {name, name});
}

void ThrowIndexOutside(std::string_view name, const TIndex& index) {
    throw EModelError(FormatText("index %s outside the array %s", {IndexText(index), name}));
}

void RequireIndexedSeries(std::initializer_list<TIndexedSeries> series) {
    for (TIndexedSeries one : series)
        if (!IndexedSeries(one))
            throw EModelError(FormatText("the industry has no series %s", {IndexedSeriesName(one)}));
}

void RequireIndexedElements(std::initializer_list<TIndexedElement> elements) {
    for (TIndexedElement element : elements) {
        const std::int8_t index = ElementIndex(element);
        if (index != kSeriesMissing && index != kLabelAbsent) continue;
        const std::string_view series = IndexedSeriesName(SeriesOfElement(element));
        if (index == kSeriesMissing) throw EModelError(FormatText("the industry has no series %s", {series}));
        throw EModelError(FormatText("the series %s has no label %s", {series, ElementName(element)}));
    }
}

namespace {

// Only the letters a to z have a capital: every other character stands as it is.
char FoldModelChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A name of up to eight characters, folded, one byte each: two such names of
// the same length are the same model name exactly when their words are equal.
constexpr std::size_t kPackedNameMax = sizeof(std::uint64_t);
std::uint64_t PackModelName(std::string_view name) {
    std::uint64_t word = 0;
    for (char c : name) word = word << CHAR_BIT | static_cast<unsigned char>(FoldModelChar(c));
    return word;
}

// Row J of a one-dimensional text array whose row 1 is at position First, read in place.
std::string_view NameRow(const TSimArr& names, std::size_t first, int j) {
    return names.TextAt(first + static_cast<std::size_t>(j - 1));
}

}  // namespace

bool SameModelName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldModelChar(a[i]) != FoldModelChar(b[i])) return false;
    return true;
}

int FindModelName(const TSimArr* names, int count, std::string_view name) {
    const int rows = RowCapacity(names, count);
    if (rows > 0 && names->Kind() == dkZts && names->NDim() == 1) {
        // Rows 1..Rows lie within the bounds: the texts are read in place.
        const std::size_t first = PositionWithin(*names, {1});
        for (int j = 1; j <= rows; ++j)
            if (SameModelName(NameRow(*names, first, j), name)) return j;
        return 0;
    }
    for (int j = 1; j <= rows; ++j)
        if (SameModelName(names->GetZts({j}), name)) return j;
    return 0;
}

TModelNameIndex::TModelNameIndex(const TSimArr* names, int count) : names_(names), count_(count) {
    const int rows = RowCapacity(names, count);
    if (rows == 0 || names->Kind() != dkZts || names->NDim() != 1) return;
    indexed_ = true;
    rows_.reserve(static_cast<std::size_t>(rows));
    const std::size_t first = PositionWithin(*names, {1});
    for (int j = 1; j <= rows; ++j) {
        const std::string_view text = NameRow(*names, first, j);
        rows_.push_back({text, text.size() <= kPackedNameMax ? PackModelName(text) : 0});
    }
}

int TModelNameIndex::Find(std::string_view name) const {
    if (!indexed_) return FindModelName(names_, count_, name);
    const bool packed = name.size() <= kPackedNameMax;
    const std::uint64_t word = packed ? PackModelName(name) : 0;
    for (std::size_t j = 0; j < rows_.size(); ++j) {
        const TRow& row = rows_[j];
        if (row.text.size() == name.size() && (packed ? row.word == word : SameModelName(row.text, name)))
            return static_cast<int>(j) + 1;
    }
    return 0;
}

int ClampCount(const TModBasic& module, long long count, int limit, const TLazyText& what) {
    if (limit < 0) limit = 0;
    if (count >= 0 && count <= limit) return static_cast<int>(count);
    const int clamped = count < 0 ? 0 : limit;
    module.Warn(FormatText("%s: %d is outside 0..%d and is taken as %d", {what.Text(), count, limit, clamped}));
    return clamped;
}

void StoreSmallintSaturated(const TModBasic& module, TDynArr& array, std::string_view name, const TLazyText& cell,
                            const TIndex& index, long double value) {
    const long double rounded = RoundHalfEven(value);
    long double stored = rounded;
    if (!(rounded >= INT16_MIN)) stored = INT16_MIN;  // also NaN
    if (rounded > INT16_MAX) stored = INT16_MAX;
    if (stored != rounded)
        module.Warn(FormatText("%s of %s: %.2f does not fit 16 bits and is stored as %d",
                               {name, cell.Text(), value, static_cast<int>(stored)}));
    // Whole and within 16 bits already, so the conversion through a double is
    // exact, and cheaper than a rounding conversion of the extended value.
    array.SetSmallint(index, static_cast<int>(static_cast<double>(stored)));
}

long double DecisionAmount(const TModBasic& module, long double value, const TLazyText& what) {
    if (value >= 0) return value;
    if (value == kEmptyDecisionValue)
        module.Warn(FormatText("%s is empty and is taken as 0", {what.Text()}));
    else
        module.Warn(FormatText("%s is negative (%.2f) and is taken as 0", {what.Text(), value}));
    return 0;
}

}  // namespace cv
