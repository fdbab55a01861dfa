#include "core/store/industry_series.h"

#include <string>

#include "core/base/errors.h"
#include "core/store/per_data.h"
#include "core/store/series.h"

namespace cv {
namespace {

// GetSmallintDef's answer when the constant part lacks the position.
constexpr std::int16_t kNoPosition = INT16_MIN;

struct TSeriesCategory {
    std::string_view name;
    int category;
};

constexpr TSeriesCategory kSeriesCategories[] = {
    {"PerSeries", kCategoryIndustry}, {"FirSeries", kCategoryIndustry}, {"FtaSeries", kCategoryIndustry},
    {"MktSeries", kCategoryIndustry}, {"ChaSeries", kCategoryFta},      {"DimSeries", kCategoryMarket},
    {"SemSeries", kCategoryMarket},   {"MapSeries", kCategoryMarket},   {"SegSeries", kCategoryFtaMarket},
    {"mSegSeries", kCategoryFtaMarket}, {"AccSeries", kCategoryFtaMarket},
};

class TSeriesFinder {
public:
    TSeriesFinder(const TCvPerData& constPart, const TListSeries& list, std::int16_t period)
        : constPart_(constPart), list_(list), period_(period) {}

    TSeries* Required(std::string_view name, int fta = 0, int market = 0) const {
        TDataContext context;
        context.SelPeriod = period_;
        context.SelFta = static_cast<std::int16_t>(fta);
        context.SelMarket = static_cast<std::int16_t>(market);
        if (TSeries* series = FindCellSeries(constPart_, list_, name, context)) return series;
        throw EDataError("the industry has no " + SeriesPositionText(name, fta, market));
    }

private:
    const TCvPerData& constPart_;
    const TListSeries& list_;
    std::int16_t period_;
};

int RequiredCount(const TSeries& series, int slots) {
    const int count = series.Count();
    if (count > slots)
        throw EDataError(series.Name() + " has " + std::to_string(count) + " elements, more than " +
                         std::to_string(slots));
    return count;
}

}  // namespace

std::optional<int> CellSeriesCategory(std::string_view seriesName) {
    for (const TSeriesCategory& entry : kSeriesCategories)
        if (entry.name == seriesName) return entry.category;
    return std::nullopt;
}

std::string SeriesPositionText(std::string_view seriesName, int fta, int market) {
    std::string text(seriesName);
    if (fta > 0) text += " of zone " + std::to_string(fta);
    if (market > 0) text += " of market " + std::to_string(market);
    return text;
}

TSeries* FindCellSeries(const TCvPerData& constPart, const TListSeries& list, std::string_view seriesName,
                        const TDataContext& context) {
    const std::optional<int> category = CellSeriesCategory(seriesName);
    if (!category) return nullptr;
    const std::int16_t position = constPart.GetSmallintDef(*category, context, seriesName, kNoPosition);
    if (position < 0 || position >= list.Count()) return nullptr;
    return list.GetSeries(position);
}

TIndustrySeries RequiredIndustrySeries(const TCvPerData& constPart, const TListSeries& list, std::int16_t period) {
    const TSeriesFinder finder(constPart, list, period);
    TIndustrySeries found;
    found.periods = finder.Required("PerSeries");
    found.firms = finder.Required("FirSeries");
    found.ftas = finder.Required("FtaSeries");
    found.markets = finder.Required("MktSeries");
    const int ftas = RequiredCount(*found.ftas, kMaxFtas);
    const int markets = RequiredCount(*found.markets, kMaxMarkets);
    for (int market = 1; market <= markets; ++market) {
        const auto slot = static_cast<std::size_t>(market - 1);
        found.dimensions[slot] = finder.Required("DimSeries", 0, market);
        found.maps[slot] = finder.Required("MapSeries", 0, market);
        found.semantics[slot] = finder.Required("SemSeries", 0, market);
    }
    for (int fta = 1; fta <= ftas; ++fta) {
        const auto zone = static_cast<std::size_t>(fta - 1);
        found.channels[zone] = finder.Required("ChaSeries", fta);
        for (int market = 1; market <= markets; ++market)
            found.segments[zone][static_cast<std::size_t>(market - 1)] = finder.Required("SegSeries", fta, market);
    }
    return found;
}

}  // namespace cv
