// Brand portfolios: which brands each firm markets in each market and period,
// the link tables between market brands and firm brands, the prototypes the
// brands are made from, and the brand decisions of each period.

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/store/series_index.h"
#include "core/base/random_generator.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

// One brand: marketed by Firm in Market (in every zone) from its Launch period
// on; its prototype is ready one period earlier. A firm's brands in a market are
// listed in launch order. ALTO is launched in the decision period: it appears in
// the decisions of that period and, through its prototype, in the last results.
struct TSampleBrand {
    std::int16_t firm;
    std::int16_t market;
    std::string_view name;
    std::string_view prototype;
    std::int16_t launch;
};

constexpr TSampleBrand kBrands[] = {
    {1, 1, "ALBA", "PALBA", -1}, {1, 1, "ARNO", "PARNO", 2}, {1, 1, "ALTO", "PALTO", 4},
    {1, 2, "AMOR", "PAMOR", -1}, {2, 1, "EDRA", "PEDRA", -1}, {2, 2, "ELMA", "PELMA", -1},
    {2, 2, "EVOS", "PEVOS", 1},  {3, 1, "IBIS", "PIBIS", -1}, {3, 1, "IRMA", "PIRMA", 3},
    {3, 2, "IOTA", "PIOTA", 0},
};

// Brand and prototype names hold at most 8 characters.
constexpr std::uint8_t kBrandNameLength = 8;

// The range from which each member of a brand's marketing-mix decision is drawn,
// in steps; a member whose range is one value is that value.
struct TMixRange {
    std::string_view member;
    long double low;
    long double high;
    long double step;
};

constexpr TMixRange kMixRanges[] = {
    {"Production", 50000, 250000, 1000},
    {"AdvertBgt", 1000000, 4000000, 10000},
    {"AdvertQual", 0.30L, 0.90L, 0.01L},
    {"Price", 150, 450, 5},
    {"AvailStock", 0, 20000, 100},
    {"PortStatus", 1, 1, 1},
};

using TBrandList = std::vector<const TSampleBrand*>;

TBrandList FirmBrands(int firm, int market, int period) {
    TBrandList brands;
    for (const TSampleBrand& brand : kBrands)
        if (brand.firm == firm && brand.market == market && brand.launch <= period) brands.push_back(&brand);
    return brands;
}

// The market's brands in market-brand order: each firm's brands, firm by firm.
TBrandList MarketBrands(int market, int period) {
    TBrandList brands;
    for (int firm = 1; firm <= kFirmCount; ++firm)
        for (const TSampleBrand* brand : FirmBrands(firm, market, period)) brands.push_back(brand);
    return brands;
}

// The brands whose prototypes the firm has in the market at Period.
TBrandList FirmPrototypeBrands(int firm, int market, int period) { return FirmBrands(firm, market, period + 1); }

// 1-based position of the brand named Name in Brands, 0 when absent.
int PositionOf(const TBrandList& brands, std::string_view name) {
    for (std::size_t i = 0; i < brands.size(); ++i)
        if (brands[i]->name == name) return static_cast<int>(i + 1);
    return 0;
}

int PrototypePosition(const TBrandList& brands, std::string_view prototype) {
    for (std::size_t i = 0; i < brands.size(); ++i)
        if (brands[i]->prototype == prototype) return static_cast<int>(i + 1);
    return 0;
}

// The period before Period, when the results hold it.
bool HasPreviousPeriod(int period) { return period > cv::kFirstResultPeriod; }

TSimArr& CreateArray(const TSampleCell& cell, std::string_view name, std::uint8_t kind, std::uint8_t subType,
                     std::initializer_list<const TSeries*> dimensions) {
    return cell.set.CreateSimArr(cell.category, cell.context, name, kind, subType, dimensions);
}

const TSeries& Series(const TSampleCell& cell, std::string_view name) { return RequireSeries(cell.industry, name); }

void WriteCount(const TSampleCell& cell, std::string_view name, std::size_t count) {
    cell.set.SetSmallint(cell.category, cell.context, name, static_cast<std::int16_t>(count));
}

void WriteTexts(const TSampleCell& cell, std::string_view name, std::string_view seriesName, const TBrandList& brands,
                std::string_view TSampleBrand::*field) {
    TSimArr& texts = CreateArray(cell, name, dkZts, kBrandNameLength, {&Series(cell, seriesName)});
    for (std::size_t i = 0; i < brands.size(); ++i) texts.SetZts({i + 1}, brands[i]->*field);
}

long double DrawMember(const TMixRange& range) {
    const auto steps = static_cast<std::int32_t>(std::nearbyint((range.high - range.low) / range.step));
    if (steps == 0) return range.low;
    return range.low + range.step * RandomBelow(steps + 1);
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
    TSimArr& links = CreateArray(cell, name, dkByte, 0, {&Series(cell, "MktBrand"), &Series(cell, "XFMLinks")});
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
    TSimArr& links = CreateArray(cell, name, dkByte, 0, {&Series(cell, "FirBrand"), &Series(cell, "FFMLinks")});
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
        CreateArray(cell, name, dkZts, kBrandNameLength, {&Series(cell, "FirBrand"), &Series(cell, "DecBrdPort")});
    const TBrandList brands = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period());
    for (std::size_t i = 0; i < brands.size(); ++i) {
        portfolio.SetZts({i + 1, si::BrdName}, brands[i]->name);
        portfolio.SetZts({i + 1, si::ProName}, brands[i]->prototype);
    }
}

// Members without a range stay 0 (no sell-off, no contract, status 0).
void WriteBrandMixDecisions(const TSampleCell& cell, std::string_view name) {
    const TSeries& members = Series(cell, "DecBrdCV3");
    TSimArr& mix = CreateArray(cell, name, dkReal48, 0, {&Series(cell, "FirBrand"), &members});
    const std::size_t brandCount = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period()).size();
    for (std::size_t brand = 1; brand <= brandCount; ++brand)
        for (const TMixRange& range : kMixRanges)
            mix.SetReal48({brand, members.IndexOf(range.member)}, DrawMember(range));
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
    TSimArr& shares = CreateArray(cell, name, dkReal48, 0, {&Series(cell, "FirBrand"), &channels});
    const std::size_t brandCount = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period()).size();
    const long double* split = kSplits[channels.Count() - 1];
    for (std::size_t brand = 1; brand <= brandCount; ++brand)
        for (int c = channels.Lo(); c <= channels.Hi(); ++c) shares.SetReal48({brand, c}, split[c - channels.Lo()]);
}

// Every brand targets the segments of its zone and market alike: a fraction 1 / (number of segments) each.
void WriteSegmentTargets(const TSampleCell& cell, std::string_view name) {
    const TSeries& segments = CellSeries(cell.industry, "SegSeries", cell.cell.zone, cell.cell.market);
    TSimArr& targets = CreateArray(cell, name, dkReal48, 0, {&Series(cell, "FirBrand"), &segments});
    const std::size_t brandCount = FirmBrands(cell.cell.firm, cell.cell.market, cell.Period()).size();
    for (std::size_t brand = 1; brand <= brandCount; ++brand)
        for (int s = segments.Lo(); s <= segments.Hi(); ++s) targets.SetReal48({brand, s}, 1.0L / segments.Count());
}

}  // namespace cv::sample
