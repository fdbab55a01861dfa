#include "core/store/series_names.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/store/industry_series.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/series_kinds.h"

namespace cv {
namespace {

// One way an array of the cells is dimensioned: the series name and bounds of
// one of its dimensions.
struct TDimension {
    std::string_view array;
    int d;
    std::string_view series;
    int lo;
    int hi;
    bool operator==(const TDimension& other) const {
        return series == other.series && lo == other.lo && hi == other.hi;
    }
};

// Each distinct dimension of the arrays once.
std::vector<TDimension> DistinctDimensions(const TArrayDimensionUses& arrays) {
    std::vector<TDimension> dimensions;
    for (const auto& [array, uses] : arrays.Arrays())
        for (const TArrayDimensionUses::TUse& use : uses)
            for (std::size_t d = 0; d < static_cast<std::size_t>(use.nDim); ++d) {
                const TDimension dimension{array, static_cast<int>(d) + 1, use.series[d], use.lo[d], use.hi[d]};
                if (std::find(dimensions.begin(), dimensions.end(), dimension) == dimensions.end())
                    dimensions.push_back(dimension);
            }
    return dimensions;
}

// Whether Series has an element labelled Element, as IndexOf finds one: a
// label spelt alike at an index below kLabelAbsent is found without folding
// letter case, any other by IndexOf.
bool HasElement(const TSeries& series, std::string_view element) {
    const std::vector<std::string>& labels = series.Labels();
    const auto count = static_cast<std::size_t>(std::max(0, series.Hi() - series.Lo() + 1));
    for (std::size_t p = 0; p < std::min(labels.size(), count) && series.Lo() + static_cast<long>(p) < kLabelAbsent; ++p)
        if (labels[p] == element) return true;
    return series.IndexOf(element) != kLabelAbsent;
}

// The series that the positions of Found name.
std::vector<const TSeries*> PositionSeries(const TIndustrySeries& found) {
    std::vector<const TSeries*> named{found.periods, found.firms, found.ftas, found.markets};
    for (const auto* kind : {&found.dimensions, &found.maps, &found.semantics, &found.channels})
        named.insert(named.end(), kind->begin(), kind->end());
    for (const auto& zone : found.segments) named.insert(named.end(), zone.begin(), zone.end());
    return named;
}

}  // namespace

void CheckSeriesNames(const TListSeries& list, const TIndustrySeries& found, const TArrayDimensionUses& arrays,
                      const std::vector<const TSeries*>& read) {
    std::vector<const TSeries*> listed;
    for (int s = 0; s < list.Count(); ++s) listed.push_back(list.GetSeries(s));
    // Names of other lengths differ: only those of one length are compared.
    for (auto series = listed.begin(); series != listed.end(); ++series) {
        const std::string& name = (*series)->Name();
        if (std::any_of(series + 1, listed.end(), [&name](const TSeries* other) {
                return other->Name().size() == name.size() && other->IsNamed(name);
            }))
            throw EDataError(FormatText("the series list holds two series named %s", {name}));
    }
    const std::vector<TDimension> dimensions = DistinctDimensions(arrays);
    for (const TDimension& dimension : dimensions) {
        const TSeries* series = list.FindSeries(dimension.series);
        if (!series || series->Lo() != dimension.lo || series->Hi() != dimension.hi)
            throw EDataError(FormatText("dimension %d of the array %s is %s (%d..%d), which the series list %s",
                                        {dimension.d, dimension.array, dimension.series, dimension.lo, dimension.hi,
                                         series ? FormatText("holds as %d..%d", {series->Lo(), series->Hi()})
                                                : std::string("lacks")}));
    }
    for (const TSeriesIndexEntry& entry : SeriesIndexTable()) {
        const TSeries* series = entry.elements.empty() ? nullptr : list.FindSeries(entry.name);
        if (!series) continue;
        for (const std::string_view element : entry.elements)
            if (!HasElement(*series, element))
                throw EDataError(FormatText("the series %s has no element %s", {series->Name(), element}));
    }
    std::vector<const TSeries*> named = PositionSeries(found);
    named.insert(named.end(), read.begin(), read.end());
    for (const TSeries* listedSeries : listed) {
        const TSeries& series = *listedSeries;
        const bool dimensionsArrays = std::any_of(dimensions.begin(), dimensions.end(), [&series](const TDimension& d) {
            return series.Name().size() == std::min(d.series.size(), kSeriesTextMax) && series.IsNamed(d.series);
        });
        const bool positionNamed = std::find(named.begin(), named.end(), &series) != named.end();
        if (!dimensionsArrays && !positionNamed && !IsIndexTableSeries(series))
            throw EDataError(FormatText("the series %s is one that the program neither looks up by its name nor "
                                        "finds named by a position or an array dimension",
                                        {series.Name()}));
    }
}

}  // namespace cv
