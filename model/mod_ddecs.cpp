#include "model/mod_ddecs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string>

#include "core/base/numbers.h"
#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/model_access.h"

namespace cv {

namespace {

// Channel shares are whole percents, stored in thousandths of a percent.
constexpr long double kWholeShare = 100;
constexpr long double kShareUnit = 1000;
// Bound of a count that only the array's own rows limit.
constexpr int kAnyRows = std::numeric_limits<std::int16_t>::max();

void RequireCarrySeries() {
    using enum TIndexedSeries;
    using enum TIndexedElement;
    RequireIndexedSeries({LoanTerms, DecBrdCV3, Inventory, ProFinances, CctTerms, FirBrand});
    RequireIndexedElements({BrdDecStatus, SellStock, CoType, CoSOrP1, CoVal1, CoSOrP2, CoVal2, AvailStock,
                            PortStatus, InvSize, ProDecStatus, ProReqBgt, ProAllBgt, Per1stUse, Duration});
}

bool SameInnerShape(const TDynArr& a, const TDynArr& b) {
    if (a.NDim() != b.NDim() || a.NDim() < 1) return false;
    for (int d = 2; d <= a.NDim(); ++d)
        if (a.LB(d) != b.LB(d) || a.UB(d) != b.UB(d)) return false;
    return true;
}

// Sub-array [DstRow, all, ...] of Dst := [SrcRow, all, ...] of Src. Both
// arrays must have the same dimensions after the first and hold their rows.
void CopyRow(TDynArr& dst, std::string_view dstName, int dstRow, const TDynArr& src, std::string_view srcName,
             int srcRow) {
    if (!SameInnerShape(dst, src))
        throw EModelError(FormatText("the rows of %s and %s differ in shape", {srcName, dstName}));
    const int dims = dst.NDim();
    TIndex to{dstRow};
    TIndex from{srcRow};
    for (int d = 2; d <= dims; ++d) {
        if (dst.UB(d) < dst.LB(d)) return;  // an empty row
        to.Set(d - 1, dst.LB(d));
        from.Set(d - 1, dst.LB(d));
    }
    RequireIndex(dst, dstName, to);
    RequireIndex(src, srcName, from);
    for (;;) {
        dst.CopyElement(to, src, from);
        int d = dims;
        for (; d >= 2; --d) {
            const bool last = to[d - 1] == dst.UB(d);
            const int next = last ? dst.LB(d) : to[d - 1] + 1;
            to.Set(d - 1, next);
            from.Set(d - 1, next);
            if (!last) break;
        }
        if (d < 2) return;
    }
}

// Whether the array spans exactly the series Rows (and Columns, when given).
bool ShapedBy(const TDynArr& array, const TSeries* rows, const TSeries* columns) {
    const int dims = columns ? 2 : 1;
    if (array.NDim() != dims || array.LB(1) != rows->Lo() || array.UB(1) != rows->Hi()) return false;
    return !columns || (array.LB(2) == columns->Lo() && array.UB(2) == columns->Hi());
}

}  // namespace

void TModDDecs::Init(TCvInd& data, TWorkRec* workRec) {
    TModBasic::Init(data, workRec);
    RequireCarrySeries();
}

void TModDDecs::SetMarket(int fta, int mkt) { TModBasic::SetMarket(fta, mkt); }

// The carries work on the decision set of t+2 itself, so that its arrays keep
// their identity and only what changes is marked changed; the set's kept copy,
// taken before, puts it back when a carry or the copy into the defaults fails.
// Both copies reuse the storage of the forecast before.
void TModDDecs::Run() {
    if (!Data()) throw EModelError("the default decisions were not initialised");
    DecisionsT2()->KeepCopy();
    try {
        RunCarries();
        DefaultsT2()->CopyAllCells(*DecisionsT2());
    } catch (...) {
        DecisionsT2()->ReturnToCopy();
        throw;
    }
}

void TModDDecs::RunCarries() {
    const int firms = ClampCount(*this, Data()->NbFirms(), kMaxModelFirms, "number of firms");
    const int zones = ClampCount(*this, Data()->NbFtas(), kMaxCellZone, "number of zones");
    const int markets = ClampCount(*this, Data()->NbMarkets(), kMaxCellMarket, "number of markets");
    for (int firm = 1; firm <= firms; ++firm) {
        SelectCell(firm, 0, 0);
        CarryFinance();
    }
    for (int firm = 1; firm <= firms; ++firm)
        for (int mkt = 1; mkt <= markets; ++mkt) {
            SelectCell(firm, 0, mkt);
            CarryProjects();
        }
    for (int firm = 1; firm <= firms; ++firm)
        for (int fta = 1; fta <= zones; ++fta) {
            SelectCell(firm, fta, 0);
            CarrySalesForce();
            CarryFtaStudies();
        }
    for (int fta = 1; fta <= zones; ++fta)
        for (int mkt = 1; mkt <= markets; ++mkt) {
            SetMarket(fta, mkt);
            ReadMarketSales(marketSales_);
            for (int firm = 1; firm <= firms; ++firm) {
                Ctx().SelFirm = static_cast<std::int16_t>(firm);
                CarryBrandDecisions();
                CarryMarketStudies();
                CarryPlanFigures(marketSales_);
            }
        }
    for (int firm = 1; firm <= firms; ++firm)
        for (int fta = 1; fta <= zones; ++fta) {
            SelectCell(firm, fta, 0);
            CarryContracts();
        }
    for (int firm = 1; firm <= firms; ++firm) {
        SelectCell(firm, 0, 0);
        DecisionsT2()->SetSmallint(kCategoryFirm, Ctx(), "DecStatus", 0);
    }
}

void TModDDecs::SelectCell(int firm, int fta, int mkt) {
    Ctx().SelFirm = static_cast<std::int16_t>(firm);
    Ctx().SelFta = static_cast<std::int16_t>(fta);
    Ctx().SelMarket = static_cast<std::int16_t>(mkt);
}

// An array of t+2 that an earlier forecast carried takes the new content in
// place, as a duplicate would, without the warning a duplicate gives: carrying
// over it is the rule, not a mistake.
TSimArr* TModDDecs::CarryArr(int category, std::string_view name) {
    if (const TSimArr* source = OptionalArr(*DecisionsT1(), category, Ctx(), name)) {
        if (TSimArr* carried = OptionalArr(*DecisionsT2(), category, Ctx(), name)) {
            carried->Assign(*source);
            return carried;
        }
        // A new copy, added without looking both arrays up again as a duplicate would.
        auto copy = std::make_unique<TSimArr>();
        copy->Assign(*source);
        return &DecisionsT2()->AddSimArr(category, Ctx(), name, std::move(copy));
    }
    const auto where = [&] { return DecisionsT1()->DescribeCell(category, Ctx()); };
    TSimArr* stale = OptionalArr(*DecisionsT2(), category, Ctx(), name);
    if (stale) {
        stale->Clear();
        LogFmt(0, "array %s missing in the %s: its copy in t+2 cleared", {name, where()});
    } else if (LogWrites(1)) {
        LogFmt(1, "array %s missing in the %s: nothing carried", {name, where()});
    }
    return stale;
}

// ---- Firm ----

void TModDDecs::CarryFinance() {
    TSimArr* loans = OptionalArr(*DecisionsT2(), kCategoryFirm, Ctx(), "LoanVal");
    if (!loans) loans = &DecisionsT2()->CreateSimArr(kCategoryFirm, Ctx(), "LoanVal", dkReal48, 0, {si::LoanTerms});
    loans->Clear();
    for (std::string_view name : {"LoanAck", "BgtChgAck", "NbQueriesMade"})
        DecisionsT2()->SetSmallint(kCategoryFirm, Ctx(), name, 0);
}

// ---- Firm and market ----

void TModDDecs::CarryProjects() {
    TSimArr* names = CarryArr(kCategoryFirmMarket, "PrjNames");
    TSimArr* levels = CarryArr(kCategoryFirmMarket, "PrjTecs");
    TSimArr* finances = CarryArr(kCategoryFirmMarket, "PrjFins");
    for (TSimArr* list : {names, levels, finances})
        if (list) list->Clear();
    DecisionsT2()->SetSmallint(kCategoryFirmMarket, Ctx(), "NbPrjs", 0);
    const std::int16_t wanted = OptionalSmallint(*DecisionsT1(), kCategoryFirmMarket, Ctx(), "NbPrjs", 0);
    if (wanted <= 0) return;

    const std::string where = DecisionsT1()->DescribeCell(kCategoryFirmMarket, Ctx());
    const TSimArr& namesT1 = RequireArr(*DecisionsT1(), kCategoryFirmMarket, Ctx(), "PrjNames");
    RequireArr(*DecisionsT1(), kCategoryFirmMarket, Ctx(), "PrjTecs");
    RequireArr(*DecisionsT1(), kCategoryFirmMarket, Ctx(), "PrjFins");
    const TSimArr& proNames = RequireArr(*ResultsT1(), kCategoryFirmMarket, Ctx(), "ProNames");
    const TSimArr& proLevels = RequireArr(*ResultsT1(), kCategoryFirmMarket, Ctx(), "ProTecs");
    const TSimArr& proFinances = RequireArr(*ResultsT1(), kCategoryFirmMarket, Ctx(), "ProFins");
    const int projects = ClampCount(*this, wanted, RowCapacity(&namesT1, kAnyRows), "projects of the " + where);
    const int slots = std::min({RowCapacity(names, kAnyRows), RowCapacity(levels, kAnyRows),
                                RowCapacity(finances, kAnyRows)});
    const int prototypes = RowCapacity(&proNames, kAnyRows);

    int count = 0;
    for (int i = 1; i <= projects; ++i) {
        const std::string& name = namesT1.GetZts({i});
        const int j = name.empty() ? 0 : FindModelName(&proNames, prototypes, name);
        if (j == 0) continue;  // no prototype of that name: the project is dropped
        RequireIndex(proFinances, "ProFins", {j, si::ProReqBgt});
        const long double required = proFinances.GetReal48({j, si::ProReqBgt});
        if (!(required > 0)) continue;  // development complete
        if (count == slots) {
            Warn(FormatText("projects of the %s: no slot left for %s in t+2", {where, name}));
            break;
        }
        ++count;
        names->SetZts({count}, proNames.GetZts({j}));
        CopyRow(*levels, "PrjTecs", count, proLevels, "ProTecs", j);
        CopyRow(*finances, "PrjFins", count, proFinances, "ProFins", j);
        RequireIndex(*finances, "PrjFins", {count, si::ProAllBgt});
        RequireIndex(*finances, "PrjFins", {count, si::ProDecStatus});
        finances->SetReal48({count, si::ProAllBgt}, required);
        finances->SetReal48({count, si::ProDecStatus}, 0);
        DecisionsT2()->SetSmallint(kCategoryFirmMarket, Ctx(), "NbPrjs", static_cast<std::int16_t>(count));
    }
}

// ---- Firm and zone ----

void TModDDecs::CarrySalesForce() {
    CarryArr(kCategoryFirmFta, "SlfSize");
    DecisionsT2()->SetSmallint(kCategoryFirmFta, Ctx(), "SlfDecStatus", 0);
}

void TModDDecs::CarryFtaStudies() {
    CarryArr(kCategoryFirmFta, "DecStuFta");
    DecisionsT2()->SetSmallint(kCategoryFirmFta, Ctx(), "StudiesDecStatus", 0);
}

// A contract first used in period p for d periods runs through p + d - 1.
void TModDDecs::CarryContracts() {
    TSimArr* subjects = CarryArr(kCategoryFirmFta, "CctWhat");
    TSimArr* terms = CarryArr(kCategoryFirmFta, "CctTerms");
    for (TSimArr* list : {subjects, terms})
        if (list) list->Clear();
    DecisionsT2()->SetSmallint(kCategoryFirmFta, Ctx(), "NbCcts", 0);
    const std::int16_t wanted = OptionalSmallint(*DecisionsT1(), kCategoryFirmFta, Ctx(), "NbCcts", 0);
    if (wanted <= 0) return;

    const std::string where = DecisionsT1()->DescribeCell(kCategoryFirmFta, Ctx());
    const TSimArr& subjectsT1 = RequireArr(*DecisionsT1(), kCategoryFirmFta, Ctx(), "CctWhat");
    const TSimArr& termsT1 = RequireArr(*DecisionsT1(), kCategoryFirmFta, Ctx(), "CctTerms");
    const int contracts = ClampCount(*this, wanted, std::min(RowCapacity(&subjectsT1, kAnyRows),
                                                             RowCapacity(&termsT1, kAnyRows)),
                                     "contracts of the " + where);
    if (contracts == 0) return;
    RequireIndex(termsT1, "CctTerms", {contracts, 1, si::Per1stUse});
    RequireIndex(termsT1, "CctTerms", {contracts, 1, si::Duration});
    const long double periodT2 = Data()->CurPeriod() + 2;

    int count = 0;
    for (int i = 1; i <= contracts; ++i) {
        const long double firstUse = termsT1.GetReal48({i, 1, si::Per1stUse});
        const long double duration = termsT1.GetReal48({i, 1, si::Duration});
        if (periodT2 > firstUse + duration - 1) continue;  // run out by t+2
        ++count;
        CopyRow(*subjects, "CctWhat", count, subjectsT1, "CctWhat", i);
        CopyRow(*terms, "CctTerms", count, termsT1, "CctTerms", i);
        DecisionsT2()->SetSmallint(kCategoryFirmFta, Ctx(), "NbCcts", static_cast<std::int16_t>(count));
    }
}

// ---- Firm, zone and market ----

void TModDDecs::CarryBrandDecisions() {
    TSimArr* mix = CarryArr(kCategoryFirmFtaMarket, "DecBrdCV3");
    for (std::string_view name : {"DecBrdPort", "SlfAlloc", "SegStrat"}) CarryArr(kCategoryFirmFtaMarket, name);
    const std::int16_t wanted = OptionalSmallint(*DecisionsT1(), kCategoryFirmFtaMarket, Ctx(), "NbMktedBrds", 0);
    if (wanted <= 0) {
        DecisionsT2()->SetSmallint(kCategoryFirmFtaMarket, Ctx(), "NbMktedBrds", 0);
        return;
    }
    RequireArr(*DecisionsT1(), kCategoryFirmFtaMarket, Ctx(), "DecBrdCV3");
    // Worded as the driver's set-up of the marketed brands words the same clamp, so that
    // the warning is listed once.
    const auto where = [&] {
        return FormatText("firm %d, zone %d, market %d", {Ctx().SelFirm, Ctx().SelFta, Ctx().SelMarket});
    };
    const int brands =
        ClampCount(*this, wanted, RowCapacity(mix, kMaxFirmBrands), [&] { return "brands of " + where(); });
    DecisionsT2()->SetSmallint(kCategoryFirmFtaMarket, Ctx(), "NbMktedBrds", static_cast<std::int16_t>(brands));
    if (brands == 0) return;

    for (std::int8_t member : {si::PortStatus, si::SellStock, si::CoType, si::CoSOrP1, si::CoVal1, si::CoSOrP2,
                               si::CoVal2, si::BrdDecStatus, si::AvailStock})
        RequireIndex(*mix, "DecBrdCV3", {brands, member});
    const TSimArr& inventory = RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, Ctx(), "Inventory");
    RequireIndex(inventory, "Inventory", {inventory.LB(1), brands, si::InvSize});
    RequireIndex(inventory, "Inventory", {inventory.UB(1), 1, si::InvSize});

    // Elements read and written by position where the arrays hold reals over
    // exactly the dimensions indexed and every index lies within the bounds
    // (checked above, the mix's first row too); element by element, with the
    // arrays' own reports, otherwise.
    const bool mixDirect = mix->Kind() == dkReal48 && mix->NDim() == 2 && mix->LB(1) <= 1;
    const bool inventoryDirect = inventory.Kind() == dkReal48 && inventory.NDim() == 3;
    const int firstPeriod = inventory.LB(1);
    const int lastPeriod = inventory.UB(1);
    const std::size_t periodStep = inventory.Stride(1);
    for (int k = 1; k <= brands; ++k) {
        const std::size_t row = mixDirect ? mix->CalcIndex({k, mix->LB(2)}) : 0;
        const auto set = [&](std::int8_t member, long double value) {
            if (!mixDirect) return mix->SetReal48({k, member}, value);
            mix->SetReal48At(row + static_cast<std::size_t>(member - mix->LB(2)), value);
        };
        set(si::PortStatus, 1);
        for (std::int8_t member : {si::SellStock, si::CoType, si::CoSOrP1, si::CoVal1, si::CoSOrP2, si::CoVal2,
                                   si::BrdDecStatus})
            set(member, 0);
        long double stock = 0;
        const std::size_t held = inventoryDirect ? inventory.CalcIndex({firstPeriod, k, si::InvSize}) : 0;
        for (int period = firstPeriod; period <= lastPeriod; ++period) {
            const auto layer = static_cast<std::size_t>(period - firstPeriod);
            stock += inventoryDirect ? inventory.Real48At(held + layer * periodStep)
                                     : inventory.GetReal48({period, k, si::InvSize});
        }
        set(si::AvailStock, stock);
    }
}

void TModDDecs::CarryMarketStudies() {
    CarryArr(kCategoryFirmFtaMarket, "DecStuMkt");
    DecisionsT2()->SetSmallint(kCategoryFirmFta, Ctx(), "StudiesDecStatus", 0);
}

TSimArr& TModDDecs::PlanArray(std::string_view name, const TSeries* rows, const TSeries* columns) {
    TSimArr* array = OptionalArr(*DecisionsT2(), kCategoryFirmFtaMarket, Ctx(), name);
    if (array && ShapedBy(*array, rows, columns)) {
        array->Clear();
        return *array;
    }
    auto fresh = std::make_unique<TSimArr>();
    const std::array<const TSeries*, 2> dimensions{rows, columns};
    fresh->InitFromSeries(dkReal48, 0, std::span(dimensions.data(), columns ? 2 : 1));
    if (!array) return DecisionsT2()->AddSimArr(kCategoryFirmFtaMarket, Ctx(), name, std::move(fresh));
    array->Assign(*fresh);  // a plan over other segments or channels is replaced whole
    return *array;
}

// "BrdUSales"[m, s, c] of t+1 holds the forecast unit sales of market brand m
// in segment s and channel c. Each element is read once, a row of channels by
// position when the array holds reals over exactly these three dimensions
// (every index lies within the corners checked); every sum adds its terms in
// the order of its own index (brands, then channels, for a segment).
void TModDDecs::ReadMarketSales(TMarketSales& sales) const {
    sales.brands = 0;
    if (NbMktedBrdsT1() == 0) return;
    const TSimArr& unitSales = RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), "BrdUSales");
    const int firstSegment = SegSeries()->Lo();
    const int lastSegment = SegSeries()->Hi();
    const int firstChannel = ChaSeries()->Lo();
    const int lastChannel = ChaSeries()->Hi();
    RequireIndex(unitSales, "BrdUSales", {1, firstSegment, firstChannel});
    RequireIndex(unitSales, "BrdUSales", {NbMktedBrdsT1(), lastSegment, lastChannel});
    const auto segments = static_cast<std::size_t>(lastSegment - firstSegment + 1);
    const auto channels = static_cast<std::size_t>(lastChannel - firstChannel + 1);
    const auto brands = static_cast<std::size_t>(NbMktedBrdsT1());
    sales.segmentTotals.assign(segments, 0);
    sales.brandSegments.assign(brands * segments, 0);
    sales.brandChannels.assign(brands * channels, 0);
    const bool direct = unitSales.Kind() == dkReal48 && unitSales.NDim() == 3;
    for (std::size_t s = 0; s < segments; ++s) {
        const int segment = firstSegment + static_cast<int>(s);
        long double total = 0;
        for (std::size_t m = 0; m < brands; ++m) {
            const std::size_t row = direct ? unitSales.CalcIndex({m + 1, segment, firstChannel}) : 0;
            long double* byChannel = &sales.brandChannels[m * channels];
            long double units = 0;
            for (std::size_t c = 0; c < channels; ++c) {
                const int channel = firstChannel + static_cast<int>(c);
                const long double sold =
                    direct ? unitSales.Real48At(row + c) : unitSales.GetReal48({m + 1, segment, channel});
                total += sold;
                units += sold;
                byChannel[c] += sold;
            }
            sales.brandSegments[m * segments + s] = units;
        }
        sales.segmentTotals[s] = total;
    }
    sales.brands = NbMktedBrdsT1();
}

void TModDDecs::CarryPlanFigures(const TMarketSales& sales) {
    const int firm = Ctx().SelFirm;
    TSimArr& segmentSales = PlanArray("MPSegSales", SegSeries(), nullptr);
    TSimArr& brandSegmentSales = PlanArray("MPBrdSegSales", FirBrand(), SegSeries());
    TSimArr& channelShares = PlanArray("MPBrdChaSales", FirBrand(), ChaSeries());
    if (sales.brands == 0) return;

    const int firstSegment = SegSeries()->Lo();
    const std::size_t segments = sales.segmentTotals.size();
    for (std::size_t s = 0; s < segments; ++s)
        segmentSales.SetReal48({firstSegment + static_cast<int>(s)}, sales.segmentTotals[s]);

    const int brands = FirNbMktedBrdsT1()[firm];
    if (brands == 0) return;
    RequireIndex(brandSegmentSales, "MPBrdSegSales", {brands, SegSeries()->Hi()});
    const std::size_t channels = sales.brandChannels.size() / static_cast<std::size_t>(sales.brands);
    for (int k = 1; k <= brands; ++k) {
        const int m = Mbix()[firm][k];
        RequireMarketBrand(m);
        const auto row = static_cast<std::size_t>(m - 1);
        for (std::size_t s = 0; s < segments; ++s)
            brandSegmentSales.SetReal48({k, firstSegment + static_cast<int>(s)},
                                        sales.brandSegments[row * segments + s]);
        CarryChannelShares(channelShares, k, &sales.brandChannels[row * channels]);
    }
}

// Whole percents rounded halves to even, the last channel taking what is left
// so that a brand's split adds up to 100. A channel never takes more than is
// left: with four channels or more the rounded shares could pass 100 and
// leave the last channel a negative share.
void TModDDecs::CarryChannelShares(TSimArr& shares, int brand, const long double* channelSales) {
    const int first = ChaSeries()->Lo();
    const int last = ChaSeries()->Hi();
    long double total = 0;
    for (int c = first; c <= last; ++c) total += channelSales[c - first];
    RequireIndex(shares, "MPBrdChaSales", {brand, first});
    RequireIndex(shares, "MPBrdChaSales", {brand, last});
    long double accumulated = 0;
    for (int c = first; c <= last; ++c) {
        const long double left = kWholeShare - accumulated;
        long double share = left;
        if (c < last) {
            share = total > 0 ? RoundHalfEven(kWholeShare * channelSales[c - first] / total) : 0;
            share = std::clamp<long double>(share, 0, left);
        }
        shares.SetReal48({brand, c}, share * kShareUnit);
        accumulated += share;
    }
}

}  // namespace cv
