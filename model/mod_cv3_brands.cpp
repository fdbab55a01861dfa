// TModCV3::SetupMarketedBrands: the marketed brands of a zone and market for
// t+1, from each firm's brand portfolio decision, with their link tables and
// the market's age.

#include <algorithm>
#include <cstdint>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/mod_cv3.h"
#include "model/model_access.h"

namespace cv {

namespace {

// A prototype's place is stored in a byte.
constexpr int kMaxPrototypePlaces = 255;

// Writes elements [Row, Column] of a link array that the caller checked against
// the bounds: straight into the elements of a two-dimensional byte array, through
// SetByte (and its checks) for any other array or a value beyond a byte.
class TLinkWriter {
public:
    explicit TLinkWriter(TDynArr& links) : links_(links), direct_(links.Kind() == dkByte && links.NDim() == 2) {}
    void operator()(int row, int column, int value) {
        if (direct_ && value >= 0 && value <= UINT8_MAX)
            links_.SetByteAt(PositionWithin(links_, {row, column}), static_cast<std::uint8_t>(value));
        else
            links_.SetByte({row, column}, value);
    }

private:
    TDynArr& links_;
    bool direct_;
};

}  // namespace

void TModCV3::SetupMarketedBrands(int fta, int mkt) {
    Ctx().SelFta = static_cast<std::int16_t>(fta);
    Ctx().SelMarket = static_cast<std::int16_t>(mkt);
    const TDataContext market = FirmContext(0);
    BindMarketArrays(&RequireArr(*ResultsT1(), kCategoryFtaMarket, market, "BrdNames"),
                     &RequireArr(*ResultsT1(), kCategoryFtaMarket, market, "XFMLinks"));
    const int capacity = std::min(RowCapacity(BrdNames(), kMaxMktBrands), RowCapacity(XFMLinks(), kMaxMktBrands));
    const int firms = ClampCount(*this, Data()->NbFirms(), kMaxModelFirms, "number of firms");
    prototypeLists_.fill(std::nullopt);
    marketBrandsT_.reset();
    int marketBrands = 0;
    for (int firm = 1; firm <= firms; ++firm) marketBrands = SetupFirmBrands(firm, marketBrands, capacity);
    ResultsT1()->SetSmallint(kCategoryFtaMarket, market, "NbMktedBrds", static_cast<std::int16_t>(marketBrands));
    SetMarketAge(marketBrands);
}

// Numbers the firm's brands after the MarketBrands brands of the firms before
// it and returns the new market total. Brands beyond the firm's five slots, the
// rows of its arrays or the market's capacity are dropped with a warning.
int TModCV3::SetupFirmBrands(int firm, int marketBrands, int capacity) {
    const TDataContext context = FirmContext(firm);
    const auto where = [&] { return FormatText("firm %d, zone %d, market %d", {firm, Ctx().SelFta, Ctx().SelMarket}); };
    const std::int16_t wanted = OptionalSmallint(*DecisionsT1(), kCategoryFirmFtaMarket, context, "NbMktedBrds", 0);
    TSimArr& firmNames = RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, context, "FirMktedBrds");
    TSimArr& firmPros = RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, context, "FirMktedPros");
    BindFirmLinks(&RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, context, "FFMLinks"));
    const TSimArr* portfolio =
        wanted > 0 ? &RequireArr(*DecisionsT1(), kCategoryFirmFtaMarket, context, "DecBrdPort") : nullptr;
    const int slots = std::min({RowCapacity(&firmNames, kMaxFirmBrands), RowCapacity(&firmPros, kMaxFirmBrands),
                                RowCapacity(FFMLinks(), kMaxFirmBrands), RowCapacity(portfolio, kMaxFirmBrands),
                                capacity - marketBrands});
    const int count = ClampCount(*this, wanted, slots, [&] { return "brands of " + where(); });
    ResultsT1()->SetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds", static_cast<std::int16_t>(count));
    if (count == 0) return marketBrands;

    for (std::int8_t column : {si::BrdName, si::ProName}) RequireIndex(*portfolio, "DecBrdPort", {1, column});
    for (std::int8_t column : {si::Mbix, si::pDfix, si::pDbix}) RequireIndex(*FFMLinks(), "FFMLinks", {1, column});
    for (std::int8_t column : {si::pMbix, si::Dfix, si::Dbix, si::Rfix, si::Rpix})
        RequireIndex(*XFMLinks(), "XFMLinks", {1, column});
    const TDataContext market = FirmContext(0);
    // The market's list of t, looked up once per market by its first firm with brands.
    const TSimArr* namesT =
        marketBrandsT_ ? marketBrandsT_->Names() : OptionalArr(*ResultsT(), kCategoryFtaMarket, market, "BrdNames");
    const int countT =
        ClampCount(*this, OptionalSmallint(*ResultsT(), kCategoryFtaMarket, market, "NbMktedBrds", 0),
                   RowCapacity(namesT, kMaxMktBrands), [&] { return "marketed brands of t of " + where(); });
    // The same list and count for every firm of the market.
    if (!marketBrandsT_) marketBrandsT_.emplace(namesT, countT);
    const TSimArr* firmNamesT = OptionalArr(*ResultsT(), kCategoryFirmFtaMarket, context, "FirMktedBrds");
    const int firmCountT =
        ClampCount(*this, OptionalSmallint(*ResultsT(), kCategoryFirmFtaMarket, context, "NbMktedBrds", 0),
                   RowCapacity(firmNamesT, kMaxFirmBrands), [&] { return "brands of t of " + where(); });

    // Rows 1..Count of the firm's links and rows up to the market's capacity
    // of the market's, whose columns were checked in row 1.
    TLinkWriter marketLink(*XFMLinks());
    TLinkWriter firmLink(*FFMLinks());
    for (int k = 1; k <= count; ++k) {
        const int m = ++marketBrands;
        marketLink(m, si::Dfix, firm);
        marketLink(m, si::Dbix, k);
        firmLink(k, si::Mbix, m);
        const std::string brand = portfolio->GetZts({k, si::BrdName});
        const std::string prototype = portfolio->GetZts({k, si::ProName});
        BrdNames()->SetZts({m}, brand);
        firmNames.SetZts({k}, brand);
        firmPros.SetZts({k}, prototype);
        marketLink(m, si::pMbix, marketBrandsT_->Find(brand));
        firmLink(k, si::pDfix, firm);
        firmLink(k, si::pDbix, FindModelName(firmNamesT, firmCountT, brand));
        int owner = 0;
        int index = 0;
        if (!FindPrototypeOwner(prototype, firm, owner, index))
            throw EModelError(FormatText("Could not find prototype %s for %s", {prototype, brand}));
        marketLink(m, si::Rfix, owner);
        marketLink(m, si::Rpix, index);
    }
    return marketBrands;
}

// The brand's own firm first, then every other firm in increasing order: a
// brand may be made from a prototype listed under another firm.
bool TModCV3::FindPrototypeOwner(const std::string& prototype, int firm, int& owner, int& index) {
    if (FindListedPrototype(prototype, firm, index)) {
        owner = firm;
        return true;
    }
    const int firms = std::min<int>(Data()->NbFirms(), kMaxModelFirms);
    for (int other = 1; other <= firms; ++other)
        if (other != firm && FindListedPrototype(prototype, other, index)) {
            owner = other;
            return true;
        }
    return false;
}

bool TModCV3::FindPrototype(std::string_view name, int firm, int& index) const {
    const TPrototypeList list = PrototypeList(firm);
    index = FindModelName(list.names, list.count, name);
    return index != 0;
}

TModCV3::TPrototypeList TModCV3::PrototypeList(int firm) const {
    const TDataContext context = FirmContext(firm);
    TPrototypeList list;
    list.names = OptionalArr(*ResultsT(), kCategoryFirmMarket, context, "ProNames");
    // A level-1 log line may report the count taken as 0.
    list.quiet = !LogWrites(1);
    const std::int16_t count = OptionalSmallint(*ResultsT(), kCategoryFirmMarket, context, "NbPros", 0);
    list.count = ClampCount(*this, count, RowCapacity(list.names, kMaxPrototypePlaces), [&] {
        return FormatText("prototypes of t of firm %d, market %d", {firm, Ctx().SelMarket});
    });
    list.quiet = list.quiet && list.count == count;
    return list;
}

// A firm's list is looked up once per market when that reports nothing, and
// again at every brand otherwise, so that each report is made as often as before.
bool TModCV3::FindListedPrototype(std::string_view name, int firm, int& index) {
    std::optional<TPrototypeList>& kept = prototypeLists_.at(static_cast<std::size_t>(firm));
    const TPrototypeList list = kept ? *kept : PrototypeList(firm);
    if (list.quiet) kept = list;
    index = FindModelName(list.names, list.count, name);
    return index != 0;
}

// A market keeps ageing once it has had brands, even when none is marketed in t+1.
void TModCV3::SetMarketAge(int marketBrands) {
    const TDataContext market = FirmContext(0);
    int age = marketBrands > 0 ? 1 : 0;
    if (Ctx().SelPeriod + 1 != 0) {
        const int ageT = std::max<int>(0, OptionalSmallint(*ResultsT(), kCategoryFtaMarket, market, "MktAge", 0));
        age = marketBrands > 0 || ageT > 0 ? ageT + 1 : 0;
    }
    ResultsT1()->SetSmallint(kCategoryFtaMarket, market, "MktAge", static_cast<std::int16_t>(age));
}

}  // namespace cv
