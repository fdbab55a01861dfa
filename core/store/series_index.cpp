#include "core/store/series_index.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/base/errors.h"

namespace cv {

namespace detail {
TSeries* gIndexedSeries[kIndexedSeriesCount] = {};
// Constant-initialised to "series missing", the state before any industry is open.
std::int8_t gElementIndexes[kIndexedElementCount] = {
#define CV_SERIES(Name)
#define CV_ELEMENT(Series, Name) kSeriesMissing,
#define CV_ELEMENT_AS(Series, Cpp, Name) kSeriesMissing,
#include "core/store/series_index_table.inc"
#undef CV_SERIES
#undef CV_ELEMENT
#undef CV_ELEMENT_AS
};
}  // namespace detail

namespace {

constexpr std::array<std::string_view, kIndexedSeriesCount> kSeriesNames{
#define CV_SERIES(Name) #Name,
#define CV_ELEMENT(Series, Name)
#define CV_ELEMENT_AS(Series, Cpp, Name)
#include "core/store/series_index_table.inc"
#undef CV_SERIES
#undef CV_ELEMENT
#undef CV_ELEMENT_AS
};

constexpr std::array<std::string_view, kIndexedElementCount> kElementNames{
#define CV_SERIES(Name)
#define CV_ELEMENT(Series, Name) #Name,
#define CV_ELEMENT_AS(Series, Cpp, Name) #Name,
#include "core/store/series_index_table.inc"
#undef CV_SERIES
#undef CV_ELEMENT
#undef CV_ELEMENT_AS
};

constexpr std::array<TIndexedSeries, kIndexedElementCount> kElementSeries{
#define CV_SERIES(Name)
#define CV_ELEMENT(Series, Name) TIndexedSeries::Series,
#define CV_ELEMENT_AS(Series, Cpp, Name) TIndexedSeries::Series,
#include "core/store/series_index_table.inc"
#undef CV_SERIES
#undef CV_ELEMENT
#undef CV_ELEMENT_AS
};

// The arrays above are sized by the constants; a table with fewer entries would leave
// empty names at the end, caught here (one with more does not compile).
static_assert(std::ranges::none_of(kSeriesNames, [](std::string_view name) { return name.empty(); }));
static_assert(std::ranges::none_of(kElementNames, [](std::string_view name) { return name.empty(); }));
// Elements follow their series in the table, so each series' elements are one run.
static_assert(std::ranges::is_sorted(kElementSeries));

// Each series' elements as a slice of kElementNames.
constexpr std::array<TSeriesIndexEntry, kIndexedSeriesCount> BuildEntries() {
    std::array<TSeriesIndexEntry, kIndexedSeriesCount> entries{};
    std::size_t first = 0;
    for (std::size_t s = 0; s < kIndexedSeriesCount; ++s) {
        std::size_t last = first;
        while (last < kIndexedElementCount && static_cast<std::size_t>(kElementSeries[last]) == s) ++last;
        entries[s] = {kSeriesNames[s], std::span<const std::string_view>(kElementNames).subspan(first, last - first)};
        first = last;
    }
    return entries;
}

constexpr std::array<TSeriesIndexEntry, kIndexedSeriesCount> kEntries = BuildEntries();

std::int8_t ResolveElement(const TSeries* series, std::string_view label) {
    if (series == nullptr) return kSeriesMissing;
    const std::int16_t index = series->IndexOf(label);
    if (index < std::numeric_limits<std::int8_t>::min() || index > std::numeric_limits<std::int8_t>::max())
        throw ERangeError();
    return static_cast<std::int8_t>(index);
}

// Every series and element index of the table, from SeriesList.
void Resolve(const TListSeries& seriesList, std::array<TSeries*, kIndexedSeriesCount>& series,
             std::array<std::int8_t, kIndexedElementCount>& elements) {
    for (std::size_t s = 0; s < kIndexedSeriesCount; ++s) series[s] = seriesList.FindSeries(kSeriesNames[s]);
    for (std::size_t e = 0; e < kIndexedElementCount; ++e)
        elements[e] = ResolveElement(series[static_cast<std::size_t>(kElementSeries[e])], kElementNames[e]);
}

}  // namespace

std::span<const TSeriesIndexEntry> SeriesIndexTable() { return kEntries; }

bool IsIndexTableSeries(const TSeries& series) {
    return std::any_of(kEntries.begin(), kEntries.end(),
                       [&series](const TSeriesIndexEntry& entry) { return series.IsNamed(entry.name); });
}

std::string_view ElementName(TIndexedElement element) { return kElementNames[static_cast<std::size_t>(element)]; }

TIndexedSeries SeriesOfElement(TIndexedElement element) {
    return kElementSeries[static_cast<std::size_t>(element)];
}

void InitSeriesIndexes(const TListSeries& seriesList) {
    // Resolve into copies and publish only when every element fits, so a failure
    // never leaves the table mixing two industries.
    std::array<TSeries*, kIndexedSeriesCount> series{};
    std::array<std::int8_t, kIndexedElementCount> elements{};
    try {
        Resolve(seriesList, series, elements);
    } catch (...) {
        ResetSeriesIndexes();
        throw;
    }
    std::ranges::copy(series, detail::gIndexedSeries);
    std::ranges::copy(elements, detail::gElementIndexes);
}

void CheckSeriesIndexes(const TListSeries& seriesList) {
    std::array<TSeries*, kIndexedSeriesCount> series{};
    std::array<std::int8_t, kIndexedElementCount> elements{};
    Resolve(seriesList, series, elements);
}

void ResetSeriesIndexes() {
    std::ranges::fill(detail::gIndexedSeries, nullptr);
    std::ranges::fill(detail::gElementIndexes, kSeriesMissing);
}

}  // namespace cv
