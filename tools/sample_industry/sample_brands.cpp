// Brand portfolios: which brands each firm markets in each market and period,
// the link tables between market brands and firm brands, the prototypes the
// brands are made from, and the brand decisions of each period.

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/store/series_index.h"
#include "core/base/random_generator.h"
#include "tools/sample_industry/sample_brand_table.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

// Brand and prototype names hold at most 8 characters.
constexpr std::uint8_t kBrandNameLength = 8;

// The range from which a member of a brand's marketing-mix decision is drawn, in steps.
struct TMixRange {
    std::string_view member;
    long double low;
    long double high;
    long double step;
};

constexpr TMixRange kDrawnMembers[] = {
    {"AdvertBgt", 1000000, 2000000, 50000},
    {"AdvertQual", 0.20L, 0.50L, 0.05L},
};

// Production covers the planned sales and this share more, less the stock, in whole hundreds.
constexpr long double kProductionMargin = 0.04L;
constexpr long double kProductionStep = 100;
constexpr long double kCarriedOn = 1;
constexpr long double kTaken = 1;

int PrototypePosition(const TBrandList& brands, std::string_view prototype) {
    for (std::size_t i = 0; i < brands.size(); ++i)
        if (brands[i]->prototype == prototype) return static_cast<int>(i + 1);
    return 0;
}


// The period before Period, when the results hold it.
bool HasPreviousPeriod(int period) { return period > cv::kFirstResultPeriod; }

const TSeries& Series(const TSampleCell& cell, std::string_view name) { return RequireSeries(cell.industry, name); }

void WriteCount(const TSampleCell& cell, std::string_view name, std::size_t count) {
    cell.set.SetSmallint(cell.category, cell.context, name, static_cast<std::int16_t>(count));
}

void WriteTexts(const TSampleCell& cell, std::string_view name, std::string_view seriesName, const TBrandList& brands,
                std::string_view TSampleBrand::*field) {
    TSimArr& texts = NewArray(cell, name, dkZts, kBrandNameLength, {&Series(cell, seriesName)});
    for (std::size_t i = 0; i < brands.size(); ++i) texts.SetZts({i + 1}, brands[i]->*field);
}

long double DrawMember(const TMixRange& range) {
    const auto steps = static_cast<std::int32_t>(std::nearbyint((range.high - range.low) / range.step));
    return range.low + range.step * RandomBelow(steps + 1);
}

// The units of the brand named Name that the firm's cell holds in stock at the
// end of the results of Period, over every production layer; 0 before period 0.
long double StockAtEnd(const TSampleCell& cell, std::string_view name, int period) {
    if (period < 0) return 0;
    const TCvPerData& results = cell.industry.PerResults(static_cast<std::int16_t>(period));
    const TDataContext context = SampleContext(static_cast<std::int16_t>(period), cell.cell);
    const TSimArr* names = results.FindSimArr(kCategoryFirmFtaMarket, context, "FirMktedBrds");
    const TSimArr* layers = results.FindSimArr(kCategoryFirmFtaMarket, context, "Inventory");
    if (names == nullptr || layers == nullptr) return 0;
    const int count = results.GetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds");
    for (int k = 1; k <= count; ++k) {
        if (names->GetZts({k}) != name) continue;
        long double units = 0;
        for (int layer = layers->LB(1); layer <= period; ++layer) units += layers->GetReal48({layer, k, si::InvSize});
        return units;
    }
    return 0;
}

// Whether the firm's first brand sells off its stock in Period: every firm's in
// the decision period, and team A's in the current one as well, so that the
// current period's results hold the disposal and the simulation's message of it.
bool SellsOffStock(int firm, int period) {
    return period == kDecisionPeriod || (firm == kHomeFirm && period == kCurrentPeriod);
}

}  // namespace

void WriteMarketBrandCount(const TSampleCell& cell, std::string_view name) {
    WriteCount(cell, name, MarketBrands(cell.cell.market, cell.Period()).size());
}

void WriteMarketBrandNames(const TSampleCell& cell, std::string_view name) {
    WriteTexts(cell, name, "MktBrand", MarketBrands(cell.cell.market, cell.Period()), &TSampleBrand::name);
}

// Per market brand m: the firm that markets it and its number among that firm's
// brands, its number in the previous period's market brands (0 for a new
// brand), and the firm and position of the prototype it is made from.
void WriteMarketBrandLinks(const TSampleCell& cell, std::string_view name) {
    const int market = cell.cell.market;
    const int period = cell.Period();
    TSimArr& links = NewArray(cell, name, dkByte, 0, {&Series(cell, "MktBrand"), &Series(cell, "XFMLinks")});
    const TBrandList brands = MarketBrands(market, period);
    const TBrandList previous = HasPreviousPeriod(period) ? MarketBrands(market, period - 1) : TBrandList{};
    for (std::size_t i = 0; i < brands.size(); ++i) {
        const TSampleBrand& brand = *brands[i];
        const int m = static_cast<int>(i + 1);
        links.SetByte({m, si::pMbix}, PositionOf(previous, brand.name));
        links.SetByte({m, si::Dfix}, brand.firm);
        links.SetByte({m, si::Dbix}, PositionOf(FirmBrands(brand.firm, market, period), brand.name));
        links.SetByte({m, si::Rfix}, brand.firm);
        const TBrandList prototypes = FirmPrototypeBrands(brand.firm, market, period);
        links.SetByte({m, si::Rpix}, PrototypePosition(prototypes, brand.prototype));
    }
}

void WriteFirmBrandCount(const TSampleCell& cell, std::string_view name) {
    WriteCount(cell, name, FirmBrands(cell.cell.firm, cell.cell.market, cell.Period()).size());
}

void WriteFirmBrandNames(const TSampleCell& cell, std::string_view name) {
    WriteTexts(cell, name, "FirBrand", FirmBrands(cell.cell.firm, cell.cell.market, cell.Period()),
               &TSampleBrand::name);
}

void WriteFirmBrandPrototypes(const TSampleCell& cell, std::string_view name) {
    WriteTexts(cell, name, "FirBrand", FirmBrands(cell.cell.firm, cell.cell.market, cell.Period()),
               &TSampleBrand::prototype);
}

// Per firm brand k: its market-brand number, and the firm and number it had in
// the previous period (number 0 for a new brand).
void WriteFirmBrandLinks(const TSampleCell& cell, std::string_view name) {
    const int firm = cell.cell.firm;
    const int market = cell.cell.market;
    const int period = cell.Period();
    TSimArr& links = NewArray(cell, name, dkByte, 0, {&Series(cell, "FirBrand"), &Series(cell, "FFMLinks")});
    const TBrandList brands = FirmBrands(firm, market, period);
    const TBrandList marketBrands = MarketBrands(market, period);
    const TBrandList previous = HasPreviousPeriod(period) ? FirmBrands(firm, market, period - 1) : TBrandList{};
    for (std::size_t i = 0; i < brands.size(); ++i) {
        const int k = static_cast<int>(i + 1);
        links.SetByte({k, si::Mbix}, PositionOf(marketBrands, brands[i]->name));
        links.SetByte({k, si::pDfix}, firm);
        links.SetByte({k, si::pDbix}, PositionOf(previous, brands[i]->name));
    }
}

void WritePrototypeCount(const TSampleCell& cell, std::string_view name) {
    WriteCount(cell, name, FirmPrototypeBrands(cell.cell.firm, cell.cell.market, cell.Period()).size());
}

void WritePrototypeNames(const TSampleCell& cell, std::string_view name) {
    WriteTexts(cell, name, "Prototype", FirmPrototypeBrands(cell.cell.firm, cell.cell.market, cell.Period()),
               &TSampleBrand::prototype);
}

void WriteBrandPortfolioDecisions(const TSampleCell& cell, std::string_view name) {
    TSimArr& portfolio =
        NewArray(cell, name, dkZts, kBrandNameLength, {&Series(cell, "FirBrand"), &Series(cell, "DecBrdPort")});
    const TBrandList brands = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period());
    for (std::size_t i = 0; i < brands.size(); ++i) {
        portfolio.SetZts({i + 1, si::BrdName}, brands[i]->name);
        portfolio.SetZts({i + 1, si::ProName}, brands[i]->prototype);
    }
}

// The price of the brand's table, production to cover its planned sales beyond
// the stock left, drawn advertising; status 1 (the forecast sets it); the
// decisions taken; no contract. The firm's first brand sells off its stock
// where SellsOffStock says so.
void WriteBrandMixDecisions(const TSampleCell& cell, std::string_view name) {
    const TSeries& members = Series(cell, "DecBrdCV3");
    TSimArr& mix = NewArray(cell, name, dkReal48, 0, {&Series(cell, "FirBrand"), &members});
    const TBrandList brands = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period());
    for (std::size_t i = 0; i < brands.size(); ++i) {
        const TSampleBrand& brand = *brands[i];
        const std::size_t row = i + 1;
        const long double stock = StockAtEnd(cell, brand.name, cell.Period() - 1);
        const long double sold = i == 0 && SellsOffStock(cell.cell.firm, cell.Period()) ? stock : 0;
        const long double needed = PlannedUnits(brand, cell.cell.zone, cell.Period()) * (1 + kProductionMargin);
        const long double production =
            std::max(0.0L, kProductionStep * std::ceil((needed - stock + sold) / kProductionStep));
        mix.SetReal48({row, si::SellStock}, sold);
        mix.SetReal48({row, si::Price}, DecidedPrice(brand, cell.cell.zone, cell.Period()));
        mix.SetReal48({row, si::Production}, production);
        mix.SetReal48({row, si::AvailStock}, stock);
        mix.SetReal48({row, si::PortStatus}, kCarriedOn);
        mix.SetReal48({row, si::BrdDecStatus}, kTaken);
        for (const TMixRange& range : kDrawnMembers)
            mix.SetReal48({row, members.IndexOf(range.member)}, DrawMember(range));
    }
}

// Every market has had brands since the history period -1, and a market's age
// starts again at 1 in period 0: period p holds the age p + 1 (0 in period -1).
void WriteMarketAge(const TSampleCell& cell, std::string_view name) {
    cell.set.SetSmallint(cell.category, cell.context, name, static_cast<std::int16_t>(std::max(0, cell.Period() + 1)));
}

// Each brand's planned sales split over the zone's channels, in thousandths of a
// percent: every split adds up to 100 x 1000.
void WriteChannelShares(const TSampleCell& cell, std::string_view name) {
    constexpr long double kSplits[][3] = {{100000, 0, 0}, {60000, 40000, 0}, {50000, 30000, 20000}};
    const TSeries& channels = CellSeries(cell.industry, "ChaSeries", cell.cell.zone);
    TSimArr& shares = NewArray(cell, name, dkReal48, 0, {&Series(cell, "FirBrand"), &channels});
    const std::size_t brandCount = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period()).size();
    const long double* split = kSplits[channels.Count() - 1];
    for (std::size_t brand = 1; brand <= brandCount; ++brand)
        for (int c = channels.Lo(); c <= channels.Hi(); ++c) shares.SetReal48({brand, c}, split[c - channels.Lo()]);
}

// Every brand targets the segments of its zone and market alike: a fraction 1 / (number of segments) each.
void WriteSegmentTargets(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = CellSeries(cell.industry, "SegSeries", cell.cell.zone, cell.cell.market);
    TSimArr& targets = NewArray(cell, name, dkReal48, 0, {&Series(cell, "FirBrand"), &segments});
    const std::size_t brandCount = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period()).size();
    for (std::size_t brand = 1; brand <= brandCount; ++brand)
        for (int s = segments.Lo(); s <= segments.Hi(); ++s) targets.SetReal48({brand, s}, 1.0L / segments.Count());
}

}  // namespace cv::sample
